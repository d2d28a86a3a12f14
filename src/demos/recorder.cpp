#include "demos/demos.h"

#include <errno.h>
#include <inttypes.h>
#include <string.h>
#include <sys/stat.h>

#include "logic/logic.h"

// The file being played is never the one written over.
static bool SameFile(const char* one, const char* other)
{
    struct stat first, second;
    if (strcmp(one, other) == 0) return true;
    return stat(one, &first) == 0 && stat(other, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

void Demos::StartRecording(const char* path)
{
    snprintf(RecordPath, sizeof(RecordPath), "%s", path);
    if (Playing && SameFile(path, PlaybackPath))
    {
        printf("ERROR: Demo %s is the one being played: the session is not recorded\n", path);
        return;
    }
    RecordFile = fopen(path, "w");
    if (!RecordFile)
    {
        StopRecording();
        return;
    }
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
        Header.Joysticks[joystick] = JoystickShape{input->JoystickNumberOfAxes[joystick],
                                                   input->JoystickNumberOfButtons[joystick],
                                                   input->JoystickNumberOfHats[joystick]};
    }
    Header.OptionsFound = data->OptionsFileFound;
    Header.OptionsCount = data->OptionsFileLineCount;
    memcpy(Header.Options, data->OptionsFileLines, sizeof(Header.Options));
    const bool whole = WriteDemoHeader(Header, HeaderText, sizeof(HeaderText));
    if (!whole || fputs(HeaderText, RecordFile) < 0 || ferror(RecordFile)) StopRecording();
}

bool Demos::WriteRecordLine(const char* line)
{
    return fputs(line, RecordFile) >= 0 && fputc('\n', RecordFile) != EOF && !ferror(RecordFile);
}

void Demos::StopRecording()
{
    printf("ERROR: Could not write the demo %s: %s; the game plays on without recording\n", RecordPath,
           strerror(errno));
    if (RecordFile) fclose(RecordFile);
    RecordFile = nullptr;
    Recording = 0;
}

// A frame with the held controls of the run and no event lengthens it.
void Demos::RecordFrame(const FrameInput& frame)
{
    const bool lengthensRun = RunFrames > 0 && !HasEvents(frame) && SameHeldInput(frame, RunInput);
    if (!lengthensRun) FlushRecordedRun();
    if (!Recording) return;
    if (RunFrames == 0) RunInput = frame;
    RunFrames++;
}

void Demos::FlushRecordedRun()
{
    if (RunFrames == 0) return;
    char line[DEMO_LINE_SIZE];
    WriteDemoRun(RunFrames, RunInput, WrittenRun, line, sizeof(line));
    WrittenRun = RunInput;
    RunFrames = 0;
    if (!WriteRecordLine(line)) StopRecording();
}

void Demos::EndRecording(uint64_t digest)
{
    FlushRecordedRun();
    char line[DEMO_LINE_SIZE];
    WriteDemoCheck("end", Frames, digest, line, sizeof(line));
    if (Recording && !WriteRecordLine(line)) StopRecording();
    if (!Recording) return;
    const bool closed = fclose(RecordFile) == 0;
    RecordFile = nullptr;
    Recording = 0;
    if (!closed)
        printf("ERROR: Could not write the demo %s: %s\n", RecordPath, strerror(errno));
    else
        printf("Recorded demo %s: %" PRIu32 " frames, state %016" PRIx64 "\n", RecordPath, Frames, digest);
}
