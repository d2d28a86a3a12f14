#include "demos/demos.h"

#include <errno.h>
#include <inttypes.h>
#include <string.h>
#include <sys/stat.h>

#include "logic/logic.h"

// Frames between two digests of the state in a recording: a desync shows
// within this many frames of its cause, at a cost of one short line.
const uint32_t DEMO_STATE_INTERVAL_FRAMES = 64;

// The file being played is never the one written over.
void Demos::StartRecording(const char* path)
{
    snprintf(RecordPath, sizeof(RecordPath), "%s", path);
    struct stat recorded, played;
    const bool sameFile = strcmp(path, PlaybackPath) == 0 || (stat(path, &recorded) == 0 && stat(PlaybackPath, &played) == 0 &&
                                                              recorded.st_dev == played.st_dev && recorded.st_ino == played.st_ino);
    if (Playing && sameFile)
    {
        printf("ERROR: Demo %s is the one being played: the session is not recorded\n", path);
        return;
    }
    RecordFile = fopen(path, "w");
    if (!RecordFile) return StopRecording();
    // Line by line: a session that crashes leaves its demo up to the run before.
    setvbuf(RecordFile, nullptr, _IOLBF, 0);
    Recording = 1;
}

// Written once the options file has been read, with what the session found.
void Demos::RecordHeader()
{
    if (!Recording) return;
    Header.Seed = Seed;
    Header.Boards = DigestOfBoardImages();
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        Header.Plugged[joystick] = input->JoystickPlugged[joystick];
        Header.Joysticks[joystick] = JoystickShape{input->JoystickNumberOfAxes[joystick], input->JoystickNumberOfButtons[joystick],
                                                   input->JoystickNumberOfHats[joystick]};
    }
    Header.OptionsFound = data->OptionsFileFound;
    Header.OptionsCount = data->OptionsFileLineCount;
    memcpy(Header.Options, data->OptionsFileLines, sizeof(Header.Options));
    if (!WriteDemoHeader(Header, HeaderText, sizeof(HeaderText)) || fputs(HeaderText, RecordFile) < 0) StopRecording();
}

// A line that cannot be written stops the recording, and the game plays on.
void Demos::WriteRecordLine(const char* line)
{
    if (!Recording) return;
    if (fputs(line, RecordFile) < 0 || fputc('\n', RecordFile) == EOF || ferror(RecordFile)) StopRecording();
}

void Demos::StopRecording()
{
    printf("ERROR: Could not write the demo %s: %s; the game plays on without recording\n", RecordPath, strerror(errno));
    if (RecordFile) fclose(RecordFile);
    RecordFile = nullptr;
    Recording = 0;
}

// A frame with the held controls of the run and no event lengthens it; the
// run is cut where the state is written, so that a playback checks it there.
void Demos::RecordFrame(const FrameInput& frame)
{
    if (RunFrames > 0 && (HasEvents(frame) || !SameHeldInput(frame, RunInput))) FlushRecordedRun();
    if (RunFrames == 0) RunInput = frame;
    RunFrames++;
    if (Frames % DEMO_STATE_INTERVAL_FRAMES != 0) return;
    FlushRecordedRun();
    char line[DEMO_LINE_SIZE];
    WriteDemoCheck("state", Frames, DigestOfGameState(), line, sizeof(line));
    WriteRecordLine(line);
}

void Demos::FlushRecordedRun()
{
    if (RunFrames == 0) return;
    char line[DEMO_LINE_SIZE];
    WriteDemoRun(RunFrames, RunInput, WrittenRun, line, sizeof(line));
    WriteRecordLine(line);
    WrittenRun = RunInput;
    RunFrames = 0;
}

void Demos::EndRecording(uint64_t digest)
{
    FlushRecordedRun();
    char line[DEMO_LINE_SIZE];
    WriteDemoCheck("end", Frames, digest, line, sizeof(line));
    WriteRecordLine(line);
    if (!Recording) return;
    Recording = 0;
    const bool closed = fclose(RecordFile) == 0;
    RecordFile = nullptr;
    if (!closed) printf("ERROR: Could not write the demo %s: %s\n", RecordPath, strerror(errno));
    if (closed) printf("Recorded demo %s: %" PRIu32 " frames, state %016" PRIx64 "\n", RecordPath, Frames, digest);
}
