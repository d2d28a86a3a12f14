#include "visuals/visuals.h"

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
    const Uint8 surfaceAlpha = image->format->alpha;
    if (alphaFlags & SDL_SRCALPHA) SDL_SetAlpha(image, 0, 0);
    SDL_BlitSurface(image, nullptr, converted, nullptr);
    if (alphaFlags & SDL_SRCALPHA) SDL_SetAlpha(converted, alphaFlags, surfaceAlpha);
    return converted;
}

GLuint Visuals::UploadNearestTexture(const SDL_Surface* picture, GLenum format) const
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, picture->format->BytesPerPixel, picture->w, picture->h, 0, format,
                 GL_UNSIGNED_BYTE, picture->pixels);
    return texture;
}
