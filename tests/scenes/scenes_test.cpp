#include <gtest/gtest.h>

#include "audio/audio.h"
#include "input/input.h"
#include "logic/logic.h"
#include "screens/screens.h"
#include "support/game_screens_fixture.h"
#include "support/key_events.h"
#include "visuals/visuals.h"

namespace {

class SceneTest : public GameScreensTest
{
protected:
    // Runs frames without input and returns how many it took until the
    // condition held, or -1.
    static int FrameWhen(const std::function<bool()>& condition, int frameLimit)
    {
        for (int frame = 1; frame <= frameLimit; frame++)
        {
            RunFrameWith(KeyPressed(0));
            if (condition()) return frame;
        }
        return -1;
    }
};

using OpeningScene = SceneTest;

// A resize mid-glide loads every sprite afresh; the scene goes on regardless.
TEST_F(OpeningScene, GhostScreamsInFrame186AndTheChaseEndsInFrame321)
{
    EnterScreen(OPENING_SCENE_SCREEN);
    const Screens::SceneActor& ghost = screens->SceneActors[Screens::SCENE_GHOST];
    const Screens::SceneActor& heroine = screens->SceneActors[Screens::SCENE_PERSON];

    EXPECT_EQ(100, FrameWhen([&] { return ghost.X == 640.0f; }, 400));
    ASSERT_TRUE(visuals->ResizeWindow(800, 600)) << output->Text();
    EXPECT_EQ(85, FrameWhen([&] { return ghost.X == 470.0f; }, 400));  // frame 185
    EXPECT_EQ(0.0f, visuals->Sprites[SPRITE_OPENING_GHOST].GreenHue);  // drawn red
    EXPECT_EQ(0.0f, visuals->Sprites[SPRITE_OPENING_GHOST].BlueHue);
    EXPECT_EQ(1, FrameWhen([&] { return ghost.X == 468.0f; }, 1));  // frame 186
    EXPECT_EQ(320.0f, heroine.X);

    // The chase: both run left by 5 until the ghost is past -200.
    EXPECT_EQ(134, FrameWhen([&] { return ghost.X <= -200.0f; }, 400));  // frame 320
    EXPECT_EQ(320.0f - 5 * 134, heroine.X);
    EXPECT_NE(FADE_OUT, screens->ScreenTransitionStatus);
    EXPECT_EQ(1, FrameWhen([] { return screens->ScreenTransitionStatus == FADE_OUT; }, 1));  // frame 321

    EXPECT_EQ(5, RunUntilScreenChanges(20));  // the fade-out began in frame 321 itself
    EXPECT_EQ(PLAYING_GAME_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(FADE_ALL, screens->ScreenTransitionStatus);
}

TEST_F(OpeningScene, AnySkipStartsTheGameAfterTheFade)
{
    for (const FrameInput& skip : {KeyPressed('_'), KeyPressed('/'), Clicked(0, 0), Held(INPUT_JOYSTICK_TWO, CENTER, true)})
    {
        EnterScreen(OPENING_SCENE_SCREEN);
        RunUntilFadedIn();
        RunFrameWith(skip);
        EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
        EXPECT_GT(RunUntilScreenChanges(10), 0);
        EXPECT_EQ(PLAYING_GAME_SCREEN, screens->ScreenToDisplay);
    }
}

// Escape cuts the scene short like any skip, and the game that follows is not
// taken as abandoned for it: lost with a place in the table, it asks for a name.
TEST_F(OpeningScene, EscapeSkipsToAGameThatStillEndsInTheNameEntry)
{
    EnterScreen(OPENING_SCENE_SCREEN);
    RunUntilFadedIn();
    RunFrameWith(EscapePressed());
    EXPECT_GT(RunUntilScreenChanges(10), 0);
    ASSERT_EQ(PLAYING_GAME_SCREEN, screens->ScreenToDisplay);

    RunFrame();
    logic->Score = 5000;
    logic->Lives = 0;
    logic->PlayerDeathTimer = 2;  // the last life ends in the next frame
    EXPECT_GT(RunUntilScreenChanges(40), 0);
    EXPECT_EQ(NAME_INPUT_KEYBOARD_SCREEN, screens->ScreenToDisplay);
}

using EndingScene = SceneTest;

// A resize while the hero grows leaves him his size and the ghost its place.
TEST_F(EndingScene, GhostGrowsThenHeroGrowsThenTheCreditsFollow)
{
    EnterScreen(ENDING_SCENE_SCREEN);
    const Sprite& ghost = visuals->Sprites[SPRITE_ENDING_GHOST];
    const Sprite& hero = visuals->Sprites[SPRITE_HERO_PORTRAIT];
    const Screens::SceneActor& ghostActor = screens->SceneActors[Screens::SCENE_GHOST];

    EXPECT_EQ(-1, FrameWhen([] { return screens->SceneAnimationStage == 1; }, 160));
    EXPECT_EQ(0.0f, ghost.GreenHue);  // drawn red up to its scream
    EXPECT_EQ(1, FrameWhen([] { return screens->SceneAnimationStage == 1; }, 1));  // frame 161
    const float ghostYAtScream = ghostActor.Y;

    EXPECT_EQ(-1, FrameWhen([] { return screens->SceneAnimationStage == 2; }, 100));
    ASSERT_TRUE(visuals->ResizeWindow(800, 600)) << output->Text();
    EXPECT_EQ(90, FrameWhen([] { return screens->SceneAnimationStage == 2; }, 400));
    EXPECT_EQ(1.0f, ghost.GreenHue);  // then in its own colours
    EXPECT_EQ(1.0f, ghost.BlueHue);
    EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
    EXPECT_GT(screens->SceneActors[Screens::SCENE_PERSON].Scale, 2.0f);
    EXPECT_FLOAT_EQ(ghostYAtScream + 5 * 190, ghostActor.Y);

    EXPECT_GT(RunUntilScreenChanges(20), 0);
    EXPECT_EQ(ABOUT_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(1.0f, hero.ScaleX);
    EXPECT_EQ(1.0f, hero.ScaleY);
    EXPECT_EQ(1.0f, ghost.ScaleX);
    EXPECT_EQ(1.0f, ghost.ScaleY);
    EXPECT_EQ(MUSIC_ENDING, audio->CurrentlySelectedMusicTrack);
}

TEST_F(EndingScene, SkippingStillLeadsToTheCreditsAtFullSize)
{
    EnterScreen(ENDING_SCENE_SCREEN);
    RunUntilFadedIn();
    RunFrameWith(KeyPressed('_'));
    EXPECT_LT(screens->SceneActors[Screens::SCENE_PERSON].Scale, 1.0f);
    EXPECT_GT(RunUntilScreenChanges(10), 0);
    EXPECT_EQ(ABOUT_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(1.0f, visuals->Sprites[SPRITE_HERO_PORTRAIT].ScaleX);
    EXPECT_EQ(1.0f, visuals->Sprites[SPRITE_ENDING_GHOST].ScaleX);
    EXPECT_EQ(MUSIC_ENDING, audio->CurrentlySelectedMusicTrack);
}

}  // namespace
