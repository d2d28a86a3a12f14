#include "playing_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include "logic/logic.h"
#include "screens/screens.h"
#include "support/key_events.h"

static const char* const BOARD_NAMES[] = {"Level1", "Level2", "Level3", "Level4", "Original"};
static const char* const LINKED_DATA_FOLDERS[] = {"graphics", "fonts", "interface", "music", "sound"};

static bool SaveBoard(const char* path, const uint8_t tiles[27][27])
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 27, 27, 8, 0, 0, 0, 0);
    if (!surface) return false;
    SDL_Color palette[256];
    for (int index = 0; index < 256; index++) palette[index] = SDL_Color{(Uint8)index, (Uint8)index, (Uint8)index, 0};
    SDL_SetColors(surface, palette, 0, 256);
    for (int y = 0; y < 27; y++)
    {
        for (int x = 0; x < 27; x++) ((Uint8*)surface->pixels)[y * surface->pitch + x] = tiles[x][y];
    }
    const bool saved = SDL_SaveBMP(surface, path) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

static void BuildPocketBoard(uint8_t tiles[27][27])
{
    memset(tiles, TEST_WALL, 27 * 27);
    tiles[13][19] = TEST_OPEN;
    tiles[14][19] = TEST_OPEN;
    tiles[13][18] = TEST_OPEN;
    tiles[12][13] = TEST_OPEN;
    tiles[13][13] = TEST_OPEN;
    tiles[14][13] = TEST_OPEN;
    tiles[POCKET_POWER_PELLET_X][POCKET_POWER_PELLET_Y] = TEST_POWER_PELLET;
    tiles[POCKET_MAP_POWER_PELLET_X][POCKET_MAP_POWER_PELLET_Y] = TEST_POWER_PELLET;
    tiles[10][19] = TEST_PELLET;
}

static void WritePocketBoards()
{
    ASSERT_EQ(0, mkdir("data/boards", 0755));
    uint8_t board[27][27];
    uint8_t noRoutes[27][27];
    BuildPocketBoard(board);
    memset(noRoutes, 0, sizeof(noRoutes));
    for (const char* name : BOARD_NAMES)
    {
        ASSERT_TRUE(SaveBoard((std::string("data/boards/") + name + ".bmp").c_str(), board));
        ASSERT_TRUE(SaveBoard((std::string("data/boards/") + name + "_Return.bmp").c_str(), noRoutes));
    }
}

void PlayingTest::SetUp()
{
    GameScreensTest::SetUp();
    // data/ becomes a real folder: the game's assets linked, our own boards
    // (or the game's own), which are read when a game starts.
    ASSERT_EQ(0, unlink("data"));
    ASSERT_EQ(0, mkdir("data", 0755));
    for (const char* folder : LINKED_DATA_FOLDERS)
        ASSERT_EQ(0, symlink((ProjectRoot() + "/data/" + folder).c_str(), (std::string("data/") + folder).c_str()));
    if (!pocketBoards)
        ASSERT_EQ(0, symlink((ProjectRoot() + "/data/boards").c_str(), "data/boards"));
    else
        ASSERT_NO_FATAL_FAILURE(WritePocketBoards());

    EnterScreen(PLAYING_GAME_SCREEN);  // as the opening scene leaves it
}

void PlayingTest::PressKey(SDLKey key)
{
    PushKeyDown(key);
    PushKeyUp(key);
}

void PlayingTest::EnterGame()
{
    RunFrame();
    ASSERT_TRUE(RunFramesUntil([] { return screens->ScreenTransitionStatus == FADE_NONE; }, 20));
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
