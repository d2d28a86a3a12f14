#include "screens/screens.h"

#include <stdio.h>

#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "visuals/visuals.h"

// Escape makes every frame run at this period, whatever the level.
const int32_t ESCAPE_FRAME_DELAY_MILLISECONDS = 17;

// A frame's input, taken as the screens mean it: the window's events, then
// Escape and the key, then the held controls and the mouse. Nothing of it
// reaches the game in an input pause, whose events wait for its end.
void Screens::TakeFrameInput(const FrameInput& frame)
{
    FrameInput events = {};
    if (!input->TakeFrameInput(frame, events)) return;
    if (events.Focus & FOCUS_CHANGED) ScreenIsDirty = 1;
    if (events.ResizeWidth != 0 && !ResizeWindow(events.ResizeWidth, events.ResizeHeight)) return;
    TakeEscapeAndKey(events);
    input->TakeControls(events, ScreenToDisplay != NAME_INPUT_KEYBOARD_SCREEN);
}

// Escape quits from the title screen, where a key after it wins over it and
// one before it gives way; it leaves every other screen, keeping the key.
void Screens::TakeEscapeAndKey(const FrameInput& events)
{
    const bool quits = events.Escape && ScreenToDisplay == TITLE_SCREEN;
    const char before = quits ? '~' : events.KeyBeforeEscape;
    input->KeyOnKeyboardPressedByUser = events.Key ? events.Key : before;
    if (!events.Escape) return;
    game->FrameDelayMilliseconds = ESCAPE_FRAME_DELAY_MILLISECONDS;
    if (quits) return;
    ScreenTransitionStatus = FADE_OUT;
    ScreenExitedWithEscapeKey = 1;
}

// A new window means a new OpenGL context: every texture is rebuilt. False,
// and the game stops, when the window or its pictures cannot be had.
bool Screens::ResizeWindow(int width, int height)
{
    visuals->UnloadAllTextsFromMemory();
    visuals->UnloadSpritesFromMemory();
    interface->UnloadGUIFromMemory();

    visuals->WindowWidth = width;
    visuals->WindowHeight = height;
    visuals->Screen = SDL_SetVideoMode(width, height, 0, SDL_OPENGL | SDL_RESIZABLE);
    if (!visuals->Screen)
    {
        printf("ERROR: SDL+OpenGL window resize failed\n");
        game->FatalError = 1;
        return false;
    }
    printf("SDL+OpenGL window resized\n");

    visuals->SetupOpenGLState(0.0f);
    glViewport(0, 0, width, height);
    if (!interface->CreateAllGUIAndInitialize(false) || !visuals->LoadSpritesIntoMemoryAndInitialize() ||
        !visuals->LoadAllTextsIntoMemory())
    {
        game->FatalError = 1;
        return false;
    }
    ScreenIsDirty = 1;
    return true;
}
