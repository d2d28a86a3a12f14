#include "input/input.h"

// The sticks are read by their state each frame: their events would only
// fill SDL's queue, which drops the newest event, a key among them, when
// full. Classic SDL's switch empties the queue through SDL_PollEvent, which
// first fetches all the display has sent, so it is made as SDL starts,
// before the window opens, when there is nothing yet to lose.
void Input::IgnoreJoystickEvents()
{
    SDL_JoystickEventState(SDL_IGNORE);
}
