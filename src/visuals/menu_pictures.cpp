// The menus' pictures: the title, how to play, the high scores, the options
// and their set-ups' questions, and the name entry, over the shared
// background and heading.
#include "visuals/visuals.h"

#include <stdio.h>

#include "audio/audio.h"
#include "checks.h"
#include "data/data.h"
#include "input/input.h"
#include "logic/logic.h"
#include "screens/screens.h"

static const float MENU_BACKGROUND_TRANSPARENCY = 0.75f;

const float MENU_HEADING_Y = 1.0f;
const float MENU_TOP_RULE_Y = 7.0f;
const float MENU_BOTTOM_RULE_Y = 400.0f;
static const char MENU_RULE[] = "______________________________________";

const float SCREEN_CENTRE_X = 320.0f;
const float SCREEN_CENTRE_Y = 240.0f;

static void DrawMenuTitleText(const char* text, float y)
{
    visuals->DrawTextOntoScreenBuffer(text, visuals->Font[0], 0.0f, y, JUSTIFY_CENTER_SCREEN, 255, 255, 0, 0, 0, 0);
}

void Visuals::DrawMenuHeading(const char* heading)
{
    DrawMenuTitleText(heading, MENU_HEADING_Y);
    DrawMenuTitleText(MENU_RULE, MENU_TOP_RULE_Y);
    DrawMenuTitleText(MENU_RULE, MENU_BOTTOM_RULE_Y);
}

void Visuals::DrawMenuBackground(float transparency)
{
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);

    Sprite& background = visuals->Sprites[SPRITE_MENU_BACKGROUND];
    background.ScreenX = SCREEN_CENTRE_X;
    background.ScreenY = SCREEN_CENTRE_Y;
    background.Transparency = transparency;
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_MENU_BACKGROUND);
}

static const float TEXT_LOGO_Y = 74.0f;
static const char MAKER_LINE[] = "(C) 2026 Brickwell Games";
static const char WEB_ADDRESS_LINE[] = "www.brickwell-games.example";

static void DrawWhiteText(const char* text, int font, float x, float y, unsigned char justification)
{
    visuals->DrawTextOntoScreenBuffer(text, visuals->Font[font], x, y, justification, 255, 255, 255, 0, 0, 0);
}

// The best entry of the table of the game mode being played.
static void DrawBestScoreLine()
{
    const int mode = logic->GameMode < NUMBER_OF_GAME_MODES ? logic->GameMode : 0;
    snprintf(visuals->VariableText, VARIABLE_TEXT_SIZE, "''%s'' Scored: %d", data->HighScoresName[mode][0],
             static_cast<int>(data->HighScoresScore[mode][0]));
    visuals->DrawTextOntoScreenBuffer(visuals->VariableText, visuals->Font[MENU_FONT], 0.0f, 140.0f,
                                      JUSTIFY_CENTER_SCREEN, 255, 255, 0, 1, 1, 1);
}

static void DrawTitleLogo()
{
    Sprite& logo = visuals->Sprites[SPRITE_TEXT_LOGO];
    logo.ScreenX = 320.0f;
    logo.ScreenY = TEXT_LOGO_Y;
    logo.ScaleX = 1.0f;
    logo.ScaleY = 1.0f;
    logo.Transparency = 1.0f;
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_TEXT_LOGO);
    visuals->DrawTextOntoScreenBuffer("TM", visuals->Font[SMALL_FONT], 17.0f, 35.0f, JUSTIFY_RIGHT, 255, 255, 0,
                                      100, 100, 0);
    DrawWhiteText("2.1", SMALL_FONT, 3.0f, 460.0f, JUSTIFY_RIGHT);
    DrawWhiteText("100%", LARGE_FONT, 3.0f, 96.0f, JUSTIFY_RIGHT);
}

void Visuals::DrawTitleScreen()
{
    DrawMenuBackground(MENU_BACKGROUND_TRANSPARENCY);
    DrawTitleLogo();
    DrawBestScoreLine();
    DisplayAllButtonsOntoScreenBuffer();
    DrawWhiteText(MAKER_LINE, MENU_FONT, 0.0f, 420.0f, JUSTIFY_CENTER_SCREEN);
    DrawWhiteText(WEB_ADDRESS_LINE, MENU_FONT, 0.0f, 447.0f, JUSTIFY_CENTER_SCREEN);
    screens->ScreenBufferNeedsDisplay = 1;
}


