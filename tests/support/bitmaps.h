#ifndef WOBBLER_BITMAPS_H
#define WOBBLER_BITMAPS_H

#include <stdint.h>

#include <string>
#include <vector>

// Writes an 8-bit palettized BMP whose pixels are the given palette indices,
// row by row from the top; the palette is a grey ramp.
bool SaveIndexedBitmap(const std::string& path, int width, int height, const std::vector<uint8_t>& indices);

// Writes a solid-colour 32-bit image (BMP) of the given size.
bool SaveSolidBitmap(const std::string& path, int width, int height, uint8_t red, uint8_t green, uint8_t blue);

#endif
