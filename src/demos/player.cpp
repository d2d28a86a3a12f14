#include "demos/demos.h"

#include <errno.h>
#include <inttypes.h>
#include <string.h>

#include <SDL.h>

#include "game/game.h"
#include "logic/logic.h"

// A demo larger than this is not one of ours: an hour of play is some 300 KB.
const long LARGEST_DEMO_BYTES = 64L * 1024 * 1024;

// A demo the game cannot play stops it before its first frame, and a
// playback, played or refused, leaves the player's options file alone.
void Demos::StartPlayback(const char* path, bool timed)
{
    data->OptionsFileKept = 0;
    snprintf(PlaybackPath, sizeof(PlaybackPath), "%s", path);
    char problem[DEMO_PROBLEM_SIZE];
    if (!ReadPlaybackText(path, problem, sizeof(problem)) ||
        !ReadDemoHeader(Playback, Header, problem, sizeof(problem)))
    {
        FailPlayback(problem);
        return;
    }
    UseHeader();
    Playing = 1;
    Timed = timed;
    ReadDemoUpToTheNextFrame();
}

bool Demos::ReadPlaybackText(const char* path, char* problem, int size)
{
    FILE* const file = fopen(path, "rb");
    long length = -1;
    if (file && fseek(file, 0, SEEK_END) == 0) length = ftell(file);
    if (!file || length < 0 || fseek(file, 0, SEEK_SET) != 0)
    {
        snprintf(problem, size, "cannot be read: %s", strerror(errno));
        if (file) fclose(file);
        return false;
    }
    if (length > LARGEST_DEMO_BYTES)
    {
        snprintf(problem, size, "is too large for a demo (%ld bytes)", length);
        fclose(file);
        return false;
    }
    PlaybackText = new char[length + 1];
    const size_t read = fread(PlaybackText, 1, length, file);
    fclose(file);
    Playback = DemoText{PlaybackText, read, 0, 0};
    return true;
}

// The session's start as the demo has it: its seed, its joysticks (the real
// ones are never read) and its options file.
void Demos::UseHeader()
{
    Seed = Header.Seed;
    input->UseJoysticksOfShapes(Header.Joysticks, Header.Plugged);
    data->OptionsFileFound = Header.OptionsFound;
    data->OptionsFileLineCount = Header.OptionsCount;
    memcpy(data->OptionsFileLines, Header.Options, sizeof(Header.Options));
}

// The frame's input from the run being played: its first frame has the
// events, the others only the held controls.
void Demos::PlayFrame(FrameInput& frame)
{
    frame = FrameInput{};
    if (Frames == 0) StartTicks = SDL_GetTicks();
    WatchTheWindowDuringPlayback();
    if (PlayedRunFramesLeft == 0) return;
    if (PlayedRunStarted)
        CopyHeldInput(PlayedRun, frame);
    else
        frame = PlayedRun;
    PlayedRunStarted = 1;
    PlayedRunFramesLeft--;
}

// The watcher's keys and clicks are not the session's; closing the window ends it.
void Demos::WatchTheWindowDuringPlayback()
{
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        if (event.type != SDL_QUIT) continue;
        StoppedByWindow = 1;
        game->QuitGame = 1;
    }
}

// Reads on to the next run of frames, checking the state on the way; the
// end of the demo ends the game after this frame.
void Demos::ReadDemoUpToTheNextFrame()
{
    char problem[DEMO_PROBLEM_SIZE];
    while (Playing && !PlaybackFailed && !PlaybackEnded)
    {
        DemoItem item;
        const int kind = ReadDemoItem(Playback, PlayedRun, item, problem, sizeof(problem));
        if (kind == DEMO_RUN)
        {
            PlayedRunFramesLeft = item.Frames;
            PlayedRunStarted = 0;
            return;
        }
        if (kind == DEMO_STATE)
        {
            CheckState(item);
            continue;
        }
        if (kind == DEMO_DAMAGED) FailPlayback(problem);
        if (kind == DEMO_END)
        {
            PlaybackEnded = 1;
            EndLine = item;
        }
        game->QuitGame = 1;  // a demo cut short is said so at the end
        return;
    }
}

void Demos::CheckState(const DemoItem& item)
{
    if (item.Frames == Frames && item.Digest == DigestOfGameState()) return;
    if (item.Frames == Frames)
    {
        FailPlaybackOutOfStep(DigestOfGameState(), item.Digest);
        return;
    }
    char problem[DEMO_PROBLEM_SIZE];
    snprintf(problem, sizeof(problem),
             "is damaged at line %" PRIu32 ": a state for frame %" PRIu32 " after frame %" PRIu32, Playback.Line,
             item.Frames, Frames);
    FailPlayback(problem);
}

