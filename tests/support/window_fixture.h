#ifndef WOBBLER_WINDOW_FIXTURE_H
#define WOBBLER_WINDOW_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/game_objects.h"

struct Pixel
{
    int red;
    int green;
    int blue;
};

// Where two pictures of the same size differ, channel by channel.
struct PictureDifference
{
    int pixels = 0;   // pixels that differ by more than the tolerance
    int largest = 0;  // the largest difference of a channel
    int firstX = -1;  // the first such pixel, from the top left
    int firstY = -1;
};

// The pixels a drawing fills (fragments that reach the screen buffer), as the
// driver counts them.
double PixelsFilledBy(const std::function<void()>& draw);

// A real 640 x 480 window with its OpenGL screen buffer, in a temporary
// working directory, with the game's objects created and nothing loaded
// unless the fixture names more of the start-up.
class WindowTest : public GameTest
{
protected:
    explicit WindowTest(int startUpSteps = OPEN_WINDOW) : GameTest(startUpSteps) {}

    // Starts the game again with the window at this size; SetUp opens 640 x 480.
    bool OpenWindow(int width, int height);

    // Reads one pixel of the screen buffer, in window pixels from the top left.
    Pixel ReadPixel(int windowX, int windowY) const;
    bool PixelIs(int windowX, int windowY, int red, int green, int blue, int tolerance = 8) const;
    // The whole screen buffer, RGB, bottom row first.
    std::vector<uint8_t> ReadWindow() const;
    PictureDifference Compare(const std::vector<uint8_t>& one, const std::vector<uint8_t>& other,
                              int tolerance) const;

    // The window's X id, for real window-system events sent with xdotool.
    std::string WindowId() const;
    void Xdotool(const std::string& arguments) const;
};

#endif
