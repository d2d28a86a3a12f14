#include "demos/demos.h"

#include <errno.h>
#include <inttypes.h>
#include <string.h>
#include <sys/stat.h>

#include "game/game.h"
#include "platform/platform.h"

// A demo larger than this is not one of ours: an hour of play is some 300 KB.
const long LARGEST_DEMO_BYTES = 64L * 1024 * 1024;

// The session starts as the demo's did: its seed, its joysticks (the real
// ones are never read) and its options file. A demo the game cannot play
// stops it before its first frame, and a playback, played or refused, leaves
// the player's options file alone.
void Demos::StartPlayback(const char* path, bool timed)
{
    snprintf(PlaybackPath, sizeof(PlaybackPath), "%s", path);
    char problem[DEMO_PROBLEM_SIZE];
    if (!ReadPlaybackText(path, problem, sizeof(problem)) || !ReadDemoHeader(Playback, Header, problem, sizeof(problem)))
        return FailPlayback(problem);
    Seed = Header.Seed;
    input->UseJoysticksOfShapes(Header.Joysticks, Header.Plugged);
    data->OptionsFileFound = Header.OptionsFound;
    data->OptionsFileLineCount = Header.OptionsCount;
    memcpy(data->OptionsFileLines, Header.Options, sizeof(Header.Options));
    Playing = 1;
    Timed = timed;
    ReadDemoOn(false);
}

// Only a file is opened: a folder has no text, and a pipe or a device could
// keep the game waiting for ever.
bool Demos::ReadPlaybackText(const char* path, char* problem, int size)
{
    struct stat found;
    if (stat(path, &found) == 0 && !S_ISREG(found.st_mode))
    {
        snprintf(problem, size, "cannot be read: it is not a file");
        return false;
    }
    FILE* const file = fopen(path, "rb");
    const long length = file && fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
    const bool readable = length >= 0 && fseek(file, 0, SEEK_SET) == 0;
    if (!readable) snprintf(problem, size, "cannot be read: %s", strerror(errno));
    if (readable && length > LARGEST_DEMO_BYTES) snprintf(problem, size, "is too large for a demo (%ld bytes)", length);
    if (readable && length <= LARGEST_DEMO_BYTES)
    {
        PlaybackText = new char[length + 1];
        Playback = DemoText{PlaybackText, fread(PlaybackText, 1, length, file), 0, 0};
    }
    if (file) fclose(file);
    return PlaybackText != nullptr;
}

// The frame's input from the run being played: its first frame has the
// events, the others only the held controls. The watcher's keys and clicks
// are not the session's; closing the window ends it.
void Demos::PlayFrame(FrameInput& frame, bool windowClosed)
{
    frame = FrameInput{};
    if (Frames == 0) StartTicks = MillisecondsSinceStart();
    StoppedByWindow |= windowClosed;
    if (StoppedByWindow) game->QuitGame = 1;
    if (PlayedRunFramesLeft == 0) return;
    if (PlayedRunStarted)
        CopyHeldInput(PlayedRun, frame);
    else
        frame = PlayedRun;
    PlayedRunStarted = 1;
    PlayedRunFramesLeft--;
}

// Reads on to the next run of frames, checking the state on the way; or, for
// a session that quit with input left (a demo written by hand may hold
// input past its quit), on to the end line. The demo's end ends the game.
void Demos::ReadDemoOn(bool toTheEnd)
{
    char problem[DEMO_PROBLEM_SIZE];
    while (!PlaybackFailed && !PlaybackEnded)
    {
        DemoItem item;
        const int kind = ReadDemoItem(Playback, PlayedRun, item, problem, sizeof(problem));
        if (kind == DEMO_RUN && !toTheEnd)
        {
            PlayedRunFramesLeft = item.Frames;
            PlayedRunStarted = 0;
            return;
        }
        if (kind == DEMO_STATE && !toTheEnd) CheckState(item);
        if (kind == DEMO_DAMAGED) FailPlayback(problem);
        if (kind == DEMO_END) EndLine = item;
        PlaybackEnded = kind == DEMO_END;
        if (kind == DEMO_DAMAGED || kind == DEMO_END || kind == DEMO_NO_MORE) game->QuitGame = 1;
        if (kind == DEMO_NO_MORE) return;  // cut short: said at the end
    }
}

