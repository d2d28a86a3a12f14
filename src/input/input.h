#ifndef WOBBLER_INPUT_H
#define WOBBLER_INPUT_H

#include <stdint.h>
#include <stdio.h>

#include "platform/keys.h"
#include "state_fields.h"

// Directions shared by input, gameplay and screens.
enum
{
    CENTER = 0,
    UP = 1,
    RIGHT = 3,
    DOWN = 5,
    LEFT = 7
};

// Source index of the per-source input arrays.
enum
{
    INPUT_KEYBOARD = 0,
    INPUT_JOYSTICK_ONE = 1,
    INPUT_JOYSTICK_TWO = 2,
    INPUT_ALL = 3
};

const int NUMBER_OF_INPUT_SOURCES = 4;
const int NUMBER_OF_JOYSTICKS = 2;

// An axis counts as pushed from this far out on either side.
const int JOYSTICK_AXIS_THRESHOLD = 16384;

// Joystick control codes: 0 nothing, 1..8 axis + 1, 9 and up button + 9.
const uint8_t CONTROL_CODE_NONE = 0;
const uint8_t CONTROL_CODE_LAST_AXIS = 8;
const uint8_t CONTROL_CODE_FIRST_BUTTON = 9;

// The key of a frame whose window was asked to close: the game quits.
const char WINDOW_CLOSE_KEY = '~';

// The extra keyboard keys read '^' when none is set.
const char NO_USER_DEFINED_KEY = '^';

// A frame's news of the window's focus, as bits: a window event (the
// screen redraws); a player who looked away (the window still without the
// focus some frames after it went); and that player back.
enum
{
    FOCUS_UNCHANGED = 0,
    FOCUS_CHANGED = 1,
    FOCUS_LOST = 2,
    FOCUS_BACK = 4,
    FOCUS_ALL_BITS = 7
};

// A desktop that takes the keyboard for a moment (a media key, a shortcut)
// gives the focus back within a few frames; a player who looks away does not.
const int FOCUS_LOSS_LASTS_POLLS = 8;

const int NUMBER_OF_READ_SOURCES = 3;  // the keyboard's arrows and the two sticks
const int NUMBER_OF_MOUSE_BUTTONS = 2;  // left and middle

// What one frame read from the player, before the game acts on it: a frame
// of the game takes this and nothing else from outside, so a session is its
// frames' input (a demo) and plays again the same from the same start.
// Events happen once; held controls last until they change.
struct FrameInput
{
#define FRAME_INPUT_STATE(FIELD)                                                                   \
    /* Events. */                                                                                  \
    FIELD(char, Key, )                             /* the last key, after the last Escape; 0 for none */ \
    FIELD(uint8_t, Escape, )                       /* Escape, which also leaves the screen */      \
    FIELD(char, KeyBeforeEscape, )                 /* with Escape: the last key before it */       \
    FIELD(uint8_t, Focus, )                        /* FOCUS_... bits */                            \
    FIELD(uint8_t, Click, [NUMBER_OF_MOUSE_BUTTONS]) /* went down in this frame */                 \
    FIELD(uint8_t, PointerKnown, )                 /* the position below was read */               \
    /* Held controls. */                                                                           \
    FIELD(uint8_t, Direction, [NUMBER_OF_READ_SOURCES]) /* arrows, first stick, second stick */   \
    FIELD(uint8_t, ButtonOne, [NUMBER_OF_READ_SOURCES]) /* the keyboard's come from the key */    \
    FIELD(uint8_t, ButtonTwo, [NUMBER_OF_READ_SOURCES])                                            \
    FIELD(uint8_t, ControlMoved, [NUMBER_OF_JOYSTICKS]) /* what each stick moves now, for its set-up */ \
    /* Events. */                                                                                  \
    FIELD(uint16_t, ResizeWidth, )                 /* a new window size; 0 for none */             \
    FIELD(uint16_t, ResizeHeight, )                                                                \
    FIELD(int32_t, MouseX, )                       /* in the 640 x 480 virtual screen */           \
    FIELD(int32_t, MouseY, )
#define FRAME_INPUT_LEFT_OUT(FIELD)
    FRAME_INPUT_STATE(DECLARE_FIELD)
    SCHEMA_OF_STRUCTURE(FRAME_INPUT_STATE)
};


