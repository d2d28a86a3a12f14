#ifndef WOBBLER_FUZZ_SUPPORT_H
#define WOBBLER_FUZZ_SUPPORT_H

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

// Every target works in a folder of its own, with HOME pointing there, and
// sends the game's log to nowhere: a million runs would fill the disk.
inline void EnterFuzzFolder(const char* name)
{
    char folder[256];
    snprintf(folder, sizeof(folder), "/tmp/wobbler-fuzz-%s-XXXXXX", name);
    if (!mkdtemp(folder)) abort();
    if (chdir(folder) != 0) abort();
    setenv("HOME", folder, 1);
    unsetenv("APPDATA");
    if (!freopen("/dev/null", "w", stdout)) abort();
}

inline void WriteFuzzFile(const char* path, const uint8_t* bytes, size_t size)
{
    FILE* file = fopen(path, "wb");
    if (!file) abort();
    if (size > 0 && fwrite(bytes, 1, size, file) != size) abort();
    fclose(file);
}

// A broken promise of the code under test: libFuzzer keeps the input.
#define FUZZ_REQUIRE(condition) \
    do                          \
    {                           \
        if (!(condition)) abort(); \
    } while (0)

#endif
