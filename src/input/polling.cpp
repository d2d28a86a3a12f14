#include "input/input.h"

#include "screens/screens.h"
#include "visuals/visuals.h"

// The held arrow keys in priority order, with the direction each gives.
struct ArrowKey
{
    SDLKey Key;
    uint8_t Direction;
};

static const ArrowKey ARROW_KEYS[] = {{SDLK_UP, UP}, {SDLK_DOWN, DOWN}, {SDLK_LEFT, LEFT}, {SDLK_RIGHT, RIGHT}};

// SDL button masks of the two watched mouse buttons: left, then middle.
static const Uint8 MOUSE_BUTTON_MASKS[2] = {SDL_BUTTON(SDL_BUTTON_LEFT), SDL_BUTTON(SDL_BUTTON_MIDDLE)};

void Input::GetAllUserInput()
{
    ClearThisFramesInput();
    if (DelayAllUserInput >= 0)
    {
        DelayAllUserInput--;
        return;
    }

    const Uint8* const keys = SDL_GetKeyState(nullptr);
    const bool shiftHeld = keys[SDLK_LSHIFT] || keys[SDLK_RSHIFT];
    if (!HandleQueuedEvents(shiftHeld)) return;

    PressKeyboardActionButtons();
    ReadKeyboardArrows();
    ReadMousePosition();
    ReadMouseClicks();
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        if (!SDL_JoystickOpened(joystick)) continue;
        SDL_JoystickUpdate();
        ReadJoystick(joystick);
    }
    MergeAllSources();
}

void Input::ClearThisFramesInput()
{
    KeyOnKeyboardPressedByUser = 0;
    WindowLostFocus = 0;
    for (uint8_t& pressed : MouseButtonPressed) pressed = 0;
    for (int source = 0; source < NUMBER_OF_INPUT_SOURCES; source++)
    {
        JoystickDirection[source] = CENTER;
        JoystickButtonOne[source] = 0;
        JoystickButtonTwo[source] = 0;
    }
}

// False when a failed window resize ends this poll.
bool Input::HandleQueuedEvents(bool shiftHeld)
{
    while (SDL_PollEvent(&InputEvent))
    {
        switch (InputEvent.type)
        {
            case SDL_KEYDOWN:
                TranslateKeyPress(InputEvent.key.keysym.sym, shiftHeld);
                break;
            case SDL_QUIT:
                KeyOnKeyboardPressedByUser = '~';
                break;
            case SDL_ACTIVEEVENT:
                screens->ScreenIsDirty = 1;
                // The pointer leaving the window is no sign that the player looks away.
                if (!InputEvent.active.gain && (InputEvent.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)))
                    WindowLostFocus = 1;
                break;
            case SDL_VIDEORESIZE:
                if (!ResizeWindow(InputEvent.resize.w, InputEvent.resize.h)) return false;
                break;
            default:
                break;
        }
    }
    return true;
}

// Typing a name presses no buttons.
void Input::PressKeyboardActionButtons()
{
    if (screens->ScreenToDisplay == NAME_INPUT_KEYBOARD_SCREEN) return;
    const char key = KeyOnKeyboardPressedByUser;
    if (key == 'x' || key == UserDefinedKeyButtonTwo) JoystickButtonTwo[INPUT_KEYBOARD] = 1;
    if (key == 'z' || key == UserDefinedKeyButtonOne) JoystickButtonOne[INPUT_KEYBOARD] = 1;
}

void Input::ReadKeyboardArrows()
{
    const Uint8* const keys = SDL_GetKeyState(nullptr);
    for (const ArrowKey& arrow : ARROW_KEYS)
    {
        if (!keys[arrow.Key]) continue;
        JoystickDirection[INPUT_KEYBOARD] = arrow.Direction;
        return;
    }
}

// Window pixels scaled into the 640 x 480 virtual screen.
void Input::ReadMousePosition()
{
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    MouseX = x;
    MouseY = y;
    if (visuals->WindowWidth != VIRTUAL_SCREEN_WIDTH && visuals->WindowWidth > 0)
        MouseX = (int32_t)(MouseX / ((float)visuals->WindowWidth / VIRTUAL_SCREEN_WIDTH));
    if (visuals->WindowHeight != VIRTUAL_SCREEN_HEIGHT && visuals->WindowHeight > 0)
        MouseY = (int32_t)(MouseY / ((float)visuals->WindowHeight / VIRTUAL_SCREEN_HEIGHT));
}

// A click is reported once, in the poll in which the button went down.
void Input::ReadMouseClicks()
{
    for (int button = 0; button < 2; button++)
    {
        const bool down = (SDL_GetMouseState(nullptr, nullptr) & MOUSE_BUTTON_MASKS[button]) != 0;
        if (!down)
        {
            MouseButtonHeld[button] = 0;
            continue;
        }
        if (MouseButtonHeld[button]) continue;
        MouseButtonPressed[button] = 1;
        MouseButtonHeld[button] = 1;
    }
}

// The first source with a direction wins; a button is pressed if any source presses it.
void Input::MergeAllSources()
{
    JoystickDirection[INPUT_ALL] = CENTER;
    JoystickButtonOne[INPUT_ALL] = 0;
    JoystickButtonTwo[INPUT_ALL] = 0;
    for (int source = INPUT_KEYBOARD; source <= INPUT_JOYSTICK_TWO; source++)
    {
        if (JoystickDirection[INPUT_ALL] == CENTER) JoystickDirection[INPUT_ALL] = JoystickDirection[source];
        if (JoystickButtonOne[INPUT_ALL] == 0) JoystickButtonOne[INPUT_ALL] = JoystickButtonOne[source];
        if (JoystickButtonTwo[INPUT_ALL] == 0) JoystickButtonTwo[INPUT_ALL] = JoystickButtonTwo[source];
    }
}
