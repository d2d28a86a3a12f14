#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/boards.h"
#include "support/data_folder.h"
#include "support/game_process.h"
#include "support/joystick_state.h"

namespace {

// Screen colours that tell the screens apart.
const Colour PLAYING_TV_WOOD = {106, 64, 34};        // the television cabinet at (400, 472)
const Colour WAREHOUSE_WALL = {84, 90, 106};         // the ending scene at (600, 30)
const Colour SUNRISE_WALL = {126, 106, 106};         // the victory credits at (600, 30)
const Colour HIGH_SCORE_RED = {255, 0, 0};           // the last game's row on the table
const Colour NAME_ENTRY_YELLOW = {255, 255, 0};      // the name being typed
const Colour GRID_RED = {255, 1, 1};                 // the chosen cell of the letter grid
const Colour MAKER_GREEN = {1, 255, 1};              // the lettering of the maker's screen
const int COLOUR_TOLERANCE = 16;

// A game whose first board is a single corridor from the ghost home down to
// the hero: the ghosts see him at once and every life ends within seconds.
class WholeGame : public ::testing::Test
{
protected:
    void SetUp() override { UseCorridorBoard(); }

    void UseCorridorBoard()
    {
        Picture board = SolidBoard();
        Picture routes = NoRoutes();
        for (int y = 13; y <= 19; y++)
        {
            board[y][13] = (y == 13 || y == 19) ? ' ' : '.';
            routes[y][13] = (y == 13) ? 'x' : 'U';
        }
        ASSERT_TRUE(LinkDataWithout(game.directory.path));
        ASSERT_TRUE(SaveBoardPair(BOARD_NAMES[0], board, routes));
    }

    // An options file whose tables hold only zero scores, so any game enters them.
    void WriteLowScoreTables()
    {
        std::string text = "32\n32\n1\n1\n2\n2\n1\n1\n9\n10\n2\n2\n1\n1\n9\n10\n^\n^\n";
        for (int entry = 0; entry < 40; entry++) text += "Low\n1\n0\n";
        WriteWholeFile(game.OptionsFilePath(), text);
    }

    bool ScreenShows(int x, int y, const Colour& colour, int timeoutMilliseconds)
    {
        return game.WaitForColourAt(x, y, colour, COLOUR_TOLERANCE, timeoutMilliseconds);
    }

    bool AreaShows(int left, int top, int right, int bottom, const Colour& colour, int timeoutMilliseconds)
    {
        return WaitUntil([&] { return game.CountColourInArea(left, top, right, bottom, colour, 40) > 0; },
                         timeoutMilliseconds);
    }

    // Lines of the rank-0 entry of the default game mode's table: name, level, score.
    std::vector<std::string> FirstEntry()
    {
        const std::vector<std::string> lines = game.OptionsFileLines();
        if (lines.size() != 138) return {};
        const int first = 18 + 30 * 1;
        return {lines[first], lines[first + 1], lines[first + 2]};
    }

    GameProcess game;
};

TEST_F(WholeGame, LostGameTakesATypedNameIntoTheTableThatOutlivesAKill)
{
    WriteLowScoreTables();
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.WaitForWindow());
    ASSERT_TRUE(game.SkipToTitleScreen());

    game.PressKey("Return");  // "Start!"
    ASSERT_TRUE(ScreenShows(400, 472, PLAYING_TV_WOOD, 30000)) << "the opening scene hands over to the game";

    // Three lives lost, then the keyboard name entry.
    ASSERT_TRUE(AreaShows(0, 0, 639, 30, NAME_ENTRY_YELLOW, 90000));
    ASSERT_TRUE(game.SelectorAt(BACK_BUTTON_Y, 10000));
    for (const char* key : {"z", "e", "d"}) game.PressKey(key);
    ASSERT_TRUE(AreaShows(200, 182, 440, 230, NAME_ENTRY_YELLOW, 5000));
    game.PressKey("Return");

    // The table, with the new entry in red at the top, already saved: it
    // outlives a game killed outright.
    ASSERT_TRUE(AreaShows(37, 112, 300, 138, HIGH_SCORE_RED, 10000));
    kill(game.pid, SIGKILL);
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ((std::vector<std::string>{"zed", "1", "0"}), FirstEntry());
}

