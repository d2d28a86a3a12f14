#ifndef WOBBLER_PICTURES_H
#define WOBBLER_PICTURES_H

#include <stdint.h>

#include <string>
#include <vector>

// Every picture a test writes. SDL_image reads a picture by its content,
// whatever its name says. A link at the path is replaced, so a test never
// writes through into the project's own data.

// An opaque 32-bit BMP: the top half in one colour, the bottom half in
// another (0xRRGGBB).
bool WritePicture(const std::string& path, int width, int height, uint32_t topColour, uint32_t bottomColour);
bool WritePicture(const std::string& path, int width, int height, uint32_t colour);

// An 8-bit BMP whose pixels are the given palette indices, row by row from
// the top; the palette is a grey ramp, as the boards are drawn.
bool WriteIndexedPicture(const std::string& path, int width, int height, const std::vector<uint8_t>& indices);

// A PNG with an alpha channel: width x height pixels 0xAARRGGBB, row by row
// from the top (stored, not compressed).
bool WriteTranslucentPicture(const std::string& path, int width, int height, const uint32_t* pixels);

#endif
