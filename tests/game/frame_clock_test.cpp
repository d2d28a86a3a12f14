#include <gtest/gtest.h>

#include <SDL.h>

#include "game/game.h"
#include "support/test_environment.h"

namespace {

class FrameClockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The first sample needs a clock that has left zero, as it has by the first frame of the game.
        SDL_Init(0);
        ASSERT_TRUE(WaitUntil([] { return SDL_GetTicks() > 0; }, 1000));
    }
    void TearDown() override { SDL_Quit(); }

    // Runs this many frames inside one second, then the frame that takes the sample.
    void RunSecond(Game& clock, int frames)
    {
        for (int frame = 1; frame < frames; frame++)
        {
            clock.NextSecondTicks = 0xFFFFFFFFu;
            clock.CalculateFramerate();
        }
        clock.NextSecondTicks = 0;
        clock.CalculateFramerate();
    }
};

TEST_F(FrameClockTest, FirstFrameTakesASampleOfOne)
{
    Game clock;
    clock.CalculateFramerate();
    EXPECT_EQ(1, clock.FrameRateSamples[0]);
    EXPECT_EQ(0, clock.FramesThisSecond);
    EXPECT_EQ(1, clock.FrameRateSampleIndex);
    EXPECT_EQ(0, clock.AverageFrameRate);  // nine slots still empty
    EXPECT_EQ(clock.CurrentTicks + 1000, clock.NextSecondTicks);
    EXPECT_EQ(clock.CurrentTicks + 16, clock.NextFrameTicks);
}

TEST_F(FrameClockTest, AverageClimbsOverTenSamplesAndThenRollsOver)
{
    Game clock;
    RunSecond(clock, 62);
    EXPECT_EQ(6, clock.AverageFrameRate);  // 62 / 10, truncated
    for (int second = 1; second < 10; second++) RunSecond(clock, 62);
    EXPECT_EQ(62, clock.AverageFrameRate);
    EXPECT_EQ(0, clock.FrameRateSampleIndex);

    // The oldest sample is the one replaced.
    RunSecond(clock, 32);
    EXPECT_EQ(32, clock.FrameRateSamples[0]);
    EXPECT_EQ(59, clock.AverageFrameRate);
}

TEST_F(FrameClockTest, FrameLastsAtLeastItsPeriod)
{
    Game clock;
    clock.FrameDelayMilliseconds = 30;
    clock.CalculateFramerate();
    const uint32_t earliestEnd = clock.NextFrameTicks;
    clock.ProcessFramerate();
    EXPECT_GE(SDL_GetTicks(), earliestEnd);
}

TEST_F(FrameClockTest, LateFrameIsNotDelayed)
{
    Game clock;
    clock.FrameDelayMilliseconds = 100000;
    clock.CalculateFramerate();
    clock.NextFrameTicks = clock.CurrentTicks;  // the frame's work overran its period
    const uint32_t before = SDL_GetTicks();
    clock.ProcessFramerate();
    EXPECT_LT(SDL_GetTicks() - before, 50000u);  // the next frame's full period: below
}

// The browser's step makes up late frames, as far as it may; the desktop's
// loop, which makes up none, gives a late frame's successor its full period.
TEST_F(FrameClockTest, LateFrameIsMadeUpOnlyAsFarAsAllowed)
{
    struct Lateness
    {
        int32_t framesMadeUp;
        int32_t periodsLate;  // at the frame's start, after it was due
        bool madeUp;
    };
    for (const Lateness row : {Lateness{0, 1, false}, Lateness{4, 3, true}, Lateness{4, 5, false},
                               Lateness{4, -1, false}})
    {
        SCOPED_TRACE(::testing::Message() << row.framesMadeUp << " made up, " << row.periodsLate << " periods late");
        Game clock;
        clock.FrameDelayMilliseconds = 1000;
        clock.FramesMadeUp = row.framesMadeUp;
        const uint32_t due = SDL_GetTicks() - row.periodsLate * 1000;
        clock.NextFrameTicks = due;
        clock.CalculateFramerate();
        EXPECT_EQ((row.madeUp ? due : clock.CurrentTicks) + 1000, clock.NextFrameTicks);
        EXPECT_EQ(row.madeUp ? 0u : 1000u, clock.MillisecondsUntilFrameDue(clock.CurrentTicks));
    }
}

}  // namespace
