#include "logic_fixture.h"

namespace {

// Every board has walls round the edge and one pellet more than the last.
class Setup : public LogicTest
{
protected:
    void SetUp() override
    {
        LogicTest::SetUp();
        ASSERT_TRUE(SaveBoardsOfRisingPellets());
    }

    // Which ghosts take part from which level, and their speeds, by ghost.
    static constexpr uint8_t FIRST_LEVEL[NUMBER_OF_GHOSTS] = {3, 1, 1, 5, 1, 1, 2, 4};
    static constexpr uint8_t SPEED[NUMBER_OF_GHOSTS] = {8, 4, 4, 4, 4, 4, 2, 2};

    void ExpectTheGhostsOfLevel(int level) const
    {
        for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
        {
            EXPECT_EQ(FIRST_LEVEL[ghost] <= level ? 1 : 0, logic->GhostActive[ghost])
                << "ghost " << ghost << " on level " << level;
            EXPECT_EQ(SPEED[ghost], logic->GhostSpeed[ghost]) << "ghost " << ghost;
        }
    }

    void ExpectEveryoneAtTheStart() const
    {
        EXPECT_EQ(13, logic->PlayerTileX);
        EXPECT_EQ(19, logic->PlayerTileY);
        EXPECT_EQ(0, logic->PlayerOffsetX);
        EXPECT_EQ(0, logic->PlayerOffsetY);
        EXPECT_EQ(DOWN, logic->PlayerDirection);
        EXPECT_EQ(0, logic->PlayerNextDirection);
        EXPECT_EQ(8, logic->PlayerSpeed);
        EXPECT_EQ(0, logic->PowerPelletTimer);
        EXPECT_EQ(0, logic->GhostsEatenSincePowerPellet);
        EXPECT_EQ(100, logic->PowerPelletFlashTimer);
        EXPECT_EQ(1, logic->GhostDrawingOrder);
        EXPECT_EQ(0, logic->GhostAnimationFrame);
        for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
        {
            EXPECT_EQ(13, logic->GhostTileX[ghost]);
            EXPECT_EQ(13, logic->GhostTileY[ghost]);
            EXPECT_EQ(0, logic->GhostOffsetX[ghost]);
            EXPECT_EQ(0, logic->GhostOffsetY[ghost]);
            EXPECT_EQ(UP, logic->GhostDirection[ghost]);
            EXPECT_EQ(GHOST_NORMAL, logic->GhostState[ghost]);
            EXPECT_EQ(0, logic->GhostChaseCount[ghost]);
            EXPECT_EQ(0, logic->GhostStopped[ghost]);
        }
        for (int copy = 0; copy < NUMBER_OF_SWELL_COPIES; copy++)
        {
            EXPECT_FLOAT_EQ(0.0f, logic->SwellTransparency[copy]);
            EXPECT_FLOAT_EQ(1.0f, logic->SwellScale[copy]);
        }
    }
};

TEST_F(Setup, ConstructedLogicStartsAtLevelOneInGameModeOne)
{
    EXPECT_EQ(1, logic->Level);
    EXPECT_EQ(1, logic->GameMode);
    EXPECT_EQ(0u, logic->Score);
    EXPECT_EQ(0, logic->Lives);
}

TEST_F(Setup, NewGameStartsLevelOneWithThreeLivesAndFourGhosts)
{
    OpenSound();
    logic->Score = 5000;
    logic->Level = 4;
    logic->ExtraLivesAwarded = 2;
    logic->PlayerDeathTimer = 7;
    logic->GhostState[3] = GHOST_EYES;
    logic->GhostActive[0] = 1;
    logic->SwellTransparency[1] = 0.4f;

    logic->SetupForNewGame();

    EXPECT_EQ(27, game->FrameDelayMilliseconds);
    EXPECT_EQ(0u, logic->Score);
    EXPECT_EQ(2, logic->Lives);
    EXPECT_EQ(1, logic->Level);
    EXPECT_EQ(0, logic->ExtraLivesAwarded);
    EXPECT_EQ(0, logic->PlayerDeathTimer);
    EXPECT_EQ(1, logic->PelletsLeftOnBoard);
    const uint16_t times[] = {600, 700, 800, 900, 1000, 1000};
    for (int level = 1; level <= 6; level++) EXPECT_EQ(times[level - 1], logic->PowerPelletTimeForLevel[level]);
    ExpectTheGhostsOfLevel(1);
    ExpectEveryoneAtTheStart();
    EXPECT_EQ(1, SoundsStarted(SFX_START));
}

TEST_F(Setup, EachClearedBoardSpeedsUpTheGameAndAddsAGhost)
{
    OpenSound();
    logic->SetupForNewGame();
    logic->Score = 4321;
    logic->Lives = 1;
    logic->ExtraLivesAwarded = 1;
    logic->PowerPelletTimer = 300;

    const int32_t delays[] = {24, 22, 20, 17};
    for (int level = 2; level <= 5; level++)
    {
        logic->SetupForNewBoard();
        EXPECT_EQ(level, logic->Level);
        EXPECT_EQ(delays[level - 2], game->FrameDelayMilliseconds) << "level " << level;
        ExpectTheGhostsOfLevel(level);
        EXPECT_EQ(level, logic->PelletsLeftOnBoard) << "level " << level;
        EXPECT_EQ(0, logic->PlayerDeathTimer);
        ExpectEveryoneAtTheStart();
    }
    EXPECT_EQ(4321u, logic->Score);
    EXPECT_EQ(1, logic->Lives);
    EXPECT_EQ(1, logic->ExtraLivesAwarded);
    EXPECT_EQ(MUSIC_STAGE_FIVE, audio->CurrentlySelectedMusicTrack);
    EXPECT_EQ(0, ChannelsPlaying(SFX_START));
    EXPECT_EQ(1, Mix_PlayingMusic());
}

TEST_F(Setup, ClearingTheFifthBoardEndsTheGameAndLevelSixStaysSix)
{
    logic->SetupForNewGame();
    logic->Level = 5;
    logic->Lives = 3;

    for (int again = 0; again < 2; again++)
    {
        logic->SetupForNewBoard();
        EXPECT_EQ(6, logic->Level);
        EXPECT_EQ(0, logic->Lives);
        EXPECT_EQ(2, logic->PlayerDeathTimer);
        EXPECT_EQ(17, game->FrameDelayMilliseconds);
        ExpectTheGhostsOfLevel(6);
        EXPECT_EQ(5, logic->PelletsLeftOnBoard);
    }
}

TEST_F(Setup, LevelZeroRestartsLevelOneKeepingTheFramePeriod)
{
    logic->SetupForNewGame();
    game->FrameDelayMilliseconds = 24;
    logic->Level = 0;
    logic->SetupForNewBoard();
    EXPECT_EQ(1, logic->Level);
    EXPECT_EQ(24, game->FrameDelayMilliseconds);
    ExpectTheGhostsOfLevel(1);
    EXPECT_EQ(1, logic->PelletsLeftOnBoard);
}

TEST_F(Setup, NewLifeKeepsTheBoardAndScoreAndOnlyAddsGhosts)
{
    logic->SetupForNewGame();
    logic->PelletMap[2][1] = 0;
    logic->PelletsLeftOnBoard = 0;
    logic->Score = 777;
    logic->Lives = 1;
    logic->PowerPelletTimer = 250;
    logic->GhostsEatenSincePowerPellet = 2;
    logic->PlayerDeathTimer = 1;
    logic->GhostState[1] = GHOST_SCARED;
    logic->GhostState[2] = GHOST_EYES;
    logic->GhostActive[7] = 1;
    logic->GhostChaseBlocked[4] = 1;
    logic->GhostChaseCount[4] = 30;
    logic->GhostStopped[5] = 1;
    game->FrameDelayMilliseconds = 22;

    logic->SetupForNewLife();

    EXPECT_EQ(0, logic->PelletMap[2][1]);
    EXPECT_EQ(0, logic->PelletsLeftOnBoard);
    EXPECT_EQ(777u, logic->Score);
    EXPECT_EQ(1, logic->Lives);
    EXPECT_EQ(1, logic->Level);
    EXPECT_EQ(22, game->FrameDelayMilliseconds);
    EXPECT_EQ(0, logic->PlayerDeathTimer);
    EXPECT_EQ(1, logic->GhostActive[7]);
    EXPECT_EQ(1, logic->GhostChaseBlocked[4]);
    ExpectEveryoneAtTheStart();
}

}  // namespace
