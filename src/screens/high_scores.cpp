#include "screens/screens.h"

#include "audio/audio.h"
#include "data/data.h"
#include "input/input.h"
#include "interface/interface.h"

static const int32_t INPUT_DELAY_AFTER_CLEAR = 10;

// 'c' puts the default tables back, in all four game modes.
static void ClearTablesWhenAsked()
{
    if (screens->Command.Key != 'c') return;
    data->ClearHighScores();
    input->DelayAllUserInput = INPUT_DELAY_AFTER_CLEAR;
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    screens->ScreenIsDirty = 1;
}

void Screens::RunHighScoresScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) EnterScreenWithBackButton();
    if (ScreenIsDirty) RedrawWithButtons();
    TakeMenuNews(interface->ProcessAllButtonsOnScreen(Command, EVERY_KEY_CONFIRMS));
    ClearTablesWhenAsked();
    if (ScreenHasFadedOut()) LeaveScreenBackToTitle();
}
