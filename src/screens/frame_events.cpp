#include "screens/screens.h"

#include "game/game.h"
#include "input/input.h"

// Escape makes every frame run at this period, whatever the level.
const int32_t ESCAPE_FRAME_DELAY_MILLISECONDS = 17;

// A frame's input, taken as the screens mean it, into the frame's command:
// the window's events, then Escape and the key, then the held controls and
// the mouse. Nothing of it reaches the game in an input pause, whose events
// wait for its end, nor a game that cannot go on, nor the frame after a
// quit. A new window (sized before the frame) or focus is drawn afresh.
void Screens::TakeFrameInput(const FrameInput& frame)
{
    Command = input->EmptyCommand();
    if (QuitChosen) return;
    FrameInput events = {};
    if (!input->TakeFrameInput(frame, events) || game->FatalError) return;
    if (events.Focus & FOCUS_CHANGED || events.ResizeWidth != 0) ScreenIsDirty = 1;
    TakeEscapeAndKey(events);
    input->TakeControls(events, ScreenToDisplay != NAME_INPUT_KEYBOARD_SCREEN, Command);
}

// Escape quits from the title screen, where a key after it wins over it and
// one before it gives way; it leaves every other screen, keeping the key.
void Screens::TakeEscapeAndKey(const FrameInput& events)
{
    const bool quits = events.Escape && ScreenToDisplay == TITLE_SCREEN;
    if (quits && events.Key == 0) QuitChosen = 1;
    const char before = quits ? 0 : events.KeyBeforeEscape;
    Command.Key = events.Key ? events.Key : before;
    if (Command.Key == WINDOW_CLOSE_KEY) QuitChosen = 1;
    if (!events.Escape) return;
    game->FrameDelayMilliseconds = ESCAPE_FRAME_DELAY_MILLISECONDS;
    if (quits) return;
    ScreenTransitionStatus = FADE_OUT;
    ScreenExitedWithEscapeKey = 1;
}
