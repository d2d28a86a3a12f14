#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <map>

#include "audio/audio.h"
#include "game/game.h"
#include "input/input.h"
#include "screens/screens.h"
#include "support/game_screens_fixture.h"
#include "support/key_events.h"
#include "visuals/visuals.h"

namespace {

// The game as it starts: on the sponsor screen, about to fade in.
class LogosTest : public GameScreensTest
{
protected:
    // Runs frames until the screen hands over, counting the frames that began
    // in each fade state; gives up after a few thousand.
    std::map<int, int> FramesUntilScreenChanges()
    {
        std::map<int, int> framesByState;
        const uint8_t screen = screens->ScreenToDisplay;
        for (int frame = 0; frame < 3000 && screens->ScreenToDisplay == screen; frame++)
        {
            framesByState[screens->ScreenTransitionStatus]++;
            RunFrame();
        }
        return framesByState;
    }

    // The sponsor screen as it leaves the maker screen to start.
    void HandOverToMakerScreen()
    {
        screens->ScreenToDisplay = BRICKWELL_SCREEN;
        screens->ScreenTransitionStatus = FADE_ALL;
        screens->ScreenFadeTransparency = 1.0f;
        screens->ScreenDisplayTimer = 450;
        screens->ScreenIsDirty = 1;
    }

    void RunFramesUntilShown()
    {
        RunUntilFadedIn();
        RunFrame();  // the first clean picture after the fade-in
    }

    int EffectsStartedByOneFrameWithKey(char key)
    {
        HeldMixer held;
        Mix_HaltChannel(-1);
        RunFrameWith(KeyPressed(key));
        return Mix_Playing(-1);
    }
};

TEST_F(LogosTest, SponsorLogoOnWhiteFadesInShowsForItsTimeAndHandsOverToTheMaker)
{
    std::map<int, int> frames = FramesUntilScreenChanges();
    EXPECT_EQ(7, frames[FADE_IN]);
    EXPECT_EQ(300, frames[FADE_NONE]);
    EXPECT_EQ(6, frames[FADE_OUT]);
    EXPECT_EQ(1, frames[FADE_ALL]);
    EXPECT_EQ(BRICKWELL_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(450, screens->ScreenDisplayTimer);
    EXPECT_EQ(1, screens->ScreenIsDirty);
}

TEST_F(LogosTest, SponsorScreenIsWhiteAndARedrawSetsItsTimeBack)
{
    RunFramesUntilShown();
    EXPECT_TRUE(PixelIs(4, 4, 255, 255, 255, 0));
    EXPECT_TRUE(PixelIs(635, 475, 255, 255, 255, 0));
    EXPECT_EQ(1, screens->ScreenBufferNeedsDisplay);
    EXPECT_EQ(0, screens->ScreenIsDirty);

    // Frames without a poll: a window of another suite that takes the focus
    // on the shared display would set the time back too.
    for (int frame = 0; frame < 100; frame++) RunMainLoopFrame(CORE_FRAME);
    EXPECT_EQ(199, screens->ScreenDisplayTimer);
    screens->ScreenIsDirty = 1;  // as after a window activation change
    RunMainLoopFrame(CORE_FRAME);
    EXPECT_EQ(299, screens->ScreenDisplayTimer);
}

TEST_F(LogosTest, SpaceSkipsTheSponsorLogoOnlyOnceItIsFullyShown)
{
    for (int frame = 0; frame < 7; frame++)
    {
        EXPECT_EQ(0, EffectsStartedByOneFrameWithKey('_')) << "frame " << frame + 1;
    }
    EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus);
    EXPECT_EQ(1, EffectsStartedByOneFrameWithKey('_'));
    EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
}


TEST_F(LogosTest, MakerLogoOnBlackShowsForItsTimeAndHandsOverToTheTitle)
{
    HandOverToMakerScreen();
    std::map<int, int> frames = FramesUntilScreenChanges();
    EXPECT_EQ(2, frames[FADE_ALL]) << "the entry frame and the hand-over frame";
    EXPECT_EQ(6, frames[FADE_IN]) << "the entry frame takes the first step of the fade-in";
    EXPECT_EQ(449, frames[FADE_NONE]);
    EXPECT_EQ(6, frames[FADE_OUT]);
    EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(-1, screens->ScreenDisplayTimer);
}

TEST_F(LogosTest, MakerScreenIsBlackWithGreenLettering)
{
    HandOverToMakerScreen();
    RunFramesUntilShown();
    EXPECT_EQ(448, screens->ScreenDisplayTimer) << "the shown time starts after the fade-in";
    EXPECT_TRUE(PixelIs(4, 4, 0, 0, 0, 0));
    EXPECT_TRUE(PixelIs(635, 475, 0, 0, 0, 0));

    // The web address runs along the bottom in green.
    int greenPixels = 0;
    for (int y = 447; y < 480; y++)
        for (int x = 100; x < 540; x += 2)
            if (PixelIs(x, y, 1, 255, 1, 40)) greenPixels++;
    EXPECT_GT(greenPixels, 50);
}

TEST_F(LogosTest, DebugKeyOnTheMakerScreenTogglesTheDebugMode)
{
    HandOverToMakerScreen();
    RunFramesUntilShown();
    for (int expectedDebug : {1, 0})
    {
        SCOPED_TRACE(expectedDebug);
        screens->ScreenBufferNeedsDisplay = 0;
        EXPECT_EQ(1, EffectsStartedByOneFrameWithKey('d'));
        EXPECT_EQ(expectedDebug, game->DebugOn);
        EXPECT_EQ(20, input->DelayAllUserInput);
        EXPECT_EQ(1, screens->ScreenIsDirty);
        EXPECT_EQ(1, screens->ScreenBufferNeedsDisplay);
        EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus);
    }
}

// Escape leads from the sponsor's logo to the maker's, and from there to the
// title, leaving it no timer.
TEST_F(LogosTest, EscapeLeadsOnFromEachLogoLeavingNoTimerForTheTitle)
{
    RunFramesUntilShown();
    RunFrameWith(EscapePressed());
    FramesUntilScreenChanges();
    EXPECT_EQ(BRICKWELL_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(0, game->QuitGame);
    RunFramesUntilShown();
    RunFrameWith(EscapePressed());
    FramesUntilScreenChanges();
    ASSERT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(-1, screens->ScreenDisplayTimer);

    // Shown for longer than the maker's time, the title must neither time out nor skip.
    screens->ScreenTransitionStatus = FADE_NONE;
    TakeInput(KeyPressed('_'));
    for (int frame = 0; frame < 500; frame++) screens->ApplyScreenFadeTransition();
    EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus);
}

}  // namespace
