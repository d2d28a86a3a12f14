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
    WindowLostFocus = 0;
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
                // The pointer leaving the window is no sign that the player looks away.
                if (!InputEvent.active.gain && (InputEvent.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)))
                    read.Focus = FOCUS_LOST;
                else if (read.Focus == FOCUS_UNCHANGED)
                    read.Focus = FOCUS_CHANGED;
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
    WindowLostFocus = read.Focus == FOCUS_LOST;
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
