// The menu widgets' pictures: each loaded from its file, a button's label
// printed into it, and uploaded into a texture of its own.
#include "visuals/visuals.h"

#include <GL/gl.h>

#include <stdio.h>

#include "interface/interface.h"

static const char BUTTON_FONT_FILE[] = "data/interface/Default.ttf";
static const int BUTTON_FONT_POINTS = 27;

// The label: black anti-aliased text over a one-pixel dark yellow border.
static const LetterColour LABEL_COLOUR = {0, 0, 0};
static const LetterColour LABEL_BORDER_COLOUR = {100, 100, 0};

void Visuals::PrintLabelIntoImage(RgbaPicture& image, const char* label)
{
    RgbaPicture smooth;
    RgbaPicture border;
    if (!RenderLetters(ButtonFont, label, LABEL_COLOUR, true, smooth) ||
        !RenderLetters(ButtonFont, label, LABEL_BORDER_COLOUR, false, border))
        return;
    const int x0 = image.Width / 2 - smooth.Width / 2;
    const int y0 = image.Height / 2 - smooth.Height / 2;
    for (int dy = 0; dy <= 2; dy++)
    {
        for (int dx = 0; dx <= 2; dx++) StampOntoPictureAt(border, image, x0 - 1 + dx, y0 + dy);
    }
    BlendOntoPictureAt(smooth, image, x0, y0 + 1);
}

// Loads, labels and uploads one record's image; prints why when it cannot.
// The first load gives the record its picture's size.
bool Visuals::LoadInterfaceImage(int index, bool initialize)
{
    const InterfaceImage& entry = INTERFACE_IMAGES[index];
    RgbaPicture image;
    bool truecolor = false;
    if (!LoadPowerOfTwoImage(entry.file, image, truecolor)) return false;
    if (!image.Pixels)
    {
        printf("ERROR: SDL could not convert image %s\n", LastLoadingError());
        return false;
    }

    if (!truecolor) printf("ERROR: The image is not truecolor\n");

    if (initialize) interface->InitializeRecord(index, image.Width, image.Height);
    if (entry.label) PrintLabelIntoImage(image, entry.label);

    GLuint& texture = WidgetTexture[index];
    if (texture != 0) glDeleteTextures(1, &texture);
    texture = 0;
    if (truecolor) texture = UploadNearestTexture(image, GL_RGBA);
    return truecolor;
}

bool Visuals::CreateAllGUIAndInitialize(bool initialize)
{
    // A reload after a resize opens the font again; the old one would leak.
    CloseTypeface(ButtonFont);
    ButtonFont = OpenTypeface(BUTTON_FONT_FILE, BUTTON_FONT_POINTS);
    if (!ButtonFont)
    {
        printf("ERROR: Loading font: %s\n", LastLoadingError());
        return false;
    }

    for (int index = 0; index < NUMBER_OF_INTERFACE_SPRITES; index++)
    {
        if (!LoadInterfaceImage(index, initialize)) return false;
    }

    if (initialize)
        printf("Loaded and initialized all button/GUI images into memory\n");
    else
        printf("Loaded all button/GUI images into memory\n");
    return true;
}

void Visuals::UnloadGUIFromMemory()
{
    // The names go too, so that no later delete can hit a name reused by others.
    for (TextureName& texture : WidgetTexture)
    {
        if (texture != 0) glDeleteTextures(1, &texture);
        texture = 0;
    }
    printf("Unloaded all button/GUI images from memory\n");
}

