#include "screens/screens.h"

#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "platform/platform.h"

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

// The joystick whose button one was pressed last here enters the name later.
static void DetectPlayerDevice()
{
    if (screens->Command.ButtonOne[INPUT_JOYSTICK_ONE] == 1)
        logic->PlayerJoystick = 1;
    else if (screens->Command.ButtonOne[INPUT_JOYSTICK_TWO] == 1)
        logic->PlayerJoystick = 2;
}

// True when the button chosen quits the game.
static bool LeaveTitleScreen()
{
    const int chosen = interface->CurrentlySelectedButton;
    interface->DestroyAllButtons();
    screens->ScreenTransitionStatus = FADE_ALL;
    if (chosen < 0 || chosen >= NUMBER_OF_TITLE_BUTTONS) return false;
    const uint8_t next = TITLE_BUTTONS[chosen].nextScreen;
    if (next == QUIT_GAME) return true;
    screens->ScreenToDisplay = next;
    input->DelayAllUserInput = INPUT_DELAY_AFTER_SCREEN_CHANGE;
    return false;
}

void Screens::RunTitleScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) EnterTitleScreen();
    if (ScreenIsDirty) RedrawWithButtons();
    TakeMenuNews(interface->ProcessAllButtonsOnScreen(Command, EVERY_KEY_CONFIRMS));
    DetectPlayerDevice();
    if (ScreenHasFadedOut() && LeaveTitleScreen()) QuitChosen = 1;
}
