#include "bench_setup.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <ext/stdio_sync_filebuf.h>

#include "audio/audio.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "runtime/runtime.h"
#include "screens/screens.h"
#include "settings/settings.h"
#include "visuals/visuals.h"

FILE* report = stdout;

std::ostream& ReportStream()
{
    static __gnu_cxx::stdio_sync_filebuf<char> buffer(report);
    static std::ostream stream(&buffer);
    return stream;
}

bool SendGameOutputToLog(const char* path)
{
    const int log = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log < 0) return false;
    fflush(stdout);
    const int terminal = dup(STDOUT_FILENO);
    FILE* terminalFile = terminal >= 0 ? fdopen(terminal, "w") : nullptr;
    if (!terminalFile)
    {
        if (terminal >= 0) close(terminal);
        close(log);
        return false;
    }
    const bool moved = dup2(log, STDOUT_FILENO) >= 0;
    close(log);
    if (!moved)
    {
        fclose(terminalFile);
        return false;
    }
    setvbuf(terminalFile, nullptr, _IOLBF, 0);
    report = terminalFile;
    return true;
}

static char PROGRAM_NAME[] = "wobbler_bench";
static char* ARGUMENTS[] = {PROGRAM_NAME, nullptr};

bool StartGameObjects()
{
    bool started = true;
    game = new Game();
    logic = new Logic();
    visuals = new Visuals();
    runtime = new Runtime(1, ARGUMENTS);
    if (!visuals->SetupGameWindow(runtime->getWidth(), runtime->getHeight())) started = false;
    if (!visuals->LoadFontsIntoMemory()) started = false;
    if (!visuals->LoadSpritesIntoMemoryAndInitialize()) started = false;
    if (!visuals->LoadAllTextsIntoMemory()) started = false;
    input = new Input();
    screens = new Screens();
    interface = new Interface();
    if (!interface->CreateAllGUIAndInitialize(true)) started = false;
    settings = new Settings(1, ARGUMENTS);
    data = new Data();
    data->ClearHighScores();
    audio = new Audio();
    audio->SetupAudio();
    srand(1);
    data->LoadHighScoresAndOptions();
    audio->ApplySoundVolume();
    audio->PlayMusic(MUSIC_TITLE, 0);
    return started;
}

template <typename T>
static void Delete(T*& object)
{
    delete object;
    object = nullptr;
}

void StopGameObjects()
{
    Delete(runtime);
    Delete(logic);
    Delete(data);
    Delete(settings);
    Delete(audio);
    Delete(interface);
    Delete(screens);
    Delete(input);
    Delete(visuals);
    Delete(game);
}

bool RunMainLoopFrame()
{
    input->GetAllUserInput();
    return RunRestOfMainLoopFrame(PACED);
}

bool RunRestOfMainLoopFrame(Pacing pacing)
{
    game->CalculateFramerate();
    screens->DisplayCurrentScreen();
    if (Mix_PlayingMusic() == 0) audio->PlayMusic(audio->CurrentlySelectedMusicTrack, 0);
    screens->ApplyScreenFadeTransition();
    if (game->DebugOn != 0) game->DisplayDebuggingInfo();
    if (pacing == PACED) game->ProcessFramerate();
    if (!screens->ScreenBufferNeedsDisplay) return false;
    visuals->DisplayScreenBufferOntoDisplay();
    if (game->DebugOn != 1) screens->ScreenBufferNeedsDisplay = 0;
    return true;
}

long ResidentKilobytes()
{
    FILE* file = fopen("/proc/self/statm", "r");
    if (!file) return -1;
    long pages = 0;
    long resident = 0;
    const bool read = fscanf(file, "%ld %ld", &pages, &resident) == 2;
    fclose(file);
    return read ? resident * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

double SecondsNow()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}
