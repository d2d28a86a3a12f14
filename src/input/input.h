#ifndef WOBBLER_INPUT_H
#define WOBBLER_INPUT_H

#include <stdint.h>
#include <stdio.h>

#include "platform/keys.h"

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
    // Events.
    char Key;                                  // the last key, after the last Escape; 0 for none
    uint8_t Escape;                            // Escape, which also leaves the screen
    char KeyBeforeEscape;                      // with Escape: the last key before it
    uint8_t Focus;                             // FOCUS_... bits
    uint16_t ResizeWidth;                      // a new window size; 0 for none
    uint16_t ResizeHeight;
    uint8_t Click[NUMBER_OF_MOUSE_BUTTONS];    // went down in this frame
    uint8_t PointerKnown;                      // the position below was read
    int32_t MouseX;                            // in the 640 x 480 virtual screen
    int32_t MouseY;
    // Held controls.
    uint8_t Direction[NUMBER_OF_READ_SOURCES];  // arrows, first stick, second stick
    uint8_t ButtonOne[NUMBER_OF_READ_SOURCES];  // the keyboard's come from the key
    uint8_t ButtonTwo[NUMBER_OF_READ_SOURCES];
    uint8_t ControlMoved[NUMBER_OF_JOYSTICKS];  // what each stick moves now, for its set-up
};

// The held controls of the frame, carried on to the next.
void CopyHeldInput(const FrameInput& from, FrameInput& to);
bool SameHeldInput(const FrameInput& one, const FrameInput& other);
bool HasEvents(const FrameInput& input);
// Events of a later frame added to those of an earlier one, as one poll
// would have read both frames' events in turn.
void AddLaterEvents(const FrameInput& later, FrameInput& events);

// The controls of a joystick, as the game counts them.
struct JoystickShape
{
    int32_t Axes;
    int32_t Buttons;
    int32_t Hats;
};

// Turns keyboard, mouse and joysticks into one FrameInput a frame, and a
// frame's input into the small state the screens and gameplay read.
class Input
{
public:
    Input();
    virtual ~Input();

    char KeyOnKeyboardPressedByUser;
    uint8_t JoystickDirection[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonOne[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonTwo[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonOneHeld[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonTwoHeld[NUMBER_OF_INPUT_SOURCES];
    int32_t JoystickNumberOfButtons[NUMBER_OF_JOYSTICKS];
    int32_t JoystickNumberOfAxes[NUMBER_OF_JOYSTICKS];
    int32_t JoystickNumberOfHats[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapUP[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapDOWN[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapLEFT[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapRIGHT[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapButtonOne[NUMBER_OF_JOYSTICKS];
    uint8_t JoyMapButtonTwo[NUMBER_OF_JOYSTICKS];
    int32_t JoystickSetupProcess;
    int32_t KeyboardSetupProcess;
    char UserDefinedKeyButtonOne;
    char UserDefinedKeyButtonTwo;
    uint8_t MouseButtonPressed[NUMBER_OF_MOUSE_BUTTONS];
    uint8_t MouseButtonHeld[NUMBER_OF_MOUSE_BUTTONS];  // at the last read, for its clicks
    int32_t MouseX;
    int32_t MouseY;
    int32_t DelayAllUserInput;
    FrameInput QueuedEvents;   // the events of an input pause, for the first frame after it
    uint8_t ControlMoved[NUMBER_OF_JOYSTICKS];  // this frame's, for the joystick set-up
    uint8_t WindowLostFocus;  // a lasting focus loss of a player not back yet, that the game has not acted on
    int32_t PollsWithoutFocus;  // of the window as the desktop has it, up to FOCUS_LOSS_LASTS_POLLS
    uint8_t JoystickPlugged[NUMBER_OF_JOYSTICKS];  // as the game sees it: a playback's are the demo's
    int32_t PointerWindowWidth;   // the window's size as the events have told it, for the pointer
    int32_t PointerWindowHeight;
    int32_t PressX[NUMBER_OF_MOUSE_BUTTONS];  // where each button went down, from its own event, in the
    int32_t PressY[NUMBER_OF_MOUSE_BUTTONS];  // virtual screen; while it is up, where the pointer is

    // frame_input.cpp: a frame's input into the state the game reads
    void ClearThisFramesInput();
    bool TakeFrameInput(const FrameInput& frame, FrameInput& events);
    void TakeControls(const FrameInput& frame, bool keysPressButtons);
    void MergeAllSources();

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
