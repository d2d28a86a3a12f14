#include "screens/screens.h"

#include <ctype.h>
#include <string.h>

#include "audio/audio.h"
#include "checks.h"
#include "data/data.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "visuals/visuals.h"

// Cursor positions past the last stored character: 18 means the name is
// full, 19 that one more character was typed and dropped.
const int32_t NAME_FULL = HIGH_SCORE_NAME_LENGTH;
const int32_t NAME_OVERFULL = HIGH_SCORE_NAME_LENGTH + 1;

const float NAME_ENTRY_BACKGROUND_TRANSPARENCY = 0.6f;
const float NAME_Y = 182.0f;

// Frames a held stick waits before the grid cursor moves again.
const int32_t GRID_REPEAT_DELAY = 6;

// The joystick letter grid: 13 columns by 6 rows, the last row is "END".
const int GRID_COLUMNS = 13;
const int GRID_ROWS = 6;
const int GRID_END_ROW = 5;
const int GRID_SYMBOL_ROW = 4;
const float GRID_COLUMN_SPACING = 45.0f;
static const float GRID_ROW_Y[GRID_ROWS] = {239.0f, 269.0f, 299.0f, 329.0f, 359.0f, 389.0f};
static const char GRID_ROW_FIRST_CHARACTER[GRID_SYMBOL_ROW] = {'A', 'N', 'a', 'n'};
static const char GRID_SYMBOLS[GRID_COLUMNS] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '+', '_', '<'};
const char GRID_END_CHARACTER = '/';

// The name being edited, or null when the last game took no place in the table.
static char* NameBeingEntered()
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

static void DrawCentredLine(const char* text, float y)
{
    visuals->DrawTextOntoScreenBuffer(text, visuals->Font[MENU_FONT], 0.0f, y, JUSTIFY_CENTER_SCREEN, 255, 255, 255, 1, 1, 1);
}

static void DrawNameAndButton()
{
    const char* name = NameBeingEntered();
    if (name && name[0] != 0)
        visuals->DrawTextOntoScreenBuffer(name, visuals->Font[LARGE_FONT], 0.0f, NAME_Y, JUSTIFY_CENTER_SCREEN, 255, 255, 0, 1, 1,
                                          1);
    interface->DisplayAllButtonsOntoScreenBuffer();
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

static void DrawKeyboardNameEntry(Screens* flow)
{
    flow->DrawMenuBackground(NAME_ENTRY_BACKGROUND_TRANSPARENCY);
    flow->DrawMenuHeading("NEW HIGH SCORE:");
    DrawCentredLine("You have achieved a new high score!", 80.0f);
    DrawCentredLine("Please enter your name using the keyboard:", 125.0f);
    DrawCentredLine("Press [Backspace] key on keyboard to erase.", 305.0f);
    DrawCentredLine("Press [Enter] key on keyboard when finished.", 345.0f);
    DrawNameAndButton();
    flow->ScreenIsDirty = 0;
    flow->ScreenBufferNeedsDisplay = 1;
}

// Letters, digits and the symbols the keyboard types; not the keys that
// command (Enter, F1, F2, F12, or the '~' of a closed window).
static bool IsTypedCharacter(char key)
{
    return isalnum(static_cast<unsigned char>(key)) || key == '+' || key == '=';
}

static void TypeOnKeyboard(Screens* flow)
{
    const char key = input->KeyOnKeyboardPressedByUser;
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

void Screens::DisplayNameInputKeyboardScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartNameEntry(this);
    if (ScreenIsDirty) DrawKeyboardNameEntry(this);

    interface->ProcessAllButtonsOnScreen();
    TypeOnKeyboard(this);

    if (ScreenHasFadedOut()) LeaveNameEntry(this, interface->CurrentlySelectedButton == 0);
}

// The input source of the joystick the player chose on the title screen.
static int PlayerJoystickSource()
{
    return logic->PlayerJoystick == INPUT_JOYSTICK_TWO ? INPUT_JOYSTICK_TWO : INPUT_JOYSTICK_ONE;
}

static char GridCharacter(int row, int column)
{
    if (row < GRID_SYMBOL_ROW) return GRID_ROW_FIRST_CHARACTER[row] + column;
    if (row == GRID_SYMBOL_ROW) return GRID_SYMBOLS[column];
    return GRID_END_CHARACTER;
}

static void DrawGridCell(const char* text, float x, float y, bool selected)
{
    const unsigned char green = selected ? 1 : 255;
    visuals->DrawTextOntoScreenBuffer(text, visuals->Font[MENU_FONT], x, y, JUSTIFY_CENTER_X, 255, green, green, 1, 1, 1);
}

static void DrawCharacterGrid()
{
    for (int row = 0; row < GRID_END_ROW; row++)
    {
        for (int column = 0; column < GRID_COLUMNS; column++)
        {
            const char character = GridCharacter(row, column);
            snprintf(visuals->VariableText, VARIABLE_TEXT_SIZE, "%c", character);
            DrawGridCell(visuals->VariableText, GRID_COLUMN_SPACING * (column + 1), GRID_ROW_Y[row],
                         character == data->NameInputJoyChar);
        }
    }
    DrawGridCell("END", 320.0f, GRID_ROW_Y[GRID_END_ROW], data->NameInputJoyCharY == GRID_END_ROW);
}

static void DrawJoystickNameEntry(Screens* flow)
{
    flow->DrawMenuBackground(NAME_ENTRY_BACKGROUND_TRANSPARENCY);
    flow->DrawMenuHeading("NEW HIGH SCORE:");
    DrawCentredLine("Congratulations!", 50.0f);
    DrawCentredLine("You have achieved a new high score!", 80.0f);
    DrawCentredLine(logic->PlayerJoystick == 1 ? "Please enter your name using joystick #1:"
                                               : "Please enter your name using joystick #2:",
                    125.0f);
    DrawCharacterGrid();
    DrawNameAndButton();
    flow->ScreenIsDirty = 0;
    flow->ScreenBufferNeedsDisplay = 1;
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

    if (input->JoystickButtonOne[source])
    {
        if (buttonOneHeld || data->NameInputJoyChar == 0) return;
        PickGridCharacter(flow);
        audio->PlayDigitalSoundFX(SFX_CLICK, 0);
        flow->ScreenIsDirty = 1;
        buttonOneHeld = 1;
    }
    else if (input->JoystickButtonTwo[source])
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
    switch (input->JoystickDirection[PlayerJoystickSource()])
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

void Screens::DisplayNameInputJoystickScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartNameEntry(this);
    if (ScreenIsDirty) DrawJoystickNameEntry(this);

    interface->ProcessAllButtonsOnScreen();
    PressJoystickButtons(this);
    MoveGridCursor(this);
    data->NameInputJoyChar = GridCharacter(data->NameInputJoyCharY, data->NameInputJoyCharX);

    if (ScreenHasFadedOut()) LeaveNameEntry(this, true);
}
