#include <SDL.h>

#include "platform/platform.h"

uint32_t MillisecondsSinceStart()
{
    return SDL_GetTicks();
}

void SleepMilliseconds(uint32_t milliseconds)
{
    SDL_Delay(milliseconds);
}
