#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

#include "audio/audio.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "desktop/desktop.h"
#include "screens/screens.h"
#include "support/game_screens_fixture.h"
#include "support/joystick_state.h"
#include "support/key_events.h"
#include "support/pictures.h"
#include "visuals/visuals.h"

namespace {

class TitleScreen : public GameScreensTest
{
protected:
    // The widest run of the best-score line's yellow along its row.
    int BestScoreLineWidth() const
    {
        int left = 640;
        int right = -1;
        for (int y = 144; y < 168; y += 3)
        {
            for (int x = 0; x < 640; x++)
            {
                const Pixel pixel = ReadPixel(x, y);
                if (pixel.red < 230 || pixel.green < 230 || pixel.blue > 40) continue;
                if (x < left) left = x;
                if (x > right) right = x;
            }
        }
        return right < left ? 0 : right - left;
    }
};

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
        RunFrameWith(KeyPressed('/'));
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
    RunFrameWith(Held(INPUT_KEYBOARD, UP));
    EXPECT_EQ(5, interface->CurrentlySelectedButton);
    RunFrameWith(KeyPressed('_'));
    EXPECT_TRUE(RunFramesUntil([] { return screens->QuitChosen == 1; }, 40));
    EXPECT_EQ(0, game->QuitGame);
    RunFrame();
    EXPECT_EQ(1, game->QuitGame) << "at the start of the next frame";
    EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
}

TEST_F(TitleScreen, ButtonOneOfAJoystickRecordsThatJoystick)
{
    EnterScreen(TITLE_SCREEN);
    RunUntilFadedIn();
    TakeInput(Held(INPUT_JOYSTICK_TWO, CENTER, true));
    screens->RunTitleScreen();
    EXPECT_EQ(2, logic->PlayerJoystick);
    TakeInput(Held(INPUT_JOYSTICK_ONE, CENTER, true));
    screens->RunTitleScreen();
    EXPECT_EQ(1, logic->PlayerJoystick);
}

TEST_F(TitleScreen, BestScoreLineShowsTheTopOfTheTableOfTheGameMode)
{
    for (int mode = 0; mode < NUMBER_OF_GAME_MODES; mode++)
    {
        for (int rank = 0; rank < NUMBER_OF_HIGH_SCORES; rank++)
        {
            snprintf(data->HighScoresName[mode][rank], HIGH_SCORE_NAME_SIZE, "I");
            data->HighScoresScore[mode][rank] = 1;
        }
    }
    snprintf(data->HighScoresName[2][0], HIGH_SCORE_NAME_SIZE, "WWWWWWWWWWWW");
    data->HighScoresScore[2][0] = 88888888;
    EnterScreen(TITLE_SCREEN);
    RunUntilFadedIn();

    int widths[NUMBER_OF_GAME_MODES];
    for (int mode = 0; mode < NUMBER_OF_GAME_MODES; mode++)
    {
        logic->GameMode = mode;
        screens->ScreenIsDirty = 1;
        RunFrame();
        widths[mode] = BestScoreLineWidth();
    }
    EXPECT_GT(widths[0], 60) << "''I'' Scored: 1";
    EXPECT_GT(widths[2], widths[0] + 200);
    EXPECT_NEAR(widths[0], widths[1], 2);
    EXPECT_NEAR(widths[0], widths[3], 2);
}

using Credits = GameScreensTest;

