#include "support/bitmaps.h"

#include <SDL.h>

bool SaveIndexedBitmap(const std::string& path, int width, int height, const std::vector<uint8_t>& indices)
{
    if ((int)indices.size() != width * height) return false;
    SDL_Surface* const surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 8, 0, 0, 0, 0);
    if (!surface) return false;

    SDL_Color palette[256];
    for (int i = 0; i < 256; i++) palette[i] = SDL_Color{(Uint8)i, (Uint8)i, (Uint8)i, 0};
    SDL_SetColors(surface, palette, 0, 256);

    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) ((uint8_t*)surface->pixels)[y * surface->pitch + x] = indices[y * width + x];

    const bool saved = SDL_SaveBMP(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

bool SaveSolidBitmap(const std::string& path, int width, int height, uint8_t red, uint8_t green, uint8_t blue)
{
    SDL_Surface* const surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    if (!surface) return false;
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, red, green, blue));
    const bool saved = SDL_SaveBMP(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}
