// A demo checked by its rules alone: the game's objects made as a start-up
// makes them but with no window, sound device, picture, font or options
// file, the menus' widgets as large as their pictures' headers say, and the
// demo's frames run through the game's tick.
#include <inttypes.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "audio/audio.h"
#include "data/data.h"
#include "demos/demos.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "screens/screens.h"

void StartVerifying(const char* path)
{
    CreateTheRules();
    demos->Verifying = 1;
    if (!interface->InitializeRecordsFromPictureSizes())
        game->FatalError = 1;
    else
        StartTheSession(nullptr, path, true, true);
    audio->PlayFrameSounds();
}

bool VerifyNextFrame()
{
    if (game->QuitGame || game->FatalError) return false;
    FrameInput frame;
    demos->PlayFrame(frame, false);
    screens->RunFrame(frame);
    audio->PlayFrameSounds();
    demos->EndFrame(frame);
    return true;
}

int StopVerifying()
{
    demos->End();
    const int status = demos->PlaybackFailed || game->FatalError ? 1 : 0;
    DeleteTheRules();
    return status;
}

// The game's own log lines are kept aside, in a file no one sees: what is
// said is the verdict, or the first ERROR line.
static void SayTheVerdict(FILE* log, int status)
{
    const char* const wanted = status == 0 ? "Verified demo " : "ERROR: ";
    char line[DEMO_LINE_SIZE + DEMO_PATH_SIZE];
    if (log) rewind(log);
    while (log && fgets(line, sizeof line, log))
    {
        if (strncmp(line, wanted, strlen(wanted)) != 0) continue;
        fputs(line, stdout);
        return;
    }
    if (status != 0) printf("ERROR: Demo could not be verified\n");
}

int VerifyDemo(const char* path)
{
    fflush(stdout);
    FILE* const log = tmpfile();
    const int said = log ? dup(STDOUT_FILENO) : -1;
    if (said >= 0) dup2(fileno(log), STDOUT_FILENO);
    StartVerifying(path);
    while (VerifyNextFrame()) continue;
    const int status = StopVerifying();
    fflush(stdout);
    if (said >= 0)
    {
        dup2(said, STDOUT_FILENO);
        close(said);
    }
    SayTheVerdict(said >= 0 ? log : nullptr, status);
    if (log) fclose(log);
    return status;
}

void Demos::SayVerified(uint64_t digest) const
{
    printf("Verified demo %s: %" PRIu32 " frames, state %016" PRIx64 ", score %" PRIu32 ", board %u, lives %u\n",
           PlaybackPath, Frames, digest, logic->Score, (unsigned)logic->Level, (unsigned)logic->Lives);
}
