#ifndef WOBBLER_DESKTOP_SURFACES_H
#define WOBBLER_DESKTOP_SURFACES_H

// SDL's surfaces as the desktop's answers hand them on: 32-bit surfaces whose
// bytes lie red, green, blue, alpha in memory, copied into the game's pictures.
#include <SDL.h>

#include "platform/drawing.h"

const Uint32 RGBA_RED_MASK = 0x000000FF;
const Uint32 RGBA_GREEN_MASK = 0x0000FF00;
const Uint32 RGBA_BLUE_MASK = 0x00FF0000;
const Uint32 RGBA_ALPHA_MASK = 0xFF000000;

// Copies a 32-bit surface, channel by channel by its own masks (in
// pictures.cpp); the picture is left empty when there is no memory for it.
void CopySurfaceInto(const SDL_Surface* surface, RgbaPicture& picture);

#endif
