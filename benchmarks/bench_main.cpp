// Runs every benchmark, then the whole game, and prints each figure beside
// its budget.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "bench_setup.h"
#include "frame_bench.h"
#include "game/game.h"
#include "games_in_process.h"
#include "platform/platform.h"
#include "timed_demo.h"
#include "whole_program.h"

void RegisterStartUpBenchmark(int repetitions);

// Speed budgets are ratios to a floor measured in the same run: the machine's
// pace, and its neighbours', move every time; how the code compares does not.
// Times and the pace are shown beside them for information.
const double FRAME_PERIOD_AT_LEVEL_1_SECONDS = 0.027;
const double FRAME_PERIOD_AT_LEVEL_5_SECONDS = 0.017;
const double PLAYING_FRAME_SHARE_OF_PERIOD = 0.35;
const double PLAYING_FRAME_OVER_FLOOR = 1.15;
// In the largest window the frame takes about half the prescribed drawing's
// time, as the former piece cutter did on a quiet machine (0.51; within 0.03).
const double LARGEST_WINDOW_FRAME_OVER_FLOOR = 0.51 + 0.03;
const double RESTING_MENU_CORE_SHARE = 0.02;
// Start-up against a bare window with OpenGL and one presented frame: about
// 4.7 times it on two cores under Mesa, 0.27 s against 0.056 s.
const double START_UP_OVER_BARE_WINDOW = 6.0;
// A timed demo's mean frame against the prescribed drawing's frame in a
// window of the same size, in the order of TIMED_DEMO_WINDOWS: about 0.75 and
// 0.5 on two cores. The floor is measured minutes before the demo, not frame
// for frame, so the margin is wider than the playing frame's.
const double TIMED_DEMO_FRAME_OVER_FLOOR[NUMBER_OF_TIMED_DEMO_WINDOWS] = {1.0, 0.65};
// A demo checked with no window runs at least this many times its own pace
// in CPU time: a 10-minute game in 0.6 s, quick enough for a server that
// checks every game it is sent.
const double LEAST_VERIFY_PACE = 1000.0;
// What a timed demo's pace means to a player: the first row it reaches.
struct PaceMeaning
{
    double leastPace;
    const char* meaning;
};
const PaceMeaning PACE_MEANINGS[] = {{1.0, "full speed"}, {0.0, "slower than the game"}};
// Growth over four games. In use: below one 32 x 32 picture (4 kB) left
// behind by every game, and above the 8 kB the driver's 1 MB vertex buffer
// weighs more when it has a mapping of its own than when it is in the heap.
const long HEAP_GROWTH_TOLERANCE_KILOBYTES = 16;
// Resident: the driver fills its 1 MB vertex buffer page by page, so a single
// reading can be up to a megabyte off.
const long RESIDENT_GROWTH_TOLERANCE_KILOBYTES = 1024;
const int DEFAULT_REPETITIONS = 7;
const int DEFAULT_PROGRAM_SECONDS = 20;
const int DEFAULT_SECONDS_PER_BOARD = 4;
const int DEFAULT_FRAMES_PER_BOARD = 240;  // about 5 s of play at the boards' own pace
const char* const GAME_LOG_NAME = "game-output.log";

// Median, least and greatest of one benchmark's repetitions, in seconds.
struct Figure
{
    double median = -1;
    double least = -1;
    double greatest = -1;
    std::map<std::string, double> counters;  // medians
    std::map<std::string, double> leastCounters;
    std::map<std::string, double> greatestCounters;
    std::string error;  // of the first repetition that failed
};

// Google Benchmark names the fields of a failed run differently over its
// versions: skipped and skip_message since 1.8, error_occurred and
// error_message before.
template <typename Run>
static auto ErrorOf(const Run& run, int) -> decltype(run.skip_message, std::string())
{
    return run.skipped ? run.skip_message : std::string();
}

