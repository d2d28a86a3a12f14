// Picture files with SDL_image, copied into the game's RGBA pictures by
// SDL's own blit, as the desktop has always converted them: a palette's
// colour key clear, every other pixel of a picture without alpha opaque.

#include <SDL.h>
#include <SDL_image.h>

#include "desktop/surfaces.h"
#include "platform/drawing.h"

const char* LastLoadingError()
{
    return SDL_GetError();
}

// Any 32-bit surface, by its own masks.
void CopySurfaceInto(const SDL_Surface* surface, RgbaPicture& picture)
{
    if (surface->format->BytesPerPixel != 4 || !ClearPicture(picture, surface->w, surface->h))
    {
        picture.Pixels.reset();
        return;
    }
    const SDL_PixelFormat* format = surface->format;
    uint8_t* out = picture.Pixels.get();
    for (int row = 0; row < surface->h; row++)
    {
        const Uint32* in = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) + row * surface->pitch);
        for (int column = 0; column < surface->w; column++, out += 4)
        {
            const Uint32 pixel = in[column];
            out[0] = static_cast<uint8_t>((pixel & format->Rmask) >> format->Rshift);
            out[1] = static_cast<uint8_t>((pixel & format->Gmask) >> format->Gshift);
            out[2] = static_cast<uint8_t>((pixel & format->Bmask) >> format->Bshift);
            out[3] = static_cast<uint8_t>((pixel & format->Amask) >> format->Ashift);
        }
    }
}

static SDL_Surface* ConvertToRGBA(SDL_Surface* image)
{
    SDL_Surface* converted = SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, 32, RGBA_RED_MASK,
                                                  RGBA_GREEN_MASK, RGBA_BLUE_MASK, RGBA_ALPHA_MASK);
    if (!converted) return nullptr;
    // SDL_image gives every picture with an alpha channel the opaque surface
    // alpha; it is left out of the blit, which then copies it.
    if (image->flags & SDL_SRCALPHA) SDL_SetAlpha(image, 0, 0);
    SDL_BlitSurface(image, nullptr, converted, nullptr);
    return converted;
}

bool LoadPicture(const char* file, RgbaPicture& picture, bool& truecolor)
{
    SDL_Surface* image = IMG_Load(file);
    if (!image) return false;
    picture.Pixels.reset();
    picture.Width = image->w;
    picture.Height = image->h;
    truecolor = image->format->BytesPerPixel == 3 || image->format->BytesPerPixel == 4;
    SDL_Surface* converted = ConvertToRGBA(image);
    if (converted) CopySurfaceInto(converted, picture);
    SDL_FreeSurface(converted);
    SDL_FreeSurface(image);
    return true;
}
