#ifndef WOBBLER_WHOLE_PROGRAM_H
#define WOBBLER_WHOLE_PROGRAM_H

#include <string>

// The real program's peak over whole games; whether a game leaves anything
// behind is measured in process, where the allocator can be asked.
const int MEMORY_GAMES = 3;

struct WholeProgramFigures
{
    double titleCoreShare = -1;  // 1.0 = one core busy all the time
    double playCoreShare = -1;
    bool stillPlaying = false;
    std::string cpuError;  // why the run stopped short; empty when it was measured
    long residentFloorInGameKilobytes[MEMORY_GAMES] = {};  // the least seen in play
    long peakResidentKilobytes = -1;
    std::string memoryError;
};

// Runs the real game: rests on the title screen, then plays, each for the
// given seconds.
void MeasureWholeProgram(int seconds, WholeProgramFigures& figures);

// Runs the real game through whole games, one after the other, each board
// played for the given seconds, and keeps the least resident memory seen
// in each.
void MeasureMemoryOverGames(int secondsPerBoard, WholeProgramFigures& figures);

#endif
