#include "interface/interface.h"

#include <stdio.h>

#include "checks.h"
#include "screens/screens.h"
#include "visuals/visuals.h"

Interface* interface = nullptr;

static const char BUTTON_FONT_FILE[] = "data/interface/Default.ttf";
static const int BUTTON_FONT_POINTS = 27;

static const char SELECTOR_LEFT_FILE[] = "data/interface/Button-Selector-Left.png";
static const char SELECTOR_RIGHT_FILE[] = "data/interface/Button-Selector-Right.png";
static const char BUTTON_FILE[] = "data/interface/Button.png";
static const char SELECTOR_LINE_FILE[] = "data/interface/Selector-Line.png";

// One image record: its file, and the label printed into it (buttons only).
struct InterfaceImage
{
    const char* file;
    const char* label;
};

// Arrow records alternate: odd records hold the right-pointing picture, even ones the left.
static const InterfaceImage INTERFACE_IMAGES[NUMBER_OF_INTERFACE_SPRITES] = {
    {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr}, {BUTTON_FILE, "Start!"},
    {BUTTON_FILE, "Options"},       {BUTTON_FILE, "How To Play"},   {BUTTON_FILE, "High Scores"},
    {BUTTON_FILE, "About"},         {BUTTON_FILE, "Exit"},          {BUTTON_FILE, "Back"},
    {BUTTON_FILE, " "},             {SELECTOR_LINE_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr},
    {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},
    {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr},
    {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},
    {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr},
    {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},
    {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr},
    {SELECTOR_LEFT_FILE, nullptr},
};

// Pixels taken off each side of a button image before a click counts.
static const float BUTTON_HIT_BOX_TRIM_X = 3.0f;
static const float BUTTON_HIT_BOX_TRIM_Y = 12.0f;

// The label: black anti-aliased text over a one-pixel dark yellow border.
static const SDL_Color LABEL_COLOUR = {0, 0, 0, 0};
static const SDL_Color LABEL_BORDER_COLOUR = {100, 100, 0, 0};

void Interface::PrintLabelIntoImage(SDL_Surface* image, const char* label)
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

void Interface::PlaceRecord(InterfaceSprite& record, int screenIndex, float x, float y)
{
    static_cast<Placement&>(record) = UprightAt(record.Texture, x, y);
    record.ScreenIndex = screenIndex;
    record.FlipX = false;
    record.FlipY = false;
    record.PressedAnimationTimer = -1;
}

void Interface::InitializeRecord(int index, const SDL_Surface* image)
{
    InterfaceSprite& record = InterfaceSprites[index];
    PlaceRecord(record, -1, 320.0f, 240.0f);
    record.ImageWidth = image->w;
    record.ImageHeight = image->h;
    record.HitBoxTrimX = BUTTON_HIT_BOX_TRIM_X;
    record.HitBoxTrimY = BUTTON_HIT_BOX_TRIM_Y;
}

// Loads, labels and uploads one record's image; prints why when it cannot.
bool Interface::LoadInterfaceImage(int index, bool initialize)
{
    const InterfaceImage& entry = INTERFACE_IMAGES[index];
    SDL_Surface* image = visuals->LoadPowerOfTwoImage(entry.file);
    if (!image) return false;
    SDL_Surface* converted = visuals->ConvertToRGBA(image);
    if (!converted)
    {
        printf("ERROR: SDL could not convert image %s\n", SDL_GetError());
        SDL_FreeSurface(image);
        return false;
    }

    const int bytesPerPixel = image->format->BytesPerPixel;
    const bool truecolor = (bytesPerPixel == 3 || bytesPerPixel == 4);
    if (!truecolor) printf("ERROR: The image is not truecolor\n");

    if (initialize) InitializeRecord(index, image);
    if (entry.label) PrintLabelIntoImage(converted, entry.label);

    InterfaceSprite& record = InterfaceSprites[index];
    if (record.Texture != 0) glDeleteTextures(1, &record.Texture);
    record.Texture = 0;
    if (truecolor) record.Texture = visuals->UploadNearestTexture(converted, GL_RGBA);

    SDL_FreeSurface(image);
    SDL_FreeSurface(converted);
    return truecolor;
}

Interface::Interface()
{
    ButtonFont = nullptr;
    CurrentlySelectedButton = 0;
    CurrentlySelectedArrowSet = 0;
    ArrowSetArrowPressed = -1;
    for (InterfaceSprite& record : InterfaceSprites)
    {
        record = InterfaceSprite{};
        record.ScreenIndex = -1;
        record.PressedAnimationTimer = -1;
    }
}

Interface::~Interface()
{
    if (ButtonFont) TTF_CloseFont(ButtonFont);
    ButtonFont = nullptr;
    UnloadGUIFromMemory();
}

bool Interface::CreateAllGUIAndInitialize(bool initialize)
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

void Interface::UnloadGUIFromMemory()
{
    // The names go too, so that no later delete can hit a name reused by others.
    for (InterfaceSprite& record : InterfaceSprites)
    {
        if (record.Texture != 0) glDeleteTextures(1, &record.Texture);
        record.Texture = 0;
    }
    printf("Unloaded all button/GUI images from memory\n");
}

// Redraws on the first and last step; true in the frame the timer reaches 0.
bool Interface::CountDownPress(int index)
{
    InterfaceSprite& record = InterfaceSprites[index];
    if (record.PressedAnimationTimer == PRESS_ANIMATION_FRAMES || record.PressedAnimationTimer == 0)
        screens->ScreenIsDirty = 1;
    if (record.PressedAnimationTimer < 0) return false;
    record.PressedAnimationTimer--;
    return record.PressedAnimationTimer == 0;
}
