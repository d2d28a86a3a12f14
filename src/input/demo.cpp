// A session as data: --record keeps every frame's input in a demo file,
// --playdemo and --timedemo feed it back to the game in place of the player.
// The game is a function of its input (one poll a frame, one clock, one
// seeded generator), so a playback reaches the same state frame by frame;
// state digests in the demo tell where it does not.
#include "input/input.h"

#include <errno.h>
#include <inttypes.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>

#include "data/data.h"
#include "game/game.h"
#include "settings/settings.h"

// Frames between two digests of the state in a recording: a desync shows
// within this many frames of its cause, at a cost of one short line.
const uint32_t DEMO_STATE_INTERVAL_FRAMES = 64;
const int DEMO_PROBLEM_SIZE = 512;

// A playback takes the seed from its demo, a recording from the clock.
void Input::StartDemo()
{
    Demo.Seed = (uint32_t)time(nullptr);
    if (!settings) return;
    if (settings->DemoPlaybackPath) StartPlayback(settings->DemoPlaybackPath, settings->DemoTimed);
    if (settings->DemoRecordPath && !Demo.PlaybackFailed) StartRecording(settings->DemoRecordPath);
}

// A demo the game cannot play stops it before its first frame, and a
// playback, played or refused, leaves the player's options file alone.
void Input::StartPlayback(const char* path, bool timed)
{
    data->OptionsFileKept = 0;
    snprintf(Demo.PlaybackPath, sizeof(Demo.PlaybackPath), "%s", path);
    if (path[0] == '\0')
    {
        FailPlayback(nullptr);  // the command line named no file, and said so
        return;
    }
    char problem[DEMO_PROBLEM_SIZE];
    Demo.PlaybackFile = fopen(path, "r");
    if (!Demo.PlaybackFile)
    {
        snprintf(problem, sizeof(problem), "cannot be read: %s", strerror(errno));
        FailPlayback(problem);
        return;
    }
    if (!ReadDemoHeader(problem, sizeof(problem)))
    {
        FailPlayback(problem);
        return;
    }
    Demo.Playing = 1;
    Demo.Timed = timed;
    ReadDemoUpToTheNextFrame();
}

// The file being played is never the one written over.
static bool SameFile(const char* one, const char* other)
{
    struct stat first, second;
    if (strcmp(one, other) == 0) return true;
    return stat(one, &first) == 0 && stat(other, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

void Input::StartRecording(const char* path)
{
    snprintf(Demo.RecordPath, sizeof(Demo.RecordPath), "%s", path);
    if (Demo.Playing && SameFile(path, Demo.PlaybackPath))
    {
        printf("ERROR: Demo %s is the one being played: the session is not recorded\n", path);
        return;
    }
    Demo.RecordFile = fopen(path, "w");
    if (!Demo.RecordFile)
    {
        StopRecording();
        return;
    }
    // Line by line: a session that crashes leaves its demo up to the run before.
    setvbuf(Demo.RecordFile, nullptr, _IOLBF, 0);
    Demo.Recording = 1;
}

// Written once the options file has been read, with what the session found.
void Input::RecordDemoHeader()
{
    if (Demo.Recording && !WriteDemoHeader()) StopRecording();
}

void Input::StopRecording()
{
    printf("ERROR: Could not write the demo %s: %s; the game plays on without recording\n", Demo.RecordPath,
           strerror(errno));
    if (Demo.RecordFile) fclose(Demo.RecordFile);
    Demo.RecordFile = nullptr;
    Demo.Recording = 0;
}

// One ERROR line naming the file, and the game ends at this frame.
void Input::FailPlayback(const char* problem)
{
    const bool desync = problem && strncmp(problem, "desync", 6) == 0;
    if (problem) printf("ERROR: Demo %s%s %s\n", Demo.PlaybackPath, desync ? ":" : "", problem);
    Demo.PlaybackFailed = 1;
    game->QuitGame = 1;
}

// The playback's joysticks are those of the recorded session, plugged in or
// not here; the real ones are never read.
void Input::UseDemoJoysticks(const JoystickShape shapes[NUMBER_OF_JOYSTICKS], const uint8_t plugged[NUMBER_OF_JOYSTICKS])
{
    CloseJoysticks();
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        JoystickPlugged[joystick] = plugged[joystick];
        JoystickNumberOfAxes[joystick] = shapes[joystick].Axes;
        JoystickNumberOfButtons[joystick] = shapes[joystick].Buttons;
        JoystickNumberOfHats[joystick] = shapes[joystick].Hats;
    }
}

// The events of a frame whose poll read nothing stay queued for the next
// poll that reads, as SDL keeps them through an input pause; a newer key
// wins. Held controls, clicks and the query's answer are of the moment.
static void AddQueuedEvents(const FrameInput& queued, FrameInput& frame)
{
    if (frame.Key == 0) frame.Key = queued.Key;
    frame.Escape |= queued.Escape;
    if (frame.Focus < queued.Focus) frame.Focus = queued.Focus;
    if (frame.ResizeWidth != 0) return;
    frame.ResizeWidth = queued.ResizeWidth;
    frame.ResizeHeight = queued.ResizeHeight;
}

void Input::BeginDemoFrame()
{
    if (Demo.Recording) Demo.RecordedFrame = FrameInput{};
    if (!Demo.Playing) return;
    if (Demo.Frames == 0) Demo.StartTicks = SDL_GetTicks();
    WatchTheWindowDuringPlayback();

    FrameInput frame = {};
    if (Demo.PlayedRunFramesLeft > 0)
    {
        // Only the held controls go on after a run's first frame.
        for (int source = 0; source < NUMBER_OF_READ_SOURCES; source++)
        {
            frame.Direction[source] = Demo.PlayedRun.Direction[source];
            frame.ButtonOne[source] = Demo.PlayedRun.ButtonOne[source];
            frame.ButtonTwo[source] = Demo.PlayedRun.ButtonTwo[source];
        }
        if (!Demo.PlayedRunStarted) frame = Demo.PlayedRun;
        Demo.PlayedRunStarted = 1;
        Demo.PlayedRunFramesLeft--;
    }
    AddQueuedEvents(Demo.PendingEvents, frame);
    Demo.PendingEvents = FrameInput{};
    Demo.PlayedFrame = frame;
    Demo.PlayedFrameRead = 0;
}

// The watcher's keys and clicks are not the session's; closing the window ends it.
void Input::WatchTheWindowDuringPlayback()
{
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        if (event.type != SDL_QUIT) continue;
        Demo.StoppedByWindow = 1;
        game->QuitGame = 1;
    }
}

