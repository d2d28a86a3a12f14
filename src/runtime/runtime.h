#ifndef WOBBLER_RUNTIME_H
#define WOBBLER_RUNTIME_H

#include <stdint.h>

// Reads the window size from the command line.
class Runtime
{
public:
    Runtime(int argc, char** argv);

    uint32_t width;
    uint32_t height;

    uint32_t getWidth() const;
    uint32_t getHeight() const;
    bool StringToInt(const char* text, uint32_t& value) const;
};

extern Runtime* runtime;

#endif
