#include "support/key_events.h"

#include <string.h>

#include "screens/screens.h"

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

FrameInput KeyPressed(char key)
{
    FrameInput frame = {};
    frame.Key = key;
    return frame;
}

FrameInput FocusNews(uint8_t focus)
{
    FrameInput frame = {};
    frame.Focus = focus;
    return frame;
}

FrameInput Clicked(int x, int y)
{
    FrameInput frame = {};
    frame.Click[0] = 1;
    frame.PointerKnown = 1;
    frame.MouseX = x;
    frame.MouseY = y;
    return frame;
}

FrameInput Held(int source, uint8_t direction, bool buttonOne, bool buttonTwo)
{
    FrameInput frame = {};
    frame.Direction[source] = direction;
    frame.ButtonOne[source] = buttonOne;
    frame.ButtonTwo[source] = buttonTwo;
    return frame;
}

void TakeInput(const FrameInput& frame)
{
    input->DelayAllUserInput = -1;
    screens->TakeFrameInput(frame);
}

void PollInput()
{
    FrameInput frame;
    input->ReadFrameInput(frame);
    screens->TakeFrameInput(frame);
}
