#include "screens/screens.h"

#include <ctype.h>
#include <string.h>

#include "audio/audio.h"
#include "checks.h"
#include "data/data.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"

// Cursor positions past the last stored character: 18 means the name is
// full, 19 that one more character was typed and dropped.
const int32_t NAME_FULL = HIGH_SCORE_NAME_LENGTH;
const int32_t NAME_OVERFULL = HIGH_SCORE_NAME_LENGTH + 1;

// Frames a held stick waits before the grid cursor moves again.
const int32_t GRID_REPEAT_DELAY = 6;

// The joystick letter grid's first four rows run from these letters.
const int GRID_COLUMNS = NAME_GRID_COLUMNS;
const int GRID_ROWS = NAME_GRID_ROWS;
const int GRID_END_ROW = NAME_GRID_END_ROW;
const int GRID_SYMBOL_ROW = 4;
static const char GRID_ROW_FIRST_CHARACTER[GRID_SYMBOL_ROW] = {'A', 'N', 'a', 'n'};
static const char GRID_SYMBOLS[GRID_COLUMNS] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '+', '_', '<'};
const char GRID_END_CHARACTER = '/';

char* NameBeingEntered()
{
    if (data->PlayerRankOnGameOver >= NUMBER_OF_HIGH_SCORES || !RULE_HOLDS(logic->GameMode < NUMBER_OF_GAME_MODES))
        return nullptr;
    return data->HighScoresName[logic->GameMode][data->PlayerRankOnGameOver];
}

static void EraseLastCharacter()
{
    char* name = NameBeingEntered();
    if (!name) return;
    int32_t& cursor = data->NameInputArrayIndex;
    if (cursor == NAME_OVERFULL)
    {
        cursor = NAME_FULL;
        name[NAME_FULL] = 0;
    }
    name[cursor] = 0;
    if (cursor > 0) cursor--;
    name[cursor] = 0;
}

static void AddCharacter(char character)
{
    char* name = NameBeingEntered();
    if (!name) return;
    int32_t& cursor = data->NameInputArrayIndex;
    if (cursor < NAME_FULL)
        name[cursor++] = character;
    else if (cursor == NAME_FULL)
        cursor = NAME_OVERFULL;
}

static void StartNameEntry(Screens* flow)
{
    flow->EnterScreenWithBackButton();
    flow->ScreenExitedWithEscapeKey = 0;
}

static void LeaveNameEntry(Screens* flow, bool backButtonChosen)
{
    if (backButtonChosen)
    {
        flow->ScreenToDisplay = HIGH_SCORES_SCREEN;
        input->DelayAllUserInput = INPUT_DELAY_AFTER_SCREEN_CHANGE;
    }
    if (flow->ScreenExitedWithEscapeKey) flow->ScreenToDisplay = TITLE_SCREEN;

    // No entry of the table is left nameless.
    char* name = NameBeingEntered();
    if (name && name[0] == 0) strcpy(name, " ");

    data->PlayerRankOnGameOver = RANK_NAME_ENTERED;
    data->SaveHighScoresAndOptions();  // the new entry outlives a session that ends under the game
    interface->DestroyAllButtons();
    flow->ScreenTransitionStatus = FADE_ALL;
}

// Letters, digits and the symbols the keyboard types; not the keys that
// command (Enter, F1, F2, F12, or the '~' of a closed window).
static bool IsTypedCharacter(char key)
{
    return isalnum(static_cast<unsigned char>(key)) || key == '+' || key == '=';
}

static void TypeOnKeyboard(Screens* flow)
{
    const char key = screens->Command.Key;
    if (key == 0) return;

    // Enter ends the entry through the Back button, which the buttons handle.
    if (key == '<')
        EraseLastCharacter();
    else if (key == '_')
        AddCharacter(' ');
    else if (IsTypedCharacter(key))
        AddCharacter(key);

    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    flow->ScreenIsDirty = 1;
}