FrameInput Input::TakePlayedFrame()
{
    Demo.PlayedFrameRead = 1;
    return Demo.PlayedFrame;
}

void Input::EndDemoFrame()
{
    if (!Demo.Recording && !Demo.Playing) return;
    Demo.Frames++;
    if (Demo.Recording) RecordFrame();
    if (!Demo.Playing) return;
    Demo.PaceMilliseconds += game->FrameDelayMilliseconds;
    if (!Demo.PlayedFrameRead) AddQueuedEvents(Demo.PlayedFrame, Demo.PendingEvents);
    if (Demo.PlayedRunFramesLeft == 0) ReadDemoUpToTheNextFrame();
}

// A frame with the held controls of the run and no event lengthens it; the
// run is cut where the state is written, so that a playback checks it there.
void Input::RecordFrame()
{
    const FrameInput& frame = Demo.RecordedFrame;
    const bool lengthensRun = Demo.RunFrames > 0 && !HasEvents(frame) && SameHeldInput(frame, Demo.RunInput);
    if (!lengthensRun) FlushRecordedRun();
    if (!Demo.Recording) return;
    if (Demo.RunFrames == 0) Demo.RunInput = frame;
    Demo.RunFrames++;

    if (Demo.Frames % DEMO_STATE_INTERVAL_FRAMES != 0) return;
    FlushRecordedRun();
    if (Demo.Recording && !WriteDemoCheck("state", Demo.Frames, DigestOfGameState())) StopRecording();
}

void Input::FlushRecordedRun()
{
    if (Demo.RunFrames == 0) return;
    const bool written = WriteDemoRun(Demo.RunInput, Demo.WrittenRun, Demo.RunFrames);
    Demo.WrittenRun = Demo.RunInput;
    Demo.RunFrames = 0;
    if (!written) StopRecording();
}

// Reads on to the next run of frames, checking the state on the way; the
// end of the demo ends the game after this frame.
void Input::ReadDemoUpToTheNextFrame()
{
    char problem[DEMO_PROBLEM_SIZE];
    while (Demo.Playing && !Demo.PlaybackFailed && !Demo.PlaybackEnded)
    {
        DemoItem item;
        const int kind = ReadDemoItem(item, problem, sizeof(problem));
        if (kind == DEMO_RUN)
        {
            Demo.PlayedRunFramesLeft = item.Frames;
            Demo.PlayedRunStarted = 0;
            return;
        }
        if (kind == DEMO_DAMAGED) FailPlayback(problem);
        if (kind == DEMO_NO_MORE) game->QuitGame = 1;  // cut short: said at the end
        if (kind == DEMO_NO_MORE || kind == DEMO_DAMAGED) return;
        if (kind == DEMO_END)
        {
            Demo.PlaybackEnded = 1;
            Demo.End = item;
            game->QuitGame = 1;
            return;
        }

        const uint64_t digest = DigestOfGameState();
        if (item.Frames != Demo.Frames)
            snprintf(problem, sizeof(problem), "is damaged at line %" PRIu32 ": a state for frame %" PRIu32
                     " after frame %" PRIu32, Demo.PlaybackLine, item.Frames, Demo.Frames);
        else if (item.Digest != digest)
            snprintf(problem, sizeof(problem), "desync at frame %" PRIu32 ": the state is %016" PRIx64
                     ", the recording's was %016" PRIx64, Demo.Frames, digest, item.Digest);
        else
            continue;
        FailPlayback(problem);
    }
}

