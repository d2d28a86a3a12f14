#include "screens/screens.h"

#include "input/input.h"
#include "interface/interface.h"

static const float BACK_BUTTON_X = 320.0f;
static const float BACK_BUTTON_Y = 458.0f;

void Screens::EnterScreenWithBackButton()
{
    ScreenTransitionStatus = FADE_IN;
    ScreenFadeTransparency = 1.0f;
    interface->CreateButton(BUTTON_BACK, 0, BACK_BUTTON_X, BACK_BUTTON_Y);
    interface->CurrentlySelectedButton = 0;
    interface->CurrentlySelectedArrowSet = 0;
}

void Screens::LeaveScreenBackToTitle()
{
    if (interface->CurrentlySelectedButton == 0)
    {
        ScreenToDisplay = TITLE_SCREEN;
        input->DelayAllUserInput = INPUT_DELAY_AFTER_SCREEN_CHANGE;
    }
    interface->DestroyAllButtons();
    interface->DestroyAllArrowSets();
    ScreenTransitionStatus = FADE_ALL;
}

// Polls that read nothing after a press: the first that applies, from the
// last the widgets made (a move of the selection comes after a press).
struct PressPause
{
    uint8_t News;
    int32_t Polls;
};
static const PressPause PRESS_PAUSES[] = {
    {MENU_SELECTION_MOVED, 10},
    {MENU_ARROW_PRESSED, 15},
    {MENU_BUTTON_PRESSED, 22},
};

void Screens::TakeMenuNews(uint8_t news)
{
    if (news & MENU_CHANGED) ScreenIsDirty = 1;
    if (news & MENU_CHOSEN) ScreenTransitionStatus = FADE_OUT;
    for (const PressPause& pause : PRESS_PAUSES)
    {
        if (!(news & pause.News)) continue;
        input->DelayAllUserInput = pause.Polls;
        return;
    }
}

void Screens::RedrawWithButtons()
{
    interface->PlaceSelectors();
    RedrawThisFrame();
}
