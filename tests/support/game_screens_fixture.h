#ifndef WOBBLER_GAME_SCREENS_FIXTURE_H
#define WOBBLER_GAME_SCREENS_FIXTURE_H

#include <functional>

#include "support/key_events.h"
#include "support/window_fixture.h"

// The whole game started as its main starts it, with the real assets, in a
// temporary working directory, so that any screen can be run frame by frame;
// the window is the game's own. The random generator starts from 1.
class GameScreensTest : public WindowTest
{
protected:
    GameScreensTest() : WindowTest(WHOLE_START_UP) {}
    void SetUp() override;

    // Makes the screen initialise itself in the next frame.
    static void EnterScreen(int screen);
    // One frame as the game runs it, input polled, without the wait or the
    // present (the screen buffer stays readable).
    static void RunFrame();
    static void RunFrames(int count);
    // One frame with the input given for what the poll read, taken at once:
    // an input pause is cut short.
    static void RunFrameWith(const FrameInput& frame);
    // Frames until the screen changes; -1 when it has not within the limit.
    static int RunUntilScreenChanges(int frameLimit);
    // A precondition: a screen that has not faded in within 20 frames fails the test.
    static void RunUntilFadedIn();
    // Runs frames until the condition holds; false after the frame limit.
    static bool RunFramesUntil(const std::function<bool()>& condition, int frameLimit);
};

// Keeps the mixer from advancing, so that even a short effect is still
// playing when the test looks.
class HeldMixer
{
public:
    HeldMixer();
    ~HeldMixer();
};

#endif
