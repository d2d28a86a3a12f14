// Pictures decoded here rather than by the browser: Emscripten's IMG_Load
// hands back a canvas whose pixels the game cannot read in OpenGL mode.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/drawing.h"
#include "web/web.h"

// No picture of the game comes near this size; a larger file is damaged.
const long LARGEST_PICTURE_FILE = 64 * 1024 * 1024;

static char LoadingError[256] = "";

void SayWhyLoadingFailed(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(LoadingError, sizeof(LoadingError), format, arguments);
    va_end(arguments);
}

const char* LastLoadingError()
{
    return LoadingError;
}

// stb_image gives every PNG as RGBA, a palette's too, so every picture
// counts as truecolor.
bool LoadPicture(const char* file, RgbaPicture& picture, bool& truecolor)
{
    long size = 0;
    unsigned char* bytes = ReadWholeFile(file, LARGEST_PICTURE_FILE, size);
    if (!bytes)
    {
        SayWhyLoadingFailed("Couldn't open %s", file);
        return false;
    }
    int width = 0, height = 0, channels = 0;
    unsigned char* decoded = nullptr;
    if (stbi_info_from_memory(bytes, (int)size, &width, &height, &channels) && width <= LARGEST_PICTURE_SIDE &&
        height <= LARGEST_PICTURE_SIDE)
        decoded = stbi_load_from_memory(bytes, (int)size, &width, &height, &channels, 4);
    free(bytes);
    if (!decoded)
    {
        SayWhyLoadingFailed("%s is not a PNG picture the game can read", file);
        return false;
    }
    truecolor = true;
    if (ClearPicture(picture, width, height))
        memcpy(picture.Pixels.get(), decoded, (size_t)width * height * 4);
    else
        SayWhyLoadingFailed("Out of memory for a %d x %d picture", width, height);
    stbi_image_free(decoded);
    return true;
}
