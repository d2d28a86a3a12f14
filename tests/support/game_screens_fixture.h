#ifndef WOBBLER_GAME_SCREENS_FIXTURE_H
#define WOBBLER_GAME_SCREENS_FIXTURE_H

#include "support/window_fixture.h"

// Every object of the game created as the game does, with the real assets,
// so that any screen can be run frame by frame.
class GameScreensTest : public WindowTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the screen initialise itself in the next frame.
    static void EnterScreen(int screen);
    // One frame: input polled, the current screen, then the fade.
    static void RunFrame();
    static void RunFrameWithKey(char key);
    static void RunFrameWithDirection(int direction);
    // Frames until the screen changes; -1 when it has not within the limit.
    static int RunUntilScreenChanges(int frameLimit);
    static void RunUntilFadedIn();
};

#endif
