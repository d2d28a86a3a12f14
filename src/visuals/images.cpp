#include "visuals/visuals.h"

#include <GL/gl.h>

#include <algorithm>

#include <stdio.h>
#include <string.h>

// The drawing names OpenGL's textures and formats as OpenGL does.
static_assert(sizeof(TextureName) == sizeof(GLuint) && sizeof(unsigned int) == sizeof(GLenum), "not OpenGL's sizes");

static bool IsPowerOfTwo(int value)
{
    return (value & (value - 1)) == 0;
}

// Both sides are tested so that a picture wrong both ways reports both.
static bool HasPowerOfTwoSides(const RgbaPicture& image)
{
    const bool widthFits = IsPowerOfTwo(image.Width);
    if (!widthFits) printf("ERROR: Image width is not a power of 2\n");
    if (!IsPowerOfTwo(image.Height))
    {
        printf("ERROR: Image height is not a power of 2\n");
        return false;
    }
    return widthFits;
}

bool Visuals::LoadPowerOfTwoImage(const char* file, RgbaPicture& picture, bool& truecolor) const
{
    if (!LoadPicture(file, picture, truecolor))
    {
        printf("ERROR: SDL could not load image %s\n", LastLoadingError());
        return false;
    }
    return HasPowerOfTwoSides(picture);
}

// Classic SDL's blend of one channel toward the source by alpha / 256, rounded up.
static uint8_t BlendChannel(int source, int destination, int alpha)
{
    return static_cast<uint8_t>((((source - destination) * alpha + 255) >> 8) + destination);
}

// The pixels of the source that land inside the destination at (x, y), as
// SDL clips a blit: columns and rows of the source from first to end.
struct Overlap
{
    int FirstColumn;
    int EndColumn;
    int FirstRow;
    int EndRow;
};

static Overlap OverlapAt(const RgbaPicture& source, const RgbaPicture& destination, int x, int y)
{
    return Overlap{x < 0 ? -x : 0, std::min(source.Width, destination.Width - x), y < 0 ? -y : 0,
                   std::min(source.Height, destination.Height - y)};
}

static const uint8_t* PixelAt(const RgbaPicture& picture, int x, int y)
{
    return picture.Pixels.get() + (static_cast<size_t>(y) * picture.Width + x) * 4;
}

static uint8_t* PixelAt(RgbaPicture& picture, int x, int y)
{
    return picture.Pixels.get() + (static_cast<size_t>(y) * picture.Width + x) * 4;
}

// Laid over by hand rather than with SDL_BlitSurface: sdl12-compat, the SDL
// 1.2 of many distributions, blends with other rounding and restores the
// destination's alpha with the wrong width when the blit lands at an offset,
// striping every outlined text. This is classic SDL's own blend, so every
// platform draws the bytes classic SDL always drew.
void Visuals::BlendOntoPictureAt(const RgbaPicture& source, RgbaPicture& destination, int x, int y) const
{
    const Overlap overlap = OverlapAt(source, destination, x, y);
    for (int row = overlap.FirstRow; row < overlap.EndRow; row++)
    {
        for (int column = overlap.FirstColumn; column < overlap.EndColumn; column++)
        {
            const uint8_t* in = PixelAt(source, column, row);
            uint8_t* out = PixelAt(destination, x + column, y + row);
            const int alpha = in[3];
            if (alpha == 0) continue;
            for (int channel = 0; channel < 3; channel++) out[channel] = BlendChannel(in[channel], out[channel], alpha);
        }
    }
}

void Visuals::StampOntoPictureAt(const RgbaPicture& source, RgbaPicture& destination, int x, int y) const
{
    const Overlap overlap = OverlapAt(source, destination, x, y);
    for (int row = overlap.FirstRow; row < overlap.EndRow; row++)
    {
        for (int column = overlap.FirstColumn; column < overlap.EndColumn; column++)
        {
            const uint8_t* in = PixelAt(source, column, row);
            if (in[3] != 0) memcpy(PixelAt(destination, x + column, y + row), in, 4);
        }
    }
}

// The internal format is named as the pixels' own, which WebGL requires.
TextureName Visuals::UploadNearestTexture(const RgbaPicture& picture, unsigned int format) const
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, format, picture.Width, picture.Height, 0, format, GL_UNSIGNED_BYTE,
                 picture.Pixels.get());
    return texture;
}
