#ifndef WOBBLER_BENCH_SETUP_H
#define WOBBLER_BENCH_SETUP_H

#include <stdint.h>
#include <stdio.h>

#include <ostream>

#include "game/game.h"

// The figures and the bench's own ERROR lines: the terminal the bench was
// started from, as a file and as a stream for Google Benchmark's reporter
// (the stream follows the file as it is when first asked for).
extern FILE* report;
std::ostream& ReportStream();
// Sends everything the game prints on its standard output into the file, as
// the game itself does with stdout.log (each sound dropped while every
// channel is busy prints a line); false, with all left on the terminal,
// when the file cannot be opened.
bool SendGameOutputToLog(const char* path);

// The game's own start-up, with the random generator seeded alike in every
// run; false when a step failed.
bool StartGameObjects();
// The game's own shutdown: options saved, the window closed last.
void StopGameObjects();

// Resident memory of this process in kilobytes; -1 when unreadable.
long ResidentKilobytes();
// A monotonic clock, in seconds.
double SecondsNow();

// A score no game reaches: with every table full of it, each game ends on
// the table without a name to type.
const uint32_t UNBEATABLE_SCORE = 99999999;

namespace benchmark::internal
{
class Benchmark;
}
enum MeasuredTime
{
    WALL_CLOCK_TIME,
    MANUAL_TIME,  // the benchmark times each iteration itself
};
// Time over the repetitions, reported with median, least and greatest.
benchmark::internal::Benchmark* MeasuredWithSpread(benchmark::internal::Benchmark* benchmark, int repetitions,
                                                   MeasuredTime time = WALL_CLOCK_TIME);

#endif
