// The joysticks as SDL has them: opened, read by their state every frame,
// their events switched off. Which pads are listed, and where their D-pads
// are, is each platform's own (pads.cpp).
#include <stdio.h>

#include <SDL.h>

#include "input/input.h"
#include "desktop/desktop.h"

static SDL_Joystick* OpenedJoystick[NUMBER_OF_JOYSTICKS];

bool JoystickDeviceOpen(int joystick)
{
    return joystick >= 0 && joystick < NUMBER_OF_JOYSTICKS && OpenedJoystick[joystick] != nullptr;
}

SDL_Joystick* JoystickDevice(int joystick)
{
    return JoystickDeviceOpen(joystick) ? OpenedJoystick[joystick] : nullptr;
}

// The sticks are read by their state each frame: their events would only
// fill SDL's queue, which drops the newest event, a key among them, when
// full. Classic SDL's switch empties the queue through SDL_PollEvent, which
// first fetches all the display has sent, so it is made as SDL starts,
// before the window opens, when there is nothing yet to lose.
void Input::IgnoreJoystickEvents()
{
    SDL_JoystickEventState(SDL_IGNORE);
}

// Opens the sticks plugged in now; whoever opened them before closes them first.
void Input::OpenJoysticks()
{
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        JoystickPlugged[joystick] = 0;
        OpenedJoystick[joystick] = nullptr;
        JoystickNumberOfButtons[joystick] = 0;
        JoystickNumberOfAxes[joystick] = 0;
        JoystickNumberOfHats[joystick] = 0;
    }

    const int joysticksPlugged = JoysticksListed();
    if (joysticksPlugged <= 0) printf("No USB joysticks are plugged in\n");
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS && joystick < joysticksPlugged; joystick++)
    {
        OpenedJoystick[joystick] = SDL_JoystickOpen(joystick);
        if (!OpenedJoystick[joystick])
        {
            printf("ERROR: SDL could not open joystick %i: %s\n", joystick, SDL_GetError());
            continue;
        }
        JoystickNumberOfButtons[joystick] = SDL_JoystickNumButtons(OpenedJoystick[joystick]);
        JoystickNumberOfAxes[joystick] = SDL_JoystickNumAxes(OpenedJoystick[joystick]);
        JoystickNumberOfHats[joystick] = DPadsOf(joystick);
        JoystickPlugged[joystick] = 1;
        printf("SDL Joystick %i initialized\n", joystick);
    }
}

void Input::CloseJoysticks()
{
    for (SDL_Joystick*& device : OpenedJoystick)
    {
        if (device) SDL_JoystickClose(device);
        device = nullptr;
    }
}

bool Input::ControlIsAxis(uint8_t code) const
{
    return code <= CONTROL_CODE_LAST_AXIS;
}

// A code from a damaged options file (0, or beyond this joystick) reads as centred.
int16_t Input::AxisOfControl(int joystick, uint8_t code) const
{
    if (!OpenedJoystick[joystick]) return 0;
    if (code == CONTROL_CODE_NONE || code > JoystickNumberOfAxes[joystick]) return 0;
    return SDL_JoystickGetAxis(OpenedJoystick[joystick], code - 1);
}

// A code beyond this joystick's buttons reads as not pressed.
bool Input::ButtonOfControlDown(int joystick, uint8_t code) const
{
    if (!OpenedJoystick[joystick]) return false;
    if (code < CONTROL_CODE_FIRST_BUTTON) return false;
    const int button = code - CONTROL_CODE_FIRST_BUTTON;
    if (button >= JoystickNumberOfButtons[joystick]) return false;
    return SDL_JoystickGetButton(OpenedJoystick[joystick], button) != 0;
}

// An action mapped to an axis acts only on the axis' negative side.
static bool ActionControlPressed(const Input& reader, int joystick, uint8_t code)
{
    if (reader.ControlIsAxis(code)) return reader.AxisOfControl(joystick, code) <= -JOYSTICK_AXIS_THRESHOLD;
    return reader.ButtonOfControlDown(joystick, code);
}

// Vertical beats horizontal when both are axes; up/down buttons beat
// left/right buttons; a horizontal axis beats up/down buttons. The D-pad
// counts where the mapped controls are all centred.
void Input::ReadJoystick(int joystick, FrameInput& read)
{
    const int source = joystick + 1;
    uint8_t& direction = read.Direction[source];

    int16_t horizontal = 0;
    if (ControlIsAxis(JoyMapLEFT[joystick]))
        horizontal = AxisOfControl(joystick, JoyMapLEFT[joystick]);
    else if (ButtonOfControlDown(joystick, JoyMapLEFT[joystick]))
        direction = LEFT;
    else if (ButtonOfControlDown(joystick, JoyMapRIGHT[joystick]))
        direction = RIGHT;

    bool verticalDecided = false;
    if (ControlIsAxis(JoyMapUP[joystick]))
    {
        const int16_t vertical = AxisOfControl(joystick, JoyMapUP[joystick]);
        if (vertical <= -JOYSTICK_AXIS_THRESHOLD) direction = UP;
        if (vertical >= JOYSTICK_AXIS_THRESHOLD) direction = DOWN;
        verticalDecided = vertical <= -JOYSTICK_AXIS_THRESHOLD || vertical >= JOYSTICK_AXIS_THRESHOLD;
    }
    else if (ButtonOfControlDown(joystick, JoyMapUP[joystick]))
        direction = UP;
    else if (ButtonOfControlDown(joystick, JoyMapDOWN[joystick]))
        direction = DOWN;

    if (!verticalDecided && horizontal <= -JOYSTICK_AXIS_THRESHOLD) direction = LEFT;
    if (!verticalDecided && horizontal >= JOYSTICK_AXIS_THRESHOLD) direction = RIGHT;
    if (direction == CENTER) direction = DirectionOfDPad(joystick);

    if (ActionControlPressed(*this, joystick, JoyMapButtonOne[joystick])) read.ButtonOne[source] = 1;
    if (ActionControlPressed(*this, joystick, JoyMapButtonTwo[joystick])) read.ButtonTwo[source] = 1;
}

// The control the player is moving now, axes before buttons, lowest first:
// the joystick set-up's answer.
uint8_t Input::ControlMovedNow(int joystick) const
{
    SDL_Joystick* const device = OpenedJoystick[joystick];
    for (int axis = 0; axis < JoystickNumberOfAxes[joystick]; axis++)
    {
        const int16_t value = SDL_JoystickGetAxis(device, axis);
        if (value <= -JOYSTICK_AXIS_THRESHOLD || value >= JOYSTICK_AXIS_THRESHOLD) return axis + 1;
    }
    for (int button = 0; button < JoystickNumberOfButtons[joystick]; button++)
    {
        if (SDL_JoystickGetButton(device, button)) return button + CONTROL_CODE_FIRST_BUTTON;
    }
    return CONTROL_CODE_NONE;
}

