#include "support/key_events.h"

#include <string.h>

static void PushKeyEvent(SDLKey key, Uint8 type, Uint8 state)
{
    SDL_Event event;
    memset(&event, 0, sizeof(event));
    event.type = type;
    event.key.state = state;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

void PushKeyDown(SDLKey key)
{
    PushKeyEvent(key, SDL_KEYDOWN, SDL_PRESSED);
}

void PushKeyUp(SDLKey key)
{
    PushKeyEvent(key, SDL_KEYUP, SDL_RELEASED);
}
