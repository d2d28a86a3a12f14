#include <GL/gl.h>
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include "checks.h"
#include "game/game.h"
#include "input/input.h"
#include "screens/screens.h"
#include "support/game_screens_fixture.h"
#include "support/key_events.h"
#include "visuals/visuals.h"

namespace {

const uint8_t NO_SCREEN = 6;  // an identifier no screen answers to

class MainLoop : public GameScreensTest
{
protected:
    // White pixels of the screen buffer in the rectangle, in window pixels.
    int WhitePixelsIn(int left, int top, int right, int bottom) const
    {
        static unsigned char rgb[640 * 480 * 3];
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        int white = 0;
        for (int y = top; y < bottom; y++)
        {
            for (int x = left; x < right; x++)
            {
                const unsigned char* pixel = rgb + 3 * ((479 - y) * 640 + x);
                if (pixel[0] > 250 && pixel[1] > 250 && pixel[2] > 250) white++;
            }
        }
        return white;
    }
};

// The debug overlay's white plate stays readable over a screen faded to black.
TEST_F(MainLoop, AFrameDrawsTheScreenThenTheFadeThenTheDebugOverlay)
{
    screens->ScreenToDisplay = NO_SCREEN;
    screens->ScreenTransitionStatus = FADE_ALL;
    screens->ScreenFadeTransparency = 1.0f;
    game->DebugOn = 1;
    visuals->ClearScreenBufferWithColor(1.0f, 1.0f, 1.0f, 1.0f);

    RunMainLoopFrame(CORE_FRAME);

    EXPECT_EQ(0, WhitePixelsIn(100, 0, 640, 480));
    EXPECT_GT(WhitePixelsIn(0, 429, 60, 445), 100);
}

// A screen at rest is shown once and then costs no present; with the debug
// overlay on, every frame is shown so that its figures move.
TEST_F(MainLoop, AScreenAtRestIsShownOnceButEveryFrameWithTheDebugOverlay)
{
    EnterScreen(TITLE_SCREEN);
    RunUntilFadedIn();
    EXPECT_TRUE(RunMainLoopFrame(PRESENT_SCREEN_BUFFER));
    EXPECT_FALSE(RunMainLoopFrame(PRESENT_SCREEN_BUFFER));
    EXPECT_FALSE(RunMainLoopFrame(PRESENT_SCREEN_BUFFER));

    game->DebugOn = 1;
    screens->ScreenIsDirty = 1;  // the screen where the debug key was pressed draws again
    for (int frame = 0; frame < 3; frame++) EXPECT_TRUE(RunMainLoopFrame(PRESENT_SCREEN_BUFFER)) << frame;
    EXPECT_FALSE(RunMainLoopFrame(CORE_FRAME)) << "a frame without the present leaves it to the caller";
}

// A close request asks to quit, and the frame it came in is still played;
// a quit already asked for (the title's Exit) polls nothing more.
TEST_F(MainLoop, TheQuitKeyEndsTheLoopOnlyAfterItsFrame)
{
    SDL_Event close;
    close.type = SDL_QUIT;
    SDL_PushEvent(&close);
    RunMainLoopFrame(POLL_INPUT);
    EXPECT_EQ(1, game->QuitGame);
    EXPECT_EQ(1, screens->ScreenBufferNeedsDisplay) << "the sponsor screen has drawn";
    EXPECT_LT(screens->ScreenFadeTransparency, 1.0f) << "and begun to fade in";

    game->QuitGame = 0;
    screens->QuitChosen = 1;
    PushKeyDown(SDLK_SPACE);
    RunMainLoopFrame(POLL_INPUT);
    EXPECT_EQ(1, game->QuitGame);
    EXPECT_EQ(1, SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_ALLEVENTS)) << "not polled";
}

TEST_F(MainLoop, MusicThatHasEndedStartsAgainInTheNextFrame)
{
    Mix_HaltMusic();
    ASSERT_EQ(0, Mix_PlayingMusic());
    RunMainLoopFrame(CORE_FRAME);
    EXPECT_EQ(1, Mix_PlayingMusic());
}

// A rule broken every frame keeps its few lines and hides no other rule's;
// the count stops at its ceiling rather than wrap and log again.
TEST(Rules, EachRuleLogsItsFirstBreaksAndTheCountStopsAtItsCeiling)
{
    CapturedOutput output;
    for (int time = 0; time < 1000; time++) (void)RULE_HOLDS(time < 0);
    EXPECT_FALSE(RULE_HOLDS(1 + 1 == 3));
    EXPECT_EQ(1001, TakeBrokenRules());
    EXPECT_EQ(5, CountOccurrences(output.Text(), ": time < 0\n"));
    EXPECT_EQ(1, CountOccurrences(output.Text(), ": broken again, from now on not logged\n"));
    EXPECT_EQ(1, CountOccurrences(output.Text(), ": 1 + 1 == 3\n"));

    const int broken = BrokenRules;
    BrokenRules = BROKEN_RULES_CEILING;
    (void)RULE_HOLDS(broken < 0);
    EXPECT_EQ(BROKEN_RULES_CEILING, BrokenRules);
    BrokenRules = broken;
}

}  // namespace
