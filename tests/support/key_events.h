#ifndef WOBBLER_KEY_EVENTS_H
#define WOBBLER_KEY_EVENTS_H

#include <SDL.h>

// A key going down or up, queued as the window would queue it, for the
// game's own poll to read.
void PushKeyDown(SDLKey key);
void PushKeyUp(SDLKey key);

#endif
