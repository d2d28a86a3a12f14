#include "demos/demos.h"

#include <time.h>

#include "audio/audio.h"
#include "game/game.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "screens/screens.h"

Demos* demos = nullptr;

// The rules' objects, as every start makes them: before a window opens, or
// with none.
void CreateTheRules()
{
    game = new Game();
    logic = new Logic();
    input = new Input();
    screens = new Screens();
    interface = new Interface();
    data = new Data();
    data->ClearHighScores();
    audio = new Audio();
    demos = new Demos();
}

// A demo's playback starts from its seed and options, a recording keeps
// them; the title's music is asked for.
void StartTheSession(const char* recordPath, const char* playbackPath, bool timed, bool readOptions)
{
    demos->Start(recordPath, playbackPath, timed);
    logic->SeedRandomGenerator(demos->Seed);
    if (readOptions) data->LoadHighScoresAndOptions();
    demos->RecordHeader();
    audio->PlayMusic(MUSIC_TITLE, 0);
}

void DeleteTheRules()
{
    Delete(demos);
    Delete(logic);
    Delete(data);
    Delete(audio);
    Delete(interface);
    Delete(screens);
    Delete(input);
    Delete(game);
}

Demos::Demos()
{
    Seed = (uint32_t)time(nullptr);
}

Demos::~Demos()
{
    if (RecordFile) fclose(RecordFile);
    delete[] PlaybackText;
}

// A playback takes the seed from its demo, a recording from the clock. A
// playback of no file was refused on the command line, which said so.
void Demos::Start(const char* recordPath, const char* playbackPath, bool timed)
{
    if (playbackPath) data->OptionsFileKept = 0;  // a playback never writes the player's file
    if (playbackPath && playbackPath[0] == '\0')
    {
        PlaybackFailed = 1;
        game->QuitGame = 1;
        return;
    }
    if (playbackPath) StartPlayback(playbackPath, timed);
    if (recordPath && !PlaybackFailed) StartRecording(recordPath);
}

// After the frame: the recording keeps its input, the playback checks the
// state where its demo has a digest.
void Demos::EndFrame(const FrameInput& frame)
{
    if (!Recording && !Playing) return;
    Frames++;
    if (Recording) RecordFrame(frame);
    if (!Playing) return;
    PaceMilliseconds += game->FrameDelayMilliseconds;
    if (PlayedRunFramesLeft == 0) ReadDemoOn(false);
}

// The one line to compare, at the end of a recording and of a playback.
void Demos::End()
{
    if (!Recording && !PlaybackText) return;
    const uint64_t digest = DigestOfGameState();
    if (Recording) EndRecording(digest);
    if (PlaybackText) EndPlayback(digest);
}
