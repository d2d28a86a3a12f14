#include "screens/screens.h"

#include <stdio.h>

#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "platform/platform.h"
#include "visuals/visuals.h"

// Where each menu button sits and where it leads; "Exit" leads out of the game.
struct TitleButton
{
    int image;
    float y;
    uint8_t nextScreen;
};

static const uint8_t QUIT_GAME = 255;
static const int NUMBER_OF_TITLE_BUTTONS = 6;
static const float TITLE_BUTTON_X = 320.0f;
static const TitleButton TITLE_BUTTONS[NUMBER_OF_TITLE_BUTTONS] = {
    {BUTTON_START, 196.0f, OPENING_SCENE_SCREEN}, {BUTTON_OPTIONS, 238.0f, OPTIONS_SCREEN},
    {BUTTON_HOW_TO_PLAY, 280.0f, HOW_TO_PLAY_SCREEN}, {BUTTON_HIGH_SCORES, 322.0f, HIGH_SCORES_SCREEN},
    {BUTTON_ABOUT, 364.0f, ABOUT_SCREEN}, {BUTTON_EXIT, 406.0f, QUIT_GAME},
};

static const float TEXT_LOGO_Y = 74.0f;
static const float MENU_BACKGROUND_TRANSPARENCY = 0.75f;

static const char MAKER_LINE[] = "(C) 2026 Brickwell Games";
static const char WEB_ADDRESS_LINE[] = "www.brickwell-games.example";

static void EnterTitleScreen()
{
    screens->ScreenTransitionStatus = FADE_IN;
    screens->ScreenFadeTransparency = 1.0f;
    for (int index = 0; index < NUMBER_OF_TITLE_BUTTONS; index++)
        interface->CreateButton(TITLE_BUTTONS[index].image, index, TITLE_BUTTON_X, TITLE_BUTTONS[index].y);
    interface->CurrentlySelectedButton = 0;
    logic->PlayerJoystick = 0;
    screens->ScreenExitedWithEscapeKey = 0;
    // What a game left free in the heap need not stay with the menus.
    ReturnFreeMemoryToTheSystem();
}

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

static void RedrawTitleScreen()
{
    screens->DrawMenuBackground(MENU_BACKGROUND_TRANSPARENCY);
    DrawTitleLogo();
    DrawBestScoreLine();
    interface->DisplayAllButtonsOntoScreenBuffer();
    DrawWhiteText(MAKER_LINE, MENU_FONT, 0.0f, 420.0f, JUSTIFY_CENTER_SCREEN);
    DrawWhiteText(WEB_ADDRESS_LINE, MENU_FONT, 0.0f, 447.0f, JUSTIFY_CENTER_SCREEN);
    screens->ScreenIsDirty = 0;
    screens->ScreenBufferNeedsDisplay = 1;
}

// The joystick whose button one was pressed last here enters the name later.
static void DetectPlayerDevice()
{
    if (input->JoystickButtonOne[INPUT_JOYSTICK_ONE] == 1)
        logic->PlayerJoystick = 1;
    else if (input->JoystickButtonOne[INPUT_JOYSTICK_TWO] == 1)
        logic->PlayerJoystick = 2;
}

static void LeaveTitleScreen()
{
    const int chosen = interface->CurrentlySelectedButton;
    if (chosen >= 0 && chosen < NUMBER_OF_TITLE_BUTTONS)
    {
        const uint8_t next = TITLE_BUTTONS[chosen].nextScreen;
        if (next == QUIT_GAME)
        {
            input->KeyOnKeyboardPressedByUser = '~';
        }
        else
        {
            screens->ScreenToDisplay = next;
            input->DelayAllUserInput = INPUT_DELAY_AFTER_SCREEN_CHANGE;
        }
    }
    interface->DestroyAllButtons();
    screens->ScreenTransitionStatus = FADE_ALL;
}

void Screens::DisplayTitleScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) EnterTitleScreen();
    if (ScreenIsDirty) RedrawTitleScreen();
    interface->ProcessAllButtonsOnScreen();
    DetectPlayerDevice();
    if (ScreenHasFadedOut()) LeaveTitleScreen();
}