// The held controls of the frame, carried on to the next.
void CopyHeldInput(const FrameInput& from, FrameInput& to);
bool SameHeldInput(const FrameInput& one, const FrameInput& other);
bool HasEvents(const FrameInput& input);
// Events of a later frame added to those of an earlier one, as one poll
// would have read both frames' events in turn.
void AddLaterEvents(const FrameInput& later, FrameInput& events);

// What the game takes from the player in one frame: the key as the screen
// took it, the held directions and buttons of each source and of all
// (INPUT_ALL: the first source with a direction, any source's button), the
// clicks, and where the pointer was last seen. The screens, widgets and
// rules are handed it; nothing of it lasts past its frame.
struct FrameCommand
{
    char Key;                                     // 0 for none
    uint8_t Direction[NUMBER_OF_INPUT_SOURCES];
    uint8_t ButtonOne[NUMBER_OF_INPUT_SOURCES];
    uint8_t ButtonTwo[NUMBER_OF_INPUT_SOURCES];
    uint8_t Click[NUMBER_OF_MOUSE_BUTTONS];
    int32_t PointerX;                             // in the 640 x 480 virtual screen
    int32_t PointerY;
};

// The controls of a joystick, as the game counts them.
struct JoystickShape
{
    int32_t Axes;
    int32_t Buttons;
    int32_t Hats;
};

// The joysticks as the game sees them (a playback's are the demo's) and
// their mappings, the keys set up, the set-ups' steps, the input pause and
// the events that wait it out, the joystick controls moved this frame (for
// the set-up), a lasting focus loss of a player not back yet that the game
// has not acted on, and the name entry's held buttons.
#define INPUT_STATE(FIELD)                                              \
    FIELD(FrameInput, QueuedEvents, )                                   \
    FIELD(int32_t, JoystickNumberOfButtons, [NUMBER_OF_JOYSTICKS])      \
    FIELD(int32_t, JoystickNumberOfAxes, [NUMBER_OF_JOYSTICKS])         \
    FIELD(int32_t, JoystickNumberOfHats, [NUMBER_OF_JOYSTICKS])         \
    FIELD(int32_t, DelayAllUserInput, )                                 \
    FIELD(uint8_t, JoystickSetupProcess, )                              \
    FIELD(uint8_t, KeyboardSetupProcess, )                              \
    FIELD(uint8_t, JoyMapUP, [NUMBER_OF_JOYSTICKS])                     \
    FIELD(uint8_t, JoyMapDOWN, [NUMBER_OF_JOYSTICKS])                   \
    FIELD(uint8_t, JoyMapLEFT, [NUMBER_OF_JOYSTICKS])                   \
    FIELD(uint8_t, JoyMapRIGHT, [NUMBER_OF_JOYSTICKS])                  \
    FIELD(uint8_t, JoyMapButtonOne, [NUMBER_OF_JOYSTICKS])              \
    FIELD(uint8_t, JoyMapButtonTwo, [NUMBER_OF_JOYSTICKS])              \
    FIELD(char, UserDefinedKeyButtonOne, )                              \
    FIELD(char, UserDefinedKeyButtonTwo, )                              \
    FIELD(uint8_t, JoystickButtonOneHeld, [NUMBER_OF_INPUT_SOURCES])    \
    FIELD(uint8_t, JoystickButtonTwoHeld, [NUMBER_OF_INPUT_SOURCES])    \
    FIELD(uint8_t, ControlMoved, [NUMBER_OF_JOYSTICKS])                 \
    FIELD(uint8_t, WindowLostFocus, )                                   \
    FIELD(uint8_t, JoystickPlugged, [NUMBER_OF_JOYSTICKS])

