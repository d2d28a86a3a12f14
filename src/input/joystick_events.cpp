#include "input/input.h"

// The sticks are read by their state each frame: their events would only
// fill SDL's queue, which drops the newest event, a key among them, when
// full. Turning them off empties the queue, so what it holds is put back.
void Input::IgnoreJoystickEvents()
{
    const int QUEUE_SIZE = 128;  // SDL 1.2 keeps no more
    SDL_Event pending[QUEUE_SIZE];
    const int count = SDL_PeepEvents(pending, QUEUE_SIZE, SDL_GETEVENT, SDL_ALLEVENTS);
    SDL_JoystickEventState(SDL_IGNORE);
    if (count > 0) SDL_PeepEvents(pending, count, SDL_ADDEVENT, SDL_ALLEVENTS);
}
