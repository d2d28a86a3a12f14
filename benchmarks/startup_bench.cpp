// Start-up: window, fonts, sprites, texts, GUI and audio, up to the first
// presented frame of the sponsor screen, against a floor measured beside it:
// what a bare program does to show anything, an SDL window with OpenGL and
// one presented frame.
#include <benchmark/benchmark.h>

#include <memory>

#include <SDL.h>
#include <GL/gl.h>

#include "bench_setup.h"
#include "frame_bench.h"
#include "main_loop.h"
#include "screens/screens.h"
#include "support/test_environment.h"
#include "visuals/visuals.h"

const int FRAMES_TO_FIRST_PRESENT = 10;
// Each repetition takes a few start-ups in turn with the bare window, so
// that one slow moment of the machine weighs on both alike.
const int START_UPS_PER_REPETITION = 3;

static bool PresentFirstSponsorFrame()
{
    for (int frame = 0; frame < FRAMES_TO_FIRST_PRESENT; frame++)
    {
        if (RunMainLoopFrame()) return screens->ScreenToDisplay == SPONSOR_SCREEN;
    }
    return false;
}

// The game's own start-up to its first frame, in seconds; -1 when it failed.
static double TimeGameStartUp()
{
    std::unique_ptr<TemporaryWorkingDirectory> directory(new TemporaryWorkingDirectory());
    const double start = SecondsNow();
    const bool presented = StartGameObjects() && PresentFirstSponsorFrame();
    const double seconds = SecondsNow() - start;
    StopGameObjects();
    return presented ? seconds : -1;
}

// A bare program's start-up: SDL's video, the game's window with OpenGL,
// one cleared frame presented; in seconds, -1 when it failed.
static double TimeBareWindow()
{
    const double start = SecondsNow();
    const bool opened = SDL_Init(SDL_INIT_VIDEO) == 0 &&
                        SDL_SetVideoMode(VIRTUAL_SCREEN_WIDTH, VIRTUAL_SCREEN_HEIGHT, 0, SDL_OPENGL) != nullptr;
    if (opened)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        SDL_GL_SwapBuffers();
    }
    const double seconds = SecondsNow() - start;
    SDL_Quit();
    return opened ? seconds : -1;
}

static void BM_StartUpOverBareWindow(benchmark::State& state)
{
    StopFrameBenchmarkGame();  // one window at a time
    double gameSeconds = 0;
    double bareSeconds = 0;
    for (auto _ : state)
    {
        const double bare = TimeBareWindow();
        const double game = TimeGameStartUp();
        if (bare < 0) return state.SkipWithError("the bare window did not open");
        if (game < 0) return state.SkipWithError("the sponsor screen was never presented");
        bareSeconds += bare;
        gameSeconds += game;
        state.SetIterationTime(bare + game);
    }
    state.counters["start_up_over_bare"] = bareSeconds > 0 ? gameSeconds / bareSeconds : 0;
    state.counters["start_up_seconds"] = benchmark::Counter(gameSeconds, benchmark::Counter::kAvgIterations);
    state.counters["bare_seconds"] = benchmark::Counter(bareSeconds, benchmark::Counter::kAvgIterations);
}

void RegisterStartUpBenchmark(int repetitions)
{
    MeasuredWithSpread(benchmark::RegisterBenchmark("start_up_over_bare_window", BM_StartUpOverBareWindow),
                       repetitions, MANUAL_TIME)
        ->Iterations(START_UPS_PER_REPETITION)
        ->Unit(benchmark::kMillisecond);
}
