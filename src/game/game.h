#ifndef WOBBLER_GAME_H
#define WOBBLER_GAME_H

#include <stdint.h>

#include "state_fields.h"

// The flags that end the main loop, the debug switch, and the frame's period.
#define GAME_STATE(FIELD)                       \
    FIELD(int32_t, DebugOn, )                   \
    FIELD(int32_t, FrameDelayMilliseconds, )    \
    FIELD(uint8_t, FatalError, )                \
    FIELD(uint8_t, QuitGame, )                  \
    FIELD(uint8_t, AboutBackgroundHidden, )

// The frame clock and its statistics, which only time the frames. The
// frames' pace is one for every platform: a frame is due a period after the
// one before it was due. A loop that can wait sleeps until it is (the
// desktop's: no late frame is made up); the browser's step, which cannot,
// runs the frames due at each display refresh, making up as many as
// FramesMadeUp periods.
#define GAME_LEFT_OUT(FIELD)                    \
    FIELD(uint8_t, FrameRateSampleIndex, )      \
    FIELD(int32_t, FramesMadeUp, )              \
    FIELD(uint32_t, CurrentTicks, )             \
    FIELD(uint32_t, NextFrameTicks, )           \
    FIELD(int32_t, FramesThisSecond, )          \
    FIELD(int32_t, FrameRateSamples, [10])      \
    FIELD(uint32_t, NextSecondTicks, )          \
    FIELD(int32_t, AverageFrameRate, )

// The program-wide values: the flags that end the main loop, the debug
// switch and the frame clock that paces every frame.
class Game
{
public:
    Game();
    ~Game();

    GAME_STATE(DECLARE_FIELD)
    GAME_LEFT_OUT(DECLARE_FIELD)

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
