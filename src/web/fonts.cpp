// Text in the game's own fonts. Emscripten's SDL_ttf draws with the
// canvas's fillText in a font named after the file's path, which the page
// does not have, and returns canvases the game cannot read. Here the
// letters are rasterised from the font file and laid out as SDL_ttf 2.0
// lays them out: the same line height, advances, kerning and bounds, so a
// text is as wide and as high as on the desktop.
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include "web/web.h"

// The game's texts are Latin-1, one byte a letter.
const int LETTERS = 256;
// SDL_ttf's solid text is FreeType's one-bit rendering: a pixel is set when
// the letter covers about half of it.
const int SOLID_COVERAGE = 128;
// No font file of the game is near this size; a larger one is damaged.
const long LARGEST_FONT_FILE = 16 * 1024 * 1024;

struct Letter
{
    bool Made;
    int Index;  // the glyph in the font, 0 when it has none
    int MinX, MaxX, MinY, MaxY, Advance;
    int Width, Rows;
    unsigned char* Coverage;  // Width x Rows, 0 to 255
};

struct _TTF_Font
{
    unsigned char* File;
    stbtt_fontinfo Info;
    float Scale;
    int Ascent, Height;
    Letter Letters[LETTERS];
};

static bool TextRuns = false;

extern "C" int TTF_Init(void)
{
    TextRuns = true;
    return 0;
}

extern "C" int TTF_WasInit(void)
{
    return TextRuns ? 1 : 0;
}

extern "C" void TTF_Quit(void)
{
    TextRuns = false;
}

// FreeType's rounding of 26.6 values, which SDL_ttf's metrics go through.
static int Ceiling(float pixels)
{
    return (int)ceilf(pixels - 1.0f / 128.0f);
}

extern "C" TTF_Font* TTF_OpenFont(const char* path, int pointSize)
{
    long size = 0;
    unsigned char* file = ReadWholeFile(path, LARGEST_FONT_FILE, size);
    if (!file)
    {
        SDL_SetError("Couldn't open %s", path);
        return nullptr;
    }
    TTF_Font* font = static_cast<TTF_Font*>(calloc(1, sizeof(TTF_Font)));
    if (!font || pointSize <= 0 || !stbtt_InitFont(&font->Info, file, stbtt_GetFontOffsetForIndex(file, 0)))
    {
        free(font);
        free(file);
        SDL_SetError("Couldn't load font file %s", path);
        return nullptr;
    }
    font->File = file;
    // FreeType kerns from the old kerning table alone, as SDL_ttf asks it to.
    font->Info.gpos = 0;
    // SDL_ttf sets the character size in points at 72 dots an inch: one
    // point is one pixel of the em square.
    font->Scale = stbtt_ScaleForMappingEmToPixels(&font->Info, (float)pointSize);
    int ascender = 0, descender = 0, gap = 0;
    stbtt_GetFontVMetrics(&font->Info, &ascender, &descender, &gap);
    font->Ascent = Ceiling(ascender * font->Scale);
    const int descent = Ceiling(descender * font->Scale);
    font->Height = font->Ascent - descent + 1;  // SDL_ttf counts the baseline row
    return font;
}

extern "C" void TTF_CloseFont(TTF_Font* font)
{
    if (!font) return;
    for (Letter& letter : font->Letters) free(letter.Coverage);
    free(font->File);
    free(font);
}

static const Letter& LetterOf(TTF_Font* font, unsigned char character)
{
    Letter& letter = font->Letters[character];
    if (letter.Made) return letter;
    letter.Made = true;
    letter.Index = stbtt_FindGlyphIndex(&font->Info, character);
    int advance = 0, bearing = 0;
    stbtt_GetGlyphHMetrics(&font->Info, letter.Index, &advance, &bearing);
    letter.Advance = (int)floorf(advance * font->Scale + 0.5f);
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetGlyphBitmapBox(&font->Info, letter.Index, font->Scale, font->Scale, &x0, &y0, &x1, &y1);
    letter.MinX = x0;
    letter.MaxX = x1;
    letter.MaxY = -y0;
    letter.MinY = -y1;
    letter.Width = x1 - x0;
    letter.Rows = y1 - y0;
    if (letter.Width > 0 && letter.Rows > 0)
    {
        letter.Coverage = static_cast<unsigned char*>(calloc((size_t)letter.Width * letter.Rows, 1));
        if (letter.Coverage)
            stbtt_MakeGlyphBitmap(&font->Info, letter.Coverage, letter.Width, letter.Rows, letter.Width,
                                  font->Scale, font->Scale, letter.Index);
    }
    return letter;
}