template <typename Run>
static std::string ErrorOf(const Run& run, long)
{
    return run.error_occurred ? run.error_message : std::string();
}

// Keeps each benchmark's figures under the name it was registered with (and
// its arguments); the terminal shows the aggregates and every failed run.
class CollectingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // A single repetition comes without aggregates: it is its own median,
        // least and greatest.
        bool aggregated = false;
        for (const Run& run : runs) aggregated = aggregated || run.run_type == Run::RT_Aggregate;
        std::vector<Run> shown;
        for (const Run& run : runs)
        {
            const std::string& arguments = run.run_name.args;
            Figure& figure = figures[run.run_name.function_name + (arguments.empty() ? "" : "/" + arguments)];
            const std::string error = ErrorOf(run, 0);
            if (!error.empty() && figure.error.empty()) figure.error = error;
            if (!error.empty() || run.run_type == Run::RT_Aggregate || !aggregated) shown.push_back(run);
            if (!error.empty() || (aggregated && run.run_type != Run::RT_Aggregate)) continue;
            if (!aggregated || run.aggregate_name == "median") Keep(run, figure.median, figure.counters);
            if (!aggregated || run.aggregate_name == "min") Keep(run, figure.least, figure.leastCounters);
            if (!aggregated || run.aggregate_name == "max") Keep(run, figure.greatest, figure.greatestCounters);
        }
        if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
    }

    std::map<std::string, Figure> figures;

private:
    static void Keep(const Run& run, double& seconds, std::map<std::string, double>& counters)
    {
        seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        for (const auto& counter : run.counters) counters[counter.first] = counter.second.value;
    }
};

// The names the summary has looked up, and whether a filter chose the benchmarks.
static std::set<std::string> summarised;
static bool filtered = false;

static Figure& FigureOf(std::map<std::string, Figure>& figures, const char* name)
{
    summarised.insert(name);
    return figures[name];
}

static const char* Verdict(bool holds)
{
    return holds ? "PASS" : "FAIL";
}

// Median (least..greatest) in a unit of so many per second.
static std::string Duration(const Figure& figure, double perSecond, const char* unit, int decimals)
{
    char text[96];
    snprintf(text, sizeof(text), "%.*f %s (%.*f..%.*f)", decimals, figure.median * perSecond, unit, decimals,
             figure.least * perSecond, decimals, figure.greatest * perSecond);
    return text;
}

static std::string Milliseconds(const Figure& figure)
{
    return Duration(figure, 1e3, "ms", 3);
}

static std::string Microseconds(const Figure& figure)
{
    return Duration(figure, 1e6, "us", 1);
}

static std::string Nanoseconds(const Figure& figure)
{
    return Duration(figure, 1e9, "ns", 1);
}

static bool allHold = true;

static void Line(const char* what, const std::string& figure, const std::string& budget, const char* verdict)
{
    fprintf(report, "%-44s %-30s %-34s %s\n", what, figure.c_str(), budget.c_str(), verdict);
    if (strcmp(verdict, "FAIL") == 0) allHold = false;
}

// The line of a benchmark: its figure and verdict when it ran, FAIL with its
// error when a repetition failed, "not run" only when the filter left it out.
static void FigureLine(const char* what, const Figure& figure, const std::string& shown, const std::string& budget,
                       const char* verdict)
{
    if (!figure.error.empty())
        Line(what, "error: " + figure.error, "", "FAIL");
    else if (figure.median >= 0)
        Line(what, shown, budget, verdict);
    else if (filtered)
        Line(what, "not run", "", "");
    else
        Line(what, "no figure", "", "FAIL");
}

// A figure that no line of the summary looked up, under a name it does not
// know, is not quietly dropped.
static void PrintFiguresWithoutALine(const std::map<std::string, Figure>& figures)
{
    for (const auto& entry : figures)
    {
        if (summarised.count(entry.first) == 0) Line(entry.first.c_str(), "a figure without a line", "", "FAIL");
    }
}