static const float BUTTON_ONE_KEY_LINE_Y = 340.0f;
static const float BUTTON_TWO_KEY_LINE_Y = 370.0f;

static void DrawUserDefinedKeyLine(const char* format, char key, float y)
{
    snprintf(visuals->VariableText, VARIABLE_TEXT_SIZE, format, key);
    visuals->DrawTextOntoScreenBuffer(visuals->VariableText, visuals->Font[MENU_FONT], 0.0f, y,
                                      JUSTIFY_CENTER_SCREEN, 255, 255, 255, 0, 0, 0);
}

// The extra keys are shown only as a pair, as the set-up always asks for both.
static void DrawUserDefinedKeys()
{
    const char one = input->UserDefinedKeyButtonOne;
    const char two = input->UserDefinedKeyButtonTwo;
    if (one == NO_USER_DEFINED_KEY || two == NO_USER_DEFINED_KEY) return;
    DrawUserDefinedKeyLine("[%c] = User defined Button #1", one, BUTTON_ONE_KEY_LINE_Y);
    DrawUserDefinedKeyLine("[%c] = User defined Button #2", two, BUTTON_TWO_KEY_LINE_Y);
}

void Visuals::DrawHowToPlayScreen()
{
    DrawMenuBackground(MENU_BACKGROUND_TRANSPARENCY);
    Sprite& controls = visuals->Sprites[SPRITE_KEYBOARD_CONTROLS];
    controls.ScreenX = 320.0f;
    controls.ScreenY = 240.0f;
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_KEYBOARD_CONTROLS);
    DrawMenuHeading("HOW TO PLAY:");
    DrawUserDefinedKeys();
    DisplayAllButtonsOntoScreenBuffer();
    screens->ScreenBufferNeedsDisplay = 1;
}


// Columns of the table and its rows, 30 apart from the first rank.
static const float RANK_X = 1.0f;
static const float NAME_X = 37.0f;
static const float LEVEL_X = 420.0f;
static const float SCORE_X = 510.0f;
static const float COLUMN_HEADS_Y = 81.0f;
static const float FIRST_ROW_Y = 112.0f;
static const float ROW_SPACING = 30.0f;

struct TextColour
{
    unsigned char red, green, blue;
};
static const TextColour HEAD_COLOUR = {200, 200, 200};
static const TextColour ROW_COLOUR = {255, 255, 255};
static const TextColour LAST_GAME_COLOUR = {255, 0, 0};

static void DrawTableText(const char* text, float x, float y, const TextColour& colour)
{
    visuals->DrawTextOntoScreenBuffer(text, visuals->Font[MENU_FONT], x, y, JUSTIFY_LEFT, colour.red, colour.green,
                                      colour.blue, 1, 1, 1);
}

static void DrawColumnHeads()
{
    visuals->DrawTextOntoScreenBuffer("Top Heroes!", visuals->Font[MENU_FONT], 0.0f, 42.0f, JUSTIFY_CENTER_SCREEN,
                                      255, 255, 255, 0, 0, 0);
    DrawTableText("Name:", NAME_X, COLUMN_HEADS_Y, HEAD_COLOUR);
    DrawTableText("Level:", LEVEL_X, COLUMN_HEADS_Y, HEAD_COLOUR);
    DrawTableText("Score:", SCORE_X, COLUMN_HEADS_Y, HEAD_COLOUR);
}

// The rows of the last game stand out in red.
static void DrawTableRow(int mode, int rank)
{
    const float y = FIRST_ROW_Y + ROW_SPACING * rank;
    snprintf(visuals->VariableText, VARIABLE_TEXT_SIZE, "%d", rank + 1);
    DrawTableText(visuals->VariableText, RANK_X, y, HEAD_COLOUR);

    const uint8_t level = data->HighScoresLevel[mode][rank];
    const uint32_t score = data->HighScoresScore[mode][rank];
    const bool lastGame = score == logic->Score && level == logic->Level;
    const TextColour& colour = lastGame ? LAST_GAME_COLOUR : ROW_COLOUR;

    const char* name = data->HighScoresName[mode][rank];
    if (name[0] != '\0') DrawTableText(name, NAME_X, y, colour);
    if (level == WON_LEVEL)
        snprintf(visuals->VariableText, VARIABLE_TEXT_SIZE, "Won!");
    else
        snprintf(visuals->VariableText, VARIABLE_TEXT_SIZE, "%d", level);
    DrawTableText(visuals->VariableText, LEVEL_X, y, colour);
    snprintf(visuals->VariableText, VARIABLE_TEXT_SIZE, "%d", static_cast<int>(score));
    DrawTableText(visuals->VariableText, SCORE_X, y, colour);
}

