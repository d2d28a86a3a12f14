#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include "audio/audio.h"
#include "input/input.h"
#include "screens/screens.h"
#include "support/game_screens_fixture.h"
#include "support/key_events.h"
#include "support/pictures.h"
#include "visuals/visuals.h"

namespace {

// The fade of a real window; its overlay is a picture of our own, opaque
// black (the game's is an opaque dark one).
class FadeTest : public WindowTest
{
protected:
    explicit FadeTest(int startUpSteps = OPEN_WINDOW) : WindowTest(startUpSteps) {}

    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(WritePicture("fade.bmp", 4, 4, 0x000000));
        ASSERT_TRUE(visuals->LoadSpriteImage(visuals->Sprites[SPRITE_SCREEN_FADE], "fade.bmp"));
    }

    void StartFade(uint8_t status, float opacity)
    {
        screens->ScreenTransitionStatus = status;
        screens->ScreenFadeTransparency = opacity;
    }

    // One frame's fade with the mixer held, answering how many effects it started.
    int EffectsStartedByOneFade()
    {
        HeldMixer held;
        Mix_HaltChannel(-1);
        screens->ApplyScreenFadeTransition();
        audio->PlayFrameSounds();
        return Mix_Playing(-1);
    }
};

// With the mixer open, for the tests that count the clicks.
class HeardFade : public FadeTest
{
protected:
    HeardFade() : FadeTest(OPEN_WINDOW | OPEN_SOUND) {}
};

TEST_F(FadeTest, FadingInFromCoveredTakesSevenFramesInSinglePrecisionSteps)
{
    StartFade(FADE_IN, 1.0f);
    float opacity[6];
    for (int frame = 0; frame < 6; frame++)
    {
        screens->ScreenIsDirty = 0;
        screens->ApplyScreenFadeTransition();
        opacity[frame] = screens->ScreenFadeTransparency;
        EXPECT_EQ(FADE_IN, screens->ScreenTransitionStatus) << "frame " << frame + 1;
        EXPECT_EQ(1, screens->ScreenIsDirty) << "frame " << frame + 1;
    }
    EXPECT_NEAR(0.8f, opacity[0], 1e-6);
    EXPECT_NEAR(0.2f, opacity[3], 1e-6);
    // The fifth step leaves a rounding rest just above zero, the sixth overshoots.
    EXPECT_GT(opacity[4], 0.0f);
    EXPECT_LT(opacity[4], 1e-6f);
    EXPECT_NEAR(-0.2f, opacity[5], 1e-6);

    screens->ApplyScreenFadeTransition();
    EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus);
    EXPECT_EQ(0.0f, screens->ScreenFadeTransparency);
}

TEST_F(FadeTest, FadingOutReachesFullInFiveFramesAndEndsInTheSixth)
{
    StartFade(FADE_OUT, 0.0f);
    for (int frame = 1; frame <= 4; frame++)
    {
        screens->ApplyScreenFadeTransition();
        EXPECT_FALSE(screens->ScreenHasFadedOut()) << "frame " << frame;
    }
    screens->ApplyScreenFadeTransition();
    EXPECT_EQ(1.0f, screens->ScreenFadeTransparency);
    EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
    EXPECT_TRUE(screens->ScreenHasFadedOut()) << "the screen's exit runs at the start of the sixth frame";

    screens->ApplyScreenFadeTransition();
    EXPECT_EQ(FADE_ALL, screens->ScreenTransitionStatus);
    EXPECT_FALSE(screens->ScreenHasFadedOut());

    screens->ScreenIsDirty = 0;
    screens->ApplyScreenFadeTransition();
    EXPECT_EQ(FADE_ALL, screens->ScreenTransitionStatus);
    EXPECT_EQ(1, screens->ScreenIsDirty);
}

TEST_F(FadeTest, FadingOutMidwayThroughAFadeInTurnsBackFromThere)
{
    StartFade(FADE_IN, 1.0f);
    screens->ApplyScreenFadeTransition();
    screens->ApplyScreenFadeTransition();
    screens->ScreenTransitionStatus = FADE_OUT;
    screens->ApplyScreenFadeTransition();
    EXPECT_NEAR(0.8f, screens->ScreenFadeTransparency, 1e-6);
}

