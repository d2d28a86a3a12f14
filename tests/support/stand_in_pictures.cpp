#include "support/stand_in_pictures.h"

#include <dirent.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SDL.h>

#include "support/test_environment.h"
#include "visuals/visuals.h"

bool WritePicture(const std::string& path, int width, int height, uint32_t topColour, uint32_t bottomColour)
{
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (!picture) return false;
    SDL_Rect top = {0, 0, (Uint16)width, (Uint16)(height / 2)};
    SDL_Rect bottom = {0, (Sint16)(height / 2), (Uint16)width, (Uint16)(height - height / 2)};
    SDL_FillRect(picture, &top, topColour);
    SDL_FillRect(picture, &bottom, bottomColour);
    const bool saved = SDL_SaveBMP(picture, path.c_str()) == 0;
    SDL_FreeSurface(picture);
    return saved;
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
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = fwrite(png.data(), 1, png.size(), file) == png.size();
    return fclose(file) == 0 && written;
}

void MakeStandInPictures(const std::string& directory)
{
    const std::string data = directory + "/data";
    unlink(data.c_str());
    mkdir(data.c_str(), 0755);

    const std::string projectData = ProjectRoot() + "/data";
    DIR* folder = opendir(projectData.c_str());
    while (struct dirent* entry = folder ? readdir(folder) : nullptr)
    {
        if (entry->d_name[0] == '.' || strcmp(entry->d_name, "graphics") == 0) continue;
        if (symlink((projectData + "/" + entry->d_name).c_str(), (data + "/" + entry->d_name).c_str()) != 0)
            perror("symlink");
    }
    if (folder) closedir(folder);

    mkdir((data + "/graphics").c_str(), 0755);
    for (const SpriteFile& sprite : SPRITE_FILES) WritePicture(directory + "/" + sprite.File, 64, 64, 0xFFFFFF, 0xFFFFFF);
}
