// Runs every benchmark, then the whole game, and prints each figure beside
// its budget.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "bench_setup.h"
#include "frame_bench.h"
#include "game/game.h"
#include "games_in_process.h"
#include "whole_program.h"

void RegisterStartUpBenchmark(int repetitions);

// Budgets, as ratios measured in one run.
const double FRAME_PERIOD_AT_LEVEL_1_SECONDS = 0.027;
const double FRAME_PERIOD_AT_LEVEL_5_SECONDS = 0.017;
const double PLAYING_FRAME_SHARE_OF_PERIOD = 0.35;
const double PLAYING_FRAME_OVER_FLOOR = 1.15;
// In the largest window the frame draws at most half what the prescribed
// drawing fills, and within level 5's period.
const double LARGEST_WINDOW_FRAME_OVER_FLOOR = 0.51 + 0.03;  // the former piece cutter, quiet machine; within 0.03
const double RESTING_MENU_CORE_SHARE = 0.02;
const double START_UP_SECONDS = 0.3;
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
};

class CollectingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
        {
            if (run.run_type != Run::RT_Aggregate) continue;
            const std::string& arguments = run.run_name.args;
            Figure& figure = figures[run.run_name.function_name + (arguments.empty() ? "" : "/" + arguments)];
            const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (run.aggregate_name == "median") figure.median = seconds;
            if (run.aggregate_name == "min") figure.least = seconds;
            if (run.aggregate_name == "max") figure.greatest = seconds;
            std::map<std::string, double>* counters = run.aggregate_name == "median" ? &figure.counters
                                                      : run.aggregate_name == "min"  ? &figure.leastCounters
                                                      : run.aggregate_name == "max"  ? &figure.greatestCounters
                                                                                     : nullptr;
            if (!counters) continue;
            for (const auto& counter : run.counters) (*counters)[counter.first] = counter.second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, Figure> figures;
};

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

// A benchmark left out by a filter has no figure.
static bool Ran(const Figure& figure)
{
    return figure.median >= 0;
}

static bool allHold = true;

static void Line(const char* what, const std::string& figure, const std::string& budget, const char* verdict)
{
    fprintf(report, "%-44s %-30s %-34s %s\n", what, figure.c_str(), budget.c_str(), verdict);
    if (strcmp(verdict, "FAIL") == 0) allHold = false;
}

// The line of a benchmark that ran, with its budget; "not run" otherwise.
static void FigureLine(const char* what, const Figure& figure, const std::string& shown, const std::string& budget,
                       const char* verdict)
{
    if (Ran(figure))
        Line(what, shown, budget, verdict);
    else
        Line(what, "not run", "", "");
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
        Figure& paired = figures["playing_frame_over_floor/" + WindowName(window)];
        char what[96];
        snprintf(what, sizeof(what), "   %d x %d: playing frame", window.width, window.height);
        const double frame = paired.counters["frame_seconds"];
        const std::string periods = Text("periods: level 1 %.0f ms, ", periodAtLevel1) + Text("level 5 %.0f ms", periodAtLevel5);
        FigureLine(what, paired, CounterSpread(paired, "frame_seconds", 1e3, "%.2f ms (%.2f..%.2f)"),
                   largest ? Text("< %.0f ms, the period of level 5", periodAtLevel5) : periods,
                   largest ? Verdict(frame > 0 && frame < FRAME_PERIOD_AT_LEVEL_5_SECONDS) : "");
        FigureLine("      prescribed drawing (the floor)", paired,
                   CounterSpread(paired, "floor_seconds", 1e3, "%.2f ms (%.2f..%.2f)"), "", "");
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
    Figure& playing = figures["playing_frame"];
    Figure& floor = figures["floor_of_playing_frame"];
    const double period = FRAME_PERIOD_AT_LEVEL_5_SECONDS;
    FigureLine("1. playing frame, level 5 (screen+fade+present)", playing, Milliseconds(playing),
               Text("< %.2f ms (35 %% of 17 ms)", PLAYING_FRAME_SHARE_OF_PERIOD * period * 1e3),
               Verdict(playing.median > 0 && playing.median < PLAYING_FRAME_SHARE_OF_PERIOD * period));
    FigureLine("   floor: its quads drawn the prescribed way", floor, Milliseconds(floor),
               Text("%.0f quads", floor.counters["quads"]), "");
    FigureLine("   ghosts in view, hero alive", playing, Text("%.0f", playing.counters["ghosts_in_view"]),
               Text("hero alive: %.0f", playing.counters["hero_alive"]), "");
    Line("   in one run, frame for frame, by window:", "", "", "");
    PrintPlayingFrameInWindows(figures);
    const Figure& dirty = figures["title_frame_dirty"];
    Figure& clean = figures["title_frame_clean"];
    FigureLine("2. title frame, dirty", dirty, Milliseconds(dirty), "(drawn only when dirty)", "");
    FigureLine("   title frame, not dirty", clean, Nanoseconds(clean),
               Text("draws nothing: %.0f presents", clean.counters["presented"]),
               Verdict(clean.median > 0 && clean.counters["presented"] == 0));
    const Figure& text = figures["draw_score_text"];
    FigureLine("3. DrawTextOntoScreenBuffer(\"128450\")", text, Microseconds(text),
               "(inside the playing frame's margin)", "");
    const Figure& logicFrame = figures["logic_frame"];
    FigureLine("5. logic frame (ProcessGhosts+ProcessPlayer)", logicFrame, Nanoseconds(logicFrame),
               Text("%.0f frames/s for the tests", 1.0 / logicFrame.median), "");
}

static void PrintStartUpFigure(std::map<std::string, Figure>& figures)
{
    const Figure& startUp = figures["start_up_to_first_frame"];
    FigureLine("4. start-up to first presented frame", startUp, Milliseconds(startUp),
               Text("<= %.0f ms", START_UP_SECONDS * 1e3),
               Verdict(startUp.median > 0 && startUp.median <= START_UP_SECONDS));
}

static void PrintWholeProgramFigures(const WholeProgramFigures& figures, int seconds)
{
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
    bool filtered = false;
    for (int index = 1; index < argc; index++) filtered |= strncmp(argv[index], "--benchmark_filter", 18) == 0;
    std::vector<char*> arguments(argv, argv + argc);
    static char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    static char interleaved[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, {aggregatesOnly, interleaved});
    int count = arguments.size();
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;

    RegisterStartUpBenchmark(repetitions);
    RegisterFrameBenchmarks(repetitions);

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

    GamesInProcessFigures inProcess;
    const bool playedInProcess = framesPerBoard <= 0 || MeasureGamesInProcess(framesPerBoard, inProcess);

    WholeProgramFigures whole;
    const bool measured = programSeconds <= 0 || MeasureWholeProgram(programSeconds, whole);
    const bool measuredMemory = secondsPerBoard <= 0 || MeasureMemoryOverGames(secondsPerBoard, whole);

    fprintf(report, "\nFigures: medians of %d repetitions (least..greatest), renderer %s\n", repetitions,
            rendererName.c_str());
    PrintFrameFigures(reporter.figures);
    PrintStartUpFigure(reporter.figures);
    if (programSeconds > 0) PrintWholeProgramFigures(whole, programSeconds);
    if (secondsPerBoard > 0) PrintMemoryFigures(whole, secondsPerBoard);
    if (framesPerBoard > 0) PrintGamesInProcessFigures(inProcess, framesPerBoard);
    if (!measured || !measuredMemory || !playedInProcess) allHold = false;
    fprintf(report, "%s\n", allHold ? "Every budget holds." : "Some budget does not hold.");
    return allHold ? 0 : 1;
}
