#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <SDL_mixer.h>

#include "audio/audio.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "runtime/runtime.h"
#include "screens/screens.h"
#include "settings/settings.h"
#include "visuals/visuals.h"

// A failed essential step does not stop the start-up: every later step still
// runs, and the loop then ends before its first frame.
void StartUpGame(int argc, char** argv)
{
    game = new Game();
    logic = new Logic();
    visuals = new Visuals();
    runtime = new Runtime(argc, argv);

    if (!visuals->SetupGameWindow(runtime->getWidth(), runtime->getHeight())) game->FatalError = 1;
    if (!visuals->LoadFontsIntoMemory()) game->FatalError = 1;
    if (!visuals->LoadSpritesIntoMemoryAndInitialize()) game->FatalError = 1;
    if (!visuals->LoadAllTextsIntoMemory()) game->FatalError = 1;

    input = new Input();
    screens = new Screens();
    interface = new Interface();
    if (!interface->CreateAllGUIAndInitialize(true)) game->FatalError = 1;
    settings = new Settings(argc, argv);
    data = new Data();
    data->ClearHighScores();

    audio = new Audio();
    audio->SetupAudio();  // without sound the game runs silent

    srand(time(0));

    data->LoadHighScoresAndOptions();
    audio->ApplySoundVolume();
    audio->PlayMusic(MUSIC_TITLE, 0);

    printf("Main loop...\n");
}

// A '~' left by the title screen quits without polling; the frame still runs.
static void PollInputUnlessQuitting(int steps)
{
    const bool poll = (steps & POLL_INPUT) != 0;
    if (poll && input->KeyOnKeyboardPressedByUser != '~') input->GetAllUserInput();
    if (input->KeyOnKeyboardPressedByUser == '~') game->QuitGame = 1;
}

// Music repeats for as long as its screen lasts.
static void RestartMusicWhenItEnds()
{
    if (Mix_PlayingMusic() == 0) audio->PlayMusic(audio->CurrentlySelectedMusicTrack, 0);
}

static void DisplayDebugOverlayIfOn()
{
    if (game->DebugOn != 0) game->DisplayDebuggingInfo();
}

static void WaitOutTheFramePeriod(int steps)
{
    if (steps & WAIT_FOR_FRAME_PERIOD) game->ProcessFramerate();
}

// In debug mode the buffer, overlay and all, is shown every frame once any
// screen has drawn.
static bool PresentScreenBufferIfAsked(int steps)
{
    if (!(steps & PRESENT_SCREEN_BUFFER) || !screens->ScreenBufferNeedsDisplay) return false;
    visuals->DisplayScreenBufferOntoDisplay();
    if (game->DebugOn != 1) screens->ScreenBufferNeedsDisplay = 0;
    return true;
}

bool RunMainLoopFrame(int steps)
{
    PollInputUnlessQuitting(steps);
    game->CalculateFramerate();
    screens->DisplayCurrentScreen();
    RestartMusicWhenItEnds();
    screens->ApplyScreenFadeTransition();
    DisplayDebugOverlayIfOn();
    WaitOutTheFramePeriod(steps);
    return PresentScreenBufferIfAsked(steps);
}

template <typename T>
static void Delete(T*& object)
{
    delete object;
    object = nullptr;
}

void ShutDownGame()
{
    printf("...Quit game\n");
    data->SaveHighScoresAndOptions();

    Delete(runtime);
    Delete(logic);
    Delete(data);
    Delete(settings);
    Delete(audio);
    Delete(interface);
    Delete(screens);
    Delete(input);
    Delete(visuals);
    Delete(game);
}
