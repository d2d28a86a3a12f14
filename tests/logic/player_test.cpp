#include "logic_fixture.h"

namespace {

using Player = LogicTest;

// A board of solid wall with a vertical corridor in column 13 from row 10
// to row 19 and a side corridor leaving it to the left on row 16.
Picture JunctionBoard()
{
    Picture board = SolidBoard();
    for (int row = 10; row <= 19; row++) board[row][13] = ' ';
    for (int column = 5; column < 13; column++) board[16][column] = ' ';
    return board;
}

TEST_F(Player, NeedsNineFramesPerTile)
{
    UseBoard(WalledBoard());
    PlacePlayer(13, 19, RIGHT);

    const int offsets[] = {8, 16, 24, 32, 40, 48, 56, 64, 0};
    for (int round = 0; round < 2; round++)
        for (int frame = 0; frame < 9; frame++)
        {
            Steer(CENTER);
            ASSERT_EQ(offsets[frame], logic->PlayerOffsetX) << "frame " << frame;
            ASSERT_EQ(frame < 8 ? 13 + round : 14 + round, logic->PlayerTileX) << "frame " << frame;
        }
    EXPECT_EQ(0, logic->PlayerOffsetY);
    EXPECT_EQ(19, logic->PlayerTileY);
}

TEST_F(Player, StandsStillFacingAWall)
{
    UseBoard(WalledBoard());
    PlacePlayer(1, 1, LEFT);
    for (int frame = 0; frame < 3; frame++) Steer(CENTER);
    EXPECT_EQ(1, logic->PlayerTileX);
    EXPECT_EQ(0, logic->PlayerOffsetX);
    EXPECT_EQ(LEFT, logic->PlayerDirection);
}

TEST_F(Player, QueuedTurnIsTakenAtTheFirstOpenCentreAndCostsAFrame)
{
    UseBoard(JunctionBoard());
    PlacePlayer(13, 19, DOWN);

    Steer(UP);
    EXPECT_EQ(UP, logic->PlayerDirection);
    EXPECT_EQ(-8, logic->PlayerOffsetY);
    Steer(LEFT);
    EXPECT_EQ(LEFT, logic->PlayerNextDirection);
    EXPECT_EQ(UP, logic->PlayerDirection);

    // Past row 18 and row 17, whose left neighbours are wall.
    for (int frame = 3; frame <= 27; frame++) Steer(CENTER);
    EXPECT_EQ(16, logic->PlayerTileY);
    EXPECT_EQ(0, logic->PlayerOffsetY);
    EXPECT_EQ(UP, logic->PlayerDirection);

    Steer(CENTER);
    EXPECT_EQ(LEFT, logic->PlayerDirection);
    EXPECT_EQ(0, logic->PlayerNextDirection);
    EXPECT_EQ(0, logic->PlayerOffsetX);
    EXPECT_EQ(0, logic->PlayerOffsetY);

    Steer(CENTER);
    EXPECT_EQ(-8, logic->PlayerOffsetX);
    EXPECT_EQ(13, logic->PlayerTileX);
}

TEST_F(Player, QueuedTurnSurvivesAReversal)
{
    UseBoard(JunctionBoard());
    PlacePlayer(13, 18, UP);
    Steer(CENTER);
    Steer(LEFT);
    Steer(DOWN);
    EXPECT_EQ(DOWN, logic->PlayerDirection);
    EXPECT_EQ(-8, logic->PlayerOffsetY);
    EXPECT_EQ(LEFT, logic->PlayerNextDirection);
    Steer(UP);
    for (int frame = 0; frame < 40 && logic->PlayerDirection == UP; frame++) Steer(CENTER);
    EXPECT_EQ(LEFT, logic->PlayerDirection);
    EXPECT_EQ(16, logic->PlayerTileY);
}

TEST_F(Player, ReversesAtOnceBetweenCentres)
{
    UseBoard(WalledBoard());
    PlacePlayer(13, 19, UP);
    Steer(CENTER);
    Steer(CENTER);
    EXPECT_EQ(-16, logic->PlayerOffsetY);
    Steer(DOWN);
    EXPECT_EQ(DOWN, logic->PlayerDirection);
    EXPECT_EQ(-8, logic->PlayerOffsetY);
    Steer(CENTER);
    EXPECT_EQ(0, logic->PlayerOffsetY);
    EXPECT_EQ(19, logic->PlayerTileY);
}

TEST_F(Player, DirectionRefusedAtACentreIsForgotten)
{
    UseBoard(JunctionBoard());
    PlacePlayer(13, 19, UP);
    Steer(LEFT);
    EXPECT_EQ(UP, logic->PlayerDirection);
    EXPECT_EQ(0, logic->PlayerNextDirection);
    EXPECT_EQ(-8, logic->PlayerOffsetY);

    for (int frame = 0; frame < 40; frame++) Steer(CENTER);
    EXPECT_EQ(UP, logic->PlayerDirection);
    EXPECT_LT(logic->PlayerTileY, 16);
}

TEST_F(Player, EatsThePelletAheadExactlyHalfWayInEveryDirection)
{
    const uint8_t directions[] = {UP, RIGHT, DOWN, LEFT};
    const int deltaX[] = {0, 1, 0, -1};
    const int deltaY[] = {-1, 0, 1, 0};
    for (int i = 0; i < 4; i++)
    {
        Picture board = WalledBoard();
        board[10 + deltaY[i]][10 + deltaX[i]] = '.';
        board[5][5] = '.';
        UseBoard(board);
        logic->Level = 3;
        logic->Score = 0;
        PlacePlayer(10, 10, directions[i]);

        for (int frame = 0; frame < 3; frame++) Steer(CENTER);
        EXPECT_EQ(0u, logic->Score) << "direction " << (int)directions[i];
        EXPECT_EQ(2, logic->PelletsLeftOnBoard);
        Steer(CENTER);
        EXPECT_EQ(30u, logic->Score) << "direction " << (int)directions[i];
        EXPECT_EQ(0, logic->PelletMap[10 + deltaX[i]][10 + deltaY[i]]);
        EXPECT_EQ(1, logic->PelletsLeftOnBoard);
        for (int frame = 0; frame < 9; frame++) Steer(CENTER);
        EXPECT_EQ(30u, logic->Score);
    }
}

TEST_F(Player, PowerPelletScaresTheGhostsAndStartsTheSwell)
{
    OpenSound();
    Picture board = WalledBoard();
    board[10][11] = 'o';
    UseBoard(board);
    logic->Level = 2;
    for (int level = 1; level < NUMBER_OF_LEVELS; level++) logic->PowerPelletTimeForLevel[level] = 100 * level;
    logic->GhostsEatenSincePowerPellet = 5;
    logic->GhostState[0] = GHOST_EYES;
    logic->GhostState[3] = GHOST_SCARED;
    logic->SwellTransparency[0] = 0.5f;
    PlacePlayer(10, 10, RIGHT);

    for (int frame = 0; frame < 4; frame++) Steer(CENTER);

    EXPECT_EQ(200u, logic->Score);
    EXPECT_EQ(200, logic->PowerPelletTimer);
    EXPECT_EQ(0, logic->GhostsEatenSincePowerPellet);
    EXPECT_EQ(GHOST_EYES, logic->GhostState[0]);
    for (int ghost = 1; ghost < NUMBER_OF_GHOSTS; ghost++) EXPECT_EQ(GHOST_SCARED, logic->GhostState[ghost]);
    EXPECT_EQ(0, logic->PelletsLeftOnBoard);
    EXPECT_FLOAT_EQ(0.0f, logic->SwellTransparency[0]);
    EXPECT_FLOAT_EQ(1.0f, logic->SwellTransparency[1]);
    EXPECT_EQ(1, SoundsStarted(SFX_GHOSTS_SCARED));
    EXPECT_EQ(1, ChannelsPlaying(SFX_GHOSTS_SCARED));
    EXPECT_EQ(1, SoundsStarted(SFX_EAT_PELLET));
}

// The copy that swells is the hero's picture for the way he ate it; a copy
// of another way still fading stops at once.
TEST_F(Player, EachWayOfEatingAPowerPelletSwellsItsOwnCopyOfTheHero)
{
    const uint8_t directions[] = {UP, RIGHT, DOWN, LEFT};
    for (int i = 0; i < 4; i++)
    {
        Picture board = WalledBoard();
        board[10 + DIRECTION_DELTA_Y[directions[i]]][10 + DIRECTION_DELTA_X[directions[i]]] = 'o';
        UseBoard(board);
        for (int copy = 0; copy < NUMBER_OF_SWELL_COPIES; copy++)
        {
            logic->SwellTransparency[copy] = 0.5f;
            logic->SwellScale[copy] = 3.0f;
        }
        PlacePlayer(10, 10, directions[i]);

        for (int frame = 0; frame < 4; frame++) Steer(CENTER);

        for (int copy = 0; copy < NUMBER_OF_SWELL_COPIES; copy++)
        {
            EXPECT_FLOAT_EQ(copy == i ? 1.0f : 0.0f, logic->SwellTransparency[copy])
                << "direction " << (int)directions[i] << ", copy " << copy;
            EXPECT_FLOAT_EQ(1.0f, logic->SwellScale[copy]);
        }
    }
}

TEST_F(Player, SecondPowerPelletRestartsScaredTimeAndGhostScoreButNotTheSound)
{
    OpenSound();
    Picture board = WalledBoard();
    board[10][11] = 'o';
    board[10][12] = 'o';
    UseBoard(board);
    logic->Level = 1;
    logic->PowerPelletTimeForLevel[1] = 600;
    PlacePlayer(10, 10, RIGHT);
    for (int frame = 0; frame < 4; frame++) Steer(CENTER);
    ASSERT_EQ(600, logic->PowerPelletTimer);

    logic->PowerPelletTimer = 123;
    logic->GhostsEatenSincePowerPellet = 3;
    logic->GhostState[2] = GHOST_EYES;
    for (int frame = 0; frame < 9; frame++) Steer(CENTER);

    EXPECT_EQ(200u, logic->Score);
    EXPECT_EQ(600, logic->PowerPelletTimer);
    EXPECT_EQ(0, logic->GhostsEatenSincePowerPellet);
    EXPECT_EQ(GHOST_EYES, logic->GhostState[2]);
    EXPECT_EQ(1, SoundsStarted(SFX_GHOSTS_SCARED));
    EXPECT_EQ(1, ChannelsPlaying(SFX_GHOSTS_SCARED));
}

// Each threshold from both sides; points from outside (an eaten ghost) count
// at the next call, and one big score still gives one life per call.
TEST_F(Player, ExtraLivesAboveNineThousandNineHundredNinetyNineAndFromAHundredThousand)
{
    OpenSound();
    Picture board = WalledBoard();
    board[10][11] = '.';
    UseBoard(board);
    logic->Level = 1;
    logic->Lives = 2;
    PlacePlayer(10, 10, RIGHT);

    logic->Score = 9999;
    Steer(CENTER);
    EXPECT_EQ(2, logic->Lives);
    logic->Score = 9990;
    Steer(CENTER);
    Steer(CENTER);
    EXPECT_EQ(2, logic->Lives);
    Steer(CENTER);
    EXPECT_EQ(10000u, logic->Score);
    EXPECT_EQ(3, logic->Lives);
    EXPECT_EQ(1, logic->ExtraLivesAwarded);
    EXPECT_EQ(1, SoundsStarted(SFX_ONE_UP));

    logic->Score = 99999;
    Steer(CENTER);
    EXPECT_EQ(3, logic->Lives);
    logic->Score = 100000;
    Steer(CENTER);
    EXPECT_EQ(4, logic->Lives);
    EXPECT_EQ(2, logic->ExtraLivesAwarded);
    EXPECT_EQ(2, SoundsStarted(SFX_ONE_UP));
    logic->Score = 250000;
    for (int frame = 0; frame < 5; frame++) Steer(CENTER);
    EXPECT_EQ(4, logic->Lives);

    logic->ExtraLivesAwarded = 0;
    logic->Lives = 0;
    logic->Score = 150000;
    Steer(CENTER);
    EXPECT_EQ(1, logic->Lives);
    Steer(CENTER);
    EXPECT_EQ(2, logic->Lives);
}

}  // namespace
