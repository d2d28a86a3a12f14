#include "support/game_screens_fixture.h"

#include <SDL.h>

#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"
#include "screens/screens.h"
#include "support/key_events.h"

void GameScreensTest::SetUp()
{
    WindowTest::SetUp();
    logic->SeedRandomGenerator(1);
}

void GameScreensTest::EnterScreen(int screen)
{
    screens->ScreenToDisplay = screen;
    screens->ScreenTransitionStatus = FADE_ALL;
    screens->ScreenFadeTransparency = 1.0f;
    screens->ScreenDisplayTimer = -1;  // as the logo screens leave it
}

void GameScreensTest::RunFrame()
{
    RunMainLoopFrame(POLL_INPUT);
}

void GameScreensTest::RunFrames(int count)
{
    for (int frame = 0; frame < count; frame++) RunFrame();
}

void GameScreensTest::RunFrameWith(const FrameInput& frame)
{
    input->DelayAllUserInput = -1;  // the frame takes its input at once
    RunMainLoopFrameWith(frame, CORE_FRAME);
}

int GameScreensTest::RunUntilScreenChanges(int frameLimit)
{
    const int screen = screens->ScreenToDisplay;
    for (int frame = 1; frame <= frameLimit; frame++)
    {
        RunFrame();
        if (screens->ScreenToDisplay != screen) return frame;
    }
    return -1;
}

void GameScreensTest::RunUntilFadedIn()
{
    EXPECT_TRUE(RunFramesUntil([] { return screens->ScreenTransitionStatus == FADE_NONE; }, 20))
        << "the screen has not faded in within 20 frames";
}

bool GameScreensTest::RunFramesUntil(const std::function<bool()>& condition, int frameLimit)
{
    for (int frame = 0; frame < frameLimit; frame++)
    {
        if (condition()) return true;
        RunFrame();
    }
    return condition();
}

HeldMixer::HeldMixer()
{
    SDL_LockAudio();
}

HeldMixer::~HeldMixer()
{
    SDL_UnlockAudio();
}
