// A whole game of the real program played from a committed demo as fast as
// frames are drawn and presented (--timedemo), in the game's own window and
// full screen at 1920 x 1080: its mean frame time, the frames per second, and
// how many times faster than its own pace (the frame periods of its levels and
// screens) it ran.
#include "timed_demo.h"

#include <benchmark/benchmark.h>
#include <stdio.h>
#include <time.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_setup.h"
#include "demos/demos.h"
#include "support/demo_playback.h"
#include "support/game_process.h"
#include "support/own_display.h"

// Title, a game lost on the first board, the name typed, the table, quit.
const char* const WHOLE_GAME_DEMO = "lost_game";
// At the least acceptable speed the demo plays in half a minute; a slow
// machine or a slow window may take several times that.
const int PLAYBACK_TIMEOUT_MILLISECONDS = 600000;

// The demo's end line as the playback reports it: "N frames, state X".
struct DemoEnd
{
    unsigned frames = 0;
    std::string text;  // empty when the demo has no end line
};

static DemoEnd RecordedEnd(const std::string& demo)
{
    const std::string text = ReadWholeFile(demo);
    const size_t end = text.rfind("\nend ");
    DemoEnd recorded;
    char state[32] = "";
    if (end == std::string::npos || sscanf(text.c_str() + end, "\nend %u %31s", &recorded.frames, state) != 2)
        return recorded;
    recorded.text = std::to_string(recorded.frames) + " frames, state " + state;
    return recorded;
}

static std::string LineWith(const std::string& text, const std::string& start)
{
    const size_t at = text.find(start);
    if (at == std::string::npos) return "";
    return text.substr(at, text.find('\n', at) - at);
}

// What the game's line says of one playback.
struct Playback
{
    double seconds = 0;
    double pace = 0;  // times its own pace
};

// Plays the demo once in a window of that size: the playback's figures,
// from its line, or why it failed.
static std::string PlayBack(const std::string& demo, const DemoEnd& recorded, int width, int height, Playback& played)
{
    std::vector<std::string> arguments = {"--timedemo", demo};
    std::vector<std::string> environment = {"SDL_AUDIODRIVER=dummy"};
    std::unique_ptr<OwnDisplay> display;
    if (width != VIRTUAL_SCREEN_WIDTH || height != VIRTUAL_SCREEN_HEIGHT)
    {
        // The X server must offer the full-screen mode, and a player's own screen is not switched.
        display.reset(new OwnDisplay(width, height));
        if (display->name.empty()) return "Xvfb did not start";
        environment.push_back("DISPLAY=" + display->name);
        arguments.insert(arguments.end(), {"--width", std::to_string(width), "--height", std::to_string(height)});
    }
    GameProcess game;
    if (!game.Start(arguments, environment)) return "the game did not start";
    if (!game.WaitForExit(PLAYBACK_TIMEOUT_MILLISECONDS)) return "the playback did not end in ten minutes";
    const std::string log = game.Log();
    const std::string timed = LineWith(log, "Timed demo ");
    if (game.exitStatus != 0 || timed.empty())
    {
        const std::string error = LineWith(log, "ERROR: ");
        return "exit status " + std::to_string(game.exitStatus) + (error.empty() ? "" : ", " + error);
    }
    const size_t at = timed.find(": " + recorded.text + ", ");
    if (at == std::string::npos) return "recorded " + recorded.text + ", played " + timed;
    const char* const figures = timed.c_str() + at + recorded.text.size() + 2;
    if (sscanf(figures, ", %lf seconds, %*f frames per second, %lf times its own pace", &played.seconds,
               &played.pace) != 2 || played.seconds <= 0)
        return "no figures in: " + timed;
    return "";
}

// One playback a repetition, timed by the game itself. Arguments: the
// window's width and height (any but 640 x 480 is full screen).
static void BM_TimedDemo(benchmark::State& state)
{
    const std::string demo = DemoPath(WHOLE_GAME_DEMO);
    const DemoEnd recorded = RecordedEnd(demo);
    if (recorded.text.empty()) return state.SkipWithError(("no end line in " + demo).c_str());
    for (auto _ : state)
    {
        Playback played;
        const std::string error = PlayBack(demo, recorded, state.range(0), state.range(1), played);
        if (!error.empty())
        {
            state.SkipWithError(error.c_str());
            break;
        }
        state.SetIterationTime(played.seconds);
        state.counters["frame_seconds"] = played.seconds / recorded.frames;
        state.counters["frames_per_second"] = recorded.frames / played.seconds;
        state.counters["times_its_pace"] = played.pace;
    }
}

static double ProcessSeconds()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// A demo checked by the game's rules alone, as --verify checks it, in this
// process: its CPU time against the frame periods of its levels and screens.
// Argument: 0 the lost game, 1 the won game.
static void BM_Verify(benchmark::State& state)
{
    const std::string demo = DemoPath(VERIFIED_DEMOS[state.range(0)]);
    if (RecordedEnd(demo).text.empty()) return state.SkipWithError(("no end line in " + demo).c_str());
    for (auto _ : state)
    {
        const double start = ProcessSeconds();
        StartVerifying(demo.c_str());
        while (VerifyNextFrame()) continue;
        const double paceSeconds = demos->PaceMilliseconds / 1000.0;
        const uint32_t frames = demos->Frames;
        const int status = StopVerifying();
        const double seconds = ProcessSeconds() - start;
        if (status != 0 || seconds <= 0)
        {
            state.SkipWithError(("the demo did not verify: " + demo).c_str());
            break;
        }
        state.SetIterationTime(seconds);
        state.counters["frames"] = frames;
        state.counters["times_its_pace"] = paceSeconds / seconds;
    }
}

void RegisterVerifyBenchmark(int repetitions)
{
    for (int demo = 0; demo < NUMBER_OF_VERIFIED_DEMOS; demo++)
        MeasuredWithSpread(benchmark::RegisterBenchmark("verify", BM_Verify)->Arg(demo), repetitions, MANUAL_TIME)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
}

void RegisterTimedDemoBenchmark(int repetitions)
{
    for (const WindowSize& window : TIMED_DEMO_WINDOWS)
    {
        benchmark::internal::Benchmark* timed = benchmark::RegisterBenchmark("timed_demo", BM_TimedDemo);
        MeasuredWithSpread(timed->Args({window.width, window.height}), repetitions, MANUAL_TIME)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
}
