// The real game as a whole: its CPU time resting on the title screen and
// during play, and its memory, from the process's own statistics.
#include "whole_program.h"

#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "bench_setup.h"
#include "support/game_process.h"

const Colour PLAYING_TV_WOOD = {106, 64, 34};  // the television cabinet at (400, 472)
const int PLAYING_TV_WOOD_X = 400;
const int PLAYING_TV_WOOD_Y = 472;
const Colour WAREHOUSE_WALL = {84, 90, 106};  // the ending scene at (600, 30)
const Colour SUNRISE_WALL = {126, 106, 106};  // the victory credits at (600, 30)
const int SCENE_WALL_X = 600;
const int SCENE_WALL_Y = 30;
const Colour SPONSOR_WHITE = {255, 255, 255};  // the sponsor's screen at (320, 20)
const int SPONSOR_WHITE_X = 320;
const int SPONSOR_WHITE_Y = 20;
const Colour MAKER_GREEN = {1, 255, 1};  // the lettering of the maker's screen, in its bottom strip
const int MAKER_STRIP_TOP = 440;
const int COLOUR_TOLERANCE = 30;
const int OPENING_SCENE_TIMEOUT_MILLISECONDS = 30000;
const int SCENE_TIMEOUT_MILLISECONDS = 15000;
const int BOARDS = 5;
// Play starts with a little warming up before the measured window.
const int WARM_UP_SECONDS = 2;
const int SECONDS_BETWEEN_TURNS = 2;
const int MEMORY_READINGS_PER_SECOND = 10;
static const char* const TURN_KEYS[] = {"Left", "Up", "Right", "Down"};
// Scores no game reaches, so every game ends on the table without a name to type.
const char* const OPTIONS_LINES = "32\n32\n1\n1\n2\n2\n1\n1\n9\n10\n2\n2\n1\n1\n9\n10\n^\n^\n";
const int HIGH_SCORE_ENTRIES = 40;  // ten in each of the four game modes

// Clock ticks of user and system time of the whole process (every thread).
static double ProcessCpuSeconds(pid_t pid)
{
    char path[64];
    snprintf(path, sizeof(path), "/proc/%d/stat", (int)pid);
    FILE* file = fopen(path, "r");
    if (!file) return -1.0;
    char line[1024] = {0};
    const bool read = fgets(line, sizeof(line), file) != nullptr;
    fclose(file);
    const char* afterName = read ? strrchr(line, ')') : nullptr;
    if (!afterName) return -1.0;
    unsigned long user = 0;
    unsigned long system = 0;
    // Fields 3 to 13 come before utime (14) and stime (15).
    if (sscanf(afterName + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user, &system) != 2) return -1.0;
    return (double)(user + system) / sysconf(_SC_CLK_TCK);
}

// One "Vm..." line of /proc/PID/status, in kilobytes.
static long ProcessMemoryKilobytes(pid_t pid, const char* field)
{
    char path[64];
    snprintf(path, sizeof(path), "/proc/%d/status", (int)pid);
    FILE* file = fopen(path, "r");
    if (!file) return -1;
    long kilobytes = -1;
    char line[256];
    const size_t length = strlen(field);
    while (fgets(line, sizeof(line), file))
    {
        if (strncmp(line, field, length) == 0 && line[length] == ':') kilobytes = atol(line + length + 1);
    }
    fclose(file);
    return kilobytes;
}

// The share of one core the game used over the coming seconds; the action
// runs about once a second (it may press keys).
template <typename Action>
static double CoreShareOver(GameProcess& game, int seconds, Action action)
{
    const double cpuBefore = ProcessCpuSeconds(game.pid);
    const double wallBefore = SecondsNow();
    for (int second = 0; second < seconds; second++)
    {
        action(second);
        const double next = wallBefore + second + 1;
        while (SecondsNow() < next) usleep(20000);
    }
    const double cpuAfter = ProcessCpuSeconds(game.pid);
    return (cpuAfter - cpuBefore) / (SecondsNow() - wallBefore);
}

static bool ScreenShows(GameProcess& game, int x, int y, const Colour& colour, int timeoutMilliseconds)
{
    return game.WaitForColourAt(x, y, colour, COLOUR_TOLERANCE, timeoutMilliseconds);
}

static bool StartPlaying(GameProcess& game)
{
    game.PressKey("Return");  // "Start!"
    return ScreenShows(game, PLAYING_TV_WOOD_X, PLAYING_TV_WOOD_Y, PLAYING_TV_WOOD, OPENING_SCENE_TIMEOUT_MILLISECONDS);
}

// The hero turns every few seconds, so he eats, meets ghosts and now and then dies.
static void Steer(GameProcess& game, int second)
{
    if (second % SECONDS_BETWEEN_TURNS == 0) game.PressKey(TURN_KEYS[(second / SECONDS_BETWEEN_TURNS) % 4]);
}

