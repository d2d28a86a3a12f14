#include "input/input.h"

#include <stdio.h>

Input* input = nullptr;

Input::Input()
{
    for (uint8_t& moved : ControlMoved) moved = CONTROL_CODE_NONE;
    QueuedEvents = FrameInput{};
    WindowLostFocus = 0;
    PollsWithoutFocus = 0;
    PointerWindowWidth = 0;
    PointerWindowHeight = 0;
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        JoystickPlugged[joystick] = 0;
        JoystickNumberOfButtons[joystick] = 0;
        JoystickNumberOfAxes[joystick] = 0;
        JoystickNumberOfHats[joystick] = 0;
    }

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
