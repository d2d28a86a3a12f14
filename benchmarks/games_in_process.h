#ifndef WOBBLER_GAMES_IN_PROCESS_H
#define WOBBLER_GAMES_IN_PROCESS_H

#include <string>

// Whole games played inside this process, through the game's own poll,
// screens and drawing, as fast as the drawing allows. Here the allocator
// itself can be asked what is in use, which resident memory alone cannot
// tell apart from what the allocator and the driver keep for later.
const int GAMES_IN_PROCESS = 12;
static_assert(GAMES_IN_PROCESS % 3 == 0, "the growth compares the middle third with the last");

struct GamesInProcessFigures
{
    // After each game, back on the title screen.
    long heapInUseBytes[GAMES_IN_PROCESS] = {};  // handed out by malloc, heap and own mappings
    long residentOnTitleKilobytes[GAMES_IN_PROCESS] = {};
    long residentFloorInGameKilobytes[GAMES_IN_PROCESS] = {};  // the least seen in play
    std::string error;  // why the games stopped short; empty when they were measured
};

// Plays the games, each board for the given number of frames; an error when
// a game did not go from the title through five boards back to it.
void MeasureGamesInProcess(int framesPerBoard, GamesInProcessFigures& figures);

#endif