// The state reached is written beside the demo, so that it can be held
// against another run's: the playback on another machine, or the recording's.
void Demos::FailPlaybackOutOfStep(uint64_t digest, uint64_t recorded)
{
    char statePath[DEMO_PATH_SIZE + 32];
    snprintf(statePath, sizeof(statePath), "%s-frame-%" PRIu32 ".state", PlaybackPath, Frames);
    FILE* const file = fopen(statePath, "w");
    const bool written = file && WriteGameState(file);
    const bool closed = file && fclose(file) == 0;
    char problem[DEMO_PROBLEM_SIZE + DEMO_PATH_SIZE];
    snprintf(problem, sizeof(problem),
             "desync at frame %" PRIu32 ": the state is %016" PRIx64 ", the recording's was %016" PRIx64
             "; the state reached is %s %s",
             Frames, digest, recorded, written && closed ? "in" : "not written to", statePath);
    FailPlayback(problem);
}

// One ERROR line naming the file, and the game ends at this frame.
void Demos::FailPlayback(const char* problem)
{
    const bool desync = strncmp(problem, "desync", 6) == 0;
    printf("ERROR: Demo %s%s %s\n", PlaybackPath, desync ? ":" : "", problem);
    PlaybackFailed = 1;
    game->QuitGame = 1;
}

// A session that quits while its demo has input left reads on to the demo's
// end line: a recording ends where the game quit, a demo written by hand
// may hold input past its quit.
void Demos::ReadDemoToItsEnd()
{
    char problem[DEMO_PROBLEM_SIZE];
    while (!PlaybackEnded)
    {
        DemoItem item;
        const int kind = ReadDemoItem(Playback, PlayedRun, item, problem, sizeof(problem));
        if (kind == DEMO_DAMAGED) FailPlayback(problem);
        if (kind == DEMO_DAMAGED || kind == DEMO_NO_MORE) return;
        if (kind != DEMO_END) continue;
        PlaybackEnded = 1;
        EndLine = item;
    }
}

// A playback that went the whole way as recorded prints the recording's
// line; any other end says what went wrong, and the game exits non-zero.
void Demos::EndPlayback(uint64_t digest)
{
    const bool quitEarly = PlayedRunFramesLeft > 0 && !game->FatalError && !StoppedByWindow;
    if (Playing && !PlaybackFailed && quitEarly) ReadDemoToItsEnd();
    delete[] PlaybackText;
    PlaybackText = nullptr;
    const bool played = Playing && !PlaybackFailed;
    Playing = 0;
    if (!played) return;

    char problem[DEMO_PROBLEM_SIZE] = "";
    const bool checked = PlaybackEnded && EndLine.HasDigest && !StoppedByWindow;
    if (StoppedByWindow)
        problem[0] = '\0';  // the watcher ended it where it stood
    else if (game->FatalError)
        snprintf(problem, sizeof(problem), "could not be played on: the game failed at frame %" PRIu32, Frames);
    else if (!PlaybackEnded)
        snprintf(problem, sizeof(problem),
                 "is cut short: it has no end line after its %" PRIu32 " whole frames (state %016" PRIx64 ")", Frames,
                 digest);
    else if (checked && EndLine.Frames != Frames)
        snprintf(problem, sizeof(problem), "desync at frame %" PRIu32 ": the recording ended at frame %" PRIu32,
                 Frames, EndLine.Frames);
    if (checked && problem[0] == '\0' && EndLine.Digest != digest)
    {
        FailPlaybackOutOfStep(digest, EndLine.Digest);
        return;
    }
    if (problem[0] != '\0')
    {
        FailPlayback(problem);
        return;
    }

    const char* const how = StoppedByWindow ? ", stopped by closing the window" : "";
    if (!Timed)
    {
        printf("Played demo %s: %" PRIu32 " frames, state %016" PRIx64 "%s\n", PlaybackPath, Frames, digest, how);
        return;
    }
    // How much faster than the frame periods of its levels and screens it ran.
    const double seconds = (SDL_GetTicks() - StartTicks) / 1000.0;
    const double pace = seconds > 0 ? PaceMilliseconds / 1000.0 / seconds : 0.0;
    printf("Timed demo %s: %" PRIu32 " frames, state %016" PRIx64 ", %.2f seconds, %.1f frames per second, "
           "%.2f times its own pace%s\n",
           PlaybackPath, Frames, digest, seconds, seconds > 0 ? Frames / seconds : 0.0, pace, how);
}
