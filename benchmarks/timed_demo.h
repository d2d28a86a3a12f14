#ifndef WOBBLER_TIMED_DEMO_H
#define WOBBLER_TIMED_DEMO_H

#include "frame_bench.h"
#include "visuals/visuals.h"

// The game's own window, and a full-screen mode of a player's large screen.
const int NUMBER_OF_TIMED_DEMO_WINDOWS = 2;
const WindowSize TIMED_DEMO_WINDOWS[NUMBER_OF_TIMED_DEMO_WINDOWS] = {{VIRTUAL_SCREEN_WIDTH, VIRTUAL_SCREEN_HEIGHT},
                                                                     {1920, 1080}};

// A whole game of the real program played from a committed demo with
// --timedemo, once a repetition in each window; named timed_demo/WIDTH/HEIGHT.
void RegisterTimedDemoBenchmark(int repetitions);

// The lost and the won game checked by the game's rules alone, as --verify
// checks them, in the bench's own process: named verify/0 and verify/1.
const int NUMBER_OF_VERIFIED_DEMOS = 2;
const char* const VERIFIED_DEMOS[NUMBER_OF_VERIFIED_DEMOS] = {"lost_game", "won_game"};
void RegisterVerifyBenchmark(int repetitions);

#endif