// The line of a measurement of the whole game, when it did not measure: "not
// run" when its option left it out, FAIL with its error when it stopped.
static bool Measured(const char* what, int option, const std::string& error)
{
    if (option > 0 && error.empty()) return true;
    if (option <= 0)
        Line(what, "not run", "", "");
    else
        Line(what, "error: " + error, "", "FAIL");
    return false;
}

static std::string Text(const char* format, double value)
{
    char text[96];
    snprintf(text, sizeof(text), format, value);
    return text;
}

// A counter's median (least..greatest) over the repetitions.
static std::string CounterSpread(Figure& figure, const char* counter, double scale, const char* format)
{
    char text[96];
    snprintf(text, sizeof(text), format, figure.counters[counter] * scale, figure.leastCounters[counter] * scale,
             figure.greatestCounters[counter] * scale);
    return text;
}

static std::string WindowName(const WindowSize& window)
{
    char name[32];
    snprintf(name, sizeof(name), "%d/%d", window.width, window.height);
    return name;
}

// The playing frame against the prescribed drawing of its quads in each
// window, frame for frame, beside the periods of levels 1 and 5.
static void PrintPlayingFrameInWindows(std::map<std::string, Figure>& figures)
{
    const double periodAtLevel1 = FRAME_PERIOD_AT_LEVEL_1_SECONDS * 1e3;
    const double periodAtLevel5 = FRAME_PERIOD_AT_LEVEL_5_SECONDS * 1e3;
    for (int index = 0; index < NUMBER_OF_MEASURED_WINDOWS; index++)
    {
        const WindowSize& window = MEASURED_WINDOWS[index];
        const bool largest = index == NUMBER_OF_MEASURED_WINDOWS - 1;
        Figure& paired = FigureOf(figures, ("playing_frame_over_floor/" + WindowName(window)).c_str());
        char what[96];
        snprintf(what, sizeof(what), "   %d x %d: playing frame", window.width, window.height);
        const std::string periods = Text("level 1 %.0f ms, ", periodAtLevel1) + Text("level 5 %.0f ms", periodAtLevel5);
        FigureLine(what, paired, CounterSpread(paired, "frame_seconds", 1e3, "%.2f ms (%.2f..%.2f)"),
                   "information; " + periods, "");
        FigureLine("      prescribed drawing (the floor)", paired,
                   CounterSpread(paired, "floor_seconds", 1e3, "%.2f ms (%.2f..%.2f)"), "information", "");
        const double screens = window.width * window.height;
        FigureLine("      pixels filled, in screens: frame, floor", paired,
                   Text("%.2f", paired.counters["frame_pixels"] / screens) +
                       Text(", %.2f", paired.counters["floor_pixels"] / screens),
                   "", "");
        const double ratio = paired.counters["frame_over_floor"];
        const double budget = largest ? LARGEST_WINDOW_FRAME_OVER_FLOOR : PLAYING_FRAME_OVER_FLOOR;
        FigureLine("      playing frame / prescribed drawing", paired,
                   CounterSpread(paired, "frame_over_floor", 1, "%.3f (%.3f..%.3f)"), Text("<= %.2f", budget),
                   Verdict(ratio > 0 && ratio <= budget));
    }
}

