#ifndef WOBBLER_SCREEN_FIXTURE_H
#define WOBBLER_SCREEN_FIXTURE_H

#include "screens/screens.h"
#include "support/window_fixture.h"

// A real window with the objects every screen reaches: Game, Visuals, Input,
// Audio (on the mixer's real device) and Screens.
class ScreenTest : public WindowTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // One frame as the main loop runs it: the screen's method, then the fade.
    void RunFrame(void (Screens::*screenMethod)());

    // The input of one frame, as polling would leave it.
    void PressNothing();
    void PressKey(char translatedKey);
};

// Keeps the mixer from advancing, so that even a short effect is still
// playing when the test looks.
class HeldMixer
{
public:
    HeldMixer();
    ~HeldMixer();
};

#endif
