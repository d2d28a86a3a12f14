#include "playing_fixture.h"

#include "logic/logic.h"
#include "screens/screens.h"
#include "support/boards.h"
#include "support/data_folder.h"
#include "support/key_events.h"

// The pocket board: walls but for the hero's and the ghosts' few tiles.
static Picture PocketBoard()
{
    Picture board = SolidBoard();
    board[19][13] = board[19][14] = board[18][13] = ' ';
    board[13][12] = board[13][13] = board[13][14] = ' ';
    board[POCKET_POWER_PELLET_Y][POCKET_POWER_PELLET_X] = 'o';
    board[POCKET_MAP_POWER_PELLET_Y][POCKET_MAP_POWER_PELLET_X] = 'o';
    board[19][10] = '.';
    return board;
}

void PlayingTest::SetUp()
{
    GameScreensTest::SetUp();
    // Our own boards (or the game's own), which are read when a game starts.
    ASSERT_TRUE(LinkDataWithout(directory->path));
    for (const char* name : BOARD_NAMES)
        ASSERT_TRUE(!pocketBoards || SaveBoardPair(name, PocketBoard()));

    EnterScreen(PLAYING_GAME_SCREEN);  // as the opening scene leaves it
}

void PlayingTest::EnterGame()
{
    RunFrame();
    RunUntilFadedIn();
}

void PlayingTest::SendGhostOntoHero()
{
    logic->GhostActive[0] = 1;
    logic->GhostState[0] = GHOST_NORMAL;
    logic->GhostTileX[0] = logic->PlayerTileX;
    logic->GhostTileY[0] = logic->PlayerTileY;
    logic->GhostOffsetX[0] = 0;
    logic->GhostOffsetY[0] = 0;
}

bool PlayingTest::IsWallAt(int x, int y) const
{
    // The wall plate keeps a strong red under every level's tint; the open
    // floor shows the dark static behind the board.
    return ReadPixel(x, y).red > 120;
}

bool PlayingTest::IsPelletColourAt(int x, int y) const
{
    const Pixel pixel = ReadPixel(x, y);
    return pixel.red > 200 && pixel.green > 150 && pixel.blue > 90;
}
