// The real game as a whole: its CPU time resting on the title screen and
// during play, and its memory, from the process's own statistics.
#include "whole_program.h"

#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "support/game_process.h"

const Colour PLAYING_TV_WOOD = {106, 64, 34};  // the television cabinet at (400, 472)
const int PLAYING_TV_WOOD_X = 400;
const int PLAYING_TV_WOOD_Y = 472;
const int COLOUR_TOLERANCE = 30;
const int OPENING_SCENE_TIMEOUT_MILLISECONDS = 30000;
// Play starts with a little warming up before the measured window.
const int WARM_UP_SECONDS = 2;
const int SECONDS_BETWEEN_TURNS = 2;
static const char* const TURN_KEYS[] = {"Left", "Up", "Right", "Down"};

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

static double WallSeconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// The share of one core the game used over the coming seconds; the action
// runs about once a second (it may press keys).
template <typename Action>
static double CoreShareOver(GameProcess& game, int seconds, Action action)
{
    const double cpuBefore = ProcessCpuSeconds(game.pid);
    const double wallBefore = WallSeconds();
    for (int second = 0; second < seconds; second++)
    {
        action(second);
        const double next = wallBefore + second + 1;
        while (WallSeconds() < next) usleep(20000);
    }
    const double cpuAfter = ProcessCpuSeconds(game.pid);
    return (cpuAfter - cpuBefore) / (WallSeconds() - wallBefore);
}

bool MeasureWholeProgram(int seconds, WholeProgramFigures& figures)
{
    GameProcess game;
    if (!game.Start({}, {"SDL_AUDIODRIVER=dummy"}) || !game.WaitForWindow() || !game.SkipToTitleScreen())
    {
        printf("ERROR: the game did not reach its title screen\n");
        return false;
    }
    // The selector check leaves the title screen clean and resting.
    figures.titleCoreShare = CoreShareOver(game, seconds, [](int) {});

    game.PressKey("Return");  // "Start!"
    if (!game.WaitForColourAt(PLAYING_TV_WOOD_X, PLAYING_TV_WOOD_Y, PLAYING_TV_WOOD, COLOUR_TOLERANCE,
                              OPENING_SCENE_TIMEOUT_MILLISECONDS))
    {
        printf("ERROR: the game never reached the playing screen\n");
        return false;
    }
    auto steer = [&game](int second) {
        if (second % SECONDS_BETWEEN_TURNS == 0) game.PressKey(TURN_KEYS[(second / SECONDS_BETWEEN_TURNS) % 4]);
    };
    CoreShareOver(game, WARM_UP_SECONDS, steer);
    figures.residentAtPlayStartKilobytes = ProcessMemoryKilobytes(game.pid, "VmRSS");
    // Caches fill during the first moments of play; growth after that is a leak.
    figures.playCoreShare = CoreShareOver(game, seconds, [&](int second) {
        steer(second);
        if (second == seconds / 2) figures.residentAtPlayMiddleKilobytes = ProcessMemoryKilobytes(game.pid, "VmRSS");
    });
    figures.residentAtPlayEndKilobytes = ProcessMemoryKilobytes(game.pid, "VmRSS");
    figures.stillPlaying = game.WaitForColourAt(PLAYING_TV_WOOD_X, PLAYING_TV_WOOD_Y, PLAYING_TV_WOOD,
                                                COLOUR_TOLERANCE, 1000);
    figures.peakResidentKilobytes = ProcessMemoryKilobytes(game.pid, "VmHWM");
    game.Terminate();
    return game.WaitForExit();
}