// Left out: what reads the devices, which a playback does not read: where
// the pointer was last seen (it counts only where a click is, and a click
// brings its own place), the window's size as the events have told it, for
// the pointer; where each button went down, from its own event, in the
// virtual screen (while it is up, where the pointer is); the buttons' last
// state, for their clicks; and the polls the window has gone without the
// focus, up to FOCUS_LOSS_LASTS_POLLS.
#define INPUT_LEFT_OUT(FIELD)                                           \
    FIELD(uint8_t, PollsWithoutFocus, )                                 \
    FIELD(uint8_t, MouseButtonHeld, [NUMBER_OF_MOUSE_BUTTONS])          \
    FIELD(int32_t, MouseX, )                                            \
    FIELD(int32_t, MouseY, )                                            \
    FIELD(int32_t, PointerWindowWidth, )                                \
    FIELD(int32_t, PointerWindowHeight, )                               \
    FIELD(int32_t, PressX, [NUMBER_OF_MOUSE_BUTTONS])                   \
    FIELD(int32_t, PressY, [NUMBER_OF_MOUSE_BUTTONS])

// Turns keyboard, mouse and joysticks into one FrameInput a frame, and a
// frame's input into the frame's command, keeping what lasts between frames
// (the input pause and its queue, the joysticks' mappings, the pointer).
class Input
{
public:
    Input();
    ~Input();

    INPUT_STATE(DECLARE_FIELD)
    INPUT_LEFT_OUT(DECLARE_FIELD)

    // frame_input.cpp: a frame's input into its command
    FrameCommand EmptyCommand() const;
    bool TakeFrameInput(const FrameInput& frame, FrameInput& events);
    void TakeControls(const FrameInput& events, bool keysPressButtons, FrameCommand& command);

    // joysticks.cpp: the joysticks' mappings and set-up
    uint8_t QueryJoysticksForAction(uint8_t joystick);
    void SetDefaultJoystickMappings();
    void UseJoysticksOfShapes(const JoystickShape shapes[NUMBER_OF_JOYSTICKS], const uint8_t plugged[NUMBER_OF_JOYSTICKS]);

    // keys.cpp: the game's keys into the frame's input (the platform says
    // which of them is pressed or held)
    void TranslateKeyPress(GameKey key, bool shiftHeld, FrameInput& read) const;
    void ReadKeyboardArrows(FrameInput& read) const;
    bool ShiftHeld() const;

    // The devices, which each platform reads in its own way (src/desktop: a
    // frame's events and mouse in polling.cpp, the focus in focus.cpp, the
    // joysticks in joysticks.cpp and their D-pads in pads.cpp; the browser
    // answers the focus and the pads itself). A replay with no window opens
    // none (src/headless).
    void ReadFrameInput(FrameInput& read);
    void ReadQueuedEvents(FrameInput& read);
    void ReadLastingFocusLoss(FrameInput& read);
    // The window has the keyboard's focus and is shown.
    bool WindowFocused();
    void ReadMouse(FrameInput& read);
    void ReadPress(int button, int x, int y);
    void ScaleIntoVirtualScreen(int windowX, int windowY, int32_t& x, int32_t& y) const;
    // Empties the queue, true when the window was asked to close: all a
    // playback's watcher may say.
    bool WindowAskedToClose();
    static void IgnoreJoystickEvents();  // as SDL starts, before the window opens
    void OpenJoysticks();
    void CloseJoysticks();
    void ReadJoystick(int joystick, FrameInput& read);
    uint8_t ControlMovedNow(int joystick) const;
    bool ControlIsAxis(uint8_t code) const;
    int16_t AxisOfControl(int joystick, uint8_t code) const;
    bool ButtonOfControlDown(int joystick, uint8_t code) const;
    // The pads the platform lists, and each one's D-pads and the direction
    // of its first.
    static int JoysticksListed();
    int DPadsOf(int joystick) const;
    uint8_t DirectionOfDPad(int joystick) const;
};

extern Input* input;

#endif
