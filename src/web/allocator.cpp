#include "platform/platform.h"

// The browser's memory is one growing array that is never given back, and
// its allocator has no thresholds to set.
void KeepLargeBuffersOutOfTheHeap()
{
}

void ReturnFreeMemoryToTheSystem()
{
}
