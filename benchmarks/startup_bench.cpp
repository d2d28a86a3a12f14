// Start-up: window, fonts, sprites, texts, GUI and audio, up to the first
// presented frame of the sponsor screen.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench_setup.h"
#include "frame_bench.h"
#include "main_loop.h"
#include "screens/screens.h"
#include "support/test_environment.h"
#include "visuals/visuals.h"

const int FRAMES_TO_FIRST_PRESENT = 10;

static bool PresentFirstSponsorFrame()
{
    for (int frame = 0; frame < FRAMES_TO_FIRST_PRESENT; frame++)
    {
        if (RunMainLoopFrame()) return screens->ScreenToDisplay == SPONSOR_SCREEN;
    }
    return false;
}

static void BM_StartUp(benchmark::State& state)
{
    StopFrameBenchmarkGame();  // one window at a time
    for (auto _ : state)
    {
        state.PauseTiming();
        std::unique_ptr<TemporaryWorkingDirectory> directory(new TemporaryWorkingDirectory());
        state.ResumeTiming();
        const bool started = StartGameObjects();
        const bool presented = started && PresentFirstSponsorFrame();
        state.PauseTiming();
        StopGameObjects();
        directory.reset();
        state.ResumeTiming();
        // Google Benchmark aborts on a timing call after the error: it comes last.
        if (!presented) state.SkipWithError("the sponsor screen was never presented");
    }
}

void RegisterStartUpBenchmark(int repetitions)
{
    MeasuredWithSpread(benchmark::RegisterBenchmark("start_up_to_first_frame", BM_StartUp), repetitions)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
}
