#include <SDL.h>

#include "input/input.h"

bool Input::WindowFocused()
{
    const Uint8 looking = SDL_APPINPUTFOCUS | SDL_APPACTIVE;
    return (SDL_GetAppState() & looking) == looking;
}
