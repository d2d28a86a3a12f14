#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include "audio/audio.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"
#include "playing_fixture.h"
#include "screens/screens.h"
#include "visuals/visuals.h"

namespace {

// Screen position of the centre of a board tile while the hero stands still.
int TileScreenX(int column)
{
    return 320 + 64 * (column - 13);
}
int TileScreenY(int row)
{
    return 240 + 64 * (row - 19);
}

TEST_F(PlayingTest, EnteringStartsANewGameWithTheInGameMusic)
{
    logic->Score = 777;
    logic->GamePaused = 1;
    RunFrame();
    EXPECT_EQ(0u, logic->Score);
    EXPECT_EQ(1, logic->Level);
    EXPECT_EQ(2, logic->Lives);
    EXPECT_EQ(0, logic->GamePaused);
    EXPECT_EQ(27, game->FrameDelayMilliseconds);
    EXPECT_EQ(MUSIC_IN_GAME, audio->CurrentlySelectedMusicTrack);
    EXPECT_EQ(1, screens->ScreenBufferNeedsDisplay);
    EnterGame();
}

TEST_F(PlayingTest, TheViewScrollsWithTheHerosPixelOffset)
{
    EnterGame();
    // At rest: (14, 19) is open up to x = 416, (13, 18) open from y = 144.
    RunFrame();
    EXPECT_FALSE(IsWallAt(408, 240));
    EXPECT_TRUE(IsWallAt(424, 240));
    EXPECT_FALSE(IsWallAt(320, 152));

    // Half-way to the right, the board has moved 16 pixels to the left.
    logic->PlayerDirection = RIGHT;
    logic->PlayerOffsetX = 16;
    RunFrame();
    EXPECT_TRUE(IsWallAt(408, 240));
    EXPECT_FALSE(IsWallAt(392, 240));

    // Going up, it moves down.
    logic->PlayerTileX = 13;
    logic->PlayerOffsetX = 0;
    logic->PlayerDirection = UP;
    logic->PlayerOffsetY = -16;
    RunFrame();
    EXPECT_TRUE(IsWallAt(320, 152));
    EXPECT_FALSE(IsWallAt(320, 168));
}

TEST_F(PlayingTest, PowerPelletsBlinkBigSixteenFramesAndSmallFifteenAndOneFrameLessOnTheMap)
{
    EnterGame();
    const int pelletEdgeX = TileScreenX(POCKET_POWER_PELLET_X) + 8;  // inside the big picture only
    const int pelletY = TileScreenY(POCKET_POWER_PELLET_Y);
    const int mapX = 503 + 4 * POCKET_MAP_POWER_PELLET_X;
    const int mapY = 340 + 4 * POCKET_MAP_POWER_PELLET_Y;

    logic->PowerPelletFlashTimer = 0;
    std::string board;
    std::string map;
    for (int frame = 0; frame < 62; frame++)
    {
        RunFrame();
        board += IsPelletColourAt(pelletEdgeX, pelletY) ? 'B' : 's';
        map += IsPelletColourAt(mapX, mapY) ? 'o' : '.';
    }
    const std::string boardCycle = std::string(16, 'B') + std::string(15, 's');
    const std::string mapCycle = std::string(15, 'o') + std::string(16, '.');
    EXPECT_EQ(boardCycle + boardCycle, board);
    EXPECT_EQ(mapCycle + mapCycle, map);
    // The ordinary pellet keeps its small picture all the time.
    EXPECT_TRUE(IsPelletColourAt(TileScreenX(10), TileScreenY(19)));
    EXPECT_FALSE(IsPelletColourAt(TileScreenX(10) + 8, TileScreenY(19)));
}

TEST_F(PlayingTest, PauseStopsEverythingAndShowsOnlyTheTwoLines)
{
    EnterGame();
    SendGhostOntoHero();
    logic->GhostTileX[0] = 14;  // beside him, close enough to catch him at once if it moved
    logic->PowerPelletTimer = 300;
    logic->PlayerDirection = RIGHT;
    PressKey(SDLK_SPACE);
    RunFrame();
    ASSERT_EQ(1, logic->GamePaused);
    EXPECT_EQ(1, Mix_PausedMusic());

    const int8_t heroOffset = logic->PlayerOffsetX;
    const uint8_t ghostTile = logic->GhostTileX[0];
    const int8_t ghostOffset = logic->GhostOffsetX[0];
    const uint16_t scaredTime = logic->PowerPelletTimer;
    RunFrames(30);
    EXPECT_EQ(heroOffset, logic->PlayerOffsetX);
    EXPECT_EQ(ghostTile, logic->GhostTileX[0]);
    EXPECT_EQ(ghostOffset, logic->GhostOffsetX[0]);
    EXPECT_EQ(scaredTime, logic->PowerPelletTimer);
    EXPECT_EQ(0, logic->PlayerDeathTimer);
    // Black but for the two lines: the board, the frame and the panel are gone.
    EXPECT_TRUE(PixelIs(100, 120, 0, 0, 0));
    EXPECT_TRUE(PixelIs(408, 300, 0, 0, 0));
    EXPECT_TRUE(PixelIs(10, 240, 0, 0, 0));
    EXPECT_TRUE(PixelIs(40, 40, 0, 0, 0, 0));
    bool lettersSeen = false;
    for (int x = 200; x < 440 && !lettersSeen; x++) lettersSeen = ReadPixel(x, 232).red > 200;
    EXPECT_TRUE(lettersSeen);

    // The death animation stands still as well.
    logic->PlayerDeathTimer = 40;
    RunFrames(10);
    EXPECT_EQ(40, logic->PlayerDeathTimer);

    logic->PlayerDeathTimer = 0;
    PressKey(SDLK_SPACE);
    RunFrame();
    EXPECT_EQ(0, logic->GamePaused);
    EXPECT_EQ(0, Mix_PausedMusic());
    EXPECT_EQ(20, input->DelayAllUserInput);
}

TEST_F(PlayingTest, EscapeLeavesAPausedGameForTheTitle)
{
    EnterGame();
    PressKey(SDLK_SPACE);
    RunFrame();
    ASSERT_EQ(1, logic->GamePaused);
    RunFrames(25);  // past the input delay of the pause key
    PressKey(SDLK_ESCAPE);
    EXPECT_TRUE(RunFramesUntil([] { return screens->ScreenToDisplay != PLAYING_GAME_SCREEN; }, 20));
    EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
}

TEST_F(PlayingTest, ACaughtHeroLosesALifeWhenTheDeathAnimationEnds)
{
    EnterGame();
    SendGhostOntoHero();
    ASSERT_TRUE(RunFramesUntil([] { return logic->PlayerDeathTimer == 80; }, 5));

    RunFrames(78);
    EXPECT_EQ(2, logic->Lives);
    EXPECT_EQ(2, logic->PlayerDeathTimer);
    RunFrame();
    EXPECT_EQ(1, logic->Lives);
    EXPECT_EQ(0, logic->PlayerDeathTimer);
    EXPECT_EQ(13, logic->PlayerTileX);
    EXPECT_EQ(19, logic->PlayerTileY);
    EXPECT_EQ(13, logic->GhostTileX[0]);
    EXPECT_EQ(13, logic->GhostTileY[0]);
    EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus);
}