void MeasureWholeProgram(int seconds, WholeProgramFigures& figures)
{
    GameProcess game;
    if (!game.Start({}, {"SDL_AUDIODRIVER=dummy"}) || !game.WaitForWindow() || !game.SkipToTitleScreen())
    {
        figures.cpuError = "the game did not reach its title screen";
        return;
    }
    // The selector check leaves the title screen clean and resting.
    figures.titleCoreShare = CoreShareOver(game, seconds, [](int) {});

    if (!StartPlaying(game))
    {
        figures.cpuError = "the game never reached the playing screen";
        return;
    }
    auto steer = [&game](int second) { Steer(game, second); };
    CoreShareOver(game, WARM_UP_SECONDS, steer);
    figures.playCoreShare = CoreShareOver(game, seconds, steer);
    figures.stillPlaying = ScreenShows(game, PLAYING_TV_WOOD_X, PLAYING_TV_WOOD_Y, PLAYING_TV_WOOD, 1000);
    game.Terminate();
    if (!game.WaitForExit()) figures.cpuError = "the game did not quit when asked";
}

// Plays for the given seconds and lowers the floor to the least resident
// memory seen. The driver fills a vertex buffer of 1 MB page by page and then
// takes a fresh one, so a single reading can be up to a megabyte high; the
// least of many readings over a game is steady.
static void PlayFor(GameProcess& game, int seconds, long& floorKilobytes)
{
    for (int reading = 0; reading < seconds * MEMORY_READINGS_PER_SECOND; reading++)
    {
        if (reading % MEMORY_READINGS_PER_SECOND == 0) Steer(game, reading / MEMORY_READINGS_PER_SECOND);
        const long resident = ProcessMemoryKilobytes(game.pid, "VmRSS");
        if (floorKilobytes < 0 || (resident >= 0 && resident < floorKilobytes)) floorKilobytes = resident;
        usleep(1000000 / MEMORY_READINGS_PER_SECOND);
    }
}

// A whole game with the debug keys: each board played for a while and then
// cleared with 'l', the ending scene and the credits skipped, and the table
// left for the title screen.
static bool PlayWholeGame(GameProcess& game, int secondsPerBoard, long& floorKilobytes)
{
    if (!StartPlaying(game)) return false;
    for (int board = 1; board < BOARDS; board++)
    {
        PlayFor(game, secondsPerBoard, floorKilobytes);
        game.PressKey("l");
    }
    PlayFor(game, secondsPerBoard, floorKilobytes);
    // The last board's 'l' wins; pressed again should one fall in the key's hold-off.
    const bool won = WaitUntil(
        [&] {
            game.PressKey("l");
            return ScreenShows(game, SCENE_WALL_X, SCENE_WALL_Y, WAREHOUSE_WALL, 400);
        },
        SCENE_TIMEOUT_MILLISECONDS);
    if (!won) return false;
    game.PressKey("space");
    if (!ScreenShows(game, SCENE_WALL_X, SCENE_WALL_Y, SUNRISE_WALL, SCENE_TIMEOUT_MILLISECONDS)) return false;
    game.PressKey("space");
    if (!game.SelectorAt(BACK_BUTTON_Y, SCENE_TIMEOUT_MILLISECONDS)) return false;
    game.PressKey("Escape");
    return game.SelectorAt(TitleButtonY(0), SCENE_TIMEOUT_MILLISECONDS);
}

static void WriteUnbeatableTables(GameProcess& game)
{
    std::string text = OPTIONS_LINES;
    char entry[64];
    snprintf(entry, sizeof(entry), "Ada\n5\n%u\n", UNBEATABLE_SCORE);
    for (int written = 0; written < HIGH_SCORE_ENTRIES; written++) text += entry;
    WriteWholeFile(game.OptionsFilePath(), text);
}

// The debug keys are switched on where the game offers them: on the maker's screen.
static bool StartInDebugMode(GameProcess& game)
{
    if (!game.Start({}, {"SDL_AUDIODRIVER=dummy"}) || !game.WaitForWindow()) return false;
    if (!ScreenShows(game, SPONSOR_WHITE_X, SPONSOR_WHITE_Y, SPONSOR_WHITE, SCENE_TIMEOUT_MILLISECONDS)) return false;
    game.PressKey("space");
    const bool maker = WaitUntil(
        [&] { return game.CountColourInArea(0, MAKER_STRIP_TOP, 639, 479, MAKER_GREEN, COLOUR_TOLERANCE) > 0; },
        SCENE_TIMEOUT_MILLISECONDS);
    if (!maker) return false;
    game.PressKey("d");
    return game.SkipToTitleScreen();
}

// Driven by keys and watched through screenshots, not played from a demo: the
// committed demos play a single game and quit (the lost one ends on its first
// board), and here each of three games in one process, through all five
// boards, keeps its own floor, which only the screen tells apart.
void MeasureMemoryOverGames(int secondsPerBoard, WholeProgramFigures& figures)
{
    GameProcess game;
    WriteUnbeatableTables(game);
    if (!StartInDebugMode(game))
    {
        figures.memoryError = "the game did not reach its title screen in debug mode";
        return;
    }
    for (int played = 0; played < MEMORY_GAMES; played++)
    {
        figures.residentFloorInGameKilobytes[played] = -1;  // nothing read yet
        if (!PlayWholeGame(game, secondsPerBoard, figures.residentFloorInGameKilobytes[played]))
        {
            figures.memoryError =
                "whole game " + std::to_string(played + 1) + " did not go from the title through five boards back to it";
            return;
        }
    }
    figures.peakResidentKilobytes = ProcessMemoryKilobytes(game.pid, "VmHWM");
    game.Terminate();
    if (!game.WaitForExit()) figures.memoryError = "the game did not quit when asked";
}
