#define GL_GLEXT_PROTOTYPES
#include "support/window_fixture.h"

#include <stdlib.h>

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL_syswm.h>
#include <algorithm>

#include "game/game.h"
#include "support/game_process.h"
#include "visuals/visuals.h"

double PixelsFilledBy(const std::function<void()>& draw)
{
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_SAMPLES_PASSED, query);
    draw();
    glEndQuery(GL_SAMPLES_PASSED);
    GLuint pixels = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &pixels);
    glDeleteQueries(1, &query);
    return pixels;
}

bool WindowTest::OpenWindow(int width, int height)
{
    objects->Restart({"--width", std::to_string(width), "--height", std::to_string(height)});
    return game->FatalError == 0;
}

Pixel WindowTest::ReadPixel(int windowX, int windowY) const
{
    unsigned char rgb[3] = {0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(windowX, visuals->WindowHeight - 1 - windowY, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return Pixel{rgb[0], rgb[1], rgb[2]};
}

bool WindowTest::PixelIs(int windowX, int windowY, int red, int green, int blue, int tolerance) const
{
    const Pixel pixel = ReadPixel(windowX, windowY);
    return abs(pixel.red - red) <= tolerance && abs(pixel.green - green) <= tolerance &&
           abs(pixel.blue - blue) <= tolerance;
}

// Classic SDL names the window manager's frame; sdl12-compat leaves that 0
// and names its one window.
std::string WindowTest::WindowId() const
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1) return "";
    const unsigned long frame = info.info.x11.wmwindow;
    return std::to_string(frame != 0 ? frame : (unsigned long)info.info.x11.window);
}

void WindowTest::Xdotool(const std::string& arguments) const
{
    RunCommand("xdotool " + arguments + " 2>/dev/null");
}

std::vector<uint8_t> WindowTest::ReadWindow() const
{
    std::vector<uint8_t> rgb(3 * visuals->WindowWidth * visuals->WindowHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, visuals->WindowWidth, visuals->WindowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

PictureDifference WindowTest::Compare(const std::vector<uint8_t>& one, const std::vector<uint8_t>& other,
                                      int tolerance) const
{
    PictureDifference difference;
    const int width = visuals->WindowWidth;
    for (size_t pixel = 0; pixel * 3 < one.size() && pixel * 3 < other.size(); pixel++)
    {
        int largest = 0;
        for (int channel = 0; channel < 3; channel++)
            largest = std::max(largest, abs(one[3 * pixel + channel] - other[3 * pixel + channel]));
        difference.largest = std::max(difference.largest, largest);
        if (largest <= tolerance) continue;
        if (difference.pixels++ > 0) continue;
        difference.firstX = pixel % width;
        difference.firstY = visuals->WindowHeight - 1 - pixel / width;
    }
    if (one.size() != other.size()) difference.pixels = -1;
    return difference;
}