TEST_F(FadeTest, DisplayTimerRunsOnlyWhileFullyShownAndThenFadesOut)
{
    StartFade(FADE_NONE, 0.0f);
    screens->ScreenDisplayTimer = 3;
    screens->ScreenIsDirty = 0;
    screens->ApplyScreenFadeTransition();
    screens->ApplyScreenFadeTransition();
    EXPECT_EQ(1, screens->ScreenDisplayTimer);
    EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus);
    EXPECT_EQ(0, screens->ScreenIsDirty) << "a shown screen is not redrawn";

    screens->ApplyScreenFadeTransition();
    EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
    EXPECT_EQ(-1, screens->ScreenDisplayTimer);

    StartFade(FADE_IN, 1.0f);
    screens->ScreenDisplayTimer = 300;
    screens->ApplyScreenFadeTransition();
    EXPECT_EQ(300, screens->ScreenDisplayTimer) << "the timer stands still during a fade";
}

TEST_F(HeardFade, EachSkipPressClicksOnceAndStartsTheFadeOutInTheSameFrame)
{
    // Space, the left mouse button, action button one.
    for (const FrameInput& press : {KeyPressed('_'), Clicked(0, 0), Held(INPUT_JOYSTICK_ONE, CENTER, true)})
    {
        StartFade(FADE_NONE, 0.0f);
        screens->ScreenDisplayTimer = 300;
        TakeInput(press);

        EXPECT_EQ(1, EffectsStartedByOneFade());
        EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
        EXPECT_EQ(-1, screens->ScreenDisplayTimer);

        // Held through the whole fade-out, the press is acted on no more.
        int clicks = 0;
        while (screens->ScreenTransitionStatus == FADE_OUT) clicks += EffectsStartedByOneFade();
        EXPECT_EQ(0, clicks) << "a held press clicks only once";
    }
}

TEST_F(HeardFade, WithoutATimerOrOnItsLastFramePressesDoNotClick)
{
    StartFade(FADE_NONE, 0.0f);
    screens->ScreenDisplayTimer = -1;
    FrameInput allPresses = Clicked(0, 0);
    allPresses.Key = '_';
    allPresses.ButtonOne[INPUT_JOYSTICK_ONE] = 1;
    TakeInput(allPresses);
    EXPECT_EQ(0, EffectsStartedByOneFade());
    EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus);
    EXPECT_EQ(-1, screens->ScreenDisplayTimer);

    // Ending by itself in this very frame, the timer leaves nothing to skip.
    screens->ScreenDisplayTimer = 1;
    EXPECT_EQ(0, EffectsStartedByOneFade());
    EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
}

TEST_F(FadeTest, OverlayDarkensTheWholePictureByItsOpacity)
{
    const int points[][2] = {{0, 0}, {639, 0}, {0, 479}, {639, 479}, {320, 240}, {32, 32}, {95, 224}, {608, 448}};

    visuals->ClearScreenBufferWithColor(1.0f, 1.0f, 1.0f, 1.0f);
    StartFade(FADE_IN, 0.8f);
    screens->ApplyScreenFadeTransition();
    visuals->DrawFrame();
    for (const auto& point : points)
        EXPECT_TRUE(PixelIs(point[0], point[1], 102, 102, 102, 3)) << point[0] << "," << point[1];

    visuals->ClearScreenBufferWithColor(1.0f, 1.0f, 1.0f, 1.0f);
    StartFade(FADE_ALL, 1.0f);
    screens->ApplyScreenFadeTransition();
    visuals->DrawFrame();
    for (const auto& point : points) EXPECT_TRUE(PixelIs(point[0], point[1], 0, 0, 0, 1)) << point[0] << "," << point[1];

    visuals->ClearScreenBufferWithColor(1.0f, 1.0f, 1.0f, 1.0f);
    StartFade(FADE_NONE, 1.0f);
    screens->ScreenDisplayTimer = -1;
    screens->ApplyScreenFadeTransition();
    visuals->DrawFrame();
    EXPECT_TRUE(PixelIs(320, 240, 255, 255, 255, 0)) << "a shown screen gets no overlay";
}

}  // namespace
