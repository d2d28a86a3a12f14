#include <gtest/gtest.h>

#include <string>

#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"
#include "screens/screens.h"
#include "support/game_screens_fixture.h"
#include "support/key_events.h"

namespace {

// A finished game that took rank 5 of the default table, on its name entry screen.
class NameEntry : public GameScreensTest
{
protected:
    void StartEntry(int screen)
    {
        logic->Score = 5000;
        logic->Level = 3;
        data->CheckForNewHighScore();
        ASSERT_EQ(5, data->PlayerRankOnGameOver);
        EnterScreen(screen);
        RunUntilFadedIn();
    }

    std::string Name() const { return data->HighScoresName[logic->GameMode][5]; }

    // The entry fades out to the given screen, the name kept as it stands.
    void ExpectEntryLeftFor(int screen, const std::string& name)
    {
        EXPECT_GT(RunUntilScreenChanges(40), 0);
        EXPECT_EQ(screen, screens->ScreenToDisplay);
        EXPECT_EQ(name, Name());
        EXPECT_EQ(RANK_NAME_ENTERED, data->PlayerRankOnGameOver);
    }

    void Type(const std::string& keys)
    {
        for (char key : keys) RunFrameWith(KeyPressed(key));
    }

    // One frame with this joystick's stick and buttons held.
    void RunJoystickFrame(int direction, bool buttonOne, bool buttonTwo)
    {
        RunFrameWith(Held(logic->PlayerJoystick, direction, buttonOne, buttonTwo));
    }
};

TEST_F(NameEntry, KeyboardKeepsEighteenCharactersAndBackspaceRemovesTheLast)
{
    StartEntry(NAME_INPUT_KEYBOARD_SCREEN);
    Type("abcdefghijklmnopqrstuvwxy");  // 25 characters
    EXPECT_EQ("abcdefghijklmnopqr", Name());
    EXPECT_EQ(19, data->NameInputArrayIndex);

    Type("<");
    EXPECT_EQ("abcdefghijklmnopq", Name());
    Type("<");
    EXPECT_EQ("abcdefghijklmnop", Name());
    Type("S");
    EXPECT_EQ("abcdefghijklmnopS", Name());
}

// Real key events through the poll: what the player types goes into the name,
// space and the action letters too; keys that command do not, nor does a
// closed window, whose frame still runs.
TEST_F(NameEntry, OnlyTypedCharactersGoIntoTheName)
{
    StartEntry(NAME_INPUT_KEYBOARD_SCREEN);
    for (SDLKey key : {SDLK_z, SDLK_SPACE, SDLK_x, SDLK_F1, SDLK_F2, SDLK_F12, SDLK_EQUALS, SDLK_KP_PLUS, SDLK_7})
    {
        PushKeyDown(key);
        input->DelayAllUserInput = -1;
        RunFrame();
    }
    EXPECT_EQ("z x=+7", Name());
    EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus);  // neither space nor 'z' pressed "Back"

    SDL_Event close = {};
    close.type = SDL_QUIT;
    SDL_PushEvent(&close);
    RunFrame();
    EXPECT_EQ(1, screens->QuitChosen);
    EXPECT_EQ("z x=+7", Name());
}

TEST_F(NameEntry, BackspaceOnAnEmptyNameOnlyClicks)
{
    StartEntry(NAME_INPUT_KEYBOARD_SCREEN);
    Type("<<");
    EXPECT_EQ("", Name());
    EXPECT_EQ(0, data->NameInputArrayIndex);
    Type("A");
    EXPECT_EQ("A", Name());
}

TEST_F(NameEntry, EnterFinishesThroughTheBackButtonOnTheTable)
{
    StartEntry(NAME_INPUT_KEYBOARD_SCREEN);
    Type("ACE/");
    ExpectEntryLeftFor(HIGH_SCORES_SCREEN, "ACE");
    EXPECT_EQ(3, data->HighScoresLevel[logic->GameMode][5]);
    EXPECT_EQ(5000u, data->HighScoresScore[logic->GameMode][5]);
}

TEST_F(NameEntry, EscapeLeavesASingleSpaceAndGoesToTheTitle)
{
    StartEntry(NAME_INPUT_KEYBOARD_SCREEN);
    RunFrameWith(EscapePressed());
    ExpectEntryLeftFor(TITLE_SCREEN, " ");
}

TEST_F(NameEntry, JoystickGridWrapsAtEveryEdge)
{
    logic->PlayerJoystick = 1;
    StartEntry(NAME_INPUT_JOYSTICK_SCREEN);
    EXPECT_EQ('A', data->NameInputJoyChar);
    // Each step, and the character it reaches ('/' is "END", on the last row).
    const std::pair<int, char> steps[] = {{LEFT, 'M'}, {RIGHT, 'A'}, {UP, '/'}, {DOWN, 'A'}, {UP, '/'}, {UP, '0'}};
    for (const auto& step : steps)
    {
        RunJoystickFrame(step.first, false, false);
        EXPECT_EQ(step.second, data->NameInputJoyChar);
    }
    for (int step = 0; step < 11; step++) RunJoystickFrame(RIGHT, false, false);
    EXPECT_EQ('_', data->NameInputJoyChar);
    EXPECT_EQ(6, input->DelayAllUserInput);  // a held stick moves again every seventh frame
}

TEST_F(NameEntry, HeldButtonEntersOneCharacterUntilReleased)
{
    logic->PlayerJoystick = 2;
    StartEntry(NAME_INPUT_JOYSTICK_SCREEN);
    // Held for some frames, then let go for one; button two erases.
    const struct
    {
        int frames;
        bool one, two;
        const char* name;
    } presses[] = {{10, true, false, "A"}, {1, false, false, "A"}, {1, true, false, "AA"}, {1, false, false, "AA"},
                   {5, false, true, "A"}};
    for (const auto& press : presses)
    {
        for (int frame = 0; frame < press.frames; frame++) RunJoystickFrame(CENTER, press.one, press.two);
        EXPECT_EQ(press.name, Name());
    }
}

TEST_F(NameEntry, EndFinishesTheEntryAndButtonOneNeverPressesBack)
{
    logic->PlayerJoystick = 1;
    StartEntry(NAME_INPUT_JOYSTICK_SCREEN);
    RunJoystickFrame(CENTER, true, false);
    RunJoystickFrame(CENTER, false, false);
    EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus);

    RunJoystickFrame(UP, false, false);
    RunJoystickFrame(CENTER, true, false);
    EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
    ExpectEntryLeftFor(HIGH_SCORES_SCREEN, "A");
}

TEST_F(NameEntry, AGameWithoutAPlaceEditsNoName)
{
    logic->Score = 10;
    data->CheckForNewHighScore();
    ASSERT_EQ(RANK_NONE, data->PlayerRankOnGameOver);
    EnterScreen(NAME_INPUT_KEYBOARD_SCREEN);
    RunUntilFadedIn();
    Type("abc<");
    for (int rank = 0; rank < NUMBER_OF_HIGH_SCORES; rank++)
        EXPECT_STRNE("ab", data->HighScoresName[logic->GameMode][rank]);
}

}  // namespace
