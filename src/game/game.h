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

// FNV-1a over 64 bits: the same values give the same digest on every
// machine and in every build, whatever their layout in memory.
struct Digest
{
    uint64_t Value = 14695981039346656037ull;

    void AddBytes(const void* bytes, size_t count);
    void AddNumber(int64_t number);  // as eight bytes, lowest first
    void AddFloat(float number);     // its bits
};

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