// Laid out below the screen, with a blank line before each heading that
// follows names; the long middle of the roll is then skipped, as that many
// frames would roll it. A resize on the way, which loads the texts again,
// leaves the roll alone.
TEST_F(Credits, RollUpAUnitAFrameAndEndOnceTheLastLineHasPassedTheTop)
{
    EnterScreen(ABOUT_SCREEN);
    RunFrame();  // rolls them a unit up from where they are laid out, and draws them
    const LoadedText* const lines = visuals->Texts;
    const int last = visuals->LastLoadedTextIndex;
    const float firstLines[3][2] = {{478, 490}, {320, 509}, {320, 539}};
    for (int line = 0; line < 3; line++)
    {
        EXPECT_FLOAT_EQ(firstLines[line][0], lines[line].ScreenX) << "line " << line;
        EXPECT_FLOAT_EQ(firstLines[line][1], lines[line].ScreenY) << "line " << line;
    }
    for (int line = 3; line <= last; line++)
    {
        const bool headingAfterNames = lines[line - 1].BlueHue == 1.0f && lines[line].BlueHue == 0.0f;
        const float gap = line == last ? 240.0f : headingAfterNames ? 60.0f : 30.0f;
        EXPECT_FLOAT_EQ(gap, lines[line].ScreenY - lines[line - 1].ScreenY) << "line " << line;
        EXPECT_FLOAT_EQ(320.0f, lines[line].ScreenX) << "line " << line;
    }

    const int skipped = (int)lines[last].ScreenY - 100;
    screens->CreditsScrolled += skipped;
    int frames = 1 + skipped;
    float shownAt = lines[last].ScreenY - skipped;
    while (screens->ScreenTransitionStatus != FADE_OUT && frames < 5000)
    {
        if (frames == skipped + 20 && !visuals->ResizeWindow(800, 600)) FAIL() << output->Text();
        RunFrame();
        frames++;
        ASSERT_FLOAT_EQ(shownAt - 1.0f, lines[last].ScreenY);
        shownAt = lines[last].ScreenY;
    }
    EXPECT_GE(frames, 2301);
    EXPECT_LT(shownAt, -20.0f) << "drawn last at this height";
    EXPECT_GE(shownAt + 1.0f, -20.0f);
    const int leftIn = RunUntilScreenChanges(10);
    EXPECT_TRUE(leftIn >= 1 && leftIn <= 6) << leftIn;
    EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
}

TEST_F(Credits, AnySkipEndsThemAtOnce)
{
    const char keys[3] = {'_', '/', 0};
    for (const char key : keys)
    {
        EnterScreen(ABOUT_SCREEN);
        RunUntilFadedIn();
        TakeInput(key ? KeyPressed(key) : Clicked(0, 0));
        screens->RunAboutScreen();
        EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
        screens->ApplyScreenFadeTransition();
        const int leftIn = RunUntilScreenChanges(10);
        EXPECT_TRUE(leftIn >= 1 && leftIn <= 6) << leftIn;
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
        RunFrameWith(KeyPressed('/'));
        RunUntilScreenChanges(10);
        EXPECT_EQ(game.next, screens->ScreenToDisplay) << game.score;
        EXPECT_FLOAT_EQ(1.0f, visuals->Sprites[SPRITE_POWER_PELLET].ScaleX);
    }
}

