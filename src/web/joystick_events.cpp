#include "input/input.h"

// The sticks are read by their state each frame, and their events are
// switched off as SDL starts, as on the desktop. Emscripten's SDL turns them
// off without touching its queue.
void Input::IgnoreJoystickEvents()
{
    SDL_JoystickEventState(SDL_IGNORE);
}
