#include <GL/gl.h>
#include <gtest/gtest.h>

#include <SDL.h>

#include "game/game.h"
#include "support/window_fixture.h"
#include "visuals/visuals.h"

namespace {

// Draws one untextured point at a place of the virtual screen.
void DrawPoint(float x, float y)
{
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex2f(x, y);
    glVertex2f(x + 1.0f, y);
    glVertex2f(x + 1.0f, y + 1.0f);
    glVertex2f(x, y + 1.0f);
    glEnd();
}

using WindowSetup = WindowTest;

TEST_F(WindowSetup, LogsEachStepInOrder)
{
    EXPECT_TRUE(AppearInOrder(output->Text(),
                              {"SDL (Everything) initialized", "SDL+OpenGL resizable window created",
                               "SDL_ttf initialized"}));
    EXPECT_EQ(640, visuals->WindowWidth);
    EXPECT_EQ(480, visuals->WindowHeight);
}

// Tried on the window rather than read from its flags, which sdl12-compat
// leaves without SDL_RESIZABLE although its windows resize.
TEST_F(WindowSetup, TheWindowAtTheVirtualSizeTakesResizesFromTheWindowSystem)
{
    Xdotool("windowsize " + WindowId() + " 800 600");
    SDL_Event event = {};
    const bool resized = WaitUntil(
        [&] {
            while (SDL_PollEvent(&event))
                if (event.type == SDL_VIDEORESIZE) return true;
            return false;
        },
        5000);
    ASSERT_TRUE(resized);
    EXPECT_EQ(800, event.resize.w);
    EXPECT_EQ(600, event.resize.h);
}

TEST_F(WindowSetup, CornersOfTheVirtualScreenAreTheWindowsCorners)
{
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 1.0f, 1.0f);
    DrawPoint(0.0f, 0.0f);
    DrawPoint(639.0f, 479.0f);
    EXPECT_TRUE(PixelIs(0, 0, 255, 0, 0));
    EXPECT_TRUE(PixelIs(639, 479, 255, 0, 0));
    EXPECT_TRUE(PixelIs(320, 240, 0, 0, 255));
    EXPECT_TRUE(PixelIs(1, 1, 0, 0, 255));
}

TEST_F(WindowSetup, OtherSizesStretchTheVirtualScreenOverAFullScreenMode)
{
    ASSERT_TRUE(OpenWindow(800, 600));
    EXPECT_TRUE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN);
    EXPECT_FALSE(SDL_GetVideoSurface()->flags & SDL_RESIZABLE);
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 1.0f, 1.0f);
    DrawPoint(0.0f, 0.0f);
    DrawPoint(639.0f, 479.0f);
    EXPECT_TRUE(PixelIs(0, 0, 255, 0, 0));
    EXPECT_TRUE(PixelIs(799, 599, 255, 0, 0));
    EXPECT_TRUE(PixelIs(400, 300, 0, 0, 255));
}

TEST_F(WindowSetup, ClearedBufferIsPresented)
{
    visuals->ClearScreenBufferWithColor(1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_TRUE(PixelIs(320, 240, 255, 255, 255));
    visuals->DisplayScreenBufferOntoDisplay();
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_TRUE(PixelIs(320, 240, 0, 0, 0));
}

TEST_F(WindowSetup, ShutdownReportsFiveReleasesInOrder)
{
    objects.reset();
    EXPECT_TRUE(AppearInOrder(output->Text(),
                              {"Unloaded all texts from memory", "Unloaded all TTF fonts from memory", "SDL_ttf closed",
                               "Unloaded all sprite images from memory", "SDL+OpenGL successfully closed"}));
}

}  // namespace
