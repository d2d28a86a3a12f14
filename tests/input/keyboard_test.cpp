#include <gtest/gtest.h>

#include "game/game.h"
#include "input_fixture.h"

namespace {

using Keyboard = InputTest;

TEST_F(Keyboard, KeysTranslateWithAndWithoutShift)
{
    struct Case
    {
        SDLKey key;
        SDLKey shift;
        char expected;
    };
    const Case cases[] = {
        {SDLK_a, SDLK_UNKNOWN, 'a'},     {SDLK_a, SDLK_LSHIFT, 'A'},     {SDLK_z, SDLK_RSHIFT, 'Z'},
        {SDLK_5, SDLK_UNKNOWN, '5'},     {SDLK_5, SDLK_LSHIFT, '5'},     {SDLK_EQUALS, SDLK_UNKNOWN, '='},
        {SDLK_EQUALS, SDLK_RSHIFT, '+'}, {SDLK_PLUS, SDLK_UNKNOWN, '+'}, {SDLK_KP_PLUS, SDLK_UNKNOWN, '+'},
        {SDLK_RETURN, SDLK_UNKNOWN, '/'}, {SDLK_SPACE, SDLK_LSHIFT, '_'}, {SDLK_BACKSPACE, SDLK_UNKNOWN, '<'},
        {SDLK_F1, SDLK_UNKNOWN, '!'},    {SDLK_F2, SDLK_UNKNOWN, '@'},   {SDLK_F12, SDLK_UNKNOWN, '|'},
        {SDLK_TAB, SDLK_UNKNOWN, 0},     {SDLK_F3, SDLK_LSHIFT, 0},
    };
    for (const Case& typed : cases)
    {
        if (typed.shift != SDLK_UNKNOWN) HoldInKeyState(typed.shift, true);
        PushKey(typed.key);
        PollInput();
        HoldInKeyState(SDLK_LSHIFT, false);
        HoldInKeyState(SDLK_RSHIFT, false);
        EXPECT_EQ(typed.expected, input->KeyOnKeyboardPressedByUser) << SDL_GetKeyName(typed.key);
    }
}

TEST_F(Keyboard, TheLastKeyOfAFrameWinsAndTheNextFrameStartsEmpty)
{
    PushKey(SDLK_a);
    PushKey(SDLK_b);
    PollInput();
    EXPECT_EQ('b', input->KeyOnKeyboardPressedByUser);

    PushKey(SDLK_c);
    PushKey(SDLK_TAB);
    PollInput();
    EXPECT_EQ('c', input->KeyOnKeyboardPressedByUser) << "an untranslated key changes nothing";

    PushEventOfType(SDL_QUIT);
    PushKey(SDLK_d);
    PollInput();
    EXPECT_EQ('d', input->KeyOnKeyboardPressedByUser);

    PushKey(SDLK_d);
    PushEventOfType(SDL_QUIT);
    PollInput();
    EXPECT_EQ('~', input->KeyOnKeyboardPressedByUser);

    PollInput();
    EXPECT_EQ(0, input->KeyOnKeyboardPressedByUser);
}

TEST_F(Keyboard, EscapeQuitsTheTitleScreenAndLeavesAnyOther)
{
    screens->ScreenToDisplay = TITLE_SCREEN;
    PushKey(SDLK_ESCAPE);
    PollInput();
    EXPECT_EQ('~', input->KeyOnKeyboardPressedByUser);
    EXPECT_EQ(17, game->FrameDelayMilliseconds);
    EXPECT_EQ(0, screens->ScreenExitedWithEscapeKey);

    game->FrameDelayMilliseconds = 27;
    screens->ScreenToDisplay = OPTIONS_SCREEN;
    screens->ScreenTransitionStatus = FADE_NONE;
    PushKey(SDLK_ESCAPE);
    PollInput();
    EXPECT_EQ(0, input->KeyOnKeyboardPressedByUser);
    EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
    EXPECT_EQ(1, screens->ScreenExitedWithEscapeKey);
    EXPECT_EQ(17, game->FrameDelayMilliseconds);
}

TEST_F(Keyboard, ActionKeysPressButtonsExceptWhileTypingAName)
{
    input->UserDefinedKeyButtonOne = 'q';
    const struct
    {
        SDLKey key;
        bool shift;
        uint8_t one;
        uint8_t two;
    } cases[] = {{SDLK_z, false, 1, 0}, {SDLK_x, false, 0, 1}, {SDLK_q, false, 1, 0},
                 {SDLK_z, true, 0, 0},  {SDLK_a, false, 0, 0}};
    for (const auto& typed : cases)
    {
        HoldInKeyState(SDLK_LSHIFT, typed.shift);
        PushKey(typed.key);
        PollInput();
        EXPECT_EQ(typed.one, input->JoystickButtonOne[INPUT_KEYBOARD]) << SDL_GetKeyName(typed.key);
        EXPECT_EQ(typed.one, input->JoystickButtonOne[INPUT_ALL]);
        EXPECT_EQ(typed.two, input->JoystickButtonTwo[INPUT_KEYBOARD]);
        EXPECT_EQ(typed.two, input->JoystickButtonTwo[INPUT_ALL]);
    }
    HoldInKeyState(SDLK_LSHIFT, false);

    screens->ScreenToDisplay = NAME_INPUT_KEYBOARD_SCREEN;
    PushKey(SDLK_z);
    PollInput();
    EXPECT_EQ('z', input->KeyOnKeyboardPressedByUser);
    EXPECT_EQ(0, input->JoystickButtonOne[INPUT_ALL]);
}

TEST_F(Keyboard, HeldArrowsGiveOneDirectionUpDownLeftRightFirst)
{
    const struct
    {
        SDLKey held[3];
        uint8_t direction;
    } cases[] = {{{SDLK_UP, SDLK_LEFT, SDLK_UNKNOWN}, UP},
                 {{SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT}, DOWN},
                 {{SDLK_RIGHT, SDLK_LEFT, SDLK_UNKNOWN}, LEFT},
                 {{SDLK_RIGHT, SDLK_UNKNOWN, SDLK_UNKNOWN}, RIGHT},
                 {{SDLK_UNKNOWN, SDLK_UNKNOWN, SDLK_UNKNOWN}, CENTER}};
    for (const auto& held : cases)
    {
        for (SDLKey key : held.held)
            if (key != SDLK_UNKNOWN) HoldInKeyState(key, true);
        PollInput();
        for (SDLKey key : held.held) HoldInKeyState(key, false);
        EXPECT_EQ(held.direction, input->JoystickDirection[INPUT_KEYBOARD]);
        EXPECT_EQ(held.direction, input->JoystickDirection[INPUT_ALL]);
    }
}

// A delay of N blanks N + 1 polls; keys typed meanwhile wait in the queue,
// held arrows count only while still held.
TEST_F(Keyboard, ADelayBlanksTheNextPollsAndKeepsQueuedKeys)
{
    input->DelayAllUserInput = 20;
    PushKey(SDLK_g);
    HoldInKeyState(SDLK_UP, true);
    for (int poll = 0; poll < 21; poll++)
    {
        PollInput();
        ASSERT_EQ(0, input->KeyOnKeyboardPressedByUser) << poll;
        ASSERT_EQ(CENTER, input->JoystickDirection[INPUT_ALL]) << poll;
    }
    EXPECT_EQ(-1, input->DelayAllUserInput);
    PollInput();
    EXPECT_EQ('g', input->KeyOnKeyboardPressedByUser);
    EXPECT_EQ(UP, input->JoystickDirection[INPUT_ALL]);

    input->DelayAllUserInput = 0;
    PollInput();
    EXPECT_EQ(CENTER, input->JoystickDirection[INPUT_ALL]);
    HoldInKeyState(SDLK_UP, false);
    PollInput();
    EXPECT_EQ(CENTER, input->JoystickDirection[INPUT_ALL]);
}

// A window event redraws; the news that the player looked away, or is back,
// is no window event.
TEST_F(Keyboard, OnlyAWindowEventAsksTheScreenToRedraw)
{
    const struct
    {
        uint8_t focus;
        uint8_t dirty;
    } cases[] = {{FOCUS_CHANGED, 1}, {FOCUS_LOST, 0}, {FOCUS_BACK, 0}, {FOCUS_CHANGED | FOCUS_LOST, 1}};
    for (const auto& news : cases)
    {
        screens->ScreenIsDirty = 0;
        FrameInput frame = {};
        frame.Focus = news.focus;
        TakeInput(frame);
        EXPECT_EQ(news.dirty, screens->ScreenIsDirty) << (int)news.focus;
    }
    screens->ScreenIsDirty = 0;
    PushEventOfType(SDL_ACTIVEEVENT);
    PollInput();
    EXPECT_EQ(1, screens->ScreenIsDirty);
}

// The sticks are read by their state: their events never fill SDL's queue,
// and turning them off keeps what the queue held.
TEST_F(Keyboard, JoystickEventsAreIgnoredAndTheQueueKept)
{
    PushKey(SDLK_k);
    GameObjects::Replace(input);
    EXPECT_EQ(SDL_IGNORE, SDL_JoystickEventState(SDL_QUERY));
    PollInput();
    EXPECT_EQ('k', input->KeyOnKeyboardPressedByUser);
}

}  // namespace
