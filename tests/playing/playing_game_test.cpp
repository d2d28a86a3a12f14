#include <GL/gl.h>
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <string.h>

#include <algorithm>
#include <vector>

#include "audio/audio.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"
#include "playing_fixture.h"
#include "screens/screens.h"
#include "support/key_events.h"
#include "support/pictures.h"
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
    logic->PlayerSpeed = 0;  // he stands where he is put
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
    std::string ordinary;  // the ordinary pellet: shown, and never big
    for (int frame = 0; frame < 62; frame++)
    {
        RunFrame();
        board += IsPelletColourAt(pelletEdgeX, pelletY) ? 'B' : 's';
        map += IsPelletColourAt(mapX, mapY) ? 'o' : '.';
        const bool shown = IsPelletColourAt(TileScreenX(10), TileScreenY(19));
        ordinary += IsPelletColourAt(TileScreenX(10) + 8, TileScreenY(19)) ? 'B' : shown ? 's' : ' ';
    }
    const std::string boardCycle = std::string(16, 'B') + std::string(15, 's');
    const std::string mapCycle = std::string(15, 'o') + std::string(16, '.');
    EXPECT_EQ(boardCycle + boardCycle, board);
    EXPECT_EQ(mapCycle + mapCycle, map);
    EXPECT_EQ(std::string(62, 's'), ordinary);
}

TEST_F(PlayingTest, PauseStopsEverythingAndShowsOnlyTheTwoLines)
{
    EnterGame();
    SendGhostOntoHero();
    logic->GhostTileX[0] = 14;  // beside him, close enough to catch him at once if it moved
    logic->PowerPelletTimer = 300;
    logic->PlayerDirection = RIGHT;
    RunFrameWith(KeyPressed('_'));
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
    RunFrameWith(KeyPressed('_'));
    EXPECT_EQ(0, logic->GamePaused);
    EXPECT_EQ(0, Mix_PausedMusic());
    EXPECT_EQ(20, input->DelayAllUserInput);
}

// A player who looks away (the window without the focus for a while: tests/
// input) finds the game paused, without a click, whatever else the frame
// held; the pause lock holds against it. A loss in the frame that clears the
// board pauses the next board at once; one that began before the game
// pauses it if the player is still away, and none pauses a game's fade-out.
TEST_F(PlayingTest, ALastingFocusLossPausesTheGameSilently)
{
    const struct
    {
        const char* name;
        char key;
        bool pausedBefore, locked, pausedAfter;
    } cases[] = {{"a loss", 0, false, false, true},
                 {"a loss and Space in one frame", '_', false, false, true},
                 {"a loss and Space in one frame, paused", '_', true, false, true},
                 {"a loss under the pause lock", 0, false, true, false}};
    EnterGame();
    for (const auto& loss : cases)
    {
        SCOPED_TRACE(loss.name);
        logic->GamePaused = loss.pausedBefore;
        logic->PauseLocked = loss.locked;
        loss.pausedBefore ? Mix_PauseMusic() : Mix_ResumeMusic();
        Mix_HaltChannel(-1);
        FrameInput frame = FocusNews(FOCUS_LOST);
        frame.Key = loss.key;
        RunFrameWith(frame);
        EXPECT_EQ(loss.pausedAfter, logic->GamePaused);
        EXPECT_EQ(loss.pausedAfter, Mix_PausedMusic());
        EXPECT_EQ(loss.key != 0 && !loss.locked, Mix_Playing(-1) > 0);  // Space clicks, a loss does not
        EXPECT_EQ(0, input->WindowLostFocus);
    }

    const int level = logic->Level;
    logic->PauseLocked = 0;
    logic->PelletsLeftOnBoard = 0;
    RunFrameWith(FocusNews(FOCUS_LOST));
    EXPECT_EQ(level + 1, logic->Level);
    EXPECT_EQ(0, logic->GamePaused);
    RunFrame();
    EXPECT_EQ(1, logic->GamePaused);

    // Before a new game: a loss that lasts into it, and one the player came back from.
    for (const uint8_t back : {FOCUS_UNCHANGED, FOCUS_BACK})
    {
        TakeInput(FocusNews(FOCUS_LOST));
        TakeInput(FocusNews(back));
        EnterScreen(PLAYING_GAME_SCREEN);
        RunFrame();
        EXPECT_EQ(back == 0, logic->GamePaused) << (int)back;
    }

    SCOPED_TRACE("a loss in the frame the last life ends");
    EnterScreen(PLAYING_GAME_SCREEN);
    RunFrame();
    logic->Lives = 0;
    logic->PlayerDeathTimer = 2;
    RunFrameWith(FocusNews(FOCUS_LOST));
    ASSERT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
    EXPECT_GT(RunUntilScreenChanges(40), 0);
    EXPECT_EQ(0, logic->GamePaused);
}

