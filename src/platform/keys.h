#ifndef WOBBLER_PLATFORM_KEYS_H
#define WOBBLER_PLATFORM_KEYS_H

#include <stdint.h>

// The keys the game knows, named once. Each platform gives its own number of
// every one of them (src/desktop/keys.cpp, src/web/keys.cpp), and the game
// says what each means (src/input/keys.cpp).
enum GameKey
{
    GAME_KEY_NONE = 0,
    GAME_KEY_A,
    GAME_KEY_Z = GAME_KEY_A + 25,
    GAME_KEY_0,
    GAME_KEY_9 = GAME_KEY_0 + 9,
    GAME_KEY_BACKSPACE,
    GAME_KEY_RETURN,
    GAME_KEY_SPACE,
    GAME_KEY_PLUS,
    GAME_KEY_EQUALS,
    GAME_KEY_KEYPAD_PLUS,
    GAME_KEY_F1,
    GAME_KEY_F2,
    GAME_KEY_F12,
    GAME_KEY_ESCAPE,
    GAME_KEY_UP,
    GAME_KEY_DOWN,
    GAME_KEY_LEFT,
    GAME_KEY_RIGHT,
    GAME_KEY_LEFT_SHIFT,
    GAME_KEY_RIGHT_SHIFT,
    NUMBER_OF_GAME_KEYS
};

// A run of the game's keys and the platform's numbers for them, one after
// the other (the letters, the digits), or a single key.
struct PlatformKeys
{
    GameKey First;
    int FirstNumber;
    int Count;
};

// A platform with no such key says so with this number, in its table.
const int NO_PLATFORM_KEY = -1;

// A platform's table names each of the game's keys exactly once: a key added
// to the list stops that platform's build until it is given a number, or
// NO_PLATFORM_KEY.
template <int RUNS>
constexpr bool EachGameKeyOnce(const PlatformKeys (&runs)[RUNS])
{
    int named[NUMBER_OF_GAME_KEYS] = {};
    for (const PlatformKeys& run : runs)
    {
        for (int key = run.First; key < run.First + run.Count; key++)
        {
            if (key <= GAME_KEY_NONE || key >= NUMBER_OF_GAME_KEYS) return false;
            named[key]++;
        }
    }
    for (int key = GAME_KEY_NONE + 1; key < NUMBER_OF_GAME_KEYS; key++)
    {
        if (named[key] != 1) return false;
    }
    return true;
}

// The game's key of every platform number below NUMBERS, and the platform's
// number of every game key, from a platform's table.
template <int NUMBERS>
struct PlatformKeyTable
{
    uint8_t GameKeyOf[NUMBERS];
    int NumberOf[NUMBER_OF_GAME_KEYS];

    template <int RUNS>
    constexpr explicit PlatformKeyTable(const PlatformKeys (&runs)[RUNS]) : GameKeyOf(), NumberOf()
    {
        for (int& number : NumberOf) number = NO_PLATFORM_KEY;
        for (const PlatformKeys& run : runs)
        {
            if (run.FirstNumber == NO_PLATFORM_KEY) continue;
            for (int index = 0; index < run.Count; index++)
            {
                GameKeyOf[run.FirstNumber + index] = (uint8_t)(run.First + index);
                NumberOf[run.First + index] = run.FirstNumber + index;
            }
        }
    }

    GameKey KeyOf(int number) const
    {
        return number >= 0 && number < NUMBERS ? (GameKey)GameKeyOf[number] : GAME_KEY_NONE;
    }

    int NumberOfKey(GameKey key) const
    {
        return key > GAME_KEY_NONE && key < NUMBER_OF_GAME_KEYS ? NumberOf[key] : NO_PLATFORM_KEY;
    }
};

// The platform's answers, from its own key numbers and its keyboard's state.
GameKey GameKeyOfPlatformNumber(int number);
bool GameKeyHeld(GameKey key);

#endif
