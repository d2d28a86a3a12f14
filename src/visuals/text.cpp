#include "visuals/visuals.h"

#include <GL/gl.h>

#include <math.h>
#include <stdio.h>

struct FontFile
{
    const char* File;
    int PointSize;
};

static const FontFile FONT_FILES[NUMBER_OF_FONTS] = {
    {"data/fonts/Default.ttf", 27},
    {"data/fonts/Default.ttf", 22},
    {"data/fonts/Default.ttf", 14},
    {"data/fonts/Default.ttf", 45},
    {"data/fonts/Destructo.ttf", 27},
};

// Outline band of drawn text, in pixels around every letter.
const int TEXT_OUTLINE_WIDTH = 2;
// Centring on the screen leaves room for the outline: 320 - 3.
const int SCREEN_CENTER_FOR_TEXT = 317;
// The outline margin the right-aligned and centred forms subtract.
const int TEXT_ALIGN_MARGIN = 3;
const double NATURAL_LOG_OF_TWO = 0.6931471805599453;

bool Visuals::LoadFontsIntoMemory()
{
    for (int index = 0; index < NUMBER_OF_FONTS; index++)
    {
        Font[index] = OpenTypeface(FONT_FILES[index].File, FONT_FILES[index].PointSize);
        if (!Font[index])
        {
            printf("ERROR: Loading font: %s\n", LastLoadingError());
            return false;
        }
    }
    printf("Loaded all TTF fonts into memory\n");
    return true;
}

void Visuals::UnloadFontsFromMemory()
{
    for (Typeface*& font : Font)
    {
        CloseTypeface(font);
        font = nullptr;
    }
    printf("Unloaded all TTF fonts from memory\n");
}

int Visuals::NextPowerOfTwo(int value) const
{
    if (value <= 1) return 1;
    return (int)round(pow(2.0, ceil(log((double)value) / NATURAL_LOG_OF_TWO)));
}

bool Visuals::RenderOutlinedText(const char* text, Typeface* font, LetterColour colour, LetterColour outlineColour,
                                 int outlineWidth, int* textWidth, int* textHeight, RgbaPicture& canvas)
{
    canvas = RgbaPicture{};
    RgbaPicture letters;
    RgbaPicture outline;
    if (!RenderLetters(font, text, colour, true, letters) || !RenderLetters(font, text, outlineColour, false, outline))
        return false;
    const int margin = 2 * outlineWidth + 1;
    if (!ClearPicture(canvas, NextPowerOfTwo(letters.Width + margin), NextPowerOfTwo(letters.Height + margin)))
        return false;
    for (int dy = 0; dy <= 2 * outlineWidth; dy++)
    {
        for (int dx = 0; dx <= 2 * outlineWidth; dx++) StampOntoPictureAt(outline, canvas, dx, dy);
    }
    BlendOntoPictureAt(letters, canvas, outlineWidth, outlineWidth);
    *textWidth = letters.Width;
    *textHeight = letters.Height;
    return true;
}

// Left edge of a text texture of the given width for each justification.
static float TextLeftEdge(unsigned char justification, float x, int width)
{
    switch (justification)
    {
        case JUSTIFY_CENTER_SCREEN: return SCREEN_CENTER_FOR_TEXT - width / 2;
        case JUSTIFY_RIGHT: return (VIRTUAL_SCREEN_WIDTH - x) - width - TEXT_ALIGN_MARGIN;
        case JUSTIFY_CENTER_X: return x - width / 2 - TEXT_ALIGN_MARGIN;
        default: return x;
    }
}

void Visuals::DrawTextOntoScreenBuffer(const char* text, Typeface* font, float x, float y,
                                       unsigned char justification, unsigned char red, unsigned char green,
                                       unsigned char blue, unsigned char outlineRed, unsigned char outlineGreen,
                                       unsigned char outlineBlue)
{
    const LetterColour colour = {red, green, blue};
    const LetterColour outlineColour = {outlineRed, outlineGreen, outlineBlue};
    int width = 0;
    int height = 0;
    RgbaPicture canvas;
    if (!RenderOutlinedText(text, font, colour, outlineColour, TEXT_OUTLINE_WIDTH, &width, &height, canvas)) return;

    const float left = TextLeftEdge(justification, x, width);

    GLuint texture = UploadNearestTexture(canvas, GL_RGBA);
    DrawQuad(PlacedQuad{UprightAt(texture, left, y), {0.0f, 0.0f, (float)canvas.Width, (float)canvas.Height}});

    glDeleteTextures(1, &texture);
}
