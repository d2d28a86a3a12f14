// The keyboard, the mouse and the window's events as SDL has them: SDL 1.2
// on the desktop, Emscripten's SDL in the browser, whose key numbers
// (keys.cpp) and focus (focus.cpp) are each platform's own.
#include <SDL.h>

#include "input/input.h"
#include "desktop/desktop.h"
#include "visuals/visuals.h"

// SDL's numbers of the two watched mouse buttons: left, then middle.
static const Uint8 MOUSE_BUTTONS[NUMBER_OF_MOUSE_BUTTONS] = {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE};

// Every frame reads the devices, whatever the game then does with it: SDL's
// queue is emptied each frame, and a pause keeps its events in the game.
void Input::ReadFrameInput(FrameInput& read)
{
    read = FrameInput{};
    ReadQueuedEvents(read);
    ReadLastingFocusLoss(read);
    ReadKeyboardArrows(read);
    ReadMouse(read);
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        if (!JoystickDeviceOpen(joystick)) continue;
        SDL_JoystickUpdate();
        ReadJoystick(joystick, read);
        read.ControlMoved[joystick] = ControlMovedNow(joystick);
    }
}

// Each key overwrites the one before it: the last key of the frame wins. A
// window that asks to close is a key of its own, and the game quits.
void Input::ReadQueuedEvents(FrameInput& read)
{
    const bool shiftHeld = ShiftHeld();
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        switch (event.type)
        {
            case SDL_KEYDOWN:
                TranslateKeyPress(GameKeyOfPlatformNumber(event.key.keysym.sym), shiftHeld, read);
                break;
            case SDL_QUIT:
                read.Key = WINDOW_CLOSE_KEY;
                break;
            case SDL_ACTIVEEVENT:
                read.Focus |= FOCUS_CHANGED;
                break;
            case SDL_MOUSEBUTTONDOWN:
                ReadPress(event.button.button, event.button.x, event.button.y);
                break;
            case SDL_VIDEORESIZE:
                read.ResizeWidth = (uint16_t)event.resize.w;
                read.ResizeHeight = (uint16_t)event.resize.h;
                PointerWindowWidth = event.resize.w;
                PointerWindowHeight = event.resize.h;
                break;
            default:
                break;
        }
    }
}

bool Input::WindowAskedToClose()
{
    bool asked = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) asked |= event.type == SDL_QUIT;
    return asked;
}

// The player looked away when the window is still without the input focus,
// or minimised, FOCUS_LOSS_LASTS_POLLS frames after it went; told once, and
// once more when the window has it back. Classic SDL reports even a
// desktop's keyboard grab of a moment as a loss, and the pointer leaving the
// window is no sign at all.
void Input::ReadLastingFocusLoss(FrameInput& read)
{
    if (WindowFocused())
    {
        if (PollsWithoutFocus == FOCUS_LOSS_LASTS_POLLS) read.Focus |= FOCUS_BACK;
        PollsWithoutFocus = 0;
        return;
    }
    if (PollsWithoutFocus == FOCUS_LOSS_LASTS_POLLS) return;
    if (++PollsWithoutFocus == FOCUS_LOSS_LASTS_POLLS) read.Focus |= FOCUS_LOST;
}

// Window pixels scaled into the 640 x 480 virtual screen, by the window's
// size as the events have told it so far: an earlier resize in the same
// frame counts.
void Input::ScaleIntoVirtualScreen(int windowX, int windowY, int32_t& x, int32_t& y) const
{
    const int width = PointerWindowWidth > 0 ? PointerWindowWidth : visuals->WindowWidth;
    const int height = PointerWindowHeight > 0 ? PointerWindowHeight : visuals->WindowHeight;
    x = windowX;
    y = windowY;
    if (width != VIRTUAL_SCREEN_WIDTH && width > 0) x = (int32_t)(windowX / ((float)width / VIRTUAL_SCREEN_WIDTH));
    if (height != VIRTUAL_SCREEN_HEIGHT && height > 0)
        y = (int32_t)(windowY / ((float)height / VIRTUAL_SCREEN_HEIGHT));
}

// A press is where its own event says: the pointer may have moved on by the
// time the frame reads it, and sdl12-compat on SDL3 knows the pointer only
// from motion, so a click before any would read (0, 0).
void Input::ReadPress(int sdlButton, int x, int y)
{
    for (int button = 0; button < NUMBER_OF_MOUSE_BUTTONS; button++)
    {
        if (sdlButton != MOUSE_BUTTONS[button]) continue;
        ScaleIntoVirtualScreen(x, y, PressX[button], PressY[button]);
    }
}

// A click is reported once, in the frame in which the button is first seen
// down, at its press; one whose press event never came, where the pointer
// was when it was last seen up. A press in an input pause, whose frames take
// no clicks, is first seen in the frame after it, if still held then. The
// left button goes last: its place wins.
void Input::ReadMouse(FrameInput& read)
{
    int x = 0;
    int y = 0;
    const Uint8 buttons = SDL_GetMouseState(&x, &y);
    int32_t pointerX = 0;
    int32_t pointerY = 0;
    ScaleIntoVirtualScreen(x, y, pointerX, pointerY);
    read.PointerKnown = 1;
    read.MouseX = pointerX;
    read.MouseY = pointerY;

    const bool paused = DelayAllUserInput >= 0;
    for (int button = NUMBER_OF_MOUSE_BUTTONS - 1; button >= 0; button--)
    {
        const bool down = (buttons & SDL_BUTTON(MOUSE_BUTTONS[button])) != 0;
        read.Click[button] = down && !MouseButtonHeld[button] && !paused;
        if (!down || !paused) MouseButtonHeld[button] = down;
        if (!down)
        {
            PressX[button] = pointerX;
            PressY[button] = pointerY;
        }
        if (!read.Click[button]) continue;
        read.MouseX = PressX[button];
        read.MouseY = PressY[button];
    }
}
