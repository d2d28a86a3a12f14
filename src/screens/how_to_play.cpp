#include "screens/screens.h"

#include <stdio.h>

#include "input/input.h"
#include "interface/interface.h"
#include "visuals/visuals.h"

static const float MENU_BACKGROUND_TRANSPARENCY = 0.75f;
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

static void RedrawHowToPlayScreen()
{
    screens->DrawMenuBackground(MENU_BACKGROUND_TRANSPARENCY);
    Sprite& controls = visuals->Sprites[SPRITE_KEYBOARD_CONTROLS];
    controls.ScreenX = 320.0f;
    controls.ScreenY = 240.0f;
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_KEYBOARD_CONTROLS);
    screens->DrawMenuHeading("HOW TO PLAY:");
    DrawUserDefinedKeys();
    interface->DisplayAllButtonsOntoScreenBuffer();
    screens->ScreenIsDirty = 0;
    screens->ScreenBufferNeedsDisplay = 1;
}

void Screens::DisplayHowToPlayScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) EnterScreenWithBackButton();
    if (ScreenIsDirty) RedrawHowToPlayScreen();
    interface->ProcessAllButtonsOnScreen();
    if (ScreenHasFadedOut()) LeaveScreenBackToTitle();
}
