#include "game/game.h"

#include "platform/platform.h"

Game* game = nullptr;

const int32_t STARTING_FRAME_DELAY_MILLISECONDS = 16;
const uint32_t MILLISECONDS_PER_SAMPLE = 1000;
const int NUMBER_OF_FRAME_RATE_SAMPLES = 10;

Game::Game()
{
    FatalError = 0;
    QuitGame = 0;
    DebugOn = 0;
    AboutBackgroundHidden = 1;

    FrameDelayMilliseconds = STARTING_FRAME_DELAY_MILLISECONDS;
    FramesMadeUp = 0;
    CurrentTicks = MillisecondsSinceStart();
    NextFrameTicks = CurrentTicks + STARTING_FRAME_DELAY_MILLISECONDS;
    FramesThisSecond = 0;
    FrameRateSampleIndex = 0;
    for (int32_t& sample : FrameRateSamples) sample = 0;
    NextSecondTicks = 0;
    AverageFrameRate = 0;
}

Game::~Game()
{
}

// Stamps the start of the frame, and when the next is due, and keeps the
// frame rate as a running average of the last ten one-second samples. The
// next frame is due a period after this one was due, by the period it
// starts with; a frame early, or later than FramesMadeUp periods, counts
// from its own start.
void Game::CalculateFramerate()
{
    CurrentTicks = MillisecondsSinceStart();
    const int32_t late = (int32_t)(CurrentTicks - NextFrameTicks);
    if (late < 0 || late > FramesMadeUp * FrameDelayMilliseconds) NextFrameTicks = CurrentTicks;
    NextFrameTicks += FrameDelayMilliseconds;
    FramesThisSecond++;

    if (CurrentTicks <= NextSecondTicks) return;

    NextSecondTicks = CurrentTicks + MILLISECONDS_PER_SAMPLE;
    FrameRateSamples[FrameRateSampleIndex] = FramesThisSecond;
    FramesThisSecond = 0;
    FrameRateSampleIndex = (FrameRateSampleIndex + 1) % NUMBER_OF_FRAME_RATE_SAMPLES;

    uint32_t sum = 0;
    for (int32_t sample : FrameRateSamples) sum += sample;
    AverageFrameRate = sum / NUMBER_OF_FRAME_RATE_SAMPLES;
}

uint32_t Game::MillisecondsUntilFrameDue(uint32_t now) const
{
    const int32_t early = (int32_t)(NextFrameTicks - now);
    return early > 0 ? (uint32_t)early : 0;
}

// Sleeps out the rest of the frame period.
void Game::ProcessFramerate()
{
    CurrentTicks = MillisecondsSinceStart();
    const uint32_t wait = MillisecondsUntilFrameDue(CurrentTicks);
    if (wait > 0) SleepMilliseconds(wait);
}
