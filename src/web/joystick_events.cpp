#include "input/input.h"

// The sticks are read by their state each frame. Emscripten's SDL turns
// their events off without touching its queue, and its queue cannot be
// read out whole, so there is nothing to keep.
void Input::IgnoreJoystickEvents()
{
    SDL_JoystickEventState(SDL_IGNORE);
}
