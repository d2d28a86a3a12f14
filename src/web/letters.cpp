// Text in the game's own fonts. Emscripten's SDL_ttf draws with the
// canvas's fillText in a font named after the file's path, which the page
// does not have, and returns canvases the game cannot read. Here the
// letters are rasterised from the font file and laid out as SDL_ttf 2.0
// lays them out on the desktop: the same line height, advances, kerning and
// bounds, so a text is as wide and as high there.
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/drawing.h"
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

struct Typeface
{
    unsigned char* File;
    stbtt_fontinfo Info;
    float Scale;
    int Ascent, Height;
    Letter Letters[LETTERS];
};

static bool TextRuns = false;

// The log says what the desktop's says.
bool StartLetters()
{
    TextRuns = true;
    printf("SDL_ttf initialized\n");
    return true;
}

void StopLetters()
{
    TextRuns = false;
    printf("SDL_ttf closed\n");
}

// FreeType's rounding of 26.6 values, which SDL_ttf's metrics go through.
static int Ceiling(float pixels)
{
    return (int)ceilf(pixels - 1.0f / 128.0f);
}

// Opened only while letters run, as on the desktop.
Typeface* OpenTypeface(const char* path, int pointSize)
{
    if (!TextRuns)
    {
        SayWhyLoadingFailed("Library not initialized");
        return nullptr;
    }
    long size = 0;
    unsigned char* file = ReadWholeFile(path, LARGEST_FONT_FILE, size);
    if (!file)
    {
        SayWhyLoadingFailed("Couldn't open %s", path);
        return nullptr;
    }
    Typeface* font = static_cast<Typeface*>(calloc(1, sizeof(Typeface)));
    if (!font || pointSize <= 0 || !stbtt_InitFont(&font->Info, file, stbtt_GetFontOffsetForIndex(file, 0)))
    {
        free(font);
        free(file);
        SayWhyLoadingFailed("Couldn't load font file %s", path);
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

void CloseTypeface(Typeface* font)
{
    if (!font) return;
    for (Letter& letter : font->Letters) free(letter.Coverage);
    free(font->File);
    free(font);
}

static const Letter& LetterOf(Typeface* font, unsigned char character)
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

static int Kerning(Typeface* font, int previous, int next)
{
    if (!previous || !next) return 0;
    return (int)floorf(stbtt_GetGlyphKernAdvance(&font->Info, previous, next) * font->Scale + 0.5f);
}

// SDL_ttf's bounds: from the leftmost ink (or the pen's start) to the
// furthest of ink and advance; always one line high.
static int TextWidth(Typeface* font, const unsigned char* text)
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
static void LayOut(Typeface* font, const unsigned char* text, int height, int width, Paint paint)
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

// Smooth letters: the colour where they cover, the coverage as alpha (two
// letters that overlap lay their coverages over each other bit by bit).
// Solid letters: the colour, opaque, where they cover at least half a pixel.
bool RenderLetters(Typeface* font, const char* text, LetterColour colour, bool smooth, RgbaPicture& picture)
{
    picture = RgbaPicture{};
    if (!font || !text) return false;
    const unsigned char* letters = reinterpret_cast<const unsigned char*>(text);
    const int width = TextWidth(font, letters);
    if (width <= 0 || width > LARGEST_PICTURE_SIDE || !ClearPicture(picture, width, font->Height))
    {
        picture = RgbaPicture{};
        return false;
    }
    uint8_t* const pixels = picture.Pixels.get();
    LayOut(font, letters, font->Height, width, [&](int x, int y, unsigned char coverage) {
        uint8_t* pixel = pixels + (static_cast<size_t>(y) * width + x) * 4;
        if (!smooth && coverage < SOLID_COVERAGE) return;
        pixel[0] |= colour.Red;
        pixel[1] |= colour.Green;
        pixel[2] |= colour.Blue;
        pixel[3] |= smooth ? coverage : 255;
    });
    return true;
}
