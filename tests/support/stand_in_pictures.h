#ifndef WOBBLER_STAND_IN_PICTURES_H
#define WOBBLER_STAND_IN_PICTURES_H

#include <stdint.h>

#include <string>

// Writes a picture whose top half has one colour and bottom half another
// (0xRRGGBB). It is stored as a BMP whatever the name says; IMG_Load reads
// it by its content.
bool WritePicture(const std::string& path, int width, int height, uint32_t topColour, uint32_t bottomColour);

// Writes a PNG with an alpha channel: width x height pixels 0xAARRGGBB,
// row by row from the top (stored, not compressed).
bool WriteTranslucentPicture(const std::string& path, int width, int height, const uint32_t* pixels);

// Turns directory/data into a real folder: every folder of the project's
// data/ is linked in except graphics/, which gets a plain white 64 x 64
// picture for every sprite file, so tests do not depend on the real art.
void MakeStandInPictures(const std::string& directory);

#endif
