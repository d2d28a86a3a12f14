#ifndef WOBBLER_PLATFORM_H
#define WOBBLER_PLATFORM_H

#include <stdint.h>

// What the game asks of the machine it runs on: the desktop's answers are in
// src/desktop, the browser's in src/web, and those of a replay with no window
// in src/headless.

// The clock the frames are paced by, and a sleep.
uint32_t MillisecondsSinceStart();
void SleepMilliseconds(uint32_t milliseconds);

// Sets the C library's allocator up for hours of play; called first thing.
void KeepLargeBuffersOutOfTheHeap();
// Gives the free pages of the heap back; for moments of rest, as the menus.
void ReturnFreeMemoryToTheSystem();
// Makes the files just saved last where the platform keeps its files.
void KeepSavedFiles();

#endif
