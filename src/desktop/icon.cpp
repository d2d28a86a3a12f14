// The window's icon with SDL 1.2; a window without one opens all the same.
#include <SDL.h>

#include "desktop/desktop.h"

void SetWindowIcon(const char* file)
{
    SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromFile(file, "rb"), 1);
    if (!icon) return;
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}