void Visuals::DrawHighScoresScreen()
{
    const int mode = RULE_HOLDS(logic->GameMode < NUMBER_OF_GAME_MODES) ? logic->GameMode : 0;
    DrawMenuBackground(MENU_BACKGROUND_TRANSPARENCY);
    DrawMenuHeading("HIGH SCORES:");
    DrawColumnHeads();
    for (int rank = 0; rank < NUMBER_OF_HIGH_SCORES; rank++) DrawTableRow(mode, rank);
    DisplayAllButtonsOntoScreenBuffer();
    screens->ScreenBufferNeedsDisplay = 1;
}

// Volumes move in steps of 32 and wrap between 0 and the mixer's 128.
static const int32_t VOLUME_STEP = 32;
static const int32_t VOLUME_MAXIMUM = 128;
static const int NUMBER_OF_VOLUME_STEPS = 5;
static const char* const VOLUME_PERCENTAGES[NUMBER_OF_VOLUME_STEPS] = {"0%", "25%", "50%", "75%", "100%"};

static const float SETUP_PROMPT_Y = 214.0f;
static const float SETUP_QUIT_Y = 380.0f;
static const float SETUP_DEFAULTS_Y = 410.0f;

// A volume row's value stands 70 units in from the right edge.
static const float ROW_LABEL_X = 70.0f;
static const float ROW_VALUE_FROM_RIGHT = 70.0f;

// Keyboard set-up steps: 1 asks for button one's key, 2 for button two's.
static const char* const KEYBOARD_SETUP_PROMPTS[3] = {"", "Press key on keyboard for button one now!",
                                                      "Press key on keyboard for button two now!"};

static const char* const JOYSTICK_SETUP_PROMPTS[LAST_JOYSTICK_SETUP_STEP + 1] = {
    "",
    "Press [UP] on joystick #1 now!",
    "Press [DOWN] on joystick #1 now!",
    "Press [LEFT] on joystick #1 now!",
    "Press [RIGHT] on joystick #1 now!",
    "Press [BUTTON1] on joystick #1 now!",
    "Press [BUTTON2] on joystick #1 now!",
    "Press [UP] on joystick #2 now!",
    "Press [DOWN] on joystick #2 now!",
    "Press [LEFT] on joystick #2 now!",
    "Press [RIGHT] on joystick #2 now!",
    "Press [BUTTON1] on joystick #2 now!",
    "Press [BUTTON2] on joystick #2 now!",
};

static void DrawOptionsText(const char* text, float x, float y, unsigned char justification)
{
    visuals->DrawTextOntoScreenBuffer(text, visuals->Font[MENU_FONT], x, y, justification, 255, 255, 255, 0, 0, 0);
}

// A value that is not one of the five steps (from an edited options file) shows nothing.
static void DrawVolumeRow(const char* label, int32_t volume, float y)
{
    DrawOptionsText(label, ROW_LABEL_X, y, JUSTIFY_LEFT);
    if (volume < 0 || volume > VOLUME_MAXIMUM || volume % VOLUME_STEP != 0) return;
    DrawOptionsText(VOLUME_PERCENTAGES[volume / VOLUME_STEP], ROW_VALUE_FROM_RIGHT, y, JUSTIFY_RIGHT);
}

static void DrawOptionsMenu()
{
    visuals->DrawMenuBackground(MENU_BACKGROUND_TRANSPARENCY);
    visuals->DrawMenuHeading("OPTIONS:");
    visuals->DisplayAllButtonsOntoScreenBuffer();
    visuals->DisplayAllArrowSetsOntoScreenBuffer();
    DrawVolumeRow("Music Volume:", audio->MusicVolume, MUSIC_ROW_Y);
    DrawVolumeRow("Sound Effects Volume:", audio->SoundVolume, SOUND_ROW_Y);
    if (input->JoystickPlugged[0]) DrawOptionsText("Press [F1] On Keyboard To Setup Joystick(s)", 0.0f, 350.0f,
                                                  JUSTIFY_CENTER_SCREEN);
    DrawOptionsText("Press [F2] On Keyboard To Setup Keyboard", 0.0f, 385.0f, JUSTIFY_CENTER_SCREEN);
}

