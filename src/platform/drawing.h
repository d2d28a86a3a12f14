#ifndef WOBBLER_PLATFORM_DRAWING_H
#define WOBBLER_PLATFORM_DRAWING_H

#include <stddef.h>
#include <stdint.h>

#include <memory>
#include <new>

// What the drawing asks of the machine it runs on: pictures from files,
// letters in the game's fonts, and the window with its OpenGL context. The
// desktop's answers are in src/desktop, the browser's in src/web; a replay
// with no window draws nothing. Each answer prints the start-up and closing
// lines the desktop's log has always had.

// A picture in memory: Width x Height pixels, row by row from the top, four
// bytes each: red, green, blue and alpha.
struct RgbaPicture
{
    int Width = 0;
    int Height = 0;
    std::unique_ptr<uint8_t[]> Pixels;  // null when there are none
};

// Gives the picture a canvas of the size, every byte 0; false, and no
// pixels, when there is no memory for it.
inline bool ClearPicture(RgbaPicture& picture, int width, int height)
{
    picture.Width = width;
    picture.Height = height;
    picture.Pixels.reset(new (std::nothrow) uint8_t[static_cast<size_t>(width) * height * 4]());
    return picture.Pixels != nullptr;
}

// Why the last picture or font failed to load, in the platform's words.
const char* LastLoadingError();

// Reads a picture file. False when it cannot be read; otherwise its size is
// known, truecolor says whether the file's pixels were 24 or 32 bits rather
// than a palette's, and the pixels are null when no RGBA copy could be made.
bool LoadPicture(const char* file, RgbaPicture& picture, bool& truecolor);

// A font opened at a size in points; opened only while letters run.
struct Typeface;
bool StartLetters();
void StopLetters();
Typeface* OpenTypeface(const char* file, int pointSize);
void CloseTypeface(Typeface* typeface);

struct LetterColour
{
    uint8_t Red;
    uint8_t Green;
    uint8_t Blue;
};

// One line of text, one line high: smooth letters are the colour with their
// coverage as alpha; solid ones the colour, opaque, where they cover, and
// clear elsewhere. False, and no picture, when nothing is drawn.
bool RenderLetters(Typeface* typeface, const char* text, LetterColour colour, bool smooth, RgbaPicture& picture);

// The video system, then a window of the size with an OpenGL context: one
// that can be resized, or a full-screen mode; its caption and its icon, a
// BMP file. A new size means a new window, and so a new OpenGL context.
bool StartVideo(bool windowed);
bool OpenVideoWindow(int width, int height, bool windowed, const char* caption, const char* iconFile);
bool ReopenVideoWindow(int width, int height);
// Shows the frame drawn, swapping the buffers.
void ShowFrame();
// Closes the window and every device with it.
void StopVideo();

#endif
