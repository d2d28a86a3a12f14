#include "bench_setup.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <ext/stdio_sync_filebuf.h>

#include "logic/logic.h"
#include "main_loop.h"

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
    StartUpGame(1, ARGUMENTS);
    logic->SeedRandomGenerator(1);
    return !game->FatalError;
}

void StopGameObjects()
{
    ShutDownGame();
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
