// The page shows the game's icon itself; Emscripten would hand the window's
// icon to the browser's image decoder for nothing.
#include <SDL.h>

extern "C" SDL_Surface* SDL_LoadBMP_RW(SDL_RWops* source, int freeSource)
{
    if (source && freeSource) SDL_FreeRW(source);
    SDL_SetError("The page carries the icon");
    return nullptr;
}
