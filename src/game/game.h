#ifndef WOBBLER_GAME_H
#define WOBBLER_GAME_H

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

    // The frames' pace, one for every platform: a frame is due a period
    // after the one before it was due. A loop that can wait sleeps until it
    // is (the desktop's: no late frame is made up); the browser's step,
    // which cannot, runs the frames due at each display refresh, making up
    // as many as FramesMadeUp periods.
    int32_t FrameDelayMilliseconds;
    int32_t FramesMadeUp;
    uint32_t CurrentTicks;
    uint32_t NextFrameTicks;
    int32_t FramesThisSecond;
    uint8_t FrameRateSampleIndex;
    int32_t FrameRateSamples[10];
    uint32_t NextSecondTicks;
    int32_t AverageFrameRate;

    void CalculateFramerate();  // as a frame starts
    uint32_t MillisecondsUntilFrameDue(uint32_t now) const;
    void ProcessFramerate();
};

extern Game* game;

// Deletes an object and leaves its pointer empty.
template <typename T>
void Delete(T*& object)
{
    delete object;
    object = nullptr;
}

#endif
