#include "screens/screens.h"

#include "audio/audio.h"
#include "input/input.h"

const float FADE_STEP = 0.2f;             // overlay opacity per frame
const float FADED_OUT_OPACITY = 0.9f;     // above this a fading screen counts as covered
const int16_t NO_SCREEN_DISPLAY_TIMER = -1;

static bool SkipWasPressed()
{
    return screens->Command.Click[0] || screens->Command.ButtonOne[INPUT_ALL] == 1 ||
           screens->Command.Key == '_';
}

// The logo screens' display time: counted down, cut short by a skip press.
static void RunScreenDisplayTimer(Screens& screen)
{
    if (screen.ScreenDisplayTimer > 0) screen.ScreenDisplayTimer--;

    if (screen.ScreenDisplayTimer > 0 && SkipWasPressed())
    {
        screen.ScreenDisplayTimer = 0;
        audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    }

    if (screen.ScreenDisplayTimer != 0) return;
    screen.ScreenTransitionStatus = FADE_OUT;
    screen.ScreenDisplayTimer = NO_SCREEN_DISPLAY_TIMER;
}

static void AdvanceFade(Screens& screen)
{
    if (screen.ScreenTransitionStatus == FADE_IN)
    {
        if (screen.ScreenFadeTransparency > 0.0f)
            screen.ScreenFadeTransparency -= FADE_STEP;
        else
        {
            screen.ScreenFadeTransparency = 0.0f;
            screen.ScreenTransitionStatus = FADE_NONE;
        }
    }
    else if (screen.ScreenTransitionStatus == FADE_OUT)
    {
        if (screen.ScreenFadeTransparency < 1.0f)
            screen.ScreenFadeTransparency += FADE_STEP;
        else
        {
            screen.ScreenFadeTransparency = 1.0f;
            screen.ScreenTransitionStatus = FADE_ALL;
        }
    }
}

void Screens::ApplyScreenFadeTransition()
{
    if (ScreenTransitionStatus == FADE_NONE)
    {
        RunScreenDisplayTimer(*this);
        return;
    }

    AdvanceFade(*this);
    // The overlay is blended onto the picture, so the next needs a clean one.
    ScreenIsDirty = 1;
}

bool Screens::ScreenHasFadedOut() const
{
    return ScreenTransitionStatus == FADE_OUT && ScreenFadeTransparency > FADED_OUT_OPACITY;
}
