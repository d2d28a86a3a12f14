#include "input/input.h"

void CopyHeldInput(const FrameInput& from, FrameInput& to)
{
    for (int source = 0; source < NUMBER_OF_READ_SOURCES; source++)
    {
        to.Direction[source] = from.Direction[source];
        to.ButtonOne[source] = from.ButtonOne[source];
        to.ButtonTwo[source] = from.ButtonTwo[source];
    }
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
        to.ControlMoved[joystick] = from.ControlMoved[joystick];
}

bool SameHeldInput(const FrameInput& one, const FrameInput& other)
{
    for (int source = 0; source < NUMBER_OF_READ_SOURCES; source++)
    {
        if (one.Direction[source] != other.Direction[source] || one.ButtonOne[source] != other.ButtonOne[source] ||
            one.ButtonTwo[source] != other.ButtonTwo[source])
            return false;
    }
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        if (one.ControlMoved[joystick] != other.ControlMoved[joystick]) return false;
    }
    return true;
}

bool HasEvents(const FrameInput& input)
{
    return input.Key != 0 || input.Escape || input.KeyBeforeEscape != 0 || input.Focus != FOCUS_UNCHANGED ||
           input.ResizeWidth != 0 || input.Click[0] || input.Click[1];
}

// SDL would have handed both frames' events to one poll in turn: a later
// key wins, an Escape between keys parts them, the newest size counts.
void AddLaterEvents(const FrameInput& later, FrameInput& events)
{
    if (later.Escape)
    {
        const char before = later.KeyBeforeEscape ? later.KeyBeforeEscape : events.Key;
        events.KeyBeforeEscape = before ? before : events.KeyBeforeEscape;
        events.Key = later.Key;
        events.Escape = 1;
    }
    else if (later.Key != 0)
    {
        events.Key = later.Key;
    }
    events.Focus |= later.Focus;
    if (later.ResizeWidth == 0) return;
    events.ResizeWidth = later.ResizeWidth;
    events.ResizeHeight = later.ResizeHeight;
}

// A frame in which the player does nothing; the pointer stays where it was.
FrameCommand Input::EmptyCommand() const
{
    FrameCommand command = {};
    command.PointerX = MouseX;
    command.PointerY = MouseY;
    return command;
}

// In an input pause the frame's events wait in the game's own queue, as SDL
// would keep them, for the first frame after it; held controls and clicks
// are of the moment. A player who looks away is noticed at once, and the
// set-up's query asks for itself. False in a pause; otherwise the events to
// act on, those that waited first.
bool Input::TakeFrameInput(const FrameInput& frame, FrameInput& events)
{
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++) ControlMoved[joystick] = frame.ControlMoved[joystick];
    if (frame.Focus & FOCUS_LOST) WindowLostFocus = 1;  // until the game acts on it
    if (frame.Focus & FOCUS_BACK) WindowLostFocus = 0;  // back before it did
    FrameInput later = frame;
    later.Focus &= FOCUS_CHANGED;
    if (DelayAllUserInput >= 0)
    {
        DelayAllUserInput--;
        AddLaterEvents(later, QueuedEvents);
        return false;
    }
    events = QueuedEvents;
    QueuedEvents = FrameInput{};
    AddLaterEvents(later, events);
    for (int button = 0; button < NUMBER_OF_MOUSE_BUTTONS; button++) events.Click[button] = frame.Click[button];
    events.PointerKnown = frame.PointerKnown;
    events.MouseX = frame.MouseX;
    events.MouseY = frame.MouseY;
    CopyHeldInput(frame, events);
    return true;
}

// The key as the screen took it (in the command), the held controls and the
// mouse; typing a name presses no buttons. The first source with a direction
// wins; a button is pressed if any source presses it.
void Input::TakeControls(const FrameInput& events, bool keysPressButtons, FrameCommand& command)
{
    const char key = command.Key;
    if (keysPressButtons && (key == 'x' || key == UserDefinedKeyButtonTwo)) command.ButtonTwo[INPUT_KEYBOARD] = 1;
    if (keysPressButtons && (key == 'z' || key == UserDefinedKeyButtonOne)) command.ButtonOne[INPUT_KEYBOARD] = 1;
    for (int source = INPUT_KEYBOARD; source < NUMBER_OF_READ_SOURCES; source++)
    {
        command.Direction[source] = events.Direction[source];
        command.ButtonOne[source] |= events.ButtonOne[source];
        command.ButtonTwo[source] |= events.ButtonTwo[source];
        if (command.Direction[INPUT_ALL] == CENTER) command.Direction[INPUT_ALL] = command.Direction[source];
        if (command.ButtonOne[INPUT_ALL] == 0) command.ButtonOne[INPUT_ALL] = command.ButtonOne[source];
        if (command.ButtonTwo[INPUT_ALL] == 0) command.ButtonTwo[INPUT_ALL] = command.ButtonTwo[source];
    }
    if (events.PointerKnown)
    {
        MouseX = events.MouseX;
        MouseY = events.MouseY;
    }
    command.PointerX = MouseX;
    command.PointerY = MouseY;
    for (int button = 0; button < NUMBER_OF_MOUSE_BUTTONS; button++) command.Click[button] = events.Click[button];
}