// Ghosts move against the hero's last place, contact is judged with their new
// places, and the hero moves last, once more also in the frame he is caught.
TEST_F(PlayingTest, EachFrameMovesTheGhostsThenMeetsThemThenMovesTheHero)
{
    EnterGame();
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++) logic->GhostActive[ghost] = 0;
    SendGhostOntoHero();
    logic->PlayerDirection = DOWN;  // into the wall: he stands
    logic->GhostTileX[0] = 14;
    logic->GhostOffsetX[0] = -34;  // 30 pixels away, 4 closer after its move
    logic->GhostSpeed[0] = 4;
    RunFrame();
    EXPECT_EQ(80, logic->PlayerDeathTimer) << "caught by the ghost's new place";

    logic->SetupForNewLife();
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++) logic->GhostActive[ghost] = 0;
    SendGhostOntoHero();
    logic->GhostOffsetX[0] = -26;  // touching him, 34 away after his step
    logic->GhostStopped[0] = 1;
    logic->PlayerDirection = RIGHT;
    RunFrame();
    EXPECT_EQ(80, logic->PlayerDeathTimer) << "caught before his step";
    EXPECT_EQ(8, logic->PlayerOffsetX) << "his step is still taken";
    RunFrame();
    EXPECT_EQ(8, logic->PlayerOffsetX);
    EXPECT_EQ(79, logic->PlayerDeathTimer);
}

TEST_F(PlayingTest, AClearedBoardAdvancesTheLevelAndTintsItsWalls)
{
    EnterGame();
    const int wallX = TileScreenX(13);
    const int wallY = TileScreenY(20) + 16;
    const Pixel untinted = ReadPixel(wallX, wallY);

    logic->PelletsLeftOnBoard = 0;  // the hero has eaten the last one
    screens->ScreenBufferNeedsDisplay = 0;
    RunFrame();
    EXPECT_EQ(2, logic->Level);
    EXPECT_EQ(24, game->FrameDelayMilliseconds);
    EXPECT_EQ(0, screens->ScreenBufferNeedsDisplay);  // that frame ends at once

    RunFrame();
    const Sprite& wall = visuals->Sprites[99];
    EXPECT_FLOAT_EQ(1.0f, wall.RedHue);
    EXPECT_FLOAT_EQ(0.8f, wall.GreenHue);
    EXPECT_FLOAT_EQ(0.8f, wall.BlueHue);
    // Level 2 keeps the wall's red and lowers its green and blue to 0.8 of level 1's.
    const Pixel tinted = ReadPixel(wallX, wallY);
    EXPECT_NEAR(untinted.red, tinted.red, 3);
    EXPECT_NEAR(untinted.green * 0.8, tinted.green, 3);
    EXPECT_NEAR(untinted.blue * 0.8, tinted.blue, 3);

    for (int level = 3; level <= 5; level++)
    {
        logic->PelletsLeftOnBoard = 0;
        RunFrames(2);
        EXPECT_EQ(level, logic->Level);
    }
    EXPECT_FLOAT_EQ(0.2f, visuals->Sprites[99].GreenHue);
    EXPECT_EQ(17, game->FrameDelayMilliseconds);
}

