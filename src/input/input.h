#ifndef WOBBLER_INPUT_H
#define WOBBLER_INPUT_H

#include <stdint.h>

#include <SDL.h>

// Directions shared by input, gameplay and screens.
enum
{
    CENTER = 0,
    UP = 1,
    RIGHT = 3,
    DOWN = 5,
    LEFT = 7
};

// Source index of the per-source input arrays.
enum
{
    INPUT_KEYBOARD = 0,
    INPUT_JOYSTICK_ONE = 1,
    INPUT_JOYSTICK_TWO = 2,
    INPUT_ALL = 3
};

const int NUMBER_OF_INPUT_SOURCES = 4;
const int NUMBER_OF_JOYSTICKS = 2;

// An axis counts as pushed from this far out on either side.
const int JOYSTICK_AXIS_THRESHOLD = 16384;

// Joystick control codes: 0 nothing, 1..8 axis + 1, 9 and up button + 9.
const uint8_t CONTROL_CODE_NONE = 0;
const uint8_t CONTROL_CODE_LAST_AXIS = 8;
const uint8_t CONTROL_CODE_FIRST_BUTTON = 9;

// The extra keyboard keys read '^' when none is set.
const char NO_USER_DEFINED_KEY = '^';

// Turns keyboard, mouse and joysticks into one small input state per frame.
class Input
{
public:
    Input();
    virtual ~Input();

    SDL_Event InputEvent;
    char KeyOnKeyboardPressedByUser;
    uint8_t JoystickDirection[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonOne[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonTwo[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonOneHeld[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonTwoHeld[NUMBER_OF_INPUT_SOURCES];
    SDL_Joystick* JoystickDevice[NUMBER_OF_JOYSTICKS];
    int32_t JoystickNumberOfButtons[NUMBER_OF_JOYSTICKS];
    int32_t JoystickNumberOfAxes[NUMBER_OF_JOYSTICKS];
    int32_t JoystickNumberOfHats[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapUP[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapDOWN[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapLEFT[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapRIGHT[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapButtonOne[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapButtonTwo[NUMBER_OF_JOYSTICKS];
    int32_t JoystickSetupProcess;
    int32_t KeyboardSetupProcess;
    char UserDefinedKeyButtonOne;
    char UserDefinedKeyButtonTwo;
    uint8_t MouseButtonPressed[2];
    uint8_t MouseButtonHeld[2];
    int32_t MouseX;
    int32_t MouseY;
    int32_t DelayAllUserInput;
    uint8_t WindowLostFocus;  // the window lost the input focus or was minimised in this poll

    // polling.cpp
    void GetAllUserInput();
    void ClearThisFramesInput();
    bool HandleQueuedEvents(bool shiftHeld);
    void PressKeyboardActionButtons();
    void ReadKeyboardArrows();
    void ReadMousePosition();
    void ReadMouseClicks();
    void MergeAllSources();

    // keys.cpp
    void TranslateKeyPress(SDLKey key, bool shiftHeld);
    void HandleEscapeKey();

    // resize.cpp
    bool ResizeWindow(int width, int height);

    // joysticks.cpp
    uint8_t QueryJoysticksForAction(uint8_t joystick);
    void SetDefaultJoystickMappings();
    void ReadJoystick(int joystick);
    bool ControlIsAxis(uint8_t code) const;
    Sint16 AxisOfControl(int joystick, uint8_t code) const;
    bool ButtonOfControlDown(int joystick, uint8_t code) const;
    uint8_t DirectionOfDPad(int joystick) const;
};

extern Input* input;

#endif
