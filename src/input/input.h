#ifndef WOBBLER_INPUT_H
#define WOBBLER_INPUT_H

#include <stdint.h>
#include <stdio.h>

#include <SDL.h>

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

// A poll's news of the focus: a window event (a redraw), or also a player who
// looked away: the window still without the focus some polls after it went.
enum
{
    FOCUS_UNCHANGED = 0,
    FOCUS_CHANGED = 1,
    FOCUS_LOST = 2
};

// A desktop that takes the keyboard for a moment (a media key, a shortcut)
// gives the focus back within a few polls; a player who looks away does not.
const int FOCUS_LOSS_LASTS_POLLS = 8;

const int NUMBER_OF_READ_SOURCES = 3;  // the keyboard's arrows and the two sticks
const int NUMBER_OF_MOUSE_BUTTONS = 2;  // left and middle

// What one poll read from the player, before the game acts on it: a frame
// of the game takes this and nothing else from outside, so a session is its
// frames' input (a demo) and plays again the same from the same start.
struct FrameInput
{
    char Key;                                  // the translated key, 0 for none
    uint8_t Escape;                            // Escape, which also leaves the screen
    uint8_t Focus;                             // FOCUS_...
    uint16_t ResizeWidth;                      // a new window size; 0 for none
    uint16_t ResizeHeight;
    uint8_t Direction[NUMBER_OF_READ_SOURCES];  // held: arrows, first stick, second stick
    uint8_t ButtonOne[NUMBER_OF_READ_SOURCES];  // held; the keyboard's come from the key
    uint8_t ButtonTwo[NUMBER_OF_READ_SOURCES];
    uint8_t Click[NUMBER_OF_MOUSE_BUTTONS];    // went down in this poll
    uint8_t PointerKnown;                      // the position below was read
    int32_t MouseX;                            // in the 640 x 480 virtual screen
    int32_t MouseY;
    uint8_t QueryAnswer;                       // what the joystick set-up's query returned
};

// The sticks and arrows held are the same; the frame has any event at all.
bool SameHeldInput(const FrameInput& one, const FrameInput& other);
bool HasEvents(const FrameInput& input);

// What the next line of a demo being played holds.
enum
{
    DEMO_RUN,      // a run of frames
    DEMO_STATE,    // the state digest after a frame
    DEMO_END,      // the session's end
    DEMO_NO_MORE,  // the file ends, without an end line
    DEMO_DAMAGED
};

struct DemoItem
{
    uint32_t Frames;   // of the run; or the frame the digest was taken after
    uint64_t Digest;
    uint8_t HasDigest;  // an end line written by hand has none
};

// The controls of a joystick, as the game counts them.
struct JoystickShape
{
    int32_t Axes;
    int32_t Buttons;
    int32_t Hats;
};

const int DEMO_PATH_SIZE = 4096;

// The session kept in a demo file, or played back from one. The text
// format is read and written in demo_file.cpp; demo.cpp runs it.
struct DemoSession
{
    uint8_t Recording;
    uint8_t Playing;
    uint8_t Timed;       // played as fast as frames are drawn
    FILE* RecordFile;
    FILE* PlaybackFile;
    char RecordPath[DEMO_PATH_SIZE];
    char PlaybackPath[DEMO_PATH_SIZE];
    uint32_t Seed;       // of the random generator, the session's start
    uint32_t Frames;     // frames the session has run
    // Recording: what this frame's poll read, and the run of frames with
    // the same input that is not written yet.
    FrameInput RecordedFrame;
    FrameInput RunInput;
    uint32_t RunFrames;
    FrameInput WrittenRun;  // the last run written, whose held controls go on
    // Playback: what this frame offers, the run it comes from, and where the file stands.
    FrameInput PlayedFrame;
    uint8_t PlayedFrameRead;   // this frame's poll took it
    FrameInput PendingEvents;  // events of frames whose poll read nothing, kept as SDL queues them
    FrameInput PlayedRun;
    uint32_t PlayedRunFramesLeft;
    uint8_t PlayedRunStarted;  // its first frame, with the events, has been played
    uint32_t PlaybackLine;
    uint8_t PlaybackEnded;    // the end line was read
    DemoItem End;             // what it holds
    uint8_t PlaybackFailed;   // refused, damaged or out of step: the game exits non-zero
    uint8_t StoppedByWindow;  // the watcher closed the window
    uint32_t StartTicks;      // the first frame's, for the timed playback
    uint64_t PaceMilliseconds;  // the frame periods of the frames played: the session's own pace
};