void Demos::CheckState(const DemoItem& item)
{
    const uint64_t digest = DigestOfGameState();
    if (item.Frames == Frames && item.Digest == digest) return;
    if (item.Frames == Frames) return FailPlaybackOutOfStep(digest, item.Digest);
    char problem[DEMO_PROBLEM_SIZE];
    snprintf(problem, sizeof(problem), "is damaged at line %" PRIu32 ": a state for frame %" PRIu32 " after frame %" PRIu32,
             Playback.Line, item.Frames, Frames);
    FailPlayback(problem);
}

// The state reached is written beside the demo, so that it can be held
// against another run's: the playback on another machine, or the recording's.
void Demos::FailPlaybackOutOfStep(uint64_t digest, uint64_t recorded)
{
    char path[DEMO_PATH_SIZE + 32];
    snprintf(path, sizeof(path), "%s-frame-%" PRIu32 ".state", PlaybackPath, Frames);
    FILE* const file = Verifying ? nullptr : fopen(path, "w");
    const bool stateWritten = file && WriteGameState(file);
    const bool written = file && fclose(file) == 0 && stateWritten;
    char problem[DEMO_PROBLEM_SIZE + DEMO_PATH_SIZE];
    snprintf(problem, sizeof(problem), "desync at frame %" PRIu32 ": the state is %016" PRIx64 ", the recording's was %016" PRIx64
             "; the state reached is %s %s", Frames, digest, recorded, written ? "in" : "not written to", path);
    FailPlayback(problem);
}

// One ERROR line naming the file, and the game ends at this frame.
void Demos::FailPlayback(const char* problem)
{
    printf("ERROR: Demo %s%s %s\n", PlaybackPath, strncmp(problem, "desync", 6) == 0 ? ":" : "", problem);
    PlaybackFailed = 1;
    game->QuitGame = 1;
}

// A playback that went the whole way as recorded prints the recording's
// line, and one the watcher stopped where it stood; any other end says what
// went wrong, and the game exits non-zero.
void Demos::EndPlayback(uint64_t digest)
{
    const bool played = Playing && !PlaybackFailed;
    if (played && PlayedRunFramesLeft > 0 && !game->FatalError && !StoppedByWindow) ReadDemoOn(true);
    delete[] PlaybackText;
    PlaybackText = nullptr;
    Playing = 0;
    if (!played || PlaybackFailed) return;

    char problem[DEMO_PROBLEM_SIZE] = "";
    const bool checked = EndLine.HasDigest && !StoppedByWindow;
    if (game->FatalError)
        snprintf(problem, sizeof(problem), "could not be played on: the game failed at frame %" PRIu32, Frames);
    else if (!PlaybackEnded && !StoppedByWindow)
        snprintf(problem, sizeof(problem), "is cut short: it has no end line after its %" PRIu32 " whole frames (state %016" PRIx64 ")",
                 Frames, digest);
    else if (checked && EndLine.Frames != Frames)
        snprintf(problem, sizeof(problem), "desync at frame %" PRIu32 ": the recording ended at frame %" PRIu32, Frames, EndLine.Frames);
    else if (checked && EndLine.Digest != digest)
        return FailPlaybackOutOfStep(digest, EndLine.Digest);
    if (!problem[0] && Verifying && !EndLine.HasDigest)
        snprintf(problem, sizeof(problem), "ends without a state to verify it by");
    if (problem[0] != '\0') return FailPlayback(problem);
    if (Verifying) return SayVerified(digest);

    // How much faster than the frame periods of its levels and screens it ran.
    const char* const how = StoppedByWindow ? ", stopped by closing the window" : "";
    const double seconds = (MillisecondsSinceStart() - StartTicks) / 1000.0;
    if (!Timed) printf("Played demo %s: %" PRIu32 " frames, state %016" PRIx64 "%s\n", PlaybackPath, Frames, digest, how);
    if (Timed)
        printf("Timed demo %s: %" PRIu32 " frames, state %016" PRIx64 ", %.2f seconds, %.1f frames per second, %.2f times its own pace%s\n",
               PlaybackPath, Frames, digest, seconds, seconds > 0 ? Frames / seconds : 0.0,
               seconds > 0 ? PaceMilliseconds / 1000.0 / seconds : 0.0, how);
}
