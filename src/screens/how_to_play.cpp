#include "screens/screens.h"

#include "interface/interface.h"

void Screens::RunHowToPlayScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) EnterScreenWithBackButton();
    if (ScreenIsDirty) RedrawWithButtons();
    interface->ProcessAllButtonsOnScreen();
    if (ScreenHasFadedOut()) LeaveScreenBackToTitle();
}