TEST_F(PlayingTest, ClearingTheFifthBoardWinsAndGoesToTheEndingScene)
{
    EnterGame();
    logic->Level = 5;
    logic->Score = 50000;
    logic->PelletsLeftOnBoard = 0;
    ASSERT_TRUE(RunFramesUntil([] { return screens->ScreenToDisplay != PLAYING_GAME_SCREEN; }, 20));
    EXPECT_EQ(ENDING_SCENE_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(6, logic->Level);
    EXPECT_EQ(16, game->FrameDelayMilliseconds);
    // The credits after the ending scene make the high-score check.
    EXPECT_EQ(10, data->PlayerRankOnGameOver);
    EXPECT_EQ(10000u, data->HighScoresScore[1][0]);
}

TEST_F(PlayingTest, EscapeKeepsAQualifyingScoreWithoutAName)
{
    EnterGame();
    logic->Score = 9500;
    logic->Level = 3;
    PressKey(SDLK_ESCAPE);
    ASSERT_TRUE(RunFramesUntil([] { return screens->ScreenToDisplay != PLAYING_GAME_SCREEN; }, 20));
    EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(1, data->PlayerRankOnGameOver);
    EXPECT_EQ(9500u, data->HighScoresScore[1][1]);
    EXPECT_STREQ("", data->HighScoresName[1][1]);
    EXPECT_EQ(16, game->FrameDelayMilliseconds);
}


class LostGame : public PlayingTest
{
protected:
    void LoseTheLastLife(uint32_t score)
    {
        EnterGame();
        logic->Lives = 0;
        logic->Score = score;
        SendGhostOntoHero();
        ASSERT_TRUE(RunFramesUntil([] { return screens->ScreenTransitionStatus == FADE_OUT; }, 100));
        ASSERT_TRUE(RunFramesUntil([] { return screens->ScreenToDisplay != PLAYING_GAME_SCREEN; }, 20));
    }
};

TEST_F(LostGame, AQualifyingScoreGoesToTheKeyboardNameEntry)
{
    logic->PlayerJoystick = 0;
    LoseTheLastLife(5500);
    EXPECT_EQ(NAME_INPUT_KEYBOARD_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(5, data->PlayerRankOnGameOver);
    EXPECT_EQ(5500u, data->HighScoresScore[1][5]);
    EXPECT_EQ(MUSIC_NEW_HIGH_SCORE, audio->CurrentlySelectedMusicTrack);
}

TEST_F(LostGame, AQualifyingScoreWonWithAJoystickGoesToTheJoystickNameEntry)
{
    logic->PlayerJoystick = 2;
    LoseTheLastLife(9500);  // below 10000, which would earn an extra life
    EXPECT_EQ(NAME_INPUT_JOYSTICK_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(1, data->PlayerRankOnGameOver);
}

TEST_F(LostGame, ALowScoreGoesToTheHighScoreTable)
{
    LoseTheLastLife(999);
    EXPECT_EQ(HIGH_SCORES_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(10, data->PlayerRankOnGameOver);
    EXPECT_EQ(MUSIC_TITLE, audio->CurrentlySelectedMusicTrack);
}

TEST_F(PlayingTest, AGhostOnAWallIsStoppedWithOneWarning)
{
    EnterGame();
    logic->GhostActive[3] = 1;
    logic->GhostTileX[3] = 0;
    logic->GhostTileY[3] = 0;
    RunFrames(3);
    EXPECT_EQ(1, logic->GhostStopped[3]);
    EXPECT_EQ(1, CountOccurrences(output->Text(), "[WARNING]: Ghost has moved to boundary Lego, ghost stopped!\n"));
}

TEST_F(PlayingTest, TheScaredTimeEndsEarlyOnceNoGhostIsScared)
{
    EnterGame();
    logic->PowerPelletTimer = 500;
    RunFrame();
    EXPECT_EQ(35, logic->PowerPelletTimer);
    RunFrames(40);
    EXPECT_EQ(0, logic->PowerPelletTimer);
}

}  // namespace
