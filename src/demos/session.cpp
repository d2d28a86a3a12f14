#include "demos/demos.h"

#include <time.h>

#include "game/game.h"

Demos* demos = nullptr;

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