// Solid pictures stand in for the victory scene, so each shows where it lies.
TEST_F(Credits, AfterAWonGameTheyRollOverTheVictoryPictureAndOtherwiseOverBlack)
{
    struct Picture
    {
        int sprite, size, probeX, probeY;
        uint8_t red, green, blue;
    };
    const Picture pictures[] = {{SPRITE_SUNRISE, 1024, 30, 420, 0, 0, 255},
                                {SPRITE_HERO_PORTRAIT, 64, 460 + 28, 240, 0, 255, 0},
                                {SPRITE_HEROINE, 64, 210 - 28, 260 + 28, 255, 0, 255},
                                {SPRITE_POWER_PELLET, 16, 62 + 12, 95, 255, 128, 0}};  // scaled by 1.6
    for (const Picture& picture : pictures)
    {
        const std::string file = "sprite" + std::to_string(picture.sprite) + ".bmp";
        ASSERT_TRUE(WritePicture(file, picture.size, picture.size / (picture.sprite == SPRITE_SUNRISE ? 2 : 1),
                                 picture.red << 16 | picture.green << 8 | picture.blue));
        glDeleteTextures(1, &visuals->Sprites[picture.sprite].Texture);
        ASSERT_TRUE(visuals->LoadSpriteImage(visuals->Sprites[picture.sprite], file.c_str()));
    }

    for (const uint8_t level : {6, 5})
    {
        logic->Level = level;
        EnterScreen(ABOUT_SCREEN);
        RunUntilFadedIn();
        RunFrame();
        for (const Picture& picture : pictures)
        {
            const bool shown = PixelIs(picture.probeX, picture.probeY, picture.red, picture.green, picture.blue);
            EXPECT_EQ(level == 6, shown) << "sprite " << picture.sprite << " on level " << (int)level;
        }
        EXPECT_EQ(level == 6, !PixelIs(600, 20, 0, 0, 0, 0)) << "level " << (int)level;
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
    RunFrameWith(KeyPressed('c'));
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

// Escape at once, "Back" after its press has shrunk for ten frames.
TEST_F(HighScoresScreen, EscapeOrBackLeadsToTheTitle)
{
    for (const auto& leave : {std::make_pair(HIGH_SCORES_SCREEN, EscapePressed()), std::make_pair(HOW_TO_PLAY_SCREEN, KeyPressed('/'))})
    {
        EnterScreen(leave.first);
        RunUntilFadedIn();
        EXPECT_EQ(0, interface->InterfaceSprites[BUTTON_BACK].ScreenIndex);
        RunFrameWith(leave.second);
        EXPECT_GT(RunUntilScreenChanges(40), leave.second.Escape ? 0 : 10);
        EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
        EXPECT_EQ(-1, interface->InterfaceSprites[BUTTON_BACK].ScreenIndex);
    }
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
    RunFrameWith(Held(INPUT_KEYBOARD, RIGHT));
    EXPECT_EQ(0, audio->MusicVolume);
    RunFrameWith(Held(INPUT_KEYBOARD, LEFT));
    EXPECT_EQ(128, audio->MusicVolume);
    RunFrameWith(Held(INPUT_KEYBOARD, LEFT));
    EXPECT_EQ(96, audio->MusicVolume);

    RunFrameWith(Held(INPUT_KEYBOARD, DOWN));
    EXPECT_EQ(2, interface->CurrentlySelectedArrowSet);
    audio->SoundVolume = 0;
    RunFrameWith(Held(INPUT_KEYBOARD, LEFT));
    EXPECT_EQ(128, audio->SoundVolume);
    audio->SoundVolume = 130;  // from an edited options file
    RunFrameWith(Held(INPUT_KEYBOARD, RIGHT));
    EXPECT_EQ(0, audio->SoundVolume);
    EXPECT_EQ(96, audio->MusicVolume);
}

TEST_F(OptionsScreen, KeyboardSetupTakesOneLetterPerButton)
{
    RunFrameWith(KeyPressed('@'));
    EXPECT_EQ(1, input->KeyboardSetupProcess);
    const char refused[5] = {'z', 'x', 'Q', '5', '_'};
    for (const char key : refused) RunFrameWith(KeyPressed(key));
    EXPECT_EQ(1, input->KeyboardSetupProcess);
    EXPECT_EQ(NO_USER_DEFINED_KEY, input->UserDefinedKeyButtonOne);

    RunFrameWith(KeyPressed('q'));
    EXPECT_EQ(2, input->KeyboardSetupProcess);
    EXPECT_EQ('q', input->UserDefinedKeyButtonOne);
    EXPECT_EQ(20, input->DelayAllUserInput);

    // 'z' is also button one: answering with it must not press "Back".
    TakeInput(KeyPressed('z'));
    ASSERT_EQ(1, screens->Command.ButtonOne[INPUT_ALL]);
    screens->RunOptionsScreen();
    EXPECT_EQ(0, input->KeyboardSetupProcess);
    EXPECT_EQ('z', input->UserDefinedKeyButtonTwo);
    EXPECT_EQ(-1, interface->InterfaceSprites[BUTTON_BACK].PressedAnimationTimer);
}

TEST_F(OptionsScreen, F2DuringTheSetupQuitsWithNoExtraKeys)
{
    input->UserDefinedKeyButtonOne = 'a';
    input->UserDefinedKeyButtonTwo = 'b';
    RunFrameWith(KeyPressed('@'));
    RunFrameWith(KeyPressed('k'));
    RunFrameWith(KeyPressed('@'));
    EXPECT_EQ(0, input->KeyboardSetupProcess);
    EXPECT_EQ(NO_USER_DEFINED_KEY, input->UserDefinedKeyButtonOne);
    EXPECT_EQ(NO_USER_DEFINED_KEY, input->UserDefinedKeyButtonTwo);
}

TEST_F(OptionsScreen, MenuRestsWhileASetupRuns)
{
    RunFrameWith(KeyPressed('@'));
    audio->MusicVolume = 64;
    RunFrameWith(Held(INPUT_KEYBOARD, RIGHT));
    RunFrameWith(KeyPressed('/'));
    EXPECT_EQ(64, audio->MusicVolume);
    EXPECT_EQ(-1, interface->InterfaceSprites[BUTTON_BACK].PressedAnimationTimer);
}

TEST_F(OptionsScreen, F1WithoutAJoystickDoesNothing)
{
    ASSERT_FALSE(JoystickDeviceOpen(0));
    RunFrameWith(KeyPressed('!'));
    EXPECT_EQ(0, input->JoystickSetupProcess);
}

// The same screen with joysticks plugged in, through the joystick double.
class JoystickSetup : public OptionsScreen
{
protected:
    void Plug(int joysticks)
    {
        ASSERT_TRUE(JoystickDoubleLoaded()) << "the double must be preloaded";
        sticks.reset(new JoystickState(directory->path));
        sticks->Plug(joysticks, 2, 12);
        GameObjects::Replace(input);
        input->OpenJoysticks();
    }

    // One frame of the set-up in which the stick's button is the control moved.
    void AnswerWithButton(int joystick, int button)
    {
        FrameInput frame = {};
        frame.ControlMoved[joystick] = CONTROL_CODE_FIRST_BUTTON + button;
        RunFrameWith(frame);
    }

    // White pixels along the row of the F1 hint: the picture behind is dimmed.
    int WhitePixelsOfTheF1Line() const
    {
        int white = 0;
        for (int y = 360; y < 378; y += 2)
            for (int x = 0; x < 640; x++)
                if (PixelIs(x, y, 255, 255, 255, 4)) white++;
        return white;
    }

    void ExpectMappings(int joystick, const uint8_t (&codes)[6]) const
    {
        EXPECT_EQ(codes[0], input->JoyMapUP[joystick]) << "joystick " << joystick;
        EXPECT_EQ(codes[1], input->JoyMapDOWN[joystick]) << "joystick " << joystick;
        EXPECT_EQ(codes[2], input->JoyMapLEFT[joystick]) << "joystick " << joystick;
        EXPECT_EQ(codes[3], input->JoyMapRIGHT[joystick]) << "joystick " << joystick;
        EXPECT_EQ(codes[4], input->JoyMapButtonOne[joystick]) << "joystick " << joystick;
        EXPECT_EQ(codes[5], input->JoyMapButtonTwo[joystick]) << "joystick " << joystick;
    }

    std::unique_ptr<JoystickState> sticks;
};

const uint8_t DEFAULT_MAPPINGS[6] = {2, 2, 1, 1, 9, 10};

TEST_F(JoystickSetup, OneJoystickIsDoneAfterSixAnswersAndTwoAfterTwelve)
{
    for (const int joysticks : {1, 2})
    {
        SCOPED_TRACE(joysticks);
        Plug(joysticks);
        RunFrameWith(KeyPressed('!'));
        ASSERT_EQ(1, input->JoystickSetupProcess);
        for (int answer = 1; answer <= 6 * joysticks; answer++)
        {
            AnswerWithButton((answer - 1) / 6, answer - 1);  // button b is control code b + 9
            EXPECT_EQ(answer == 6 * joysticks ? 0 : answer + 1, input->JoystickSetupProcess) << "answer " << answer;
        }
        ExpectMappings(0, {9, 10, 11, 12, 13, 14});
        if (joysticks == 2)
            ExpectMappings(1, {15, 16, 17, 18, 19, 20});
        else
            ExpectMappings(1, DEFAULT_MAPPINGS);
    }
}

// Each set-up shuts the other's key out while it runs.
TEST_F(JoystickSetup, F1QuitsWithTheDefaultsAndF2DoesNothingMeanwhile)
{
    Plug(2);
    RunFrameWith(KeyPressed('@'));
    RunFrameWith(KeyPressed('!'));
    EXPECT_EQ(0, input->JoystickSetupProcess);
    RunFrameWith(KeyPressed('@'));
    RunFrameWith(KeyPressed('!'));
    AnswerWithButton(0, 4);
    AnswerWithButton(0, 5);
    ASSERT_EQ(3, input->JoystickSetupProcess);
    ASSERT_EQ(13, input->JoyMapUP[0]);

    RunFrameWith(KeyPressed('@'));
    EXPECT_EQ(0, input->KeyboardSetupProcess);
    EXPECT_EQ(3, input->JoystickSetupProcess);

    RunFrameWith(KeyPressed('!'));
    EXPECT_EQ(0, input->JoystickSetupProcess);
    ExpectMappings(0, DEFAULT_MAPPINGS);
    ExpectMappings(1, DEFAULT_MAPPINGS);
}

TEST_F(JoystickSetup, TheF1HintShowsOnlyWithAJoystick)
{
    screens->ScreenIsDirty = 1;
    RunFrame();
    EXPECT_EQ(0, WhitePixelsOfTheF1Line());

    Plug(1);
    screens->ScreenIsDirty = 1;
    RunFrame();
    EXPECT_GT(WhitePixelsOfTheF1Line(), 100);
}

}  // namespace