// Turns keyboard, mouse and joysticks into one small input state per frame.
class Input
{
public:
    Input();
    virtual ~Input();

    SDL_Event InputEvent;
    char KeyOnKeyboardPressedByUser;
    uint8_t JoystickDirection[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonOne[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonTwo[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonOneHeld[NUMBER_OF_INPUT_SOURCES];
    uint8_t JoystickButtonTwoHeld[NUMBER_OF_INPUT_SOURCES];
    SDL_Joystick* JoystickDevice[NUMBER_OF_JOYSTICKS];
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
    uint8_t MouseButtonPressed[2];
    uint8_t MouseButtonHeld[2];
    int32_t MouseX;
    int32_t MouseY;
    int32_t DelayAllUserInput;
    uint8_t WindowLostFocus;  // a lasting focus loss that the game has not acted on yet
    int32_t PollsWithoutFocus;  // of the window as the desktop has it, up to FOCUS_LOSS_LASTS_POLLS
    uint8_t JoystickPlugged[NUMBER_OF_JOYSTICKS];  // as the game sees it: a playback's are the demo's
    DemoSession Demo;

    // polling.cpp
    void GetAllUserInput();
    void ClearThisFramesInput();
    void ReadPlayer(FrameInput& read);
    void ReadQueuedEvents(FrameInput& read);
    void ReadLastingFocusLoss(FrameInput& read);
    void TakeFocusLossDuringInputPause();
    void ReadKeyboardArrows(FrameInput& read) const;
    void ReadMouse(FrameInput& read);
    bool ApplyFrameInput(const FrameInput& read);
    void PressKeyboardActionButtons();
    void MergeAllSources();

    // keys.cpp
    void TranslateKeyPress(SDLKey key, bool shiftHeld, FrameInput& read) const;
    void HandleEscapeKey();

    // demo.cpp
    void StartDemo();
    void StartPlayback(const char* path, bool timed);
    void StartRecording(const char* path);
    void RecordDemoHeader();
    void BeginDemoFrame();
    FrameInput TakePlayedFrame();
    void EndDemoFrame();
    void RecordFrame();
    void FlushRecordedRun();
    void EndDemo();
    void EndRecording(uint64_t digest);
    void EndPlayback(uint64_t digest);
    void UseDemoJoysticks(const JoystickShape shapes[NUMBER_OF_JOYSTICKS], const uint8_t plugged[NUMBER_OF_JOYSTICKS]);
    void StopRecording();
    void FailPlayback(const char* problem);
    void WatchTheWindowDuringPlayback();
    void ReadDemoUpToTheNextFrame();
    void ReadDemoToItsEnd();

    // demo_file.cpp
    bool WriteDemoHeader();
    bool WriteDemoRun(const FrameInput& run, const FrameInput& before, uint32_t frames);
    bool WriteDemoCheck(const char* word, uint32_t frames, uint64_t digest);
    bool ReadDemoHeader(char* problem, int size);
    int ReadDemoItem(DemoItem& item, char* problem, int size);

    // resize.cpp
    bool ResizeWindow(int width, int height);

    // joysticks.cpp
    uint8_t QueryJoysticksForAction(uint8_t joystick);
    void SetDefaultJoystickMappings();
    void ReadJoystick(int joystick, FrameInput& read);
    void CloseJoysticks();
    bool ControlIsAxis(uint8_t code) const;
    Sint16 AxisOfControl(int joystick, uint8_t code) const;
    bool ButtonOfControlDown(int joystick, uint8_t code) const;
    uint8_t DirectionOfDPad(int joystick) const;
};

extern Input* input;

#endif
