#include <gtest/gtest.h>

#include "audio/audio.h"
#include "data/data.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "support/game_screens_fixture.h"
#include "screens/screens.h"
#include "visuals/visuals.h"

namespace {

using TitleScreen = GameScreensTest;

TEST_F(TitleScreen, EntryCreatesSixButtonsAndForgetsTheLastController)
{
    logic->PlayerJoystick = 2;
    screens->ScreenExitedWithEscapeKey = 1;
    EnterScreen(TITLE_SCREEN);
    RunFrame();
    for (int index = 0; index < 6; index++)
    {
        EXPECT_EQ(index, interface->InterfaceSprites[BUTTON_START + index].ScreenIndex);
        EXPECT_FLOAT_EQ(196.0f + 42.0f * index, interface->InterfaceSprites[BUTTON_START + index].ScreenY);
    }
    EXPECT_EQ(0, interface->CurrentlySelectedButton);
    EXPECT_EQ(0, logic->PlayerJoystick);
    EXPECT_EQ(0, screens->ScreenExitedWithEscapeKey);
    EXPECT_EQ(1, screens->ScreenBufferNeedsDisplay);
}

TEST_F(TitleScreen, EachButtonLeadsToItsScreenAfterPressAndFade)
{
    const uint8_t expected[5] = {OPENING_SCENE_SCREEN, OPTIONS_SCREEN, HOW_TO_PLAY_SCREEN, HIGH_SCORES_SCREEN,
                                 ABOUT_SCREEN};
    for (int button = 0; button < 5; button++)
    {
        EnterScreen(TITLE_SCREEN);
        RunUntilFadedIn();
        interface->CurrentlySelectedButton = button;
        RunFrameWithKey('/');
        const int frames = RunUntilScreenChanges(40);
        EXPECT_EQ(expected[button], screens->ScreenToDisplay);
        EXPECT_GE(frames, 15) << "ten frames of press animation, then the fade";
        EXPECT_EQ(FADE_ALL, screens->ScreenTransitionStatus);
        EXPECT_EQ(-1, interface->InterfaceSprites[BUTTON_START].ScreenIndex);
    }
}

TEST_F(TitleScreen, ExitAsksTheMainLoopToQuit)
{
    EnterScreen(TITLE_SCREEN);
    RunUntilFadedIn();
    RunFrameWithDirection(UP);
    EXPECT_EQ(5, interface->CurrentlySelectedButton);
    RunFrameWithKey('_');
    EXPECT_TRUE(WaitUntil(
        [] {
            RunFrame();
            return input->KeyOnKeyboardPressedByUser == '~';
        },
        5000));
    EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
}

TEST_F(TitleScreen, ButtonOneOfAJoystickRecordsThatJoystick)
{
    EnterScreen(TITLE_SCREEN);
    RunUntilFadedIn();
    input->GetAllUserInput();
    input->JoystickButtonOne[INPUT_JOYSTICK_TWO] = 1;
    screens->DisplayTitleScreen();
    EXPECT_EQ(2, logic->PlayerJoystick);
    input->GetAllUserInput();
    input->JoystickButtonOne[INPUT_JOYSTICK_ONE] = 1;
    screens->DisplayTitleScreen();
    EXPECT_EQ(1, logic->PlayerJoystick);
}

using Credits = GameScreensTest;

TEST_F(Credits, EndByThemselvesOnceTheLastLineHasPassedTheTop)
{
    EnterScreen(ABOUT_SCREEN);
    const int frames = RunUntilScreenChanges(5000);
    EXPECT_GE(frames, 2301);
    EXPECT_LT(visuals->Texts[visuals->LastLoadedTextIndex].ScreenY, -20.0f);
    EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
}

TEST_F(Credits, AnySkipEndsThemAtOnce)
{
    const char keys[3] = {'_', '/', 0};
    for (const char key : keys)
    {
        EnterScreen(ABOUT_SCREEN);
        RunUntilFadedIn();
        input->GetAllUserInput();
        if (key)
            input->KeyOnKeyboardPressedByUser = key;
        else
            input->MouseButtonPressed[0] = 1;
        screens->DisplayAboutScreen();
        EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
        screens->ApplyScreenFadeTransition();
        EXPECT_LE(RunUntilScreenChanges(10), 6);
        EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
    }
}

TEST_F(Credits, AfterAWonGameTheyLeadToNameEntryOrTheTable)
{
    struct Case
    {
        uint32_t score;
        int joystick;
        uint8_t rank;
        uint8_t next;
    };
    const Case cases[4] = {{50000, 0, RANK_NONE, NAME_INPUT_KEYBOARD_SCREEN},
                           {50000, 2, RANK_NONE, NAME_INPUT_JOYSTICK_SCREEN},
                           {10, 0, RANK_NONE, HIGH_SCORES_SCREEN},
                           {50000, 0, RANK_NAME_ENTERED, HIGH_SCORES_SCREEN}};
    for (const Case& game : cases)
    {
        data->ClearHighScores();
        logic->Level = 6;
        logic->Score = game.score;
        logic->PlayerJoystick = game.joystick;
        data->PlayerRankOnGameOver = game.rank;
        EnterScreen(ABOUT_SCREEN);
        RunUntilFadedIn();
        RunFrameWithKey('/');
        RunUntilScreenChanges(10);
        EXPECT_EQ(game.next, screens->ScreenToDisplay) << game.score;
        EXPECT_FLOAT_EQ(1.0f, visuals->Sprites[98].ScaleX);
    }
}

class HighScoresScreen : public GameScreensTest
{
protected:
    // Counts clearly red pixels along the middle of the first table row.
    int RedPixelsInFirstRow() const
    {
        int red = 0;
        for (int x = 37; x < 600; x++)
        {
            const Pixel pixel = ReadPixel(x, 126);
            if (pixel.red > 200 && pixel.green < 60 && pixel.blue < 60) red++;
        }
        return red;
    }
};

TEST_F(HighScoresScreen, LastGamesRowIsRedAndCClearsEveryTable)
{
    logic->GameMode = 1;
    logic->Score = data->HighScoresScore[1][0];
    logic->Level = data->HighScoresLevel[1][0];
    EnterScreen(HIGH_SCORES_SCREEN);
    RunUntilFadedIn();
    RunFrame();
    EXPECT_GT(RedPixelsInFirstRow(), 20);

    logic->Score = 123;
    screens->ScreenIsDirty = 1;
    RunFrame();
    EXPECT_EQ(0, RedPixelsInFirstRow());

    snprintf(data->HighScoresName[3][0], HIGH_SCORE_NAME_SIZE, "ZED");
    data->HighScoresScore[3][0] = 99999;
    data->HighScoresScore[0][9] = 1;
    RunFrameWithKey('c');
    Data defaults;
    defaults.ClearHighScores();
    for (int mode = 0; mode < NUMBER_OF_GAME_MODES; mode++)
    {
        for (int rank = 0; rank < NUMBER_OF_HIGH_SCORES; rank++)
        {
            EXPECT_EQ(defaults.HighScoresScore[mode][rank], data->HighScoresScore[mode][rank]);
            EXPECT_STREQ(defaults.HighScoresName[mode][rank], data->HighScoresName[mode][rank]);
        }
    }
    EXPECT_EQ(10, input->DelayAllUserInput);
    EXPECT_EQ(1, screens->ScreenIsDirty);
}

TEST_F(HighScoresScreen, EscapeFadeLeadsBackToTheTitle)
{
    EnterScreen(HIGH_SCORES_SCREEN);
    RunUntilFadedIn();
    screens->ScreenTransitionStatus = FADE_OUT;  // what Escape does
    RunUntilScreenChanges(10);
    EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(-1, interface->InterfaceSprites[BUTTON_BACK].ScreenIndex);
}

TEST_F(HighScoresScreen, HowToPlayBackButtonLeadsToTheTitle)
{
    EnterScreen(HOW_TO_PLAY_SCREEN);
    RunUntilFadedIn();
    EXPECT_EQ(0, interface->InterfaceSprites[BUTTON_BACK].ScreenIndex);
    RunFrameWithKey('/');
    EXPECT_GT(RunUntilScreenChanges(40), 10);
    EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
}

class OptionsScreen : public GameScreensTest
{
protected:
    void SetUp() override
    {
        GameScreensTest::SetUp();
        EnterScreen(OPTIONS_SCREEN);
        RunUntilFadedIn();
    }
};

TEST_F(OptionsScreen, VolumesWrapInSteps)
{
    audio->MusicVolume = 128;
    RunFrameWithDirection(RIGHT);
    EXPECT_EQ(0, audio->MusicVolume);
    RunFrameWithDirection(LEFT);
    EXPECT_EQ(128, audio->MusicVolume);
    RunFrameWithDirection(LEFT);
    EXPECT_EQ(96, audio->MusicVolume);

    RunFrameWithDirection(DOWN);
    EXPECT_EQ(2, interface->CurrentlySelectedArrowSet);
    audio->SoundVolume = 0;
    RunFrameWithDirection(LEFT);
    EXPECT_EQ(128, audio->SoundVolume);
    audio->SoundVolume = 130;  // from an edited options file
    RunFrameWithDirection(RIGHT);
    EXPECT_EQ(0, audio->SoundVolume);
    EXPECT_EQ(96, audio->MusicVolume);
}

TEST_F(OptionsScreen, KeyboardSetupTakesOneLetterPerButton)
{
    RunFrameWithKey('@');
    EXPECT_EQ(1, input->KeyboardSetupProcess);
    const char refused[5] = {'z', 'x', 'Q', '5', '_'};
    for (const char key : refused) RunFrameWithKey(key);
    EXPECT_EQ(1, input->KeyboardSetupProcess);
    EXPECT_EQ(NO_USER_DEFINED_KEY, input->UserDefinedKeyButtonOne);

    RunFrameWithKey('q');
    EXPECT_EQ(2, input->KeyboardSetupProcess);
    EXPECT_EQ('q', input->UserDefinedKeyButtonOne);
    EXPECT_EQ(20, input->DelayAllUserInput);

    // 'z' is also button one: answering with it must not press "Back".
    input->DelayAllUserInput = -1;
    input->GetAllUserInput();
    input->KeyOnKeyboardPressedByUser = 'z';
    input->JoystickButtonOne[INPUT_ALL] = 1;
    screens->DisplayOptionsScreen();
    EXPECT_EQ(0, input->KeyboardSetupProcess);
    EXPECT_EQ('z', input->UserDefinedKeyButtonTwo);
    EXPECT_EQ(-1, interface->InterfaceSprites[BUTTON_BACK].PressedAnimationTimer);
}

TEST_F(OptionsScreen, F2DuringTheSetupQuitsWithNoExtraKeys)
{
    input->UserDefinedKeyButtonOne = 'a';
    input->UserDefinedKeyButtonTwo = 'b';
    RunFrameWithKey('@');
    RunFrameWithKey('k');
    RunFrameWithKey('@');
    EXPECT_EQ(0, input->KeyboardSetupProcess);
    EXPECT_EQ(NO_USER_DEFINED_KEY, input->UserDefinedKeyButtonOne);
    EXPECT_EQ(NO_USER_DEFINED_KEY, input->UserDefinedKeyButtonTwo);
}

TEST_F(OptionsScreen, MenuRestsWhileASetupRuns)
{
    RunFrameWithKey('@');
    audio->MusicVolume = 64;
    RunFrameWithDirection(RIGHT);
    RunFrameWithKey('/');
    EXPECT_EQ(64, audio->MusicVolume);
    EXPECT_EQ(-1, interface->InterfaceSprites[BUTTON_BACK].PressedAnimationTimer);
}

TEST_F(OptionsScreen, F1WithoutAJoystickDoesNothing)
{
    ASSERT_EQ(nullptr, input->JoystickDevice[0]);
    RunFrameWithKey('!');
    EXPECT_EQ(0, input->JoystickSetupProcess);
}

}  // namespace