TEST_F(PlayingTest, EscapeLeavesAPausedGameForTheTitle)
{
    EnterGame();
    RunFrameWith(KeyPressed('_'));
    ASSERT_EQ(1, logic->GamePaused);
    RunFrameWith(EscapePressed());
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
    const Sprite& wall = visuals->Sprites[SPRITE_WALL];
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
    EXPECT_FLOAT_EQ(0.2f, visuals->Sprites[SPRITE_WALL].GreenHue);
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
    RunFrameWith(EscapePressed());
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

// The picture of play drawn both ways, on the game's own boards and
// pictures: each sprite as one whole blended quad, as it was first drawn,
// and as the pieces of its picture that can show, opaque ones unblended,
// with the static only between the walls. Not a pixel may differ: the
// pieces draw the whole quad with its own texture coordinates, cut by the
// scissor, so not even the filtering at their seams can.
class PictureOfPlay : public PlayingTest
{
protected:
    PictureOfPlay() { pocketBoards = false; }

    struct Moment
    {
        std::string name;
        Logic logic;
        Screens screens;
        std::vector<Sprite> sprites;
    };

    void Remember(const std::string& name)
    {
        moments.push_back(Moment{name, *logic, *screens,
                                 std::vector<Sprite>(visuals->Sprites, visuals->Sprites + NUMBER_OF_SPRITES)});
    }

    // The textures are the window's own: a resize made new ones.
    void Restore(const Moment& moment)
    {
        *logic = moment.logic;
        *screens = moment.screens;
        for (int index = 0; index < NUMBER_OF_SPRITES; index++)
        {
            const GLuint texture = visuals->Sprites[index].Texture;
            visuals->Sprites[index] = moment.sprites[index];
            visuals->Sprites[index].Texture = texture;
        }
        logic->SeedRandomGenerator(1);
    }

    void DrawFrame()
    {
        screens->RunCurrentScreen();
        screens->ApplyScreenFadeTransition();
        visuals->DrawFrame();
    }

    double DrawFrameCountingPixels()
    {
        return PixelsFilledBy([this] { DrawFrame(); });
    }

    // The hero runs on, turning right where he is stopped and now and then
    // anyway; spare lives keep the game going.
    void Play(int frames)
    {
        static const uint8_t TURN_RIGHT[8] = {RIGHT, RIGHT, RIGHT, DOWN, DOWN, LEFT, LEFT, UP};
        for (int frame = 0; frame < frames; frame++)
        {
            const int place = logic->PlayerTileX * 64 + logic->PlayerOffsetX + 10000 * (logic->PlayerTileY * 64 + logic->PlayerOffsetY);
            TakeInput(Held(INPUT_KEYBOARD, direction));
            logic->Lives = 3;
            DrawFrame();
            const int now = logic->PlayerTileX * 64 + logic->PlayerOffsetX + 10000 * (logic->PlayerTileY * 64 + logic->PlayerOffsetY);
            if (now == place || frame % 37 == 36) direction = TURN_RIGHT[direction];
        }
    }

    // Puts the hero on the open tile nearest a corner of the board, so that
    // the view reaches past its edge.
    void MoveHeroNear(int cornerX, int cornerY)
    {
        int best = 1 << 30;
        for (int x = 0; x < BOARD_SIZE; x++)
        {
            for (int y = 0; y < BOARD_SIZE; y++)
            {
                const int distance = abs(x - cornerX) + abs(y - cornerY);
                if (logic->BoundaryLegoMap[x][y] == 1 || distance >= best) continue;
                best = distance;
                logic->PlayerTileX = x;
                logic->PlayerTileY = y;
            }
        }
        logic->PlayerOffsetX = logic->PlayerOffsetY = 0;
    }

    // Every ghost on an open tile of the view, spread over them, none on
    // the hero's tile or beside it.
    void BringGhostsIntoView()
    {
        std::vector<std::pair<int, int>> open;
        for (int row = -5; row <= 5; row++)
        {
            for (int column = -6; column <= 6; column++)
            {
                const int x = logic->PlayerTileX + column;
                const int y = logic->PlayerTileY + row;
                if (abs(row) + abs(column) >= 2 && x >= 0 && y >= 0 && x < BOARD_SIZE && y < BOARD_SIZE &&
                    logic->BoundaryLegoMap[x][y] != 1)
                    open.push_back({x, y});
            }
        }
        for (int ghost = 0; ghost < NUMBER_OF_GHOSTS && !open.empty(); ghost++)
        {
            const std::pair<int, int>& tile = open[(2 * ghost + 1) * open.size() / (2 * NUMBER_OF_GHOSTS)];
            logic->GhostActive[ghost] = 1;
            logic->GhostTileX[ghost] = tile.first;
            logic->GhostTileY[ghost] = tile.second;
            logic->GhostOffsetX[ghost] = logic->GhostOffsetY[ghost] = 0;
            logic->GhostDirection[ghost] = UP + 2 * (ghost % 4);
        }
    }

    void RememberMomentsOfPlay()
    {
        EnterGame();
        for (int level = 1; level <= 5; level++)
        {
            if (level > 1)
            {
                logic->Level = level - 1;
                logic->SetupForNewBoard();
            }
            Play(120);
            Remember("board " + std::to_string(level) + ", the hero running");
            Play(50);
            BringGhostsIntoView();
            Remember("board " + std::to_string(level) + ", the ghosts around the hero");
            Play(9);
            Remember("board " + std::to_string(level) + ", the ghosts on their way");
        }
        BringGhostsIntoView();
        for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++) logic->GhostState[ghost] = GHOST_SCARED;
        logic->PowerPelletTimer = 300;
        Play(2);
        Remember("scared ghosts");
        logic->PowerPelletTimer = 45;
        Play(1);
        Remember("scared ghosts flashing");
        logic->GhostState[0] = logic->GhostState[3] = GHOST_EYES;
        Remember("eyes going home");
        logic->ClearPowerPelletEatenAnimation();
        logic->StartSwell(1, 1.0f);
        Play(1);
        Remember("the power-pellet swell beginning");
        Play(14);
        Remember("the power-pellet swell grown");
        for (int16_t timer : {75, 45, 12})
        {
            logic->PlayerDeathTimer = timer;
            Remember("a death, " + std::to_string(timer) + " frames left");
        }
        logic->PlayerDeathTimer = 0;
        logic->GamePaused = 1;
        Remember("the pause");
        logic->GamePaused = 0;
        screens->ScreenTransitionStatus = FADE_IN;
        screens->ScreenFadeTransparency = 0.6f;
        Remember("fading in");
        screens->ScreenTransitionStatus = FADE_NONE;
        MoveHeroNear(0, 0);
        Remember("near the top left corner");
        MoveHeroNear(BOARD_SIZE - 1, BOARD_SIZE - 1);
        logic->PlayerDirection = LEFT;
        logic->PlayerOffsetX = -24;
        Remember("near the bottom right corner, between tiles");
        // Frames that end before the television frame is drawn.
        logic->Lives = 0;
        logic->PlayerDeathTimer = 2;
        Remember("the last life running out");
        logic->PlayerDeathTimer = 1;
        logic->GamePaused = 1;
        Remember("the last life running out while paused");
        logic->PlayerDeathTimer = logic->GamePaused = 0;
        logic->PelletsLeftOnBoard = 0;
        Remember("the last board cleared");
    }

    // Each moment drawn both ways over a black buffer, in each window size:
    // not a pixel may differ, and the pieces fill no more than the whole
    // quads. Each cut that the pictures allow saves fill: with the sprite
    // its condition reads (the television, the walls) not quite opaque, the
    // pieces fill more.
    void ExpectEveryMomentAlikeIn(const std::vector<std::pair<int, int>>& sizes, const std::vector<int>& cutsBy)
    {
        for (const std::pair<int, int>& size : sizes)
        {
            if (size.first != visuals->WindowWidth || size.second != visuals->WindowHeight)
            {
                ASSERT_TRUE(visuals->ResizeWindow(size.first, size.second)) << output->Text();
                visuals->DisplayScreenBufferOntoDisplay();  // the driver takes the new size at a present
            }
            double filled[2] = {0.0, 0.0};
            std::vector<double> filledWithout(cutsBy.size(), 0.0);
            for (const Moment& moment : moments)
            {
                SCOPED_TRACE(moment.name + " in a window of " + std::to_string(size.first) + " x " +
                             std::to_string(size.second));
                std::vector<uint8_t> pictures[2];
                for (bool inPieces : {false, true})
                {
                    Restore(moment);
                    visuals->DrawOnlyVisibleParts = inPieces;
                    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
                    filled[inPieces] += DrawFrameCountingPixels();
                    pictures[inPieces] = ReadWindow();
                }
                const PictureDifference difference = Compare(pictures[0], pictures[1], 0);
                EXPECT_EQ(0, difference.pixels) << "largest " << difference.largest << ", first at "
                                                << difference.firstX << ", " << difference.firstY;
                for (size_t cut = 0; cut < cutsBy.size(); cut++)
                {
                    Restore(moment);
                    visuals->Sprites[cutsBy[cut]].Transparency = 0.999f;
                    filledWithout[cut] += DrawFrameCountingPixels();
                }
            }
            const std::string window = " in a window of " + std::to_string(size.first) + " x " + std::to_string(size.second);
            EXPECT_LE(filled[true], filled[false]) << "pixels filled" << window;
            for (size_t cut = 0; cut < cutsBy.size(); cut++)
                EXPECT_LT(filled[true], filledWithout[cut]) << "sprite " << cutsBy[cut] << " not quite opaque" << window;
        }
    }

    static void WriteOtherPicture(const char* file, int width, int height, uint32_t (*pixel)(int x, int y))
    {
        std::vector<uint32_t> pixels(width * height);
        for (int y = 0; y < height; y++)
        {
            for (int x = 0; x < width; x++) pixels[y * width + x] = pixel(x, y);
        }
        ASSERT_TRUE(WriteTranslucentPicture(file, width, height, pixels.data()));
    }

    // The game's own pictures but four, each written in their place.
    void UseOtherPictures()
    {
        const char* const replaced[] = {"data/graphics/BoundaryLEGO.png", "data/graphics/TV.png",
                                        "data/graphics/TV_Static.png", "data/graphics/Pellet.png"};
        WriteOtherPicture(replaced[0], 64, 64, [](int x, int y) -> uint32_t {
            const bool corner = (x < 6 || x > 57) && (y < 6 || y > 57);
            return (corner ? 0x40u : 0xFFu) << 24 | (x * 4) << 16 | (y * 4) << 8 | 0x80;
        });
        WriteOtherPicture(replaced[1], 1024, 512, [](int x, int y) -> uint32_t {
            const bool hole = x > 300 && x < 560 && y > 120 && y < 300;  // the screen shows 250..650 x 75..375
            const bool stripe = y >= 330 && y < 340;
            return (hole ? 0x00u : stripe ? 0x80u : 0xFFu) << 24 | (x / 4) << 16 | (y / 2) << 8 | 0x30;
        });
        WriteOtherPicture(replaced[2], 1024, 512, [](int x, int y) -> uint32_t {
            const uint32_t noise = (uint32_t)(x * 7919 + y * 104729) * 2654435761u >> 24;
            return 0xFFu << 24 | noise * 0x010101;
        });
        WriteOtherPicture(replaced[3], 64, 64, [](int x, int y) -> uint32_t {
            const bool dot = abs(x - 32) < 6 && abs(y - 32) < 6;
            const bool edge = x == 0 && y > 20 && y < 44;
            return (dot || edge ? 0xFFu : 0x00u) << 24 | 0xFFC080;
        });
        visuals->UnloadSpritesFromMemory();
        ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize()) << output->Text();
    }

    std::vector<Moment> moments;
    uint8_t direction = RIGHT;
};

