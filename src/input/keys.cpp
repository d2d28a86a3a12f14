// What the game's keys mean: the characters the screens read, and the
// arrows. Each platform has already turned its own key numbers into the
// game's keys.
#include "input/input.h"

struct SpecialKey
{
    GameKey Key;
    char Plain;
    char Shifted;
};

static constexpr SpecialKey SPECIAL_KEYS[] = {
    {GAME_KEY_BACKSPACE, '<', '<'}, {GAME_KEY_RETURN, '/', '/'}, {GAME_KEY_SPACE, '_', '_'},
    {GAME_KEY_PLUS, '+', '+'},      {GAME_KEY_EQUALS, '=', '+'}, {GAME_KEY_KEYPAD_PLUS, '+', '+'},
    {GAME_KEY_F1, '!', '!'},        {GAME_KEY_F2, '@', '@'},     {GAME_KEY_F12, '|', '|'},
};

// The character of every game key, without and with Shift; 0 leaves the
// key of this frame as it was.
struct KeyTranslationTable
{
    char Plain[NUMBER_OF_GAME_KEYS];
    char Shifted[NUMBER_OF_GAME_KEYS];

    constexpr KeyTranslationTable() : Plain(), Shifted()
    {
        for (int digit = 0; digit <= GAME_KEY_9 - GAME_KEY_0; digit++)
        {
            Plain[GAME_KEY_0 + digit] = (char)('0' + digit);
            Shifted[GAME_KEY_0 + digit] = (char)('0' + digit);
        }
        for (int letter = 0; letter <= GAME_KEY_Z - GAME_KEY_A; letter++)
        {
            Plain[GAME_KEY_A + letter] = (char)('a' + letter);
            Shifted[GAME_KEY_A + letter] = (char)('A' + letter);
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
void Input::TranslateKeyPress(GameKey key, bool shiftHeld, FrameInput& read) const
{
    if (key == GAME_KEY_ESCAPE)
    {
        if (read.Key != 0) read.KeyBeforeEscape = read.Key;
        read.Key = 0;
        read.Escape = 1;
        return;
    }
    if (key <= GAME_KEY_NONE || key >= NUMBER_OF_GAME_KEYS) return;

    const char translated = shiftHeld ? KEY_TRANSLATION.Shifted[key] : KEY_TRANSLATION.Plain[key];
    if (translated != 0) read.Key = translated;
}

// The held arrow keys in priority order, with the direction each gives.
struct ArrowKey
{
    GameKey Key;
    uint8_t Direction;
};

static const ArrowKey ARROW_KEYS[] = {
    {GAME_KEY_UP, UP}, {GAME_KEY_DOWN, DOWN}, {GAME_KEY_LEFT, LEFT}, {GAME_KEY_RIGHT, RIGHT}};

void Input::ReadKeyboardArrows(FrameInput& read) const
{
    for (const ArrowKey& arrow : ARROW_KEYS)
    {
        if (!GameKeyHeld(arrow.Key)) continue;
        read.Direction[INPUT_KEYBOARD] = arrow.Direction;
        return;
    }
}

bool Input::ShiftHeld() const
{
    return GameKeyHeld(GAME_KEY_LEFT_SHIFT) || GameKeyHeld(GAME_KEY_RIGHT_SHIFT);
}