static void PrintFrameFigures(std::map<std::string, Figure>& figures)
{
    Figure& playing = FigureOf(figures, "playing_frame");
    Figure& floor = FigureOf(figures, "floor_of_playing_frame");
    const double period = FRAME_PERIOD_AT_LEVEL_5_SECONDS;
    FigureLine("1. playing frame, level 5 (screen+fade+present)", playing, Milliseconds(playing),
               Text("information; 35 %% of 17 ms: %.2f ms", PLAYING_FRAME_SHARE_OF_PERIOD * period * 1e3), "");
    FigureLine("   floor: its quads drawn the prescribed way", floor, Milliseconds(floor),
               Text("information; %.0f quads", floor.counters["quads"]), "");
    FigureLine("   ghosts in view, hero alive", playing, Text("%.0f", playing.counters["ghosts_in_view"]),
               Text("hero alive: %.0f", playing.counters["hero_alive"]), "");
    Line("   in one run, frame for frame, by window:", "", "", "");
    PrintPlayingFrameInWindows(figures);
    const Figure& dirty = FigureOf(figures, "title_frame_dirty");
    Figure& clean = FigureOf(figures, "title_frame_clean");
    FigureLine("2. title frame, dirty", dirty, Milliseconds(dirty), "information; drawn only when dirty", "");
    const double pixels = clean.counters["pixels"];
    const double presents = clean.counters["presented"];
    FigureLine("   title frame, not dirty", clean, Nanoseconds(clean),
               Text("draws nothing: %.0f pixels, ", pixels) + Text("%.0f presents", presents),
               Verdict(clean.median > 0 && pixels == 0 && presents == 0));
    const Figure& text = FigureOf(figures, "draw_score_text");
    FigureLine("3. DrawTextOntoScreenBuffer(\"128450\")", text, Microseconds(text),
               "information; in the playing frame's margin", "");
    const Figure& logicFrame = FigureOf(figures, "logic_frame");
    FigureLine("5. logic frame (ProcessGhosts+ProcessPlayer)", logicFrame, Nanoseconds(logicFrame),
               Text("information; %.0f frames/s for the tests", 1.0 / logicFrame.median), "");
}

// Start-up and the bare window, in turn, each repetition.
static void PrintStartUpFigures(std::map<std::string, Figure>& figures)
{
    Figure& paired = FigureOf(figures, "start_up_over_bare_window");
    FigureLine("4. start-up to first presented frame", paired,
               CounterSpread(paired, "start_up_seconds", 1e3, "%.1f ms (%.1f..%.1f)"), "information", "");
    FigureLine("   floor: a bare SDL window, one GL frame", paired,
               CounterSpread(paired, "bare_seconds", 1e3, "%.1f ms (%.1f..%.1f)"), "information", "");
    const double ratio = paired.counters["start_up_over_bare"];
    FigureLine("   start-up / bare window", paired, CounterSpread(paired, "start_up_over_bare", 1, "%.2f (%.2f..%.2f)"),
               Text("<= %.1f", START_UP_OVER_BARE_WINDOW), Verdict(ratio > 0 && ratio <= START_UP_OVER_BARE_WINDOW));
}

static const char* PaceMeaningOf(double pace)
{
    for (const PaceMeaning& row : PACE_MEANINGS)
    {
        if (pace >= row.leastPace) return row.meaning;
    }
    return PACE_MEANINGS[sizeof(PACE_MEANINGS) / sizeof(PACE_MEANINGS[0]) - 1].meaning;
}

// The demo's mean frame against the prescribed drawing's frame at the same
// size; without that floor in the run (a filter left it out) no verdict.
static void PrintTimedDemoOverFloor(Figure& timed, Figure& floor, double budget)
{
    const char* what = "   demo frame / prescribed drawing's frame";
    const double floorSeconds = floor.counters["floor_seconds"];
    if (floorSeconds <= 0)
    {
        Line(what, "no prescribed drawing in this run", "", filtered ? "" : "FAIL");
        return;
    }
    const double ratio = timed.counters["frame_seconds"] / floorSeconds;
    char spread[96];
    snprintf(spread, sizeof(spread), "%.2f (%.2f..%.2f)", ratio, timed.leastCounters["frame_seconds"] / floorSeconds,
             timed.greatestCounters["frame_seconds"] / floorSeconds);
    Line(what, spread, Text("<= %.2f", budget), Verdict(ratio > 0 && ratio <= budget));
}

