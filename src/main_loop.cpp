#include "main_loop.h"

#include <stdio.h>
#include <stdlib.h>

#include "audio/audio.h"
#include "data/data.h"
#include "demos/demos.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "runtime/runtime.h"
#include "screens/screens.h"
#include "settings/settings.h"
#include "visuals/visuals.h"

// A step the game cannot run without.
static void Essential(bool done)
{
    if (!done) game->FatalError = 1;
}

// A failed essential step does not stop the start-up: every later step still
// runs, and the loop then ends before its first frame.
void StartUpGame(int argc, char** argv, int steps)
{
    const bool pictures = (steps & LOAD_PICTURES) != 0;
    CreateTheRules();
    visuals = new Visuals();
    runtime = new Runtime(argc, argv);

    if (steps & OPEN_WINDOW) Essential(visuals->SetupGameWindow(runtime->getWidth(), runtime->getHeight()));
    if (pictures) Essential(visuals->LoadFontsIntoMemory());
    if (pictures) Essential(visuals->LoadSpritesIntoMemoryAndInitialize());
    if (pictures) Essential(visuals->LoadAllTextsIntoMemory());

    input->OpenJoysticks();
    if (pictures) Essential(visuals->CreateAllGUIAndInitialize(true));
    settings = new Settings(argc, argv);
    if (steps & OPEN_SOUND) audio->SetupAudio();  // without sound the game runs silent

    StartTheSession(settings->DemoRecordPath, settings->DemoPlaybackPath, settings->DemoTimed,
                    (steps & READ_AND_SAVE_OPTIONS) != 0);
    audio->PlayFrameSounds();

    printf("Main loop...\n");
}

// Every frame has its input: the devices', or the demo's in a playback. A
// frame that quits reads nothing.
static void ReadFrameInput(FrameInput& frame, int steps)
{
    frame = FrameInput{};
    if (!(steps & POLL_INPUT) || screens->QuitChosen) return;
    if (demos->Playing)
        demos->PlayFrame(frame, input->WindowAskedToClose());
    else
        input->ReadFrameInput(frame);
}

void SizeWindowAsAsked(const FrameInput& frame)
{
    if (frame.ResizeWidth != 0 && !visuals->ResizeWindow(frame.ResizeWidth, frame.ResizeHeight)) game->FatalError = 1;
}

// A timed demo runs as fast as frames can be drawn.
static void WaitOutTheFramePeriod(int steps)
{
    if ((steps & WAIT_FOR_FRAME_PERIOD) && !demos->Timed) game->ProcessFramerate();
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

bool GameGoesOn()
{
    return !game->QuitGame && !game->FatalError;
}

bool RunMainLoopFrame(int steps)
{
    FrameInput frame;
    ReadFrameInput(frame, steps);
    return RunMainLoopFrameWith(frame, steps);
}

bool RunMainLoopFrameWith(const FrameInput& frame, int steps)
{
    game->CalculateFramerate();
    SizeWindowAsAsked(frame);
    screens->RunFrame(frame);
    visuals->CheckTheDrawingMatrix();
    visuals->DrawFrame();
    audio->PlayFrameSounds();
    audio->KeepMusicPlaying();
    WaitOutTheFramePeriod(steps);
    const bool presented = PresentScreenBufferIfAsked(steps);
    demos->EndFrame(frame);
    return presented;
}

int ShutDownGame(int steps)
{
    printf("...Quit game\n");
    demos->End();
    const int status = demos->PlaybackFailed ? 1 : 0;
    if (steps & READ_AND_SAVE_OPTIONS) data->SaveHighScoresAndOptions();

    Delete(runtime);
    Delete(settings);
    DeleteTheRules();
    visuals->UnloadGUIFromMemory();
    Delete(visuals);
    return status;
}
