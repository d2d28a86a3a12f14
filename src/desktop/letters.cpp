// Letters with SDL_ttf. Smooth letters are its blended text as they come;
// solid ones its one-bit text laid by SDL's blit over a clear picture, as
// the desktop has always stamped its outlines.
#include <stdio.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include "desktop/surfaces.h"
#include "platform/drawing.h"

struct Typeface
{
    TTF_Font* Font;
};

bool StartLetters()
{
    if (TTF_Init() == -1)
    {
        fprintf(stderr, "ERROR: TTF_Init: %s\n", SDL_GetError());
        return false;
    }
    printf("SDL_ttf initialized\n");
    return true;
}

void StopLetters()
{
    TTF_Quit();
    printf("SDL_ttf closed\n");
}

// Opened only while SDL_ttf runs: with no window, TTF_Init never ran, and
// SDL_ttf would keep the file open.
Typeface* OpenTypeface(const char* file, int pointSize)
{
    if (!TTF_WasInit())
    {
        SDL_SetError("Library not initialized");
        return nullptr;
    }
    TTF_Font* font = TTF_OpenFont(file, pointSize);
    if (!font) return nullptr;
    Typeface* typeface = new (std::nothrow) Typeface{font};
    if (!typeface)
    {
        TTF_CloseFont(font);
        SDL_SetError("Out of memory");
    }
    return typeface;
}

void CloseTypeface(Typeface* typeface)
{
    if (!typeface) return;
    TTF_CloseFont(typeface->Font);
    delete typeface;
}

static SDL_Surface* SolidOnClear(TTF_Font* font, const char* text, SDL_Color colour)
{
    SDL_Surface* letters = TTF_RenderText_Solid(font, text, colour);
    if (!letters) return nullptr;
    SDL_Surface* clear = SDL_CreateRGBSurface(SDL_SWSURFACE, letters->w, letters->h, 32, RGBA_RED_MASK,
                                              RGBA_GREEN_MASK, RGBA_BLUE_MASK, RGBA_ALPHA_MASK);
    if (clear) SDL_BlitSurface(letters, nullptr, clear, nullptr);
    SDL_FreeSurface(letters);
    return clear;
}

bool RenderLetters(Typeface* typeface, const char* text, LetterColour colour, bool smooth, RgbaPicture& picture)
{
    picture = RgbaPicture{};
    if (!typeface || !text) return false;
    const SDL_Color sdlColour = {colour.Red, colour.Green, colour.Blue, 0};
    SDL_Surface* letters = smooth ? TTF_RenderText_Blended(typeface->Font, text, sdlColour)
                                  : SolidOnClear(typeface->Font, text, sdlColour);
    if (!letters) return false;
    CopySurfaceInto(letters, picture);
    SDL_FreeSurface(letters);
    return picture.Pixels != nullptr;
}