// The pace says what this machine gives a player; the verdict is the demo's
// frame against the floor measured in the same run.
static void PrintTimedDemoFigures(std::map<std::string, Figure>& figures)
{
    for (int index = 0; index < NUMBER_OF_TIMED_DEMO_WINDOWS; index++)
    {
        const WindowSize& window = TIMED_DEMO_WINDOWS[index];
        Figure& timed = FigureOf(figures, ("timed_demo/" + WindowName(window)).c_str());
        char what[96];
        snprintf(what, sizeof(what), "6. timed demo of a whole game, %d x %d", window.width, window.height);
        FigureLine(what, timed, CounterSpread(timed, "frame_seconds", 1e3, "%.2f ms a frame (%.2f..%.2f)"),
                   CounterSpread(timed, "frames_per_second", 1, "information; %.1f frames/s (%.1f..%.1f)"), "");
        if (!timed.error.empty() || timed.median < 0) continue;
        const double pace = timed.counters["times_its_pace"];
        char spread[64];
        snprintf(spread, sizeof(spread), "information; %.2f..%.2f", timed.leastCounters["times_its_pace"],
                 timed.greatestCounters["times_its_pace"]);
        Line("   on this machine", Text("%.2f times its pace: ", pace) + PaceMeaningOf(pace), spread, "");
        PrintTimedDemoOverFloor(timed, FigureOf(figures, ("playing_frame_over_floor/" + WindowName(window)).c_str()),
                                TIMED_DEMO_FRAME_OVER_FLOOR[index]);
    }
}

// CPU time against the game's own pace, which load does not move.
static void PrintVerifyFigures(std::map<std::string, Figure>& figures)
{
    for (int demo = 0; demo < NUMBER_OF_VERIFIED_DEMOS; demo++)
    {
        Figure& verified = FigureOf(figures, ("verify/" + std::to_string(demo)).c_str());
        char what[96];
        snprintf(what, sizeof(what), "7. %s verified with no window", VERIFIED_DEMOS[demo]);
        FigureLine(what, verified, CounterSpread(verified, "times_its_pace", 1, "%.0f times its pace (%.0f..%.0f)"),
                   Text(">= %.0f times, in CPU time", LEAST_VERIFY_PACE),
                   Verdict(verified.counters["times_its_pace"] >= LEAST_VERIFY_PACE));
        if (verified.median < 0 || !verified.error.empty()) continue;
        char figure[64];
        snprintf(figure, sizeof(figure), "%.1f ms for %.0f frames", verified.median * 1e3, verified.counters["frames"]);
        Line("   its CPU time", figure, "information", "");
    }
}

static void PrintWholeProgramFigures(const WholeProgramFigures& figures, int seconds)
{
    if (!Measured("whole game, CPU time at rest and in play", seconds, figures.cpuError)) return;
    char what[96];
    snprintf(what, sizeof(what), "whole game, %d s resting on the title", seconds);
    Line(what, Text("%.2f %% of one core", figures.titleCoreShare * 100),
         Text("<= %.0f %% of one core", RESTING_MENU_CORE_SHARE * 100),
         Verdict(figures.titleCoreShare >= 0 && figures.titleCoreShare <= RESTING_MENU_CORE_SHARE));
    snprintf(what, sizeof(what), "whole game, %d s of play (level 1)", seconds);
    Line(what, Text("%.1f %% of one core", figures.playCoreShare * 100),
         figures.stillPlaying ? "(still playing at the end)" : "(the game had ended)", "");
}

