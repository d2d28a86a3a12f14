#include "screens/screens.h"

#include "audio/audio.h"
#include "game/game.h"
#include "input/input.h"

const int16_t SPONSOR_LOGO_FRAMES = 300;
// The sponsor screen leaves this in the timer; the maker screen takes it as its entry.
const int16_t MAKER_SCREEN_ENTRY_TIMER = 450;
const int16_t MAKER_LOGO_FRAMES = 449;
const int16_t NO_LOGO_TIMER = -1;
const int32_t INPUT_DELAY_AFTER_DEBUG_SWITCH = 20;  // frames

// 'd' toggles the debug overlay between off and on.
static void ProcessDebugSwitch(Screens& screen)
{
    if (screens->Command.Key == 'd')
    {
        game->DebugOn++;
        audio->PlayDigitalSoundFX(SFX_CLICK, 0);
        input->DelayAllUserInput = INPUT_DELAY_AFTER_DEBUG_SWITCH;
        screen.ScreenIsDirty = 1;
        screen.ScreenRedrawDue = 1;  // the overlay comes or goes at once
    }
    if (game->DebugOn > 1) game->DebugOn = 0;
}

// Each redraw sets the display time back, so it runs only once the fade-in is over.
void Screens::RunSponsorScreen()
{
    if (ScreenIsDirty)
    {
        ScreenDisplayTimer = SPONSOR_LOGO_FRAMES;
        RedrawThisFrame();
    }

    if (ScreenTransitionStatus != FADE_ALL) return;
    ScreenToDisplay = BRICKWELL_SCREEN;
    ScreenDisplayTimer = MAKER_SCREEN_ENTRY_TIMER;
    ScreenIsDirty = 1;
}

void Screens::RunBrickwellScreen()
{
    if (ScreenDisplayTimer == MAKER_SCREEN_ENTRY_TIMER)
    {
        ScreenTransitionStatus = FADE_IN;
        ScreenDisplayTimer = MAKER_LOGO_FRAMES;
    }

    if (ScreenIsDirty) RedrawThisFrame();
    ProcessDebugSwitch(*this);

    if (ScreenTransitionStatus != FADE_ALL) return;
    ScreenToDisplay = TITLE_SCREEN;
    // Left by Escape the timer may still run; no later screen may skip or time out by it.
    ScreenDisplayTimer = NO_LOGO_TIMER;
}
