// Pictures decoded here rather than by the browser: Emscripten's IMG_Load
// hands back a canvas whose pixels the game cannot read in OpenGL mode.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>

#include <stdlib.h>
#include <string.h>

#include <SDL.h>
#include <SDL_image.h>

#include "web/web.h"

// No picture of the game comes near this size; a larger file is damaged.
const long LARGEST_PICTURE_FILE = 64 * 1024 * 1024;

// Every picture comes as 32-bit RGBA with its alpha in use, as SDL_image
// gives the game's pictures on the desktop.
extern "C" SDL_Surface* IMG_Load(const char* path)
{
    long size = 0;
    unsigned char* bytes = ReadWholeFile(path, LARGEST_PICTURE_FILE, size);
    if (!bytes)
    {
        SDL_SetError("Couldn't open %s", path);
        return nullptr;
    }
    int width = 0, height = 0, channels = 0;
    unsigned char* decoded = nullptr;
    if (stbi_info_from_memory(bytes, (int)size, &width, &height, &channels) && width <= LARGEST_MEMORY_SURFACE_SIDE &&
        height <= LARGEST_MEMORY_SURFACE_SIDE)
        decoded = stbi_load_from_memory(bytes, (int)size, &width, &height, &channels, 4);
    free(bytes);
    if (!decoded)
    {
        SDL_SetError("%s is not a PNG picture the game can read", path);
        return nullptr;
    }
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SRCALPHA, width, height, 32, MEMORY_RED_MASK,
                                                MEMORY_GREEN_MASK, MEMORY_BLUE_MASK, MEMORY_ALPHA_MASK);
    if (picture) memcpy(picture->pixels, decoded, (size_t)width * height * 4);
    stbi_image_free(decoded);
    return picture;
}
