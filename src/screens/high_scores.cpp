#include "screens/screens.h"

#include <stdio.h>

#include "audio/audio.h"
#include "checks.h"
#include "data/data.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "visuals/visuals.h"

static const float MENU_BACKGROUND_TRANSPARENCY = 0.75f;

// Columns of the table and its rows, 30 apart from the first rank.
static const float RANK_X = 1.0f;
static const float NAME_X = 37.0f;
static const float LEVEL_X = 420.0f;
static const float SCORE_X = 510.0f;
static const float COLUMN_HEADS_Y = 81.0f;
static const float FIRST_ROW_Y = 112.0f;
static const float ROW_SPACING = 30.0f;

static const int32_t INPUT_DELAY_AFTER_CLEAR = 10;

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

static void RedrawHighScoresScreen()
{
    const int mode = RULE_HOLDS(logic->GameMode < NUMBER_OF_GAME_MODES) ? logic->GameMode : 0;
    screens->DrawMenuBackground(MENU_BACKGROUND_TRANSPARENCY);
    screens->DrawMenuHeading("HIGH SCORES:");
    DrawColumnHeads();
    for (int rank = 0; rank < NUMBER_OF_HIGH_SCORES; rank++) DrawTableRow(mode, rank);
    interface->DisplayAllButtonsOntoScreenBuffer();
    screens->ScreenIsDirty = 0;
    screens->ScreenBufferNeedsDisplay = 1;
}

// 'c' puts the default tables back, in all four game modes.
static void ClearTablesWhenAsked()
{
    if (input->KeyOnKeyboardPressedByUser != 'c') return;
    data->ClearHighScores();
    input->DelayAllUserInput = INPUT_DELAY_AFTER_CLEAR;
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    screens->ScreenIsDirty = 1;
}

void Screens::DisplayHighScoresScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) EnterScreenWithBackButton();
    if (ScreenIsDirty) RedrawHighScoresScreen();
    interface->ProcessAllButtonsOnScreen();
    ClearTablesWhenAsked();
    if (ScreenHasFadedOut()) LeaveScreenBackToTitle();
}
