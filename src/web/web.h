#ifndef WOBBLER_WEB_H
#define WOBBLER_WEB_H

// The browser's side of the game: where the browser differs from the
// desktop, one file per concern answers in its place.

// No picture or text of the game comes near this side; a larger one is a
// damaged file.
const int LARGEST_PICTURE_SIDE = 4096;

// A file's bytes in a block of their own, to be freed; null when it cannot be
// read, is empty or is larger than the largest of its kind.
unsigned char* ReadWholeFile(const char* path, long largest, long& size);

// Why a picture or font did not load, for LastLoadingError.
void SayWhyLoadingFailed(const char* format, ...);

#endif
