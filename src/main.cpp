#include <stdio.h>

#include "game/game.h"
#include "main_loop.h"
#include "platform/platform.h"

int main(int argc, char** argv)
{
    if (freopen("stdout.log", "w", stdout)) setvbuf(stdout, nullptr, _IOLBF, 0);
    KeepLargeBuffersOutOfTheHeap();

    StartUpGame(argc, argv);
    while (GameGoesOn()) RunMainLoopFrame();
    return ShutDownGame();
}
