#ifndef WOBBLER_PLATFORM_H
#define WOBBLER_PLATFORM_H

// What the game asks of the machine it runs on beyond its devices: the
// desktop's answers are here, the browser's in src/web.

// Sets the C library's allocator up for hours of play; called first thing.
void KeepLargeBuffersOutOfTheHeap();
// Gives the free pages of the heap back; for moments of rest, as the menus.
void ReturnFreeMemoryToTheSystem();
// Makes the files just saved last where the platform keeps its files.
void KeepSavedFiles();

#endif
