#ifndef WOBBLER_KEY_EVENTS_H
#define WOBBLER_KEY_EVENTS_H

#include <SDL.h>

#include "input/input.h"

// A key going down, queued as the window would queue it, for the game's own
// poll to read.
void PushKeyDown(SDLKey key);

// Reads the devices into a frame's input and takes it, as a frame of the
// game does before it runs its screen.
void PollInput();
// Takes the input given as a frame does, at once: an input pause is cut short.
void TakeInput(const FrameInput& frame);

// A frame's input as the poll would read it: a key pressed, a click at a
// place of the virtual screen, a direction and buttons held on one source,
// news of the window's focus.
FrameInput KeyPressed(char key);
FrameInput EscapePressed();
FrameInput FocusNews(uint8_t focus);
FrameInput Clicked(int x, int y);
FrameInput Held(int source, uint8_t direction, bool buttonOne = false, bool buttonTwo = false);

#endif
