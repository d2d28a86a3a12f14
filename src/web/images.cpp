// Pictures decoded here rather than by the browser: Emscripten's IMG_Load
// hands back a canvas whose pixels the game cannot read in OpenGL mode.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <SDL.h>
#include <SDL_image.h>

#include "web/web.h"

static unsigned char* ReadWholeFile(const char* path, int& size)
{
    FILE* file = fopen(path, "rb");
    if (!file) return nullptr;
    unsigned char* bytes = nullptr;
    long length = -1;
    if (fseek(file, 0, SEEK_END) == 0) length = ftell(file);
    if (length > 0 && fseek(file, 0, SEEK_SET) == 0) bytes = static_cast<unsigned char*>(malloc(length));
    if (bytes && fread(bytes, 1, length, file) != (size_t)length)
    {
        free(bytes);
        bytes = nullptr;
    }
    fclose(file);
    size = (int)length;
    return bytes;
}

// Every picture comes as 32-bit RGBA with its alpha in use, as SDL_image
// gives the game's pictures on the desktop.
extern "C" SDL_Surface* IMG_Load(const char* path)
{
    int size = 0;
    unsigned char* bytes = ReadWholeFile(path, size);
    if (!bytes)
    {
        SDL_SetError("Couldn't open %s", path);
        return nullptr;
    }
    int width = 0, height = 0, channels = 0;
    unsigned char* decoded = nullptr;
    if (stbi_info_from_memory(bytes, size, &width, &height, &channels) && width <= LARGEST_MEMORY_SURFACE_SIDE &&
        height <= LARGEST_MEMORY_SURFACE_SIDE)
        decoded = stbi_load_from_memory(bytes, size, &width, &height, &channels, 4);
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
