// A replay keeps its heap as the C library sets it, and writes no file.
#include "platform/platform.h"

void KeepLargeBuffersOutOfTheHeap()
{
}

void ReturnFreeMemoryToTheSystem()
{
}

void KeepSavedFiles()
{
}
