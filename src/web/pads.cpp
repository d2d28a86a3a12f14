// The gamepads as the browser has them. It has no hats: in the standard
// mapping every pad follows, the D-pad is buttons 12 to 15, which
// Emscripten's SDL reports as buttons.
#include <emscripten.h>

#include "input/input.h"

const int STANDARD_PAD_BUTTONS = 16;
const int DPAD_FIRST_BUTTON = 12;

// Up, down, left and right, in the standard mapping's order, which is the
// order two axes give them: a diagonal reads as its vertical part.
static const uint8_t DPAD_DIRECTIONS[] = {UP, DOWN, LEFT, RIGHT};

// Browsers list a gamepad only once a button of it is pressed, in a fixed
// slot, the empty slots before it as nulls; Emscripten counts those too.
// The count runs to the last pad there is.
int Input::JoysticksListed()
{
    return EM_ASM_INT({
        var pads = navigator.getGamepads ? navigator.getGamepads() : [];
        var count = 0;
        for (var slot = 0; slot < pads.length; slot++)
            if (pads[slot]) count = slot + 1;
        return count;
    });
}

int Input::DPadsOf(int joystick) const
{
    return JoystickNumberOfButtons[joystick] >= STANDARD_PAD_BUTTONS ? 1 : 0;
}

uint8_t Input::DirectionOfDPad(int joystick) const
{
    if (JoystickNumberOfHats[joystick] < 1) return CENTER;
    for (int button = 0; button < 4; button++)
    {
        if (ButtonOfControlDown(joystick, CONTROL_CODE_FIRST_BUTTON + DPAD_FIRST_BUTTON + button))
            return DPAD_DIRECTIONS[button];
    }
    return CENTER;
}
