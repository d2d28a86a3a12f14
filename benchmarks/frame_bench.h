#ifndef WOBBLER_FRAME_BENCH_H
#define WOBBLER_FRAME_BENCH_H

// The windows the playing frame is measured in: the game's own, and the
// 640 x 480 virtual screen stretched over a player's maximised window.
struct WindowSize
{
    int width;
    int height;
};
const int NUMBER_OF_MEASURED_WINDOWS = 3;
const WindowSize MEASURED_WINDOWS[NUMBER_OF_MEASURED_WINDOWS] = {{640, 480}, {1280, 720}, {1920, 1080}};

void RegisterFrameBenchmarks(int repetitions);
// Closes the game the frame benchmarks run in (the start-up benchmark opens
// windows of its own).
void StopFrameBenchmarkGame();

#endif
