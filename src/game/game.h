#ifndef WOBBLER_GAME_H
#define WOBBLER_GAME_H

#include <stddef.h>
#include <stdint.h>

// The program-wide values: the flags that end the main loop, the debug
// switch and the frame clock that paces every frame.
class Game
{
public:
    Game();
    virtual ~Game();

    uint8_t FatalError;
    uint8_t QuitGame;
    int32_t DebugOn;
    uint8_t AboutBackgroundHidden;

    int32_t FrameDelayMilliseconds;
    uint32_t CurrentTicks;
    uint32_t NextFrameTicks;
    int32_t FramesThisSecond;
    uint8_t FrameRateSampleIndex;
    int32_t FrameRateSamples[10];
    uint32_t NextSecondTicks;
    int32_t AverageFrameRate;

    void CalculateFramerate();
    void ProcessFramerate();
    void DisplayDebuggingInfo();
};

extern Game* game;

// The life of the program: main starts the game up, runs frames until it is
// asked to quit, and shuts it down; the tests and the bench do the same.
// Every object is created and loaded in order; a failed essential step sets
// FatalError. A test of one part of the game may leave out the steps between
// the creations that it does not need; every object is created either way.
enum StartUpSteps
{
    CREATE_OBJECTS = 0,
    OPEN_WINDOW = 1,
    LOAD_PICTURES = 2,          // fonts, sprites, texts and the GUI; needs the window
    OPEN_SOUND = 4,             // the mixer with the music and effects
    READ_AND_SAVE_OPTIONS = 8,  // the options file, read at start-up and saved at shutdown
    WHOLE_START_UP = OPEN_WINDOW | LOAD_PICTURES | OPEN_SOUND | READ_AND_SAVE_OPTIONS,
};
void StartUpGame(int argc, char** argv, int steps = WHOLE_START_UP);
// The steps of a frame that a stand-in player may leave out: it fills the
// input itself, and need not wait out the frame period nor show the picture.
enum FrameSteps
{
    CORE_FRAME = 0,  // screen, music, fade and debug overlay only
    POLL_INPUT = 1,
    WAIT_FOR_FRAME_PERIOD = 2,
    PRESENT_SCREEN_BUFFER = 4,
    WHOLE_FRAME = POLL_INPUT | WAIT_FOR_FRAME_PERIOD | PRESENT_SCREEN_BUFFER,
};
// One pass of the main loop; true when it presented the screen buffer.
bool RunMainLoopFrame(int steps = WHOLE_FRAME);
// Saves the options and high scores and deletes every object in order; the
// steps are those the start-up took. Returns
// the exit status: 0 unless a demo was refused or played out of step.
int ShutDownGame(int steps = WHOLE_START_UP);

// FNV-1a over 64 bits: the same values give the same digest on every
// machine and in every build, whatever their layout in memory.
struct Digest
{
    uint64_t Value = 14695981039346656037ull;

    void AddBytes(const void* bytes, size_t count);
    void AddNumber(int64_t number);  // as eight bytes, lowest first
    void AddFloat(float number);     // its bits
};

// What decides the game's course from here on: the logic with the maze's
// contents, the actors and timers, the screen and its state, the menus, the
// options and tables, and where the scenes and credits have got to. The
// window, the textures, the picture and the frame statistics are not in it.
uint64_t DigestOfGameState();

// Deletes an object and leaves its pointer empty.
template <typename T>
void Delete(T*& object)
{
    delete object;
    object = nullptr;
}

// Sets the C library's allocator up for hours of play; called first thing.
void KeepLargeBuffersOutOfTheHeap();
// Gives the free pages of the heap back; for moments of rest, as the menus.
void ReturnFreeMemoryToTheSystem();

#endif
