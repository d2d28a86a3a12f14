#include "logic_fixture.h"

namespace {

using Ghosts = LogicTest;

// Solid wall but for row 5 from column 1 to column 10: a dead end at each side.
Picture CorridorBoard()
{
    Picture board = SolidBoard();
    for (int column = 1; column <= 10; column++) board[5][column] = ' ';
    return board;
}

TEST_F(Ghosts, TakeSeventeenFramesPerTileAtSpeedFourAndNineAtEight)
{
    UseBoard(CorridorBoard());
    PlacePlayer(20, 20, DOWN);
    PlaceGhost(1, 2, 5, RIGHT, GHOST_NORMAL, 4);
    PlaceGhost(0, 1, 5, RIGHT, GHOST_NORMAL, 8);

    for (int frame = 1; frame <= 16; frame++)
    {
        logic->ProcessGhosts();
        ASSERT_EQ(4 * frame, logic->GhostOffsetX[1]);
    }
    logic->ProcessGhosts();
    EXPECT_EQ(0, logic->GhostOffsetX[1]);
    EXPECT_EQ(3, logic->GhostTileX[1]);
    logic->ProcessGhosts();
    EXPECT_EQ(4, logic->GhostOffsetX[1]);
    EXPECT_EQ(RIGHT, logic->GhostDirection[1]);

    // The fast ghost has crossed two tiles in 18 frames.
    EXPECT_EQ(3, logic->GhostTileX[0]);
    EXPECT_EQ(0, logic->GhostOffsetX[0]);
    EXPECT_EQ(0, logic->GhostOffsetY[0]);
}

TEST_F(Ghosts, TurnTowardTheHeroAlongACorridorEvenInReverse)
{
    OpenSound();
    UseBoard(CorridorBoard());
    PlacePlayer(2, 5, DOWN);
    PlaceGhost(1, 9, 5, RIGHT);

    logic->ProcessGhosts();

    EXPECT_EQ(LEFT, logic->GhostDirection[1]);
    EXPECT_EQ(-4, logic->GhostOffsetX[1]);
    EXPECT_EQ(1, logic->GhostChaseCount[1]);
    EXPECT_EQ(1, SoundsStarted(SFX_SCREECH));
}

// Facing away from the hero in the corridor, only a chase would turn back.
TEST_F(Ghosts, ScaredGhostsAndEyesIgnoreTheHeroInPlainSight)
{
    OpenSound();
    Picture routes = NoRoutes();
    routes[5][5] = 'R';
    UseBoard(CorridorBoard(), routes);
    PlacePlayer(2, 5, DOWN);
    for (const uint8_t state : {GHOST_SCARED, GHOST_EYES})
    {
        for (unsigned seed = 1; seed <= 10; seed++)
        {
            logic->SeedRandomGenerator(seed);
            PlaceGhost(1, 5, 5, RIGHT, state);
            logic->ProcessGhosts();
            EXPECT_EQ(RIGHT, logic->GhostDirection[1]) << "state " << (int)state << ", seed " << seed;
        }
    }
    EXPECT_EQ(0, logic->GhostChaseCount[1]);
    EXPECT_EQ(0, SoundsStarted(SFX_SCREECH));
}

TEST_F(Ghosts, AWallHidesTheHero)
{
    Picture board = CorridorBoard();
    board[5][5] = '#';
    UseBoard(board);
    PlacePlayer(2, 5, DOWN);
    PlaceGhost(1, 8, 5, LEFT);

    logic->ProcessGhosts();

    EXPECT_EQ(LEFT, logic->GhostDirection[1]);  // the only way but back
    EXPECT_EQ(0, logic->GhostChaseCount[1]);
}

TEST_F(Ghosts, OnTheHerosOwnTileAllFourScansSightHimAndTheGhostEndsFacingRight)
{
    OpenSound();
    UseBoard(WalledBoard());
    PlacePlayer(10, 10, DOWN);
    PlaceGhost(1, 10, 10, UP);

    logic->ProcessGhosts();

    EXPECT_EQ(RIGHT, logic->GhostDirection[1]);
    EXPECT_EQ(0, logic->GhostOffsetX[1]);
    EXPECT_EQ(0, logic->GhostOffsetY[1]);
    EXPECT_EQ(4, logic->GhostChaseCount[1]);
    EXPECT_EQ(4, SoundsStarted(SFX_SCREECH));
}

// The hero stands behind the ghost in the corridor; every decision starts
// afresh at the centre facing away from him.
TEST_F(Ghosts, SeventySixthSightingStillTurnsThenSeventyFiveDecisionsIgnoreTheHero)
{
    UseBoard(CorridorBoard());
    PlacePlayer(2, 5, DOWN);
    auto decide = [this] {
        PlaceGhost(1, 5, 5, RIGHT);
        logic->ProcessGhosts();
        return logic->GhostDirection[1];
    };

    for (int sighting = 1; sighting <= 75; sighting++)
    {
        ASSERT_EQ(LEFT, decide());
        ASSERT_EQ(sighting, logic->GhostChaseCount[1]);
        ASSERT_EQ(0, logic->GhostChaseBlocked[1]);
    }
    EXPECT_EQ(LEFT, decide());
    EXPECT_EQ(75, logic->GhostChaseCount[1]);
    EXPECT_EQ(1, logic->GhostChaseBlocked[1]);

    for (int decision = 1; decision <= 75; decision++)
    {
        ASSERT_EQ(RIGHT, decide()) << "decision " << decision;
        ASSERT_EQ(75 - decision, logic->GhostChaseCount[1]);
        ASSERT_EQ(decision < 75 ? 1 : 0, logic->GhostChaseBlocked[1]);
    }
    EXPECT_EQ(LEFT, decide());
    EXPECT_EQ(1, logic->GhostChaseCount[1]);
}

// A set-up zeroes the count but leaves the block: it ends at the ghost's next
// decision, which still walks at random, and the decision after chases again.
TEST_F(Ghosts, ABlockWhoseCountIsZeroEndsAtTheNextDecisionWithoutAChase)
{
    UseBoard(CorridorBoard());
    PlacePlayer(2, 5, DOWN);
    PlaceGhost(1, 5, 5, RIGHT);
    logic->GhostChaseBlocked[1] = 1;
    logic->GhostChaseCount[1] = 0;

    logic->ProcessGhosts();
    EXPECT_EQ(RIGHT, logic->GhostDirection[1]);
    EXPECT_EQ(0, logic->GhostChaseBlocked[1]);
    EXPECT_EQ(0, logic->GhostChaseCount[1]);

    PlaceGhost(1, 5, 5, RIGHT);
    logic->ProcessGhosts();
    EXPECT_EQ(LEFT, logic->GhostDirection[1]);
    EXPECT_EQ(1, logic->GhostChaseCount[1]);
}

TEST_F(Ghosts, FirstDecisionFacesUpSoDownIsTakenOnlyWhenItIsTheOnlyWay)
{
    Picture board = SolidBoard();
    board[13][13] = ' ';
    board[14][13] = ' ';
    board[13][12] = ' ';
    UseBoard(board);
    PlacePlayer(20, 20, DOWN);
    for (unsigned seed = 1; seed <= 20; seed++)
    {
        logic->SeedRandomGenerator(seed);
        PlaceGhost(1, 13, 13, UP);
        logic->ProcessGhosts();
        EXPECT_EQ(LEFT, logic->GhostDirection[1]) << "seed " << seed;
    }

    board[13][12] = '#';
    UseBoard(board);
    PlaceGhost(1, 13, 13, UP);
    logic->ProcessGhosts();
    EXPECT_EQ(DOWN, logic->GhostDirection[1]);
}

// Whatever the draws, a ghost out of the hero's sight, or a scared one,
// never turns back in the middle of a corridor and turns back at once at its
// dead end.
TEST_F(Ghosts, TurnBackOnlyInADeadEnd)
{
    UseBoard(CorridorBoard());
    PlacePlayer(20, 20, DOWN);
    for (unsigned seed = 1; seed <= 1000; seed++)
    {
        logic->SeedRandomGenerator(seed);
        const uint8_t state = seed % 2 ? GHOST_NORMAL : GHOST_SCARED;
        PlaceGhost(1, 5, 5, RIGHT, state);
        PlaceGhost(2, 10, 5, RIGHT, state);
        logic->ProcessGhosts();
        ASSERT_EQ(RIGHT, logic->GhostDirection[1]) << "seed " << seed;
        ASSERT_EQ(LEFT, logic->GhostDirection[2]) << "seed " << seed;
        ASSERT_EQ(-4, logic->GhostOffsetX[2]) << "seed " << seed;
    }
}

TEST_F(Ghosts, AGhostWalledInOnAllSidesStandsStill)
{
    Picture board = SolidBoard();
    board[13][13] = ' ';
    UseBoard(board);
    PlacePlayer(20, 20, DOWN);
    PlaceGhost(1, 13, 13, UP);
    PlaceGhost(2, 13, 13, UP, GHOST_SCARED);
    PlaceGhost(3, 12, 12, UP, GHOST_EYES);

    for (int frame = 0; frame < 3; frame++) logic->ProcessGhosts();

    for (int ghost = 1; ghost <= 3; ghost++)
    {
        EXPECT_EQ(0, logic->GhostOffsetX[ghost]);
        EXPECT_EQ(0, logic->GhostOffsetY[ghost]);
    }
    EXPECT_EQ(13, logic->GhostTileX[1]);
    EXPECT_EQ(12, logic->GhostTileY[3]);
}

TEST_F(Ghosts, EyesFollowTheReturnMapHomeAndComeBackToLifeThere)
{
    OpenSound();
    Picture routes = NoRoutes();
    for (int column = 3; column < 13; column++) routes[3][column] = 'R';
    for (int row = 3; row < 13; row++) routes[row][13] = 'D';
    UseBoard(WalledBoard(), routes);
    PlacePlayer(20, 20, DOWN);
    logic->PowerPelletTimer = 500;
    PlaceGhost(1, 3, 3, UP, GHOST_EYES);

    int frames = 0;
    while (logic->GhostState[1] == GHOST_EYES && frames < 1000)
    {
        logic->ProcessGhosts();
        frames++;
        const int x = logic->GhostTileX[1];
        const int y = logic->GhostTileY[1];
        ASSERT_TRUE((y == 3 && x >= 3 && x <= 13) || (x == 13 && y >= 3 && y <= 13)) << x << "," << y;
    }

    // 20 tiles of 17 frames, and the home-coming at the next call.
    EXPECT_EQ(20 * 17 + 1, frames);
    EXPECT_EQ(GHOST_NORMAL, logic->GhostState[1]);
    EXPECT_EQ(1, SoundsStarted(SFX_GHOST_NEW_SHEET));
}

// Eyes whose route gives no open way take any open way, even back: at the
// dead end, whatever the route says there, and in the middle of a corridor,
// where a ghost would never turn.
TEST_F(Ghosts, EyesWithoutAWayHomeTakeAnyOpenWayEvenBack)
{
    for (const char code : {' ', 'x', 'R'})
    {
        Picture routes = NoRoutes();
        routes[5][10] = code;
        UseBoard(CorridorBoard(), routes);
        PlacePlayer(20, 20, DOWN);
        int turnedBack = 0;
        for (unsigned seed = 1; seed <= 100; seed++)
        {
            logic->SeedRandomGenerator(seed);
            PlaceGhost(1, 10, 5, RIGHT, GHOST_EYES);
            PlaceGhost(2, 5, 5, RIGHT, GHOST_EYES);
            logic->ProcessGhosts();
            ASSERT_EQ(LEFT, logic->GhostDirection[1]) << "code '" << code << "', seed " << seed;
            turnedBack += logic->GhostDirection[2] == LEFT;
        }
        EXPECT_GT(turnedBack, 25) << "code '" << code << "'";
        EXPECT_LT(turnedBack, 75) << "code '" << code << "'";
    }
}

TEST_F(Ghosts, EatenBetweenCentresFinishTheStepFirst)
{
    Picture routes = NoRoutes();
    routes[5][4] = 'L';
    UseBoard(CorridorBoard(), routes);
    PlacePlayer(20, 20, DOWN);
    PlaceGhost(1, 3, 5, RIGHT, GHOST_EYES);
    logic->GhostOffsetX[1] = 60;

    logic->ProcessGhosts();
    EXPECT_EQ(64, logic->GhostOffsetX[1]);
    logic->ProcessGhosts();
    EXPECT_EQ(4, logic->GhostTileX[1]);
    logic->ProcessGhosts();
    EXPECT_EQ(LEFT, logic->GhostDirection[1]);
    EXPECT_EQ(-4, logic->GhostOffsetX[1]);
}

TEST_F(Ghosts, InactiveAndStoppedGhostsStayPutAndEveryCallFlipsOrderAndFrame)
{
    UseBoard(WalledBoard());
    PlacePlayer(20, 20, DOWN);
    PlaceGhost(1, 5, 5, UP);
    logic->GhostActive[1] = 0;
    PlaceGhost(2, 5, 5, UP, GHOST_EYES);
    logic->GhostTileX[2] = GHOST_HOME_TILE_X;
    logic->GhostTileY[2] = GHOST_HOME_TILE_Y;
    logic->GhostStopped[2] = 1;
    logic->GhostDrawingOrder = 1;
    logic->GhostAnimationFrame = 0;

    logic->ProcessGhosts();
    EXPECT_EQ(0, logic->GhostDrawingOrder);
    EXPECT_EQ(1, logic->GhostAnimationFrame);
    logic->ProcessGhosts();
    EXPECT_EQ(1, logic->GhostDrawingOrder);
    EXPECT_EQ(0, logic->GhostAnimationFrame);

    EXPECT_EQ(0, logic->GhostOffsetY[1]);
    EXPECT_EQ(0, logic->GhostOffsetY[2]);
    EXPECT_EQ(GHOST_NORMAL, logic->GhostState[2]);  // home-coming still happens
}

// The game's generator is the C library's (glibc here): a seed gives what
// rand() gives after srand(), the seeds past 2^31 and 0 too, and a fresh
// Logic draws as the C library does before any srand().
TEST_F(Ghosts, RandomDrawsAreTheCLibrarysAndDirectionsTakeThemInQuarters)
{
    const unsigned seeds[] = {0, 1, 2, 3, 31, 12345, 2147483646, 2147483647, 2147483648u, 4294967295u};
    for (const unsigned seed : seeds)
    {
        srand(seed);
        logic->SeedRandomGenerator(seed);
        for (int draw = 0; draw < 400; draw++)
            ASSERT_EQ(rand(), logic->RandomNumber()) << "seed " << seed << ", draw " << draw;
    }
    Logic fresh;
    srand(1);
    for (int draw = 0; draw < 400; draw++) ASSERT_EQ(rand(), fresh.RandomNumber()) << "draw " << draw;

    const uint8_t byQuarter[] = {UP, DOWN, LEFT, RIGHT};
    int seen[8] = {};
    for (unsigned seed = 1; seed <= 400; seed++)
    {
        srand(seed);
        const int quarter = rand() % 100 / 25;
        logic->SeedRandomGenerator(seed);
        const uint8_t direction = logic->GetGhostRandomDirection();
        ASSERT_EQ(byQuarter[quarter], direction);
        seen[direction]++;
    }
    for (const uint8_t direction : byQuarter) EXPECT_GT(seen[direction], 50);
}

}  // namespace
