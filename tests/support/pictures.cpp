#include "support/pictures.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <SDL.h>

#include "support/test_environment.h"

// Clears the way for a picture: a link at the path goes, but nothing is ever
// written or removed within the project's own data (a test's data/ that is a
// single link to it).
static bool MakeRoomFor(const std::string& path)
{
    const size_t slash = path.rfind('/');
    char folder[PATH_MAX];
    char projectData[PATH_MAX];
    if (!realpath(slash == std::string::npos ? "." : path.substr(0, slash).c_str(), folder)) return false;
    if (!realpath((ProjectRoot() + "/data").c_str(), projectData)) return false;
    const std::string inside = std::string(projectData) + "/";
    if ((std::string(folder) + "/").compare(0, inside.size(), inside) == 0) return false;
    unlink(path.c_str());
    return true;
}

static bool SaveBitmap(SDL_Surface* picture, const std::string& path)
{
    const bool saved = MakeRoomFor(path) && SDL_SaveBMP(picture, path.c_str()) == 0;
    SDL_FreeSurface(picture);
    return saved;
}

bool WritePicture(const std::string& path, int width, int height, uint32_t topColour, uint32_t bottomColour)
{
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (!picture) return false;
    SDL_Rect top = {0, 0, (Uint16)width, (Uint16)(height / 2)};
    SDL_Rect bottom = {0, (Sint16)(height / 2), (Uint16)width, (Uint16)(height - height / 2)};
    SDL_FillRect(picture, &top, topColour);
    SDL_FillRect(picture, &bottom, bottomColour);
    return SaveBitmap(picture, path);
}

bool WritePicture(const std::string& path, int width, int height, uint32_t colour)
{
    return WritePicture(path, width, height, colour, colour);
}

bool WriteIndexedPicture(const std::string& path, int width, int height, const std::vector<uint8_t>& indices)
{
    if ((int)indices.size() != width * height) return false;
    SDL_Surface* const picture = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 8, 0, 0, 0, 0);
    if (!picture) return false;

    SDL_Color palette[256];
    for (int i = 0; i < 256; i++) palette[i] = SDL_Color{(Uint8)i, (Uint8)i, (Uint8)i, 0};
    SDL_SetColors(picture, palette, 0, 256);

    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) ((uint8_t*)picture->pixels)[y * picture->pitch + x] = indices[y * width + x];
    return SaveBitmap(picture, path);
}

static uint32_t Crc32(const uint8_t* bytes, size_t length, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t index = 0; index < length; index++)
    {
        crc ^= bytes[index];
        for (int bit = 0; bit < 8; bit++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

static void PutBigEndian(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out += (char)((value >> shift) & 0xFF);
}

static void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutBigEndian(out, data.size());
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    PutBigEndian(out, Crc32((const uint8_t*)typed.data(), typed.size()));
}

// A zlib stream of stored deflate blocks.
static std::string StoredZlib(const std::string& raw)
{
    const size_t BLOCK = 65535;
    std::string out("\x78\x01", 2);
    size_t at = 0;
    do
    {
        const size_t length = raw.size() - at < BLOCK ? raw.size() - at : BLOCK;
        out += (char)(at + length == raw.size() ? 1 : 0);
        out += (char)(length & 0xFF);
        out += (char)(length >> 8);
        out += (char)(~length & 0xFF);
        out += (char)((~length >> 8) & 0xFF);
        out += raw.substr(at, length);
        at += length;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char byte : raw)
    {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, (b << 16) | a);
    return out;
}

bool WriteTranslucentPicture(const std::string& path, int width, int height, const uint32_t* pixels)
{
    std::string header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, no interlace
    std::string raw;
    for (int y = 0; y < height; y++)
    {
        raw += '\0';  // no filter
        for (int x = 0; x < width; x++)
        {
            const uint32_t pixel = pixels[y * width + x];
            for (int shift : {16, 8, 0, 24}) raw += (char)((pixel >> shift) & 0xFF);
        }
    }
    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", "");
    if (!MakeRoomFor(path)) return false;
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = fwrite(png.data(), 1, png.size(), file) == png.size();
    return fclose(file) == 0 && written;
}