// The one line to compare, at the end of a recording and of a playback.
void Input::EndDemo()
{
    if (!Demo.Recording && !Demo.Playing && !Demo.PlaybackFile) return;
    const uint64_t digest = DigestOfGameState();
    if (Demo.Recording) EndRecording(digest);
    if (Demo.PlaybackFile) EndPlayback(digest);
}

void Input::EndRecording(uint64_t digest)
{
    FlushRecordedRun();
    if (Demo.Recording && !WriteDemoCheck("end", Demo.Frames, digest)) StopRecording();
    if (!Demo.Recording) return;
    const bool closed = fclose(Demo.RecordFile) == 0;
    Demo.RecordFile = nullptr;
    Demo.Recording = 0;
    if (!closed)
        printf("ERROR: Could not write the demo %s: %s\n", Demo.RecordPath, strerror(errno));
    else
        printf("Recorded demo %s: %" PRIu32 " frames, state %016" PRIx64 "\n", Demo.RecordPath, Demo.Frames, digest);
}

// A session that quits while its demo has input left reads on to the demo's
// end line: a recording ends where the game quit, a demo written by hand
// may hold input past its quit.
void Input::ReadDemoToItsEnd()
{
    char problem[DEMO_PROBLEM_SIZE];
    while (!Demo.PlaybackEnded)
    {
        DemoItem item;
        const int kind = ReadDemoItem(item, problem, sizeof(problem));
        if (kind == DEMO_DAMAGED) FailPlayback(problem);
        if (kind == DEMO_DAMAGED || kind == DEMO_NO_MORE) return;
        if (kind != DEMO_END) continue;
        Demo.PlaybackEnded = 1;
        Demo.End = item;
    }
}

// A playback that went the whole way as recorded prints the recording's
// line; any other end says what went wrong, and the game exits non-zero.
void Input::EndPlayback(uint64_t digest)
{
    const bool quitEarly = Demo.PlayedRunFramesLeft > 0 && !game->FatalError && !Demo.StoppedByWindow;
    if (Demo.Playing && !Demo.PlaybackFailed && quitEarly) ReadDemoToItsEnd();
    fclose(Demo.PlaybackFile);
    Demo.PlaybackFile = nullptr;
    const bool played = Demo.Playing && !Demo.PlaybackFailed;
    Demo.Playing = 0;
    if (!played) return;

    char problem[DEMO_PROBLEM_SIZE] = "";
    const bool checked = Demo.PlaybackEnded && Demo.End.HasDigest;
    if (Demo.StoppedByWindow)
        problem[0] = '\0';  // the watcher ended it where it stood
    else if (game->FatalError)
        snprintf(problem, sizeof(problem), "could not be played on: the game failed at frame %" PRIu32, Demo.Frames);
    else if (!Demo.PlaybackEnded)
        snprintf(problem, sizeof(problem), "is cut short: it has no end line after its %" PRIu32
                 " whole frames (state %016" PRIx64 ")", Demo.Frames, digest);
    else if (checked && Demo.End.Frames != Demo.Frames)
        snprintf(problem, sizeof(problem), "desync at frame %" PRIu32 ": the recording ended at frame %" PRIu32,
                 Demo.Frames, Demo.End.Frames);
    else if (checked && Demo.End.Digest != digest)
        snprintf(problem, sizeof(problem), "desync at frame %" PRIu32 ": the state is %016" PRIx64
                 ", the recording's was %016" PRIx64, Demo.Frames, digest, Demo.End.Digest);
    if (problem[0] != '\0')
    {
        FailPlayback(problem);
        return;
    }

    const char* const how = Demo.StoppedByWindow ? ", stopped by closing the window" : "";
    if (!Demo.Timed)
    {
        printf("Played demo %s: %" PRIu32 " frames, state %016" PRIx64 "%s\n", Demo.PlaybackPath, Demo.Frames, digest,
               how);
        return;
    }
    // How much faster than the frame periods of its levels and screens it ran.
    const double seconds = (SDL_GetTicks() - Demo.StartTicks) / 1000.0;
    const double pace = seconds > 0 ? Demo.PaceMilliseconds / 1000.0 / seconds : 0.0;
    printf("Timed demo %s: %" PRIu32 " frames, state %016" PRIx64 ", %.2f seconds, %.1f frames per second, "
           "%.2f times its own pace%s\n",
           Demo.PlaybackPath, Demo.Frames, digest, seconds, seconds > 0 ? Demo.Frames / seconds : 0.0, pace, how);
}
