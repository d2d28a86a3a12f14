#include <malloc.h>

#include "platform/platform.h"

// Blocks from this size up get their own mapping, given back when freed.
// That is the C library's starting value; fixing it stops the library from
// raising it once the OpenGL driver frees its first 1 MB vertex buffer, after
// which those buffers would come from the heap and leave it a little larger
// after every game.
const int OWN_MAPPING_FROM_BYTES = 128 * 1024;
// Free memory the heap keeps at its top: the value the library would have
// reached by itself here. The software renderer frees and takes back between
// 2 and 4 MB in every frame; trimming at the library's 128 kB would fault
// those pages in again each time (a frame then costs a third more).
const int HEAP_TOP_KEPT_BYTES = 4 * 1024 * 1024;

void KeepLargeBuffersOutOfTheHeap()
{
    mallopt(M_MMAP_THRESHOLD, OWN_MAPPING_FROM_BYTES);
    mallopt(M_TRIM_THRESHOLD, HEAP_TOP_KEPT_BYTES);
}

void ReturnFreeMemoryToTheSystem()
{
    malloc_trim(0);
}
