// The joysticks' D-pads as SDL 1.2 has them: most pads report theirs as hat 0.
#include <SDL.h>

#include "input/input.h"
#include "desktop/desktop.h"

// The D-pad's directions in the order two axes give them: up and down first,
// so a diagonal reads as its vertical part.
struct DPadDirection
{
    Uint8 HatMask;
    uint8_t Direction;
};

static const DPadDirection DPAD_DIRECTIONS[] = {
    {SDL_HAT_UP, UP}, {SDL_HAT_DOWN, DOWN}, {SDL_HAT_LEFT, LEFT}, {SDL_HAT_RIGHT, RIGHT}};

int Input::JoysticksListed()
{
    return SDL_NumJoysticks();
}

int Input::DPadsOf(int joystick) const
{
    SDL_Joystick* const device = JoystickDevice(joystick);
    return device ? SDL_JoystickNumHats(device) : 0;
}

// One without a hat reads as centred.
uint8_t Input::DirectionOfDPad(int joystick) const
{
    SDL_Joystick* const device = JoystickDevice(joystick);
    if (!device || JoystickNumberOfHats[joystick] < 1) return CENTER;
    const Uint8 hat = SDL_JoystickGetHat(device, 0);
    for (const DPadDirection& dpad : DPAD_DIRECTIONS)
    {
        if (hat & dpad.HatMask) return dpad.Direction;
    }
    return CENTER;
}