// Looking away pauses the game; the ghosts of the corridor would otherwise
// catch the hero within seconds. Coming back resumes nothing, Space does.
TEST_F(WholeGame, AWindowThatLosesTheFocusPausesTheGameUntilSpace)
{
    ASSERT_TRUE(game.Start() && game.WaitForWindow() && game.SkipToTitleScreen());
    game.PressKey("Return");
    ASSERT_TRUE(ScreenShows(400, 472, PLAYING_TV_WOOD, 30000));
    const auto paused = [&] {
        return AreaShows(200, 205, 440, 235, Colour{255, 255, 255}, 0) &&
               game.CountColourInArea(0, 0, 639, 479, PLAYING_TV_WOOD, 8) == 0;
    };
    RunCommand("xdotool windowfocus --sync $(xdotool search --maxdepth 0 --name '' | head -n 1)");
    ASSERT_TRUE(WaitUntil(paused, 5000));
    RunCommand("xdotool windowfocus --sync " + game.windowId);
    for (int look = 0; look < 5; look++) EXPECT_TRUE(paused());
    game.PressKey("space");
    EXPECT_TRUE(ScreenShows(400, 472, PLAYING_TV_WOOD, 5000));
}

TEST_F(WholeGame, WonGameShowsTheEndingSceneAndTheVictoryCredits)
{
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.WaitForWindow());
    ASSERT_TRUE(ScreenShows(320, 20, Colour{255, 255, 255}, 15000));  // the sponsor's white
    game.PressKey("space");
    ASSERT_TRUE(AreaShows(0, 440, 639, 479, MAKER_GREEN, 15000));  // the maker's web address
    game.PressKey("d");  // debug mode on
    ASSERT_TRUE(game.SkipToTitleScreen());

    game.PressKey("Return");
    ASSERT_TRUE(ScreenShows(400, 472, PLAYING_TV_WOOD, 30000));
    // 'l' clears a board; after the fifth the game is won.
    ASSERT_TRUE(WaitUntil(
        [&] {
            game.PressKey("l");
            return ScreenShows(600, 30, WAREHOUSE_WALL, 400);
        },
        60000));
    game.PressKey("space");
    ASSERT_TRUE(ScreenShows(600, 30, SUNRISE_WALL, 15000));
    game.PressKey("space");

    // A score of 0 takes no place in the default table: the table follows.
    ASSERT_TRUE(game.SelectorAt(BACK_BUTTON_Y, 15000));
    EXPECT_TRUE(AreaShows(420, 112, 500, 400, Colour{255, 255, 255}, 3000));
    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(0, game.exitStatus);
}

TEST_F(WholeGame, SecondJoystickChoosesTheGridEntry)
{
    WriteLowScoreTables();
    JoystickState sticks(game.directory.path);
    sticks.Plug(2, 2, 4);
    sticks.Write();
    ASSERT_TRUE(game.Start({}, sticks.GameEnvironment()));
    ASSERT_TRUE(game.WaitForWindow());
    ASSERT_TRUE(game.SkipToTitleScreen());

    // Button one on the second joystick chooses "Start!" and records that joystick.
    sticks.SetButton(1, 0, true);
    sticks.Write();
    ASSERT_TRUE(WaitUntil([&] { return !game.SelectorAt(TitleButtonY(0), 100); }, 10000));
    sticks.Centre();
    sticks.Write();
    ASSERT_TRUE(ScreenShows(400, 472, PLAYING_TV_WOOD, 30000));

    // The grid entry: 'A' is chosen first; button one enters it once, however long it is held.
    ASSERT_TRUE(AreaShows(20, 230, 70, 265, GRID_RED, 90000));
    sticks.SetButton(1, 0, true);
    sticks.Write();
    ASSERT_TRUE(AreaShows(200, 182, 440, 230, NAME_ENTRY_YELLOW, 5000));
    sticks.Centre();
    sticks.Write();

    // Up from the top row is "END".
    ASSERT_TRUE(WaitUntil(
        [&] {
            sticks.SetAxis(1, 1, -32768);
            sticks.Write();
            usleep(60000);  // a short push: the cursor repeats only after seven frames
            sticks.Centre();
            sticks.Write();
            return game.CountColourInArea(280, 389, 360, 415, GRID_RED, 40) > 0;
        },
        10000));
    sticks.SetButton(1, 0, true);
    sticks.Write();
    ASSERT_TRUE(AreaShows(37, 112, 300, 138, HIGH_SCORE_RED, 10000));
    sticks.Centre();
    sticks.Write();
    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ((std::vector<std::string>{"A", "1", "0"}), FirstEntry());
}

}  // namespace
