#include <time.h>

#include "platform/platform.h"

// Milliseconds of the monotonic clock, from the first call.
uint32_t MillisecondsSinceStart()
{
    static timespec start = {0, 0};
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (start.tv_sec == 0 && start.tv_nsec == 0) start = now;
    return (uint32_t)((now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000);
}

void SleepMilliseconds(uint32_t milliseconds)
{
    const timespec wait = {(time_t)(milliseconds / 1000), (long)(milliseconds % 1000) * 1000000};
    nanosleep(&wait, nullptr);
}
