#include <gtest/gtest.h>

#include <unistd.h>

#include <SDL.h>

#include "support/boards.h"
#include "support/data_folder.h"
#include "support/game_process.h"
#include "support/joystick_state.h"

namespace {

bool StartAndWaitForTheLoop(GameProcess& game, const std::vector<std::string>& environment = {})
{
    return game.Start({}, environment) && game.WaitForLog("Main loop...\n") && game.WaitForWindow();
}

TEST(ProgramWindow, ClosingTheWindowQuitsInOrderWithStatusZero)
{
    GameProcess game;
    ASSERT_TRUE(StartAndWaitForTheLoop(game));
    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(0, game.exitStatus);
    const std::string log = game.Log();
    EXPECT_TRUE(AppearInOrder(log, {"SDL_ttf initialized", "Loaded all TTF fonts into memory",
                                    "Loaded and initialized all sprite images into memory",
                                    "Loaded all texts into memory", "No USB joysticks are plugged in", "settings done",
                                    "Main loop...", "...Quit game", "Unloaded all texts from memory"}))
        << log;
    EXPECT_EQ(std::string::npos, log.find("ERROR")) << log;
}

TEST(ProgramWindow, AResizedWindowRebuildsItsTexturesAndPlaysOn)
{
    GameProcess game;
    ASSERT_TRUE(StartAndWaitForTheLoop(game));
    RunCommand("xdotool windowsize " + game.windowId + " 800 600");
    ASSERT_TRUE(game.WaitForLog("SDL+OpenGL window resized\n"));
    EXPECT_TRUE(game.IsRunning());
    const std::string geometry = RunCommand("xdotool getwindowgeometry " + game.windowId);
    EXPECT_NE(std::string::npos, geometry.find("800x600")) << geometry;
    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(0, game.exitStatus);
    EXPECT_TRUE(AppearInOrder(game.Log(), {"Main loop...", "SDL+OpenGL window resized",
                                           "Loaded and initialized all sprite images into memory",
                                           "Loaded all texts into memory", "...Quit game"}));
    EXPECT_EQ(std::string::npos, game.Log().find("ERROR"));
}

TEST(ProgramWindow, TheGameOpensTheJoysticksItFindsAndTheDPadWalksTheMenu)
{
    GameProcess game;
    JoystickState sticks(game.directory.path);
    sticks.Plug(2, 2, 4, 1);
    ASSERT_TRUE(StartAndWaitForTheLoop(game, sticks.GameEnvironment()));
    EXPECT_TRUE(AppearInOrder(game.Log(), {"Loaded all texts into memory", "SDL Joystick 0 initialized",
                                           "SDL Joystick 1 initialized", "Main loop..."}));

    // A short push on the second pad's D-pad moves the title menu down once.
    ASSERT_TRUE(game.SkipToTitleScreen());
    ASSERT_TRUE(WaitUntil(
        [&] {
            sticks.SetDPad(1, SDL_HAT_DOWN);
            usleep(150000);  // shorter than the menu's pause of ten frames after a move
            sticks.Centre();
            sticks.Write();
            // Seen where it went (a screenshot that failed shows no move), and there only.
            return game.SelectorAt(TitleButtonY(1), 300) || game.SelectorAt(TitleButtonY(2), 0);
        },
        20000));
    EXPECT_TRUE(game.SelectorAt(TitleButtonY(1), 0));
    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(0, game.exitStatus);
}

TEST(ProgramWindow, AResizeOnTheTitleKeepsTheSelectionAndStretchesTheMenu)
{
    GameProcess game;
    ASSERT_TRUE(StartAndWaitForTheLoop(game) && game.SkipToTitleScreen());
    ASSERT_TRUE(game.MoveSelector("Down", TitleButtonY(0), TitleButtonY(1)));
    ASSERT_TRUE(game.MoveSelector("Down", TitleButtonY(1), TitleButtonY(2)));
    RunCommand("xdotool windowsize " + game.windowId + " 800 600");
    ASSERT_TRUE(game.WaitForLog("SDL+OpenGL window resized\n"));
    // The 640 x 480 menu is stretched by 1.25 over the new window.
    EXPECT_TRUE(game.WaitForColourAt(SELECTOR_X * 5 / 4, TitleButtonY(2) * 5 / 4, SELECTOR_ORANGE,
                                     SELECTOR_TOLERANCE, 5000));
    EXPECT_EQ(std::string::npos, game.Log().find("ERROR"));
}

// Looking away pauses the game; on a first board that is a single corridor
// from the ghost home down to the hero, the ghosts would otherwise catch him
// within seconds. Coming back resumes nothing, Space does.
TEST(ProgramWindow, AWindowThatLosesTheFocusPausesTheGameUntilSpace)
{
    GameProcess game;
    Picture board = SolidBoard();
    Picture routes = NoRoutes();
    for (int y = 13; y <= 19; y++)
    {
        board[y][13] = (y == 13 || y == 19) ? ' ' : '.';
        routes[y][13] = (y == 13) ? 'x' : 'U';
    }
    ASSERT_TRUE(LinkDataWithout(game.directory.path));
    ASSERT_TRUE(SaveBoardPair(BOARD_NAMES[0], board, routes));

    const Colour tvWood = {106, 64, 34};  // the television cabinet at (400, 472)
    ASSERT_TRUE(game.Start() && game.WaitForWindow() && game.SkipToTitleScreen());
    game.PressKey("Return");
    ASSERT_TRUE(game.WaitForColourAt(400, 472, tvWood, 16, 30000));
    const auto paused = [&] {
        return game.CountColourInArea(200, 205, 440, 235, Colour{255, 255, 255}, 40) > 0 &&
               game.CountColourInArea(0, 0, 639, 479, tvWood, 8) == 0;
    };
    RunCommand("xdotool windowfocus --sync $(xdotool search --maxdepth 0 --name '' | head -n 1)");
    ASSERT_TRUE(WaitUntil(paused, 5000));
    RunCommand("xdotool windowfocus --sync " + game.windowId);
    for (int look = 0; look < 5; look++) EXPECT_TRUE(paused());
    game.PressKey("space");
    EXPECT_TRUE(game.WaitForColourAt(400, 472, tvWood, 16, 5000));
}

}  // namespace
