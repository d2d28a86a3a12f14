#include "input/input.h"

#include <stdio.h>

Input* input = nullptr;

Input::Input()
{
    ClearThisFramesInput();
    QueuedEvents = FrameInput{};
    WindowLostFocus = 0;
    PollsWithoutFocus = 0;
    PointerWindowWidth = 0;
    PointerWindowHeight = 0;
    OpenJoysticks();

    SetDefaultJoystickMappings();
    JoystickSetupProcess = 0;
    KeyboardSetupProcess = 0;
    UserDefinedKeyButtonOne = NO_USER_DEFINED_KEY;
    UserDefinedKeyButtonTwo = NO_USER_DEFINED_KEY;
    DelayAllUserInput = -1;

    for (int source = 0; source < NUMBER_OF_INPUT_SOURCES; source++)
    {
        JoystickButtonOneHeld[source] = 0;
        JoystickButtonTwoHeld[source] = 0;
    }
    for (uint8_t& held : MouseButtonHeld) held = 0;
    for (int32_t& x : PressX) x = 0;
    for (int32_t& y : PressY) y = 0;
    MouseX = 0;
    MouseY = 0;
}

Input::~Input()
{
    CloseJoysticks();
}

// Opens the sticks plugged in now; whoever opened them before closes them first.
void Input::OpenJoysticks()
{
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        JoystickPlugged[joystick] = 0;
        JoystickDevice[joystick] = nullptr;
        JoystickNumberOfButtons[joystick] = 0;
        JoystickNumberOfAxes[joystick] = 0;
        JoystickNumberOfHats[joystick] = 0;
    }

    const int joysticksPlugged = SDL_NumJoysticks();
    if (joysticksPlugged <= 0) printf("No USB joysticks are plugged in\n");
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS && joystick < joysticksPlugged; joystick++)
    {
        JoystickDevice[joystick] = SDL_JoystickOpen(joystick);
        if (!JoystickDevice[joystick])
        {
            printf("ERROR: SDL could not open joystick %i: %s\n", joystick, SDL_GetError());
            continue;
        }
        JoystickNumberOfButtons[joystick] = SDL_JoystickNumButtons(JoystickDevice[joystick]);
        JoystickNumberOfAxes[joystick] = SDL_JoystickNumAxes(JoystickDevice[joystick]);
        JoystickNumberOfHats[joystick] = SDL_JoystickNumHats(JoystickDevice[joystick]);
        JoystickPlugged[joystick] = 1;
        printf("SDL Joystick %i initialized\n", joystick);
    }
}

void Input::CloseJoysticks()
{
    for (SDL_Joystick*& device : JoystickDevice)
    {
        if (device) SDL_JoystickClose(device);
        device = nullptr;
    }
}

// Vertical axis for up and down, horizontal axis for left and right,
// buttons 0 and 1 for the two actions.
void Input::SetDefaultJoystickMappings()
{
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        JoyMapUP[joystick] = 2;
        JoyMapDOWN[joystick] = 2;
        JoyMapLEFT[joystick] = 1;
        JoyMapRIGHT[joystick] = 1;
        JoyMapButtonOne[joystick] = 9;
        JoyMapButtonTwo[joystick] = 10;
    }
}

bool Input::ControlIsAxis(uint8_t code) const
{
    return code <= CONTROL_CODE_LAST_AXIS;
}

// A code from a damaged options file (0, or beyond this joystick) reads as centred.
Sint16 Input::AxisOfControl(int joystick, uint8_t code) const
{
    if (!JoystickDevice[joystick]) return 0;
    if (code == CONTROL_CODE_NONE || code > JoystickNumberOfAxes[joystick]) return 0;
    return SDL_JoystickGetAxis(JoystickDevice[joystick], code - 1);
}

// A code beyond this joystick's buttons reads as not pressed.
bool Input::ButtonOfControlDown(int joystick, uint8_t code) const
{
    if (!JoystickDevice[joystick]) return false;
    if (code < CONTROL_CODE_FIRST_BUTTON) return false;
    const int button = code - CONTROL_CODE_FIRST_BUTTON;
    if (button >= JoystickNumberOfButtons[joystick]) return false;
    return SDL_JoystickGetButton(JoystickDevice[joystick], button) != 0;
}

// The D-pad's directions in the order two axes give them: up and down first,
// so a diagonal reads as its vertical part.
struct DPadDirection
{
    Uint8 HatMask;
    uint8_t Direction;
};

static const DPadDirection DPAD_DIRECTIONS[] = {
    {SDL_HAT_UP, UP}, {SDL_HAT_DOWN, DOWN}, {SDL_HAT_LEFT, LEFT}, {SDL_HAT_RIGHT, RIGHT}};

// Most pads report their D-pad as hat 0; one without a hat reads as centred.
uint8_t Input::DirectionOfDPad(int joystick) const
{
    if (!JoystickDevice[joystick] || JoystickNumberOfHats[joystick] < 1) return CENTER;
    const Uint8 hat = SDL_JoystickGetHat(JoystickDevice[joystick], 0);
    for (const DPadDirection& dpad : DPAD_DIRECTIONS)
    {
        if (hat & dpad.HatMask) return dpad.Direction;
    }
    return CENTER;
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

    Sint16 horizontal = 0;
    if (ControlIsAxis(JoyMapLEFT[joystick]))
        horizontal = AxisOfControl(joystick, JoyMapLEFT[joystick]);
    else if (ButtonOfControlDown(joystick, JoyMapLEFT[joystick]))
        direction = LEFT;
    else if (ButtonOfControlDown(joystick, JoyMapRIGHT[joystick]))
        direction = RIGHT;

    bool verticalDecided = false;
    if (ControlIsAxis(JoyMapUP[joystick]))
    {
        const Sint16 vertical = AxisOfControl(joystick, JoyMapUP[joystick]);
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
    SDL_Joystick* const device = JoystickDevice[joystick];
    for (int axis = 0; axis < JoystickNumberOfAxes[joystick]; axis++)
    {
        const Sint16 value = SDL_JoystickGetAxis(device, axis);
        if (value <= -JOYSTICK_AXIS_THRESHOLD || value >= JOYSTICK_AXIS_THRESHOLD) return axis + 1;
    }
    for (int button = 0; button < JoystickNumberOfButtons[joystick]; button++)
    {
        if (SDL_JoystickGetButton(device, button)) return button + CONTROL_CODE_FIRST_BUTTON;
    }
    return CONTROL_CODE_NONE;
}

// The answer was read with the frame's input; a pause of more than this
// frame keeps it from the set-up.
uint8_t Input::QueryJoysticksForAction(uint8_t joystick)
{
    if (DelayAllUserInput > 0) return CONTROL_CODE_NONE;
    if (joystick >= NUMBER_OF_JOYSTICKS || !JoystickPlugged[joystick]) return CONTROL_CODE_NONE;
    return ControlMoved[joystick];
}

// The joysticks of a recorded session, plugged in or not here; the real
// ones are never read.
void Input::UseJoysticksOfShapes(const JoystickShape shapes[NUMBER_OF_JOYSTICKS], const uint8_t plugged[NUMBER_OF_JOYSTICKS])
{
    CloseJoysticks();
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        JoystickPlugged[joystick] = plugged[joystick];
        JoystickNumberOfAxes[joystick] = shapes[joystick].Axes;
        JoystickNumberOfButtons[joystick] = shapes[joystick].Buttons;
        JoystickNumberOfHats[joystick] = shapes[joystick].Hats;
    }
}