void Screens::RunNameInputKeyboardScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartNameEntry(this);
    if (ScreenIsDirty) RedrawWithButtons();

    TakeMenuNews(interface->ProcessAllButtonsOnScreen(Command, SPACE_TYPES));
    TypeOnKeyboard(this);

    if (ScreenHasFadedOut()) LeaveNameEntry(this, interface->CurrentlySelectedButton == 0);
}

// The input source of the joystick the player chose on the title screen.
static int PlayerJoystickSource()
{
    return logic->PlayerJoystick == INPUT_JOYSTICK_TWO ? INPUT_JOYSTICK_TWO : INPUT_JOYSTICK_ONE;
}

char NameGridCharacter(int row, int column)
{
    if (row < GRID_SYMBOL_ROW) return GRID_ROW_FIRST_CHARACTER[row] + column;
    if (row == GRID_SYMBOL_ROW) return GRID_SYMBOLS[column];
    return GRID_END_CHARACTER;
}

static void PickGridCharacter(Screens* flow)
{
    if (data->NameInputJoyCharY == GRID_END_ROW)
        flow->ScreenTransitionStatus = FADE_OUT;
    else if (data->NameInputJoyChar == '<')
        EraseLastCharacter();
    else if (data->NameInputJoyChar == '_')
        AddCharacter(' ');
    else
        AddCharacter(data->NameInputJoyChar);
}

// Each press of a button acts once; releasing both buttons re-arms them.
static void PressJoystickButtons(Screens* flow)
{
    const int source = PlayerJoystickSource();
    uint8_t& buttonOneHeld = input->JoystickButtonOneHeld[1];
    uint8_t& buttonTwoHeld = input->JoystickButtonTwoHeld[1];

    if (screens->Command.ButtonOne[source])
    {
        if (buttonOneHeld || data->NameInputJoyChar == 0) return;
        PickGridCharacter(flow);
        audio->PlayDigitalSoundFX(SFX_CLICK, 0);
        flow->ScreenIsDirty = 1;
        buttonOneHeld = 1;
    }
    else if (screens->Command.ButtonTwo[source])
    {
        if (buttonTwoHeld) return;
        EraseLastCharacter();
        audio->PlayDigitalSoundFX(SFX_CLICK, 0);
        flow->ScreenIsDirty = 1;
        buttonTwoHeld = 1;
    }
    else
    {
        buttonOneHeld = 0;
        buttonTwoHeld = 0;
    }
}

static int Wrapped(int value, int count)
{
    return (value + count) % count;
}

// The stick moves the grid cursor, wrapping at every edge.
static void MoveGridCursor(Screens* flow)
{
    int32_t& row = data->NameInputJoyCharY;
    int32_t& column = data->NameInputJoyCharX;
    switch (screens->Command.Direction[PlayerJoystickSource()])
    {
    case UP: row = Wrapped(row - 1, GRID_ROWS); break;
    case DOWN: row = Wrapped(row + 1, GRID_ROWS); break;
    case LEFT: column = Wrapped(column - 1, GRID_COLUMNS); audio->PlayDigitalSoundFX(SFX_CLICK, 0); break;
    case RIGHT: column = Wrapped(column + 1, GRID_COLUMNS); audio->PlayDigitalSoundFX(SFX_CLICK, 0); break;
    default: return;
    }
    flow->ScreenIsDirty = 1;
    input->DelayAllUserInput = GRID_REPEAT_DELAY;
}

void Screens::RunNameInputJoystickScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartNameEntry(this);
    if (ScreenIsDirty) RedrawWithButtons();

    TakeMenuNews(interface->ProcessAllButtonsOnScreen(Command, BUTTON_ONE_PICKS));
    PressJoystickButtons(this);
    MoveGridCursor(this);
    data->NameInputJoyChar = NameGridCharacter(data->NameInputJoyCharY, data->NameInputJoyCharX);

    if (ScreenHasFadedOut()) LeaveNameEntry(this, true);
}
