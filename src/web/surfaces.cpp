// Surfaces in the program's own memory. Emscripten's SDL keeps each surface
// as a canvas beside a copy of its pixels, and the two drift apart when C
// writes the pixels and SDL blits the canvas; in OpenGL mode it cannot even
// unlock one. The game only builds pictures in memory and hands their pixels
// to OpenGL, so here a surface is plain memory, and the few blits the game
// asks for are done as classic SDL does them.
#include <stdlib.h>
#include <string.h>

#include <SDL.h>

#include "web/web.h"

// A surface with its format and palette in one block, freed as one.
struct MemorySurface
{
    SDL_Surface Surface;
    SDL_PixelFormat Format;
    SDL_Palette Palette;
    SDL_Color Colours[256];
    Uint32 ColourKey;
};

static MemorySurface* Owner(SDL_Surface* surface)
{
    return reinterpret_cast<MemorySurface*>(surface);
}

// The lowest set bit of a mask, and the bits a channel lacks of eight.
static void DescribeChannel(Uint32 mask, Uint8& shift, Uint8& loss)
{
    shift = 0;
    loss = 8;
    if (mask == 0) return;
    while (!(mask & 1))
    {
        mask >>= 1;
        shift++;
    }
    while (mask & 1)
    {
        mask >>= 1;
        loss--;
    }
}

extern "C" SDL_Surface* SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 rmask,
                                             Uint32 gmask, Uint32 bmask, Uint32 amask)
{
    if (width <= 0 || height <= 0 || width > LARGEST_MEMORY_SURFACE_SIDE || height > LARGEST_MEMORY_SURFACE_SIDE ||
        (depth != 8 && depth != 32))
    {
        SDL_SetError("A %d x %d surface of %d bits is not one the game makes", width, height, depth);
        return nullptr;
    }
    MemorySurface* owner = static_cast<MemorySurface*>(calloc(1, sizeof(MemorySurface)));
    const int pitch = width * (depth / 8);
    void* pixels = calloc((size_t)pitch * height, 1);
    if (!owner || !pixels)
    {
        free(owner);
        free(pixels);
        SDL_SetError("Out of memory for a %d x %d surface", width, height);
        return nullptr;
    }
    SDL_PixelFormat& format = owner->Format;
    format.BitsPerPixel = (Uint8)depth;
    format.BytesPerPixel = (Uint8)(depth / 8);
    if (depth == 8)
    {
        owner->Palette.ncolors = 256;
        owner->Palette.colors = owner->Colours;
        format.palette = &owner->Palette;
    }
    else
    {
        format.Rmask = rmask;
        format.Gmask = gmask;
        format.Bmask = bmask;
        format.Amask = amask;
        DescribeChannel(rmask, format.Rshift, format.Rloss);
        DescribeChannel(gmask, format.Gshift, format.Gloss);
        DescribeChannel(bmask, format.Bshift, format.Bloss);
        DescribeChannel(amask, format.Ashift, format.Aloss);
    }
    SDL_Surface& surface = owner->Surface;
    surface.flags = flags & SDL_SRCALPHA;
    surface.format = &format;
    surface.w = width;
    surface.h = height;
    surface.pitch = pitch;
    surface.pixels = pixels;
    surface.clip_rect.w = width;
    surface.clip_rect.h = height;
    surface.refcount = 1;
    return &surface;
}

extern "C" void SDL_FreeSurface(SDL_Surface* surface)
{
    if (!surface) return;
    free(surface->pixels);
    free(Owner(surface));
}

extern "C" int SDL_SetAlpha(SDL_Surface* surface, Uint32 flags, Uint8)
{
    surface->flags = (surface->flags & ~SDL_SRCALPHA) | (flags & SDL_SRCALPHA);
    return 0;
}

extern "C" int SDL_SetColorKey(SDL_Surface* surface, int flags, Uint32 key)
{
    surface->flags = (surface->flags & ~SDL_SRCCOLORKEY) | (flags & SDL_SRCCOLORKEY);
    Owner(surface)->ColourKey = key;
    return 0;
}

// One pixel of the source as the destination's format has it; classic SDL
// maps a palette colour as opaque.
static Uint32 Converted(const SDL_Surface* from, const Uint8* pixel, const SDL_PixelFormat& to)
{
    Uint8 red = 0, green = 0, blue = 0, alpha = 255;
    const SDL_PixelFormat& format = *from->format;
    if (format.BytesPerPixel == 1)
    {
        const SDL_Color& colour = format.palette->colors[*pixel];
        red = colour.r;
        green = colour.g;
        blue = colour.b;
    }
    else
    {
        const Uint32 value = *reinterpret_cast<const Uint32*>(pixel);
        red = (Uint8)((value & format.Rmask) >> format.Rshift);
        green = (Uint8)((value & format.Gmask) >> format.Gshift);
        blue = (Uint8)((value & format.Bmask) >> format.Bshift);
        if (format.Amask) alpha = (Uint8)((value & format.Amask) >> format.Ashift);
    }
    return (Uint32)red << to.Rshift | (Uint32)green << to.Gshift | (Uint32)blue << to.Bshift |
           (to.Amask ? (Uint32)alpha << to.Ashift : 0);
}

// The copies the game makes: a picture into a 32-bit one, and a keyed text
// stamped onto one. Blending it does by hand.
extern "C" int SDL_UpperBlit(SDL_Surface* source, const SDL_Rect* sourceArea, SDL_Surface* destination,
                             SDL_Rect* destinationPlace)
{
    if (!source || !destination || destination->format->BytesPerPixel != 4)
    {
        SDL_SetError("Only blits onto 32-bit memory surfaces are made here");
        return -1;
    }
    int left = sourceArea ? sourceArea->x : 0;
    int top = sourceArea ? sourceArea->y : 0;
    int width = sourceArea ? sourceArea->w : source->w;
    int height = sourceArea ? sourceArea->h : source->h;
    int x = destinationPlace ? destinationPlace->x : 0;
    int y = destinationPlace ? destinationPlace->y : 0;
    // Clipped to the destination, as SDL clips.
    if (x < 0)
    {
        left -= x;
        width += x;
        x = 0;
    }
    if (y < 0)
    {
        top -= y;
        height += y;
        y = 0;
    }
    if (x + width > destination->w) width = destination->w - x;
    if (y + height > destination->h) height = destination->h - y;
    if (left + width > source->w) width = source->w - left;
    if (top + height > source->h) height = source->h - top;

    const bool keyed = (source->flags & SDL_SRCCOLORKEY) != 0;
    const Uint32 key = Owner(source)->ColourKey;
    const int bytes = source->format->BytesPerPixel;
    for (int row = 0; row < height; row++)
    {
        const Uint8* in = static_cast<const Uint8*>(source->pixels) + (top + row) * source->pitch + left * bytes;
        Uint32* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(destination->pixels) +
                                                (y + row) * destination->pitch) + x;
        for (int column = 0; column < width; column++, in += bytes, out++)
        {
            if (keyed && bytes == 1 && *in == key) continue;
            *out = Converted(source, in, *destination->format);
        }
    }
    return 0;
}
