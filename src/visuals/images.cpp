#include "visuals/visuals.h"

#include <algorithm>

#include <stdio.h>

#include <SDL_image.h>

static bool IsPowerOfTwo(int value)
{
    return (value & (value - 1)) == 0;
}

// Both sides are tested so that a picture wrong both ways reports both.
static bool HasPowerOfTwoSides(const SDL_Surface* image)
{
    const bool widthFits = IsPowerOfTwo(image->w);
    if (!widthFits) printf("ERROR: Image width is not a power of 2\n");
    if (!IsPowerOfTwo(image->h))
    {
        printf("ERROR: Image height is not a power of 2\n");
        return false;
    }
    return widthFits;
}

SDL_Surface* Visuals::LoadPowerOfTwoImage(const char* file) const
{
    SDL_Surface* image = IMG_Load(file);
    if (!image)
    {
        printf("ERROR: SDL could not load image %s\n", SDL_GetError());
        return nullptr;
    }
    if (!HasPowerOfTwoSides(image))
    {
        SDL_FreeSurface(image);
        return nullptr;
    }
    return image;
}

SDL_Surface* Visuals::ConvertToRGBA(SDL_Surface* image) const
{
    SDL_Surface* converted =
        SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, 32, Rmask, Gmask, Bmask, Amask);
    if (!converted) return nullptr;

    const Uint32 alphaFlags = image->flags & (SDL_SRCALPHA | SDL_RLEACCELOK);
    // SDL_image gives every picture with an alpha channel the opaque surface alpha.
    const Uint8 surfaceAlpha = SDL_ALPHA_OPAQUE;
    if (alphaFlags & SDL_SRCALPHA) SDL_SetAlpha(image, 0, 0);
    SDL_BlitSurface(image, nullptr, converted, nullptr);
    if (alphaFlags & SDL_SRCALPHA) SDL_SetAlpha(converted, alphaFlags, surfaceAlpha);
    return converted;
}

// One 8-bit channel of a 32-bit pixel.
static int Channel(Uint32 pixel, Uint32 mask, Uint8 shift)
{
    return static_cast<int>((pixel & mask) >> shift);
}

// Classic SDL's blend of one channel toward the source by alpha / 256, rounded up.
static Uint32 BlendChannel(int source, int destination, int alpha)
{
    return static_cast<Uint32>((((source - destination) * alpha + 255) >> 8) + destination) & 0xFF;
}

// The source pixel over the destination pixel; the destination keeps its alpha.
static Uint32 BlendPixel(Uint32 source, const SDL_PixelFormat* from, Uint32 destination, const SDL_PixelFormat* to)
{
    const int alpha = Channel(source, from->Amask, from->Ashift);
    if (alpha == 0) return destination;
    const Uint32 red = BlendChannel(Channel(source, from->Rmask, from->Rshift),
                                    Channel(destination, to->Rmask, to->Rshift), alpha);
    const Uint32 green = BlendChannel(Channel(source, from->Gmask, from->Gshift),
                                      Channel(destination, to->Gmask, to->Gshift), alpha);
    const Uint32 blue = BlendChannel(Channel(source, from->Bmask, from->Bshift),
                                     Channel(destination, to->Bmask, to->Bshift), alpha);
    return (destination & to->Amask) | red << to->Rshift | green << to->Gshift | blue << to->Bshift;
}

static Uint32* PixelRow(const SDL_Surface* surface, int row)
{
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + row * surface->pitch);
}

// Laid over by hand rather than with SDL_BlitSurface: sdl12-compat, the SDL
// 1.2 of many distributions, blends with other rounding and restores the
// destination's alpha with the wrong width when the blit lands at an offset,
// striping every outlined text. This is classic SDL's own blend, so both
// libraries draw the bytes classic SDL always drew.
void Visuals::BlendOntoSurfaceAt(const SDL_Surface* source, SDL_Surface* destination, int x, int y) const
{
    if (source->format->BytesPerPixel != 4 || destination->format->BytesPerPixel != 4) return;
    const int firstRow = y < 0 ? -y : 0;
    const int endRow = std::min(source->h, destination->h - y);
    const int firstColumn = x < 0 ? -x : 0;
    const int endColumn = std::min(source->w, destination->w - x);
    for (int row = firstRow; row < endRow; row++)
    {
        const Uint32* in = PixelRow(source, row);
        Uint32* out = PixelRow(destination, y + row);
        for (int column = firstColumn; column < endColumn; column++)
            out[x + column] = BlendPixel(in[column], source->format, out[x + column], destination->format);
    }
}

// The internal format is named as the pixels' own, which WebGL requires.
GLuint Visuals::UploadNearestTexture(const SDL_Surface* picture, GLenum format) const
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, format, picture->w, picture->h, 0, format,
                 GL_UNSIGNED_BYTE, picture->pixels);
    return texture;
}
