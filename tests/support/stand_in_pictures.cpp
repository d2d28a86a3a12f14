#include "support/stand_in_pictures.h"

#include <dirent.h>
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
