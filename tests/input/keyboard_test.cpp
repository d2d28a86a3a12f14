#include <gtest/gtest.h>

#include "game/game.h"
#include "input_fixture.h"

namespace {

using Keyboard = InputTest;

const SDLKey QUIT = SDLK_LAST;  // a window that asks to close, in a row's keys

// One frame's poll: the keys pressed in turn and those held, on a screen;
// what the game then reads. The last key wins, an untranslated one changes
// nothing, Escape quits the title unless a key follows it and leaves any
// other screen, and typing a name presses no buttons.
TEST_F(Keyboard, AFramesKeysAndArrowsAreReadAsTheScreenMeansThem)
{
    const struct
    {
        uint8_t screen;
        SDLKey pressed[3];
        SDLKey held[3];
        char key;
        uint8_t one = 0, two = 0, direction = CENTER;
        bool leaves = false;
    } polls[] = {
        {OPTIONS_SCREEN, {SDLK_a}, {}, 'a'},           {OPTIONS_SCREEN, {SDLK_a}, {SDLK_LSHIFT}, 'A'},
        {OPTIONS_SCREEN, {SDLK_z}, {SDLK_RSHIFT}, 'Z'}, {OPTIONS_SCREEN, {SDLK_5}, {SDLK_LSHIFT}, '5'},
        {OPTIONS_SCREEN, {SDLK_EQUALS}, {}, '='},      {OPTIONS_SCREEN, {SDLK_EQUALS}, {SDLK_RSHIFT}, '+'},
        {OPTIONS_SCREEN, {SDLK_PLUS}, {}, '+'},        {OPTIONS_SCREEN, {SDLK_KP_PLUS}, {}, '+'},
        {OPTIONS_SCREEN, {SDLK_RETURN}, {}, '/'},      {OPTIONS_SCREEN, {SDLK_SPACE}, {SDLK_LSHIFT}, '_'},
        {OPTIONS_SCREEN, {SDLK_BACKSPACE}, {}, '<'},   {OPTIONS_SCREEN, {SDLK_F1}, {}, '!'},
        {OPTIONS_SCREEN, {SDLK_F2}, {}, '@'},          {OPTIONS_SCREEN, {SDLK_F12}, {}, '|'},
        {OPTIONS_SCREEN, {SDLK_TAB}, {}, 0},           {OPTIONS_SCREEN, {SDLK_F3}, {SDLK_LSHIFT}, 0},
        {OPTIONS_SCREEN, {SDLK_a, SDLK_b}, {}, 'b'},   {OPTIONS_SCREEN, {SDLK_c, SDLK_TAB}, {}, 'c'},
        {OPTIONS_SCREEN, {QUIT, SDLK_d}, {}, 'd'},     {OPTIONS_SCREEN, {SDLK_d, QUIT}, {}, '~'},
        {OPTIONS_SCREEN, {}, {}, 0},
        {TITLE_SCREEN, {SDLK_ESCAPE}, {}, '~'},        {TITLE_SCREEN, {SDLK_a, SDLK_ESCAPE}, {}, '~'},
        {TITLE_SCREEN, {SDLK_ESCAPE, SDLK_a}, {}, 'a'},
        {OPTIONS_SCREEN, {SDLK_ESCAPE}, {}, 0, 0, 0, CENTER, true},
        {OPTIONS_SCREEN, {SDLK_a, SDLK_ESCAPE}, {}, 'a', 0, 0, CENTER, true},
        {OPTIONS_SCREEN, {SDLK_z}, {}, 'z', 1},        {OPTIONS_SCREEN, {SDLK_x}, {}, 'x', 0, 1},
        {OPTIONS_SCREEN, {SDLK_q}, {}, 'q', 1},        {OPTIONS_SCREEN, {SDLK_z}, {SDLK_LSHIFT}, 'Z'},
        {NAME_INPUT_KEYBOARD_SCREEN, {SDLK_z}, {}, 'z'},
        {OPTIONS_SCREEN, {}, {SDLK_UP, SDLK_LEFT}, 0, 0, 0, UP},
        {OPTIONS_SCREEN, {}, {SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT}, 0, 0, 0, DOWN},
        {OPTIONS_SCREEN, {}, {SDLK_RIGHT, SDLK_LEFT}, 0, 0, 0, LEFT},
        {OPTIONS_SCREEN, {}, {SDLK_RIGHT}, 0, 0, 0, RIGHT},
    };
    input->UserDefinedKeyButtonOne = 'q';
    for (const auto& poll : polls)
    {
        SCOPED_TRACE(std::string(SDL_GetKeyName(poll.pressed[0] == QUIT ? SDLK_UNKNOWN : poll.pressed[0])) + " on screen " +
                     std::to_string(poll.screen));
        screens->ScreenToDisplay = poll.screen;
        screens->ScreenTransitionStatus = FADE_NONE;
        screens->QuitChosen = 0;
        game->FrameDelayMilliseconds = 27;
        for (SDLKey key : poll.pressed)
        {
            if (key == QUIT) PushEventOfType(SDL_QUIT);
            if (key != QUIT && key != SDLK_UNKNOWN) PushKeyDown(key);
        }
        for (SDLKey key : poll.held)
            if (key != SDLK_UNKNOWN) HoldInKeyState(key, true);
        PollInput();
        for (SDLKey key : poll.held) HoldInKeyState(key, false);
        EXPECT_EQ(poll.key, screens->QuitChosen ? WINDOW_CLOSE_KEY : screens->Command.Key) << "'~': the game quits";
        EXPECT_EQ(poll.one, screens->Command.ButtonOne[INPUT_ALL]);
        EXPECT_EQ(poll.two, screens->Command.ButtonTwo[INPUT_ALL]);
        EXPECT_EQ(poll.direction, screens->Command.Direction[INPUT_ALL]);
        EXPECT_EQ(poll.leaves, screens->ScreenTransitionStatus == FADE_OUT && screens->ScreenExitedWithEscapeKey);
        const bool escaped = poll.pressed[0] == SDLK_ESCAPE || poll.pressed[1] == SDLK_ESCAPE;
        EXPECT_EQ(escaped ? 17 : 27, game->FrameDelayMilliseconds) << "Escape runs every frame at 17 ms";
        screens->ScreenExitedWithEscapeKey = 0;
    }
}

// A delay of N blanks N + 1 polls; keys typed meanwhile wait for its end in
// the game's own queue, held arrows count only while still held.
TEST_F(Keyboard, ADelayBlanksTheNextPollsAndKeepsQueuedKeys)
{
    input->DelayAllUserInput = 20;
    PushKeyDown(SDLK_g);
    HoldInKeyState(SDLK_UP, true);
    for (int poll = 0; poll < 21; poll++)
    {
        PollInput();
        ASSERT_EQ(0, screens->Command.Key) << poll;
        ASSERT_EQ(CENTER, screens->Command.Direction[INPUT_ALL]) << poll;
        if (poll == 10) PushKeyDown(SDLK_ESCAPE);
    }
    EXPECT_EQ(-1, input->DelayAllUserInput);
    screens->ScreenToDisplay = TITLE_SCREEN;
    PollInput();
    EXPECT_EQ(1, screens->QuitChosen) << "the Escape after the 'g' quits";
    EXPECT_EQ(UP, screens->Command.Direction[INPUT_ALL]);

    input->DelayAllUserInput = 0;
    PollInput();
    EXPECT_EQ(CENTER, screens->Command.Direction[INPUT_ALL]);
    HoldInKeyState(SDLK_UP, false);
    PollInput();
    EXPECT_EQ(CENTER, screens->Command.Direction[INPUT_ALL]);
}

// A window event redraws; the news that the player looked away, or is back,
// is no window event.
TEST_F(Keyboard, OnlyAWindowEventAsksTheScreenToRedraw)
{
    // The news, and whether the screen redraws.
    const uint8_t cases[][2] = {{FOCUS_CHANGED, 1}, {FOCUS_LOST, 0}, {FOCUS_BACK, 0}, {FOCUS_CHANGED | FOCUS_LOST, 1}};
    for (const auto& news : cases)
    {
        screens->ScreenIsDirty = 0;
        TakeInput(FocusNews(news[0]));
        EXPECT_EQ(news[1], screens->ScreenIsDirty) << (int)news[0];
    }
    screens->ScreenIsDirty = 0;
    PushEventOfType(SDL_ACTIVEEVENT);
    PollInput();
    EXPECT_EQ(1, screens->ScreenIsDirty);
}

}  // namespace
