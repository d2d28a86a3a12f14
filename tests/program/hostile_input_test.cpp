#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "support/game_process.h"

namespace {

const char* const STORM_KEYS[] = {"Up", "Down", "Left", "Right", "Return", "space", "Escape",
                                  "z", "x", "c", "d", "l", "F1", "F2", "BackSpace"};
const char* const STORM_SIZES[] = {"640 480", "1 1", "800 600", "320 240", "1 480"};

// Every way the game ends must be the orderly one: status 0, the last log
// line written and the options file saved whole.
void ExpectOrderlyEnd(GameProcess& game)
{
    ASSERT_TRUE(game.WaitForExit(15000));
    EXPECT_EQ(0, game.exitStatus);
    EXPECT_NE(std::string::npos, game.Log().find("...Quit game\n"));
    EXPECT_EQ(138u, game.OptionsFileLines().size());
}

TEST(HostileInput, ClosingTheWindowDuringAFadeQuitsInOrder)
{
    GameProcess game;
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.WaitForWindow());
    ASSERT_TRUE(game.SkipToTitleScreen());
    game.PressKey("Return");  // "Start!": the press animation, then the fade-out
    game.Terminate();
    ExpectOrderlyEnd(game);
}

TEST(HostileInput, AStormOfKeysClicksAndResizesEndsInOrder)
{
    srand(7);
    GameProcess game;
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.WaitForWindow());
    int starts = 1;
    for (int burst = 0; burst < 60; burst++)
    {
        if (!game.IsRunning())
        {
            // Escape on the title screen quits: that end must be orderly too.
            ExpectOrderlyEnd(game);
            ASSERT_TRUE(game.Start());
            ASSERT_TRUE(game.WaitForWindow());
            starts++;
        }
        const int choice = rand() % 10;
        if (choice == 0)
            RunCommand("xdotool windowsize " + game.windowId + " " + STORM_SIZES[rand() % 5]);
        else if (choice == 1)
            game.ClickAt(rand() % 640, rand() % 480);
        else
            game.PressKey(STORM_KEYS[rand() % 15]);
        ASSERT_EQ(std::string::npos, game.Log().find("ERROR")) << game.Log();
    }
    // A game already on its way out (an Escape of the last burst, on the
    // title) is left to finish: after SDL has let go of the signals, a
    // terminate request would kill it where it stands.
    if (game.IsRunning() && game.Log().find("...Quit game\n") == std::string::npos) game.Terminate();
    ExpectOrderlyEnd(game);
    RecordProperty("starts", starts);
}

}  // namespace
