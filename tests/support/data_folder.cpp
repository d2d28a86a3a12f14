#include "support/data_folder.h"

#include <dirent.h>
#include <ftw.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/pictures.h"
#include "support/test_environment.h"
#include "visuals/visuals.h"

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* directory = opendir(folder.c_str());
    while (dirent* entry = directory ? readdir(directory) : nullptr)
        if (entry->d_name[0] != '.') names.push_back(entry->d_name);
    if (directory) closedir(directory);
    return names;
}

static int RemoveEntry(const char* path, const struct stat*, int, struct FTW*)
{
    return remove(path);
}

static bool IsLeftOut(const std::string& relative, const std::vector<std::string>& leftOut)
{
    for (const std::string& part : leftOut)
        if (relative == part || relative.compare(0, part.size() + 1, part + "/") == 0) return true;
    return false;
}

bool LinkDataWithout(const std::string& directory, const std::vector<std::string>& leftOut)
{
    const std::string real = ProjectRoot() + "/data";
    const std::string data = directory + "/data";
    nftw(data.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    if (mkdir(data.c_str(), 0755) != 0) return false;
    for (const std::string& folder : FilesIn(real))
    {
        if (mkdir((data + "/" + folder).c_str(), 0755) != 0) return false;
        for (const std::string& file : FilesIn(real + "/" + folder))
        {
            const std::string relative = folder + "/" + file;
            if (IsLeftOut(relative, leftOut)) continue;
            if (symlink((real + "/" + relative).c_str(), (data + "/" + relative).c_str()) != 0) return false;
        }
    }
    return true;
}

bool MakeStandInPictures(const std::string& directory)
{
    if (!LinkDataWithout(directory, {"graphics"})) return false;
    for (const SpriteFile& sprite : SPRITE_FILES)
        if (!WritePicture(directory + "/" + sprite.File, 64, 64, 0xFFFFFF)) return false;
    return true;
}
