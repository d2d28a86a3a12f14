#include "screens/screens.h"

#include "interface/interface.h"

void Screens::RunHowToPlayScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) EnterScreenWithBackButton();
    if (ScreenIsDirty) RedrawWithButtons();
    TakeMenuNews(interface->ProcessAllButtonsOnScreen(Command, EVERY_KEY_CONFIRMS));
    if (ScreenHasFadedOut()) LeaveScreenBackToTitle();
}
