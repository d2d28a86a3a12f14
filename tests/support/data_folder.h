#ifndef WOBBLER_DATA_FOLDER_H
#define WOBBLER_DATA_FOLDER_H

#include <string>
#include <vector>

// The names in a folder, hidden ones left out.
std::vector<std::string> FilesIn(const std::string& folder);

// Makes directory/data afresh as a real folder of links to the project's data
// files, every folder present, less the parts left out: a folder ("boards")
// or a file ("graphics/Pellet.png"), which the test then writes itself or
// leaves missing.
bool LinkDataWithout(const std::string& directory, const std::vector<std::string>& leftOut = {});

// The project's data with a plain white 64 x 64 picture for every sprite
// file, so tests do not depend on the real art.
bool MakeStandInPictures(const std::string& directory);

#endif