static void DrawSetupPrompt(const char* prompt, const char* quitLine, const char* defaultsLine)
{
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    Typeface* const font = visuals->Font[MENU_FONT];
    visuals->DrawTextOntoScreenBuffer(prompt, font, 0.0f, SETUP_PROMPT_Y, JUSTIFY_CENTER_SCREEN, 0, 255, 0, 1, 1, 1);
    visuals->DrawTextOntoScreenBuffer(quitLine, font, 0.0f, SETUP_QUIT_Y, JUSTIFY_CENTER_SCREEN, 200, 200, 200, 1, 1,
                                      1);
    visuals->DrawTextOntoScreenBuffer(defaultsLine, font, 0.0f, SETUP_DEFAULTS_Y, JUSTIFY_CENTER_SCREEN, 200, 200,
                                      200, 1, 1, 1);
}

void Visuals::DrawOptionsScreen()
{
    const int joystickStep = input->JoystickSetupProcess;
    const int keyboardStep = input->KeyboardSetupProcess;
    if (joystickStep > 0 && joystickStep <= LAST_JOYSTICK_SETUP_STEP)
        DrawSetupPrompt(JOYSTICK_SETUP_PROMPTS[joystickStep], "Press [F1] key on keyboard to quit setup.",
                        "(Will setup joystick(s) with default mappings.)");
    else if (keyboardStep == 1 || keyboardStep == 2)
        DrawSetupPrompt(KEYBOARD_SETUP_PROMPTS[keyboardStep], "Press [F2] key on keyboard to quit setup.",
                        "(Will setup keyboard with default mappings.)");
    else
        DrawOptionsMenu();
    screens->ScreenBufferNeedsDisplay = 1;
}

const float NAME_ENTRY_BACKGROUND_TRANSPARENCY = 0.6f;
const float NAME_Y = 182.0f;
const float GRID_COLUMN_SPACING = 45.0f;
static const float GRID_ROW_Y[NAME_GRID_ROWS] = {239.0f, 269.0f, 299.0f, 329.0f, 359.0f, 389.0f};

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
    visuals->DisplayAllButtonsOntoScreenBuffer();
}

void Visuals::DrawNameInputKeyboardScreen()
{
    DrawMenuBackground(NAME_ENTRY_BACKGROUND_TRANSPARENCY);
    DrawMenuHeading("NEW HIGH SCORE:");
    DrawCentredLine("You have achieved a new high score!", 80.0f);
    DrawCentredLine("Please enter your name using the keyboard:", 125.0f);
    DrawCentredLine("Press [Backspace] key on keyboard to erase.", 305.0f);
    DrawCentredLine("Press [Enter] key on keyboard when finished.", 345.0f);
    DrawNameAndButton();
    screens->ScreenBufferNeedsDisplay = 1;
}

static void DrawGridCell(const char* text, float x, float y, bool selected)
{
    const unsigned char green = selected ? 1 : 255;
    visuals->DrawTextOntoScreenBuffer(text, visuals->Font[MENU_FONT], x, y, JUSTIFY_CENTER_X, 255, green, green, 1, 1, 1);
}

static void DrawCharacterGrid()
{
    for (int row = 0; row < NAME_GRID_END_ROW; row++)
    {
        for (int column = 0; column < NAME_GRID_COLUMNS; column++)
        {
            const char character = NameGridCharacter(row, column);
            snprintf(visuals->VariableText, VARIABLE_TEXT_SIZE, "%c", character);
            DrawGridCell(visuals->VariableText, GRID_COLUMN_SPACING * (column + 1), GRID_ROW_Y[row],
                         character == data->NameInputJoyChar);
        }
    }
    DrawGridCell("END", 320.0f, GRID_ROW_Y[NAME_GRID_END_ROW], data->NameInputJoyCharY == NAME_GRID_END_ROW);
}

void Visuals::DrawNameInputJoystickScreen()
{
    DrawMenuBackground(NAME_ENTRY_BACKGROUND_TRANSPARENCY);
    DrawMenuHeading("NEW HIGH SCORE:");
    DrawCentredLine("Congratulations!", 50.0f);
    DrawCentredLine("You have achieved a new high score!", 80.0f);
    DrawCentredLine(logic->PlayerJoystick == 1 ? "Please enter your name using joystick #1:"
                                               : "Please enter your name using joystick #2:",
                    125.0f);
    DrawCharacterGrid();
    DrawNameAndButton();
    screens->ScreenBufferNeedsDisplay = 1;
}