// Opaque walls keep the static from under them and the television limits
// what is drawn before it. While paused nothing under the pause picture is
// drawn: an empty board fills as much.
TEST_F(PictureOfPlay, EveryMomentLooksTheSameDrawnWholeOrInPieces)
{
    RememberMomentsOfPlay();
    ExpectEveryMomentAlikeIn({{640, 480}, {1280, 720}, {997, 601}}, {SPRITE_TV_FRAME, SPRITE_WALL});

    const Moment& pause = *std::find_if(moments.begin(), moments.end(), [](const Moment& moment) { return moment.name == "the pause"; });
    double filled[2] = {0.0, 0.0};
    for (bool emptied : {false, true})
    {
        Restore(pause);
        if (emptied)
        {
            memset(logic->BoundaryLegoMap, 0, sizeof(logic->BoundaryLegoMap));
            memset(logic->PelletMap, 0, sizeof(logic->PelletMap));
            memset(logic->GhostActive, 0, sizeof(logic->GhostActive));
        }
        filled[emptied] = DrawFrameCountingPixels();
    }
    EXPECT_EQ(filled[false], filled[true]);
}

// Other pictures cut otherwise: walls with see-through corners (the static
// must show under them), a television whose hole lies elsewhere and whose
// frame is see-through in a stripe, another static, pellets that wrap
// round their edges.
TEST_F(PictureOfPlay, OtherPicturesLookTheSameDrawnWholeOrInPieces)
{
    UseOtherPictures();
    RememberMomentsOfPlay();
    ExpectEveryMomentAlikeIn({{640, 480}, {997, 601}}, {SPRITE_TV_FRAME});
}

}  // namespace
