#include "support/key_events.h"

#include <string.h>

#include "main_loop.h"
#include "screens/screens.h"

void PushKeyDown(SDLKey key)
{
    SDL_Event event;
    memset(&event, 0, sizeof(event));
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

FrameInput KeyPressed(char key)
{
    FrameInput frame = {};
    frame.Key = key;
    return frame;
}

FrameInput EscapePressed()
{
    FrameInput frame = {};
    frame.Escape = 1;
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
    SizeWindowAsAsked(frame);
    screens->TakeFrameInput(frame);
}