static void PrintMemoryFigures(const WholeProgramFigures& figures, int secondsPerBoard)
{
    if (!Measured("whole games of the real program, RSS", secondsPerBoard, figures.memoryError)) return;
    char what[96];
    snprintf(what, sizeof(what), "peak RSS, %d whole games (%d s a board)", MEMORY_GAMES, secondsPerBoard);
    Line(what, Text("%.1f MB", figures.peakResidentKilobytes / 1024.0), "", "");
    for (int played = 0; played < MEMORY_GAMES; played++)
    {
        snprintf(what, sizeof(what), "   least RSS in whole game %d", played + 1);
        Line(what, Text("%.1f MB", figures.residentFloorInGameKilobytes[played] / 1024.0),
             played == 0 ? "(caches fill in the first game)" : "", "");
    }
}

static double Least(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

static double Greatest(const std::vector<double>& values)
{
    return *std::max_element(values.begin(), values.end());
}

static double Median(const std::vector<double>& values)
{
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const size_t middle = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// The middle third of the games against the last (the first games fill the
// caches of the drawing stack), each third summed up by one of its values.
static void PrintGrowth(const char* what, const long* afterEachGame, double (*summary)(const std::vector<double>&),
                        long toleranceKilobytes)
{
    const int third = GAMES_IN_PROCESS / 3;
    const double middle = summary(std::vector<double>(afterEachGame + third, afterEachGame + 2 * third));
    const double last = summary(std::vector<double>(afterEachGame + 2 * third, afterEachGame + 3 * third));
    char line[96];
    snprintf(line, sizeof(line), "%s, games %d-%d to %d-%d", what, third + 1, 2 * third, 2 * third + 1, 3 * third);
    Line(line, Text("%+.0f kB", last - middle), Text("<= %.0f kB", toleranceKilobytes),
         Verdict(middle > 0 && last > 0 && last - middle <= toleranceKilobytes));
}

static void PrintGamesInProcessFigures(const GamesInProcessFigures& figures, int framesPerBoard)
{
    if (!Measured("whole games in process, heap and RSS", framesPerBoard, figures.error)) return;
    char what[96];
    snprintf(what, sizeof(what), "%d whole games in process, %d frames a board:", GAMES_IN_PROCESS, framesPerBoard);
    Line(what, "heap in use after it", "RSS on the title after it, least in it", "");
    long heapKilobytes[GAMES_IN_PROCESS];
    for (int played = 0; played < GAMES_IN_PROCESS; played++)
    {
        snprintf(what, sizeof(what), "   game %d", played + 1);
        char resident[96];
        snprintf(resident, sizeof(resident), "%.1f MB, %.1f MB", figures.residentOnTitleKilobytes[played] / 1024.0,
                 figures.residentFloorInGameKilobytes[played] / 1024.0);
        Line(what, Text("%.3f MB", figures.heapInUseBytes[played] / 1048576.0), resident, "");
        heapKilobytes[played] = figures.heapInUseBytes[played] / 1024;
    }
    // A block alive at the reading can only lift a game's figure: the least of a third is kept.
    PrintGrowth("heap in use (least)", heapKilobytes, Least, HEAP_GROWTH_TOLERANCE_KILOBYTES);
    // The driver's vertex buffer moves the RSS a megabyte either way: the median is kept.
    PrintGrowth("RSS on the title (median)", figures.residentOnTitleKilobytes, Median,
                RESIDENT_GROWTH_TOLERANCE_KILOBYTES);
}

benchmark::internal::Benchmark* MeasuredWithSpread(benchmark::internal::Benchmark* benchmark, int repetitions,
                                                   MeasuredTime time)
{
    if (time == MANUAL_TIME)
        benchmark->UseManualTime();
    else
        benchmark->UseRealTime();
    return benchmark->Repetitions(repetitions)->ComputeStatistics("min", Least)->ComputeStatistics("max", Greatest);
}

// Our own options come first and are taken out; the rest is Google Benchmark's.
static int TakeOption(int& argc, char** argv, const char* name, int fallback)
{
    const size_t length = strlen(name);
    for (int index = 1; index < argc; index++)
    {
        if (strncmp(argv[index], name, length) != 0 || argv[index][length] != '=') continue;
        const int value = atoi(argv[index] + length + 1);
        for (int rest = index; rest < argc - 1; rest++) argv[rest] = argv[rest + 1];
        argc--;
        return value;
    }
    return fallback;
}

// Beside the bench program: build-bench/benchmarks/game-output.log.
static std::string GameLogPath(const char* program)
{
    const std::string path = program;
    const size_t slash = path.rfind('/');
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + GAME_LOG_NAME;
}

int main(int argc, char** argv)
{
    KeepLargeBuffersOutOfTheHeap();  // the game's allocator, as its own main sets it
    const std::string gameLog = GameLogPath(argv[0]);
    if (!SendGameOutputToLog(gameLog.c_str()))
        fprintf(report, "ERROR: could not open %s; the game's own lines stay here\n", gameLog.c_str());
    const int repetitions = TakeOption(argc, argv, "--repetitions", DEFAULT_REPETITIONS);
    const int programSeconds = TakeOption(argc, argv, "--program_seconds", DEFAULT_PROGRAM_SECONDS);
    const int secondsPerBoard = TakeOption(argc, argv, "--seconds_per_board", DEFAULT_SECONDS_PER_BOARD);
    const int framesPerBoard = TakeOption(argc, argv, "--frames_per_board", DEFAULT_FRAMES_PER_BOARD);
    for (int index = 1; index < argc; index++) filtered |= strncmp(argv[index], "--benchmark_filter", 18) == 0;
    std::vector<char*> arguments(argv, argv + argc);
    static char interleaved[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleaved);
    int count = arguments.size();
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;

    RegisterStartUpBenchmark(repetitions);
    RegisterFrameBenchmarks(repetitions);
    RegisterTimedDemoBenchmark(repetitions);
    RegisterVerifyBenchmark(repetitions);

    CollectingReporter reporter;
    reporter.SetOutputStream(&ReportStream());
    reporter.SetErrorStream(&ReportStream());
    // Start-up first: it opens and closes its own windows.
    if (filtered)
        benchmark::RunSpecifiedBenchmarks(&reporter);
    else
    {
        benchmark::RunSpecifiedBenchmarks(&reporter, "start_up");
        benchmark::RunSpecifiedBenchmarks(&reporter, "^(playing|floor|title|draw|logic)");
    }
    const char* renderer = (const char*)glGetString(GL_RENDERER);
    const std::string rendererName = renderer ? renderer : "unknown";
    StopFrameBenchmarkGame();
    // The real program, with no window of the bench's own beside it.
    if (!filtered) benchmark::RunSpecifiedBenchmarks(&reporter, "timed_demo");
    if (!filtered) benchmark::RunSpecifiedBenchmarks(&reporter, "verify");

    GamesInProcessFigures inProcess;
    if (framesPerBoard > 0) MeasureGamesInProcess(framesPerBoard, inProcess);

    WholeProgramFigures whole;
    if (programSeconds > 0) MeasureWholeProgram(programSeconds, whole);
    if (secondsPerBoard > 0) MeasureMemoryOverGames(secondsPerBoard, whole);

    fprintf(report, "\nFigures: medians of %d repetitions (least..greatest), renderer %s\n", repetitions,
            rendererName.c_str());
    fprintf(report, "Times and paces are information; a speed verdict is a ratio to a floor measured in this run.\n");
    PrintFrameFigures(reporter.figures);
    PrintStartUpFigures(reporter.figures);
    PrintTimedDemoFigures(reporter.figures);
    PrintVerifyFigures(reporter.figures);
    PrintFiguresWithoutALine(reporter.figures);
    PrintWholeProgramFigures(whole, programSeconds);
    PrintMemoryFigures(whole, secondsPerBoard);
    PrintGamesInProcessFigures(inProcess, framesPerBoard);
    fprintf(report, "%s\n", allHold ? "Every budget holds." : "Some budget does not hold.");
    return allHold ? 0 : 1;
}
