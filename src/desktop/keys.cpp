// The game's keys as SDL 1.2 numbers them.
#include <SDL.h>

#include "platform/keys.h"

static constexpr PlatformKeys DESKTOP_KEYS[] = {
    {GAME_KEY_A, SDLK_a, 26},
    {GAME_KEY_0, SDLK_0, 10},
    {GAME_KEY_BACKSPACE, SDLK_BACKSPACE, 1},
    {GAME_KEY_RETURN, SDLK_RETURN, 1},
    {GAME_KEY_SPACE, SDLK_SPACE, 1},
    {GAME_KEY_PLUS, SDLK_PLUS, 1},
    {GAME_KEY_EQUALS, SDLK_EQUALS, 1},
    {GAME_KEY_KEYPAD_PLUS, SDLK_KP_PLUS, 1},
    {GAME_KEY_F1, SDLK_F1, 1},
    {GAME_KEY_F2, SDLK_F2, 1},
    {GAME_KEY_F12, SDLK_F12, 1},
    {GAME_KEY_ESCAPE, SDLK_ESCAPE, 1},
    {GAME_KEY_UP, SDLK_UP, 1},
    {GAME_KEY_DOWN, SDLK_DOWN, 1},
    {GAME_KEY_LEFT, SDLK_LEFT, 1},
    {GAME_KEY_RIGHT, SDLK_RIGHT, 1},
    {GAME_KEY_LEFT_SHIFT, SDLK_LSHIFT, 1},
    {GAME_KEY_RIGHT_SHIFT, SDLK_RSHIFT, 1},
};
static_assert(EachGameKeyOnce(DESKTOP_KEYS), "every game key needs its SDL 1.2 number, or NO_PLATFORM_KEY");
static_assert(SDLK_z - SDLK_a == 25 && SDLK_9 - SDLK_0 == 9, "SDL numbers the letters and digits in a row");

static constexpr PlatformKeyTable<SDLK_LAST> KEYS(DESKTOP_KEYS);

GameKey GameKeyOfPlatformNumber(int number)
{
    return KEYS.KeyOf(number);
}

bool GameKeyHeld(GameKey key)
{
    const int number = KEYS.NumberOfKey(key);
    return number != NO_PLATFORM_KEY && SDL_GetKeyState(nullptr)[number] != 0;
}
