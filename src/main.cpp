#include <stdio.h>
#include <stdlib.h>
#include <time.h>

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

static void StartUp(int argc, char** argv)
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

// Music repeats for as long as its screen lasts.
static void RestartMusicWhenItEnds()
{
    if (Mix_PlayingMusic() == 0) audio->PlayMusic(audio->CurrentlySelectedMusicTrack, 0);
}

static void PresentScreenBufferIfAsked()
{
    if (!screens->ScreenBufferNeedsDisplay) return;
    visuals->DisplayScreenBufferOntoDisplay();
    if (game->DebugOn != 1) screens->ScreenBufferNeedsDisplay = 0;
}

// A '~' left by the title screen quits without polling; the frame still runs.
static void PollInputUnlessQuitting()
{
    if (input->KeyOnKeyboardPressedByUser != '~') input->GetAllUserInput();
    if (input->KeyOnKeyboardPressedByUser == '~') game->QuitGame = 1;
}

static void DisplayDebugOverlayIfOn()
{
    if (game->DebugOn != 0) game->DisplayDebuggingInfo();
}

static void RunOneFrame()
{
    PollInputUnlessQuitting();
    game->CalculateFramerate();
    screens->DisplayCurrentScreen();
    RestartMusicWhenItEnds();
    screens->ApplyScreenFadeTransition();
    DisplayDebugOverlayIfOn();
    game->ProcessFramerate();
    PresentScreenBufferIfAsked();
}

static void ShutDown()
{
    printf("...Quit game\n");
    data->SaveHighScoresAndOptions();

    delete runtime;
    runtime = nullptr;
    delete logic;
    logic = nullptr;
    delete data;
    data = nullptr;
    delete settings;
    settings = nullptr;
    delete audio;
    audio = nullptr;
    delete interface;
    interface = nullptr;
    delete screens;
    screens = nullptr;
    delete input;
    input = nullptr;
    delete visuals;
    visuals = nullptr;
    delete game;
    game = nullptr;
}

int main(int argc, char** argv)
{
    if (freopen("stdout.log", "w", stdout)) setvbuf(stdout, nullptr, _IOLBF, 0);
    KeepLargeBuffersOutOfTheHeap();

    StartUp(argc, argv);
    while (!game->QuitGame && !game->FatalError) RunOneFrame();
    ShutDown();
    return 0;
}
