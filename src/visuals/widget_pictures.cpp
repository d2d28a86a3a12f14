// The menu widgets' pictures: each loaded from its file, a button's label
// printed into it, and uploaded into a texture of its own.
#include "visuals/visuals.h"

#include <stdio.h>

#include "interface/interface.h"

static const char BUTTON_FONT_FILE[] = "data/interface/Default.ttf";
static const int BUTTON_FONT_POINTS = 27;

// The label: black anti-aliased text over a one-pixel dark yellow border.
static const SDL_Color LABEL_COLOUR = {0, 0, 0, 0};
static const SDL_Color LABEL_BORDER_COLOUR = {100, 100, 0, 0};

void Visuals::PrintLabelIntoImage(SDL_Surface* image, const char* label)
{
    SDL_Surface* smooth = TTF_RenderText_Blended(ButtonFont, label, LABEL_COLOUR);
    SDL_Surface* border = TTF_RenderText_Solid(ButtonFont, label, LABEL_BORDER_COLOUR);
    if (smooth && border)
    {
        const int x0 = image->w / 2 - smooth->w / 2;
        const int y0 = image->h / 2 - smooth->h / 2;
        for (int dy = 0; dy <= 2; dy++)
        {
            for (int dx = 0; dx <= 2; dx++)
            {
                SDL_Rect place = {static_cast<Sint16>(x0 - 1 + dx), static_cast<Sint16>(y0 + dy), 0, 0};
                SDL_BlitSurface(border, nullptr, image, &place);
            }
        }
        visuals->BlendOntoSurfaceAt(smooth, image, x0, y0 + 1);
    }
    if (smooth) SDL_FreeSurface(smooth);
    if (border) SDL_FreeSurface(border);
}

// Loads, labels and uploads one record's image; prints why when it cannot.
// The first load gives the record its picture's size.
bool Visuals::LoadInterfaceImage(int index, bool initialize)
{
    const InterfaceImage& entry = INTERFACE_IMAGES[index];
    SDL_Surface* image = LoadPowerOfTwoImage(entry.file);
    if (!image) return false;
    SDL_Surface* converted = ConvertToRGBA(image);
    if (!converted)
    {
        printf("ERROR: SDL could not convert image %s\n", SDL_GetError());
        SDL_FreeSurface(image);
        return false;
    }

    const int bytesPerPixel = image->format->BytesPerPixel;
    const bool truecolor = (bytesPerPixel == 3 || bytesPerPixel == 4);
    if (!truecolor) printf("ERROR: The image is not truecolor\n");

    if (initialize) interface->InitializeRecord(index, image->w, image->h);
    if (entry.label) PrintLabelIntoImage(converted, entry.label);

    GLuint& texture = WidgetTexture[index];
    if (texture != 0) glDeleteTextures(1, &texture);
    texture = 0;
    if (truecolor) texture = UploadNearestTexture(converted, GL_RGBA);

    SDL_FreeSurface(image);
    SDL_FreeSurface(converted);
    return truecolor;
}

bool Visuals::CreateAllGUIAndInitialize(bool initialize)
{
    // A reload after a resize opens the font again; the old one would leak.
    if (ButtonFont) TTF_CloseFont(ButtonFont);
    ButtonFont = OpenFontIfTextRuns(BUTTON_FONT_FILE, BUTTON_FONT_POINTS);
    if (!ButtonFont)
    {
        printf("ERROR: Loading font: %s\n", SDL_GetError());
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
    for (GLuint& texture : WidgetTexture)
    {
        if (texture != 0) glDeleteTextures(1, &texture);
        texture = 0;
    }
    printf("Unloaded all button/GUI images from memory\n");
}

