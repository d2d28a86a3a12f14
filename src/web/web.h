#ifndef WOBBLER_WEB_H
#define WOBBLER_WEB_H

// The browser's side of the game: where Emscripten's SDL differs from the
// desktop's, one file per concern answers in its place, under SDL's own
// names, so that the game's code is the desktop's.

// No picture, text or board of the game comes near this side; a larger one
// is a damaged file.
const int LARGEST_MEMORY_SURFACE_SIDE = 4096;

// The colour masks of a 32-bit surface as the bytes lie in memory: red,
// green, blue, alpha, as the desktop's pictures have them.
const unsigned int MEMORY_RED_MASK = 0x000000FF;
const unsigned int MEMORY_GREEN_MASK = 0x0000FF00;
const unsigned int MEMORY_BLUE_MASK = 0x00FF0000;
const unsigned int MEMORY_ALPHA_MASK = 0xFF000000;

// A file's bytes in a block of their own, to be freed; null when it cannot be
// read, is empty or is larger than the largest of its kind.
unsigned char* ReadWholeFile(const char* path, long largest, long& size);

#endif
