// The keys as SDL 1.2 numbers them, into the game's characters.
#include <SDL.h>

#include "input/input.h"

struct SpecialKey
{
    SDLKey Key;
    char Plain;
    char Shifted;
};

static constexpr SpecialKey SPECIAL_KEYS[] = {
    {SDLK_BACKSPACE, '<', '<'}, {SDLK_RETURN, '/', '/'}, {SDLK_SPACE, '_', '_'},
    {SDLK_PLUS, '+', '+'},      {SDLK_EQUALS, '=', '+'}, {SDLK_KP_PLUS, '+', '+'},
    {SDLK_F1, '!', '!'},        {SDLK_F2, '@', '@'},     {SDLK_F12, '|', '|'},
};

// The character of every key symbol, without and with Shift; 0 leaves the
// key of this frame as it was.
struct KeyTranslationTable
{
    char Plain[SDLK_LAST];
    char Shifted[SDLK_LAST];

    constexpr KeyTranslationTable() : Plain(), Shifted()
    {
        for (int digit = SDLK_0; digit <= SDLK_9; digit++)
        {
            Plain[digit] = (char)digit;
            Shifted[digit] = (char)digit;
        }
        for (int letter = SDLK_a; letter <= SDLK_z; letter++)
        {
            Plain[letter] = (char)letter;
            Shifted[letter] = (char)(letter - 'a' + 'A');
        }
        for (const SpecialKey& special : SPECIAL_KEYS)
        {
            Plain[special.Key] = special.Plain;
            Shifted[special.Key] = special.Shifted;
        }
    }
};

static constexpr KeyTranslationTable KEY_TRANSLATION;

// Escape is an event of its own: what it means is the screen's to say. The
// key before it is kept apart from the key after it, for the screen that
// takes Escape for a key of its own.
void Input::TranslateKeyPress(int key, bool shiftHeld, FrameInput& read) const
{
    if (key == SDLK_ESCAPE)
    {
        if (read.Key != 0) read.KeyBeforeEscape = read.Key;
        read.Key = 0;
        read.Escape = 1;
        return;
    }
    const int symbol = key;
    if (symbol < 0 || symbol >= SDLK_LAST) return;

    const char translated = shiftHeld ? KEY_TRANSLATION.Shifted[symbol] : KEY_TRANSLATION.Plain[symbol];
    if (translated != 0) read.Key = translated;
}