static int Kerning(TTF_Font* font, int previous, int next)
{
    if (!previous || !next) return 0;
    return (int)floorf(stbtt_GetGlyphKernAdvance(&font->Info, previous, next) * font->Scale + 0.5f);
}

// SDL_ttf's bounds: from the leftmost ink (or the pen's start) to the
// furthest of ink and advance; always one line high.
static int TextWidth(TTF_Font* font, const unsigned char* text)
{
    int x = 0, minX = 0, maxX = 0, previous = 0;
    for (const unsigned char* at = text; *at; at++)
    {
        const Letter& letter = LetterOf(font, *at);
        x += Kerning(font, previous, letter.Index);
        if (x + letter.MinX < minX) minX = x + letter.MinX;
        const int reach = x + (letter.Advance > letter.MaxX ? letter.Advance : letter.MaxX);
        if (reach > maxX) maxX = reach;
        x += letter.Advance;
        previous = letter.Index;
    }
    return maxX - minX;
}

// Lays the letters out as SDL_ttf does, handing each covered pixel to paint.
template <typename Paint>
static void LayOut(TTF_Font* font, const unsigned char* text, int height, int width, Paint paint)
{
    int pen = 0, previous = 0;
    for (const unsigned char* at = text; *at; at++)
    {
        const Letter& letter = LetterOf(font, *at);
        pen += Kerning(font, previous, letter.Index);
        // SDL_ttf's mend for a first letter that reaches left of the pen.
        if (at == text && letter.MinX < 0) pen -= letter.MinX;
        const int top = font->Ascent - letter.MaxY;
        for (int row = 0; row < letter.Rows && letter.Coverage; row++)
        {
            if (top + row < 0 || top + row >= height) continue;
            for (int column = 0; column < letter.Width; column++)
            {
                const int x = pen + letter.MinX + column;
                if (x < 0 || x >= width) continue;
                paint(x, top + row, letter.Coverage[row * letter.Width + column]);
            }
        }
        pen += letter.Advance;
        previous = letter.Index;
    }
}

static bool MeasureForRendering(TTF_Font* font, const char* text, int& width)
{
    if (!font || !text)
    {
        SDL_SetError("Passed a NULL pointer");
        return false;
    }
    width = TextWidth(font, reinterpret_cast<const unsigned char*>(text));
    if (width > 0) return true;
    SDL_SetError("Text has zero width");
    return false;
}

// Smooth letters: the colour everywhere, the coverage as alpha.
extern "C" SDL_Surface* TTF_RenderText_Blended(TTF_Font* font, const char* text, SDL_Color colour)
{
    int width = 0;
    if (!MeasureForRendering(font, text, width)) return nullptr;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, font->Height, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
    if (!surface) return nullptr;
    const Uint32 pixel = (Uint32)colour.r << 16 | (Uint32)colour.g << 8 | colour.b;
    Uint32* pixels = static_cast<Uint32*>(surface->pixels);
    const int stride = surface->pitch / 4;
    LayOut(font, reinterpret_cast<const unsigned char*>(text), font->Height, width,
           [&](int x, int y, unsigned char coverage) { pixels[y * stride + x] |= pixel | (Uint32)coverage << 24; });
    return surface;
}

// Hard letters: palette colour 1 on a keyed colour 0.
extern "C" SDL_Surface* TTF_RenderText_Solid(TTF_Font* font, const char* text, SDL_Color colour)
{
    int width = 0;
    if (!MeasureForRendering(font, text, width)) return nullptr;
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, font->Height, 8, 0, 0, 0, 0);
    if (!surface) return nullptr;
    SDL_Color* palette = surface->format->palette->colors;
    palette[0] = SDL_Color{(Uint8)(255 - colour.r), (Uint8)(255 - colour.g), (Uint8)(255 - colour.b), 0};
    palette[1] = colour;
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY, 0);
    Uint8* pixels = static_cast<Uint8*>(surface->pixels);
    LayOut(font, reinterpret_cast<const unsigned char*>(text), font->Height, width,
           [&](int x, int y, unsigned char coverage) {
               if (coverage >= SOLID_COVERAGE) pixels[y * surface->pitch + x] = 1;
           });
    return surface;
}
