// Takes the README's pictures from the real game: the title screen and the
// playing screen, as a player reaches them. Usage: readme_pictures FOLDER
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "support/game_process.h"

namespace {

// The selector beside "Start!", shown once the title menu is up.
const Colour SELECTOR_ORANGE = {250, 186, 73};
const int SELECTOR_X = 170;
const int START_BUTTON_Y = 196;
// The hero in the middle of the board window.
const Colour HERO_YELLOW = {251, 219, 118};

bool Fail(const char* what)
{
    printf("ERROR: %s\n", what);
    return false;
}

bool TakePictures(const std::string& folder)
{
    GameProcess game;
    if (!game.Start()) return Fail("the game did not start");
    if (!game.WaitForWindow()) return Fail("the game opened no window");

    // A click in an empty corner cuts each logo screen short.
    const bool atTitle = WaitUntil(
        [&] {
            game.ClickAt(5, 5);
            return game.WaitForColourAt(SELECTOR_X, START_BUTTON_Y, SELECTOR_ORANGE, 8, 300);
        },
        40000);
    if (!atTitle) return Fail("the title screen did not come up");
    if (!game.Screenshot(folder + "/title.png")) return Fail("no screenshot of the title screen");
    printf("took %s/title.png\n", folder.c_str());

    // "Start!" is selected; Return chooses it, a click skips the opening scene
    // (Space would pause the game once it runs).
    game.PressKey("Return");
    const bool playing = WaitUntil(
        [&] {
            game.ClickAt(5, 5);
            return game.WaitForColourAt(320, 240, HERO_YELLOW, 24, 300);
        },
        40000);
    if (!playing) return Fail("the playing screen did not come up");
    if (!game.Screenshot(folder + "/playing.png")) return Fail("no screenshot of the playing screen");
    printf("took %s/playing.png\n", folder.c_str());

    game.PressKey("Escape");
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        printf("ERROR: usage: readme_pictures FOLDER\n");
        return 2;
    }
    char resolved[4096];
    if (!realpath(argv[1], resolved))
    {
        printf("ERROR: no folder %s\n", argv[1]);
        return 2;
    }
    return TakePictures(resolved) ? 0 : 1;
}
