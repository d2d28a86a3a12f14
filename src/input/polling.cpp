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

// One poll: what the player did is read into a frame's input, from the
// devices or from the demo being played, and the game then acts on it.
void Input::GetAllUserInput()
{
    ClearThisFramesInput();
    if (DelayAllUserInput >= 0)
    {
        DelayAllUserInput--;
        TakeFocusLossDuringInputPause();
        return;
    }

    FrameInput read = {};
    if (Demo.Playing)
        read = TakePlayedFrame();
    else
        ReadPlayer(read);
    if (Demo.Recording) Demo.RecordedFrame = read;
    ApplyFrameInput(read);
}

void Input::ClearThisFramesInput()
{
    KeyOnKeyboardPressedByUser = 0;
    for (uint8_t& pressed : MouseButtonPressed) pressed = 0;
    for (int source = 0; source < NUMBER_OF_INPUT_SOURCES; source++)
    {
        JoystickDirection[source] = CENTER;
        JoystickButtonOne[source] = 0;
        JoystickButtonTwo[source] = 0;
    }
}

void Input::ReadPlayer(FrameInput& read)
{
    ReadQueuedEvents(read);
    ReadLastingFocusLoss(read);
    ReadKeyboardArrows(read);
    ReadMouse(read);
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        if (!SDL_JoystickOpened(joystick)) continue;
        SDL_JoystickUpdate();
        ReadJoystick(joystick, read);
    }
}

// Each key overwrites the one before it: the last key of the poll wins. A
// window that asks to close quits, as '~' does.
void Input::ReadQueuedEvents(FrameInput& read)
{
    const Uint8* const keys = SDL_GetKeyState(nullptr);
    const bool shiftHeld = keys[SDLK_LSHIFT] || keys[SDLK_RSHIFT];
    while (SDL_PollEvent(&InputEvent))
    {
        switch (InputEvent.type)
        {
            case SDL_KEYDOWN:
                TranslateKeyPress(InputEvent.key.keysym.sym, shiftHeld, read);
                break;
            case SDL_QUIT:
                read.Key = '~';
                break;
            case SDL_ACTIVEEVENT:
                if (read.Focus == FOCUS_UNCHANGED) read.Focus = FOCUS_CHANGED;
                break;
            case SDL_VIDEORESIZE:
                read.ResizeWidth = (uint16_t)InputEvent.resize.w;
                read.ResizeHeight = (uint16_t)InputEvent.resize.h;
                break;
            default:
                break;
        }
    }
}

// The player looked away when the window is still without the input focus,
// or minimised, FOCUS_LOSS_LASTS_POLLS polls after it went; told once. Classic
// SDL reports even a desktop's keyboard grab of a moment as a loss, and the
// pointer leaving the window is no sign at all.
void Input::ReadLastingFocusLoss(FrameInput& read)
{
    const Uint8 looking = SDL_APPINPUTFOCUS | SDL_APPACTIVE;
    if ((SDL_GetAppState() & looking) == looking)
    {
        PollsWithoutFocus = 0;
        return;
    }
    if (PollsWithoutFocus == FOCUS_LOSS_LASTS_POLLS) return;
    if (++PollsWithoutFocus == FOCUS_LOSS_LASTS_POLLS) read.Focus = FOCUS_LOST;
}

// An input pause leaves the events queued for after it, but a player who
// looks away meanwhile is noticed at once: the played frame's loss, or the
// desktop's news of the window.
void Input::TakeFocusLossDuringInputPause()
{
    FrameInput read = {};
    if (!Demo.Playing)
    {
        SDL_PumpEvents();
        ReadLastingFocusLoss(read);
    }
    else if (Demo.PlayedFrame.Focus == FOCUS_LOST)
    {
        read.Focus = FOCUS_LOST;
        Demo.PlayedFrame.Focus = FOCUS_UNCHANGED;  // taken now; the rest stays queued
    }
    if (Demo.Recording) Demo.RecordedFrame = read;
    if (read.Focus == FOCUS_LOST) WindowLostFocus = 1;
}

void Input::ReadKeyboardArrows(FrameInput& read) const
{
    const Uint8* const keys = SDL_GetKeyState(nullptr);
    for (const ArrowKey& arrow : ARROW_KEYS)
    {
        if (!keys[arrow.Key]) continue;
        read.Direction[INPUT_KEYBOARD] = arrow.Direction;
        return;
    }
}

// Window pixels scaled into the 640 x 480 virtual screen. A click is
// reported once, in the poll in which the button went down.
void Input::ReadMouse(FrameInput& read)
{
    int x = 0;
    int y = 0;
    const Uint8 buttons = SDL_GetMouseState(&x, &y);
    read.PointerKnown = 1;
    read.MouseX = x;
    read.MouseY = y;
    if (visuals->WindowWidth != VIRTUAL_SCREEN_WIDTH && visuals->WindowWidth > 0)
        read.MouseX = (int32_t)(x / ((float)visuals->WindowWidth / VIRTUAL_SCREEN_WIDTH));
    if (visuals->WindowHeight != VIRTUAL_SCREEN_HEIGHT && visuals->WindowHeight > 0)
        read.MouseY = (int32_t)(y / ((float)visuals->WindowHeight / VIRTUAL_SCREEN_HEIGHT));

    for (int button = 0; button < NUMBER_OF_MOUSE_BUTTONS; button++)
    {
        const bool down = (buttons & MOUSE_BUTTON_MASKS[button]) != 0;
        read.Click[button] = down && !MouseButtonHeld[button];
        MouseButtonHeld[button] = down;
    }
}

// What the poll read, acted on; false when a window that cannot be resized
// ends the poll (the game then stops).
bool Input::ApplyFrameInput(const FrameInput& read)
{
    if (read.Escape) HandleEscapeKey();
    if (read.Focus != FOCUS_UNCHANGED) screens->ScreenIsDirty = 1;
    if (read.Focus == FOCUS_LOST) WindowLostFocus = 1;  // until the game acts on it
    if (read.ResizeWidth != 0 && !ResizeWindow(read.ResizeWidth, read.ResizeHeight)) return false;
    if (read.Key != 0) KeyOnKeyboardPressedByUser = read.Key;
    PressKeyboardActionButtons();

    for (int source = INPUT_KEYBOARD; source < NUMBER_OF_READ_SOURCES; source++)
    {
        JoystickDirection[source] = read.Direction[source];
        JoystickButtonOne[source] |= read.ButtonOne[source];
        JoystickButtonTwo[source] |= read.ButtonTwo[source];
    }
    if (read.PointerKnown)
    {
        MouseX = read.MouseX;
        MouseY = read.MouseY;
    }
    for (int button = 0; button < NUMBER_OF_MOUSE_BUTTONS; button++) MouseButtonPressed[button] = read.Click[button];
    MergeAllSources();
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
