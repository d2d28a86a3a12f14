#ifndef WOBBLER_DEMOS_H
#define WOBBLER_DEMOS_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include "data/data.h"
#include "input/input.h"

// Demos: a session's frames of input kept in a file, and given back to the
// game in place of the player, checked against digests of its state.

// The format's version, the first line's "wobblersaga demo 3". It rises with
// the state's fields, which the digests read (state.cpp).
const int DEMO_FORMAT_VERSION = 3;

// FNV-1a over 64 bits: the same values give the same digest on every
// machine and in every build, whatever their layout in memory (digest.cpp).
struct Digest
{
    uint64_t Value = 14695981039346656037ull;

    void AddBytes(const void* bytes, size_t count);
    void AddNumber(int64_t number);  // as eight bytes, lowest first
    void AddFloat(float number);     // its bits
};

// A digest of the board and return images of every level: what a session's
// course depends on in data/.
uint64_t DigestOfBoardImages();

// What decides the game's course from here on: the logic with the maze's
// contents, the actors, timers and the random generator, the screens and
// their state, the menus, the input's state and queue, the options and
// tables. The window, the textures, the picture and the frame statistics
// are not in it. Each class it reads has its size checked beside its field
// list, so that a new field cannot escape it unseen (state.cpp).
uint64_t DigestOfGameState();
// The same fields as text, one a line, for two runs to be compared.
bool WriteGameState(FILE* file);

// The demo's text (format.cpp): a header, then runs of frames and checks.
const int DEMO_LINE_SIZE = 512;
const int DEMO_PROBLEM_SIZE = 512;
const int DEMO_HEADER_SIZE = 48 * 1024;  // the options file's lines, escaped, at their longest
const int DEMO_PATH_SIZE = 4096;

// What the next line of a demo being played holds.
enum
{
    DEMO_RUN,      // a run of frames
    DEMO_STATE,    // the state digest after a frame
    DEMO_END,      // the session's end
    DEMO_NO_MORE,  // the text ends, without an end line
    DEMO_DAMAGED
};

struct DemoItem
{
    uint32_t Frames;    // of the run; or the frame the digest was taken after
    uint64_t Digest;
    uint8_t HasDigest;  // an end line written by hand has none
};

// Where a session started: its seed, boards, joysticks and options file.
struct DemoHeader
{
    uint32_t Seed;
    uint64_t Boards;
    uint8_t Plugged[NUMBER_OF_JOYSTICKS];
    JoystickShape Joysticks[NUMBER_OF_JOYSTICKS];
    uint8_t OptionsFound;
    int32_t OptionsCount;
    char Options[OPTIONS_FILE_LINES][OPTIONS_LINE_SIZE];
};

// A demo's text in memory, read line by line.
struct DemoText
{
    const char* Text;
    size_t Size;
    size_t At;
    uint32_t Line;
};

bool WriteDemoHeader(const DemoHeader& header, char* text, int size);
bool ReadDemoHeader(DemoText& text, DemoHeader& header, char* problem, int size);
// A run line: the frames, the held controls that changed since before, and
// the first frame's events.
void WriteDemoRun(uint32_t frames, const FrameInput& run, const FrameInput& before, char* line, int size);
// The next item; a run's held controls go on from those `run` holds.
int ReadDemoItem(DemoText& text, FrameInput& run, DemoItem& item, char* problem, int size);
void WriteDemoCheck(const char* word, uint32_t frames, uint64_t digest, char* line, int size);

// A session as data: --record keeps every frame's input in a demo file,
// --playdemo and --timedemo give it back to the game in place of the
// player. The game is a function of its input (one input a frame, one
// clock, its own seeded generator), so a playback reaches the same state
// frame by frame; state digests in the demo tell where it does not.
class Demos
{
public:
    // Every field starts at zero; the constructor seeds from the clock.
    Demos();
    virtual ~Demos();

    uint8_t Recording{};
    uint8_t Playing{};
    uint8_t Timed{};            // played as fast as frames are drawn
    uint8_t PlaybackFailed{};   // refused, damaged or out of step: the game exits non-zero
    uint8_t StoppedByWindow{};  // the watcher closed the window
    uint8_t Verifying{};        // a replay with no window, which writes no file
    char RecordPath[DEMO_PATH_SIZE]{};
    char PlaybackPath[DEMO_PATH_SIZE]{};
    FILE* RecordFile{};
    uint32_t Seed{};            // of the game's generator, the session's start
    uint32_t Frames{};          // frames the session has run
    DemoHeader Header{};
    char HeaderText[DEMO_HEADER_SIZE]{};
    // Recording: the run of frames with the same input not written yet, and
    // the last run written, whose held controls go on.
    FrameInput RunInput{};
    uint32_t RunFrames{};
    FrameInput WrittenRun{};
    // Playback: the demo's text, the run being played and the end line.
    char* PlaybackText{};
    DemoText Playback{};
    FrameInput PlayedRun{};
    uint32_t PlayedRunFramesLeft{};
    uint8_t PlayedRunStarted{};  // its first frame, with the events, has been played
    uint8_t PlaybackEnded{};     // the end line was read
    DemoItem EndLine{};
    uint32_t StartTicks{};        // the first frame's, for the timed playback
    uint64_t PaceMilliseconds{};  // the frame periods of the frames played: the session's own pace

    // session.cpp
    void Start(const char* recordPath, const char* playbackPath, bool timed);
    void RecordHeader();
    void EndFrame(const FrameInput& frame);
    void End();

    // recorder.cpp
    void StartRecording(const char* path);
    void RecordFrame(const FrameInput& frame);
    void FlushRecordedRun();
    void WriteRecordLine(const char* line);
    void StopRecording();
    void EndRecording(uint64_t digest);

    // player.cpp
    void StartPlayback(const char* path, bool timed);
    bool ReadPlaybackText(const char* path, char* problem, int size);
    void PlayFrame(FrameInput& frame, bool windowClosed);
    void ReadDemoOn(bool toTheEnd);
    void CheckState(const DemoItem& item);
    void FailPlayback(const char* problem);
    void FailPlaybackOutOfStep(uint64_t digest, uint64_t recorded);
    void EndPlayback(uint64_t digest);

    // verify.cpp
    void SayVerified(uint64_t digest) const;
};

// Replays a demo with no window, sound, picture or font, from its own start
// to its end, and says in one line where it ended; 0 when it ended where the
// demo says, else 1 after one ERROR line. Writes no file.
int VerifyDemo(const char* path);
// The same in steps, for a caller that looks at every frame: the rules
// started from the demo, its next frame (false once the demo has ended), and
// the end, which says how it went and gives the status.
// The rules' objects made, a session started on them, and both ended
// (session.cpp): the same for every start, with a window or none.
void CreateTheRules();
void StartTheSession(const char* recordPath, const char* playbackPath, bool timed, bool readOptions);
void DeleteTheRules();

void StartVerifying(const char* path);
bool VerifyNextFrame();
int StopVerifying();

extern Demos* demos;

#endif
