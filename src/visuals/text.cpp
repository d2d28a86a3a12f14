#include "visuals/visuals.h"

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

TTF_Font* OpenFontIfTextRuns(const char* file, int pointSize)
{
    if (TTF_WasInit()) return TTF_OpenFont(file, pointSize);
    SDL_SetError("Library not initialized");
    return nullptr;
}

bool Visuals::LoadFontsIntoMemory()
{
    for (int index = 0; index < NUMBER_OF_FONTS; index++)
    {
        Font[index] = OpenFontIfTextRuns(FONT_FILES[index].File, FONT_FILES[index].PointSize);
        if (!Font[index])
        {
            printf("ERROR: Loading font: %s\n", SDL_GetError());
            return false;
        }
    }
    printf("Loaded all TTF fonts into memory\n");
    return true;
}

void Visuals::UnloadFontsFromMemory()
{
    for (TTF_Font*& font : Font)
    {
        if (font) TTF_CloseFont(font);
        font = nullptr;
    }
    printf("Unloaded all TTF fonts from memory\n");
}

int Visuals::NextPowerOfTwo(int value) const
{
    if (value <= 1) return 1;
    return (int)round(pow(2.0, ceil(log((double)value) / NATURAL_LOG_OF_TWO)));
}

SDL_Surface* Visuals::RenderOutlinedText(const char* text, TTF_Font* font, SDL_Color colour,
                                         SDL_Color outlineColour, int outlineWidth, int* textWidth,
                                         int* textHeight)
{
    if (!text || !font) return nullptr;
    SDL_Surface* letters = TTF_RenderText_Blended(font, text, colour);
    SDL_Surface* outline = TTF_RenderText_Solid(font, text, outlineColour);
    SDL_Surface* canvas = nullptr;
    if (letters && outline)
    {
        const int margin = 2 * outlineWidth + 1;
        canvas = SDL_CreateRGBSurface(SDL_SWSURFACE, NextPowerOfTwo(letters->w + margin),
                                      NextPowerOfTwo(letters->h + margin), 32, Rmask, Gmask, Bmask, Amask);
    }
    if (canvas)
    {
        for (int dy = 0; dy <= 2 * outlineWidth; dy++)
        {
            for (int dx = 0; dx <= 2 * outlineWidth; dx++)
            {
                SDL_Rect at = {(Sint16)dx, (Sint16)dy, 0, 0};
                SDL_BlitSurface(outline, nullptr, canvas, &at);
            }
        }
        BlendOntoSurfaceAt(letters, canvas, outlineWidth, outlineWidth);
        *textWidth = letters->w;
        *textHeight = letters->h;
    }
    SDL_FreeSurface(letters);
    SDL_FreeSurface(outline);
    return canvas;
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

void Visuals::DrawTextOntoScreenBuffer(const char* text, TTF_Font* font, float x, float y,
                                       unsigned char justification, unsigned char red, unsigned char green,
                                       unsigned char blue, unsigned char outlineRed, unsigned char outlineGreen,
                                       unsigned char outlineBlue)
{
    const SDL_Color colour = {red, green, blue, 0};
    const SDL_Color outlineColour = {outlineRed, outlineGreen, outlineBlue, 0};
    int width = 0;
    int height = 0;
    SDL_Surface* canvas = RenderOutlinedText(text, font, colour, outlineColour, TEXT_OUTLINE_WIDTH, &width, &height);
    if (!canvas) return;

    const float left = TextLeftEdge(justification, x, width);

    GLuint texture = UploadNearestTexture(canvas, GL_RGBA);
    DrawQuad(PlacedQuad{UprightAt(texture, left, y), {0.0f, 0.0f, (float)canvas->w, (float)canvas->h}});

    SDL_FreeSurface(canvas);
    glDeleteTextures(1, &texture);
}
