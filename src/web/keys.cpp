// The game's keys as Emscripten's SDL numbers them: a key with a character
// by the character, as SDL 1.2 does; one without by its scan code plus 1024,
// where the SDL 1.3 headers it ships would add 1 << 30. Its keyboard's state
// is indexed by the same numbers.
#include <SDL.h>

#include "platform/keys.h"

static constexpr int ScanCodeKey(SDL_Scancode scanCode)
{
    return scanCode | 1 << 10;
}

static constexpr PlatformKeys WEB_KEYS[] = {
    {GAME_KEY_A, SDLK_a, 26},
    {GAME_KEY_0, SDLK_0, 10},
    {GAME_KEY_BACKSPACE, SDLK_BACKSPACE, 1},
    {GAME_KEY_RETURN, SDLK_RETURN, 1},
    {GAME_KEY_SPACE, SDLK_SPACE, 1},
    {GAME_KEY_PLUS, SDLK_PLUS, 1},
    {GAME_KEY_EQUALS, SDLK_EQUALS, 1},
    {GAME_KEY_KEYPAD_PLUS, ScanCodeKey(SDL_SCANCODE_KP_PLUS), 1},
    {GAME_KEY_F1, ScanCodeKey(SDL_SCANCODE_F1), 1},
    {GAME_KEY_F2, ScanCodeKey(SDL_SCANCODE_F2), 1},
    {GAME_KEY_F12, ScanCodeKey(SDL_SCANCODE_F12), 1},
    {GAME_KEY_ESCAPE, SDLK_ESCAPE, 1},
    {GAME_KEY_UP, ScanCodeKey(SDL_SCANCODE_UP), 1},
    {GAME_KEY_DOWN, ScanCodeKey(SDL_SCANCODE_DOWN), 1},
    {GAME_KEY_LEFT, ScanCodeKey(SDL_SCANCODE_LEFT), 1},
    {GAME_KEY_RIGHT, ScanCodeKey(SDL_SCANCODE_RIGHT), 1},
    {GAME_KEY_LEFT_SHIFT, ScanCodeKey(SDL_SCANCODE_LSHIFT), 1},
    {GAME_KEY_RIGHT_SHIFT, ScanCodeKey(SDL_SCANCODE_RSHIFT), 1},
};
static_assert(EachGameKeyOnce(WEB_KEYS), "every game key needs its number in the browser, or NO_PLATFORM_KEY");

static constexpr PlatformKeyTable<ScanCodeKey(SDL_NUM_SCANCODES)> KEYS(WEB_KEYS);

GameKey GameKeyOfPlatformNumber(int number)
{
    return KEYS.KeyOf(number);
}

bool GameKeyHeld(GameKey key)
{
    const int number = KEYS.NumberOfKey(key);
    return number != NO_PLATFORM_KEY && SDL_GetKeyboardState(nullptr)[number] != 0;
}
