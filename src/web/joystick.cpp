// A gamepad's D-pad as a hat. The browser's gamepads have no hats: in the
// standard mapping every pad follows, the D-pad is buttons 12 to 15, which
// Emscripten's SDL reports as buttons while its hat reads always centred.
#include <emscripten.h>

#include <SDL.h>

const int STANDARD_PAD_BUTTONS = 16;
const int DPAD_FIRST_BUTTON = 12;

// Up, down, left and right, in the standard mapping's order.
static const Uint8 DPAD_DIRECTIONS[4] = {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT};

extern "C" int SDL_JoystickNumHats(SDL_Joystick* joystick)
{
    return SDL_JoystickNumButtons(joystick) >= STANDARD_PAD_BUTTONS ? 1 : 0;
}

extern "C" Uint8 SDL_JoystickGetHat(SDL_Joystick* joystick, int hat)
{
    if (hat != 0 || SDL_JoystickNumButtons(joystick) < STANDARD_PAD_BUTTONS) return SDL_HAT_CENTERED;
    Uint8 position = SDL_HAT_CENTERED;
    for (int button = 0; button < 4; button++)
        if (SDL_JoystickGetButton(joystick, DPAD_FIRST_BUTTON + button)) position |= DPAD_DIRECTIONS[button];
    return position;
}

// Browsers list a gamepad only once a button of it is pressed, in a fixed
// slot, the empty slots before it as nulls; Emscripten counts those too.
// The count runs to the last pad there is.
extern "C" int SDL_NumJoysticks(void)
{
    return EM_ASM_INT({
        var pads = navigator.getGamepads ? navigator.getGamepads() : [];
        var count = 0;
        for (var slot = 0; slot < pads.length; slot++)
            if (pads[slot]) count = slot + 1;
        return count;
    });
}
