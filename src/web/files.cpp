#include <stdio.h>
#include <stdlib.h>

#include "web/web.h"

unsigned char* ReadWholeFile(const char* path, long largest, long& size)
{
    FILE* file = fopen(path, "rb");
    if (!file) return nullptr;
    unsigned char* bytes = nullptr;
    size = -1;
    if (fseek(file, 0, SEEK_END) == 0) size = ftell(file);
    if (size > 0 && size <= largest && fseek(file, 0, SEEK_SET) == 0)
        bytes = static_cast<unsigned char*>(malloc(size));
    if (bytes && fread(bytes, 1, size, file) != (size_t)size)
    {
        free(bytes);
        bytes = nullptr;
    }
    fclose(file);
    return bytes;
}
