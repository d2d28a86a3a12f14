#include <stdio.h>
#include <string.h>

#include "demos/demos.h"
#include "game/game.h"
#include "main_loop.h"
#include "platform/platform.h"

// --verify FILE replays a demo before anything opens: no window, no sound,
// no log file.
static int VerifyIfAsked(int argc, char** argv)
{
    for (int index = 1; index < argc; index++)
    {
        if (strcmp(argv[index], "--verify") != 0) continue;
        if (index + 1 < argc && argv[index + 1][0] != '\0') return VerifyDemo(argv[index + 1]);
        printf("ERROR: --verify needs the name of a demo file\n");
        return 1;
    }
    return -1;
}

int main(int argc, char** argv)
{
    const int verified = VerifyIfAsked(argc, argv);
    if (verified >= 0) return verified;

    if (freopen("stdout.log", "w", stdout)) setvbuf(stdout, nullptr, _IOLBF, 0);
    KeepLargeBuffersOutOfTheHeap();

    StartUpGame(argc, argv);
    while (GameGoesOn()) RunMainLoopFrame();
    return ShutDownGame();
}
