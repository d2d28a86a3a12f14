#include "screens/screens.h"

Screens* screens = nullptr;

// How long the sponsor logo waits before its first redraw sets the real time.
const int16_t STARTING_SCREEN_DISPLAY_TIMER = 450;

Screens::Screens()
{
    ScreenFadeTransparency = 1.0f;
    ScreenTransitionStatus = FADE_IN;
    ScreenToDisplay = SPONSOR_SCREEN;
    ScreenExitedWithEscapeKey = 0;
    ScreenIsDirty = 1;
    ScreenBufferNeedsDisplay = 0;
    SceneAnimationStage = 0;
    ScreenDisplayTimer = STARTING_SCREEN_DISPLAY_TIMER;
}

Screens::~Screens()
{
}
