#include <gtest/gtest.h>

#include <string>

#include "audio/audio.h"
#include "input/input.h"
#include "logic/logic.h"
#include "desktop/desktop.h"
#include "support/pictures.h"
#include "support/window_fixture.h"
#include "visuals/visuals.h"

namespace {

struct Colour
{
    uint8_t red, green, blue;
};

// Distinct solid colours for the pictures a test tells apart.
const Colour COLOURS[] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},     {255, 255, 0},
                          {255, 0, 255}, {0, 255, 255}, {255, 128, 0}, {128, 0, 255}};

// The hero and ghosts drawn into a real window, with solid-colour pictures in
// the sprite slots under test.
class Drawing : public WindowTest
{
protected:
    explicit Drawing(int startUpSteps = OPEN_WINDOW) : WindowTest(startUpSteps) {}

    void SetUp() override
    {
        WindowTest::SetUp();
        for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++) logic->GhostActive[ghost] = 0;
        logic->PlayerTileX = 10;
        logic->PlayerTileY = 10;
        logic->PlayerDirection = RIGHT;
        logic->Level = 1;
    }

    void LoadSolidSprite(int index, const Colour& colour, int size = 16)
    {
        const std::string file = "sprite" + std::to_string(index) + ".bmp";
        ASSERT_TRUE(WritePicture(file, size, size, colour.red << 16 | colour.green << 8 | colour.blue));
        ASSERT_TRUE(visuals->LoadSpriteImage(visuals->Sprites[index], file.c_str()));
    }

    bool ColourAt(int x, int y, const Colour& colour) const
    {
        return PixelIs(x, y, colour.red, colour.green, colour.blue);
    }

    void Clear()
    {
        visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    }

    void PlaceGhost(int ghost, int x, int y, int offsetX, int offsetY, uint8_t state)
    {
        logic->GhostActive[ghost] = 1;
        logic->GhostTileX[ghost] = x;
        logic->GhostTileY[ghost] = y;
        logic->GhostOffsetX[ghost] = offsetX;
        logic->GhostOffsetY[ghost] = offsetY;
        logic->GhostState[ghost] = state;
        logic->GhostDirection[ghost] = LEFT;
    }
};

TEST_F(Drawing, HerosMouthFollowsTheOffsetAlongHisWay)
{
    for (int picture = 0; picture < 3; picture++)
    {
        LoadSolidSprite(SPRITE_HERO_UP + picture, COLOURS[picture]);
        LoadSolidSprite(SPRITE_HERO_RIGHT + picture, COLOURS[3 + picture]);
    }
    const int offsets[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, -8, -16, -32, -56, 4};
    const int pictures[] = {2, 2, 1, 1, 0, 1, 1, 2, 2, 2, 1, 0, 2, 0};

    for (int i = 0; i < 14; i++)
    {
        Clear();
        logic->PlayerDirection = RIGHT;
        logic->PlayerOffsetY = 0;
        logic->PlayerOffsetX = offsets[i];
        visuals->DrawPlayer();
        EXPECT_TRUE(ColourAt(320, 240, COLOURS[3 + pictures[i]])) << "right, offset " << offsets[i];

        Clear();
        logic->PlayerDirection = UP;
        logic->PlayerOffsetX = 0;
        logic->PlayerOffsetY = offsets[i];
        visuals->DrawPlayer();
        EXPECT_TRUE(ColourAt(320, 240, COLOURS[pictures[i]])) << "up, offset " << offsets[i];
    }

    // Without a way he has no picture: the slots before the table's first are not his.
    for (int slot = 0; slot < 3; slot++) LoadSolidSprite(slot, COLOURS[0]);
    Clear();
    logic->PlayerDirection = CENTER;
    visuals->DrawPlayer();
    EXPECT_TRUE(PixelIs(320, 240, 0, 0, 0));
}

TEST_F(Drawing, DeathAnimationRunsThroughSixPictures)
{
    for (int picture = 0; picture < 6; picture++) LoadSolidSprite(SPRITE_HERO_DOWN + picture, COLOURS[picture]);
    logic->PlayerDirection = DOWN;
    const int timers[] = {80, 61, 60, 51, 50, 41, 40, 31, 30, 21, 20, 2, 1};
    const int pictures[] = {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 5};

    for (int i = 0; i < 13; i++)
    {
        Clear();
        logic->PlayerDeathTimer = timers[i];
        visuals->DrawPlayer();
        EXPECT_TRUE(ColourAt(320, 240, COLOURS[pictures[i]])) << "timer " << timers[i];
    }
}

TEST_F(Drawing, EachPowerPelletCopySwellsAndFadesOverThirtyFourFrames)
{
    LoadSolidSprite(SPRITE_HERO_RIGHT + 2, COLOURS[0]);
    for (int copy = 0; copy < NUMBER_OF_SWELL_COPIES; copy++)
    {
        SCOPED_TRACE(copy);
        LoadSolidSprite(SPRITE_SWELL_UP + copy, COLOURS[1 + copy]);
        logic->ClearPowerPelletEatenAnimation();
        logic->StartSwell(copy, 1.0f);

        for (int frame = 1; frame <= 34; frame++)
        {
            logic->AdvancePowerPelletSwell();
            if (frame != 1) continue;
            Clear();
            visuals->DrawPlayer();
            EXPECT_TRUE(ColourAt(320 + 9, 240, COLOURS[1 + copy]));  // grown past the hero
        }
        EXPECT_NEAR(7.8f, logic->SwellScale[copy], 0.001f);
        EXPECT_LT(logic->SwellTransparency[copy], 0.0f);

        logic->AdvancePowerPelletSwell();
        EXPECT_NEAR(7.8f, logic->SwellScale[copy], 0.001f);
        Clear();
        visuals->DrawPlayer();
        EXPECT_FALSE(ColourAt(320 + 9, 240, COLOURS[1 + copy])) << "a copy faded out is not shown";
    }
}

TEST_F(Drawing, GhostsAreDrawnWhereTheyStandRelativeToTheHero)
{
    LoadSolidSprite(SPRITE_GHOST_BODIES + 2, COLOURS[0], 32);  // ghost 1, first body frame
    LoadSolidSprite(SPRITE_GHOST_BODIES + 3, COLOURS[1], 32);
    LoadSolidSprite(SPRITE_EYES_LEFT, COLOURS[2], 8);
    logic->PlayerOffsetX = 16;
    PlaceGhost(1, 12, 9, 0, -8, GHOST_NORMAL);
    const int x = 320 + 128 - 16;
    const int y = 240 - 64 - 8;

    Clear();
    visuals->DrawGhosts();
    EXPECT_TRUE(ColourAt(x, y, COLOURS[2]));
    EXPECT_TRUE(ColourAt(x + 12, y - 12, COLOURS[0]));
    EXPECT_TRUE(PixelIs(x + 20, y, 0, 0, 0));
    EXPECT_TRUE(PixelIs(x, y + 20, 0, 0, 0));

    Clear();
    logic->GhostAnimationFrame = 1;
    visuals->DrawGhosts();
    EXPECT_TRUE(ColourAt(x + 12, y - 12, COLOURS[1]));

    Clear();
    logic->GhostState[1] = GHOST_EYES;
    visuals->DrawGhosts();
    EXPECT_TRUE(ColourAt(x, y, COLOURS[2]));
    EXPECT_TRUE(PixelIs(x + 12, y - 12, 0, 0, 0));
}

TEST_F(Drawing, EyesLookTheWayTheGhostGoes)
{
    const uint8_t directions[] = {UP, RIGHT, DOWN, LEFT};
    for (int eyes = 0; eyes < 4; eyes++) LoadSolidSprite(SPRITE_EYES_UP + eyes, COLOURS[eyes], 8);
    PlaceGhost(1, 11, 10, 0, 0, GHOST_EYES);
    for (int i = 0; i < 4; i++)
    {
        Clear();
        logic->GhostDirection[1] = directions[i];
        visuals->DrawGhosts();
        EXPECT_TRUE(ColourAt(320 + 64, 240, COLOURS[i])) << "direction " << (int)directions[i];
    }
    LoadSolidSprite(0, COLOURS[0], 8);  // no eyes, not the table's first slot
    Clear();
    logic->GhostDirection[1] = CENTER;
    visuals->DrawGhosts();
    EXPECT_TRUE(PixelIs(320 + 64, 240, 0, 0, 0));
}

// Only ghosts in the playing screen's window of 13 x 11 tiles are drawn. A
// picture wider than a tile shows whether one just outside was drawn.
TEST_F(Drawing, GhostsAreDrawnOnlyWithinSixColumnsAndFiveRowsOfTheHero)
{
    LoadSolidSprite(SPRITE_GHOST_BODIES + 2, COLOURS[0], 256);
    struct Case
    {
        int columns, rows, offsetX, offsetY, probeX, probeY;
        bool drawn;
    };
    const Case cases[] = {
        {-6, 0, 0, 0, 30, 240, true},     {-7, 0, 56, 0, 30, 240, false},  {6, 0, 0, 0, 610, 240, true},
        {7, 0, -56, 0, 610, 240, false},  {0, -5, 0, 0, 320, 20, true},    {0, -6, 0, 56, 320, 20, false},
        {0, 5, 0, 0, 320, 460, true},     {0, 6, 0, -56, 320, 460, false}, {6, 5, 0, 0, 610, 460, true},
    };
    for (const Case& c : cases)
    {
        Clear();
        PlaceGhost(1, 10 + c.columns, 10 + c.rows, c.offsetX, c.offsetY, GHOST_NORMAL);
        visuals->DrawGhosts();
        EXPECT_EQ(c.drawn, ColourAt(c.probeX, c.probeY, COLOURS[0])) << c.columns << " columns, " << c.rows << " rows";
    }
}

TEST_F(Drawing, ScaredGhostsFlashInTheirOwnColourInTheLastFiftyFrames)
{
    LoadSolidSprite(SPRITE_GHOST_BODIES + 3, COLOURS[0]);  // ghost 1, second body frame
    LoadSolidSprite(SPRITE_SCARED_GHOST, COLOURS[1]);
    LoadSolidSprite(SPRITE_SCARED_GHOST_SECOND, COLOURS[2]);
    PlaceGhost(1, 11, 10, 0, 0, GHOST_SCARED);
    const uint8_t frames[] = {0, 1, 0, 1, 0};
    const uint16_t timers[] = {51, 51, 50, 50, 1};
    const int colours[] = {1, 2, 1, 0, 1};

    for (int i = 0; i < 5; i++)
    {
        Clear();
        logic->GhostAnimationFrame = frames[i];
        logic->PowerPelletTimer = timers[i];
        visuals->DrawGhosts();
        EXPECT_TRUE(ColourAt(320 + 64, 240, COLOURS[colours[i]])) << i;
    }
}

// With the sound on SDL's dummy driver, for the tests that hear who met the hero.
class HeardDrawing : public Drawing
{
protected:
    HeardDrawing() : Drawing(OPEN_WINDOW | OPEN_SOUND) {}

    // The effects playing once the sounds asked for so far are played, as at a frame's end.
    int ChannelsPlaying(int effect) const
    {
        audio->PlayFrameSounds();
        int playing = 0;
        for (int channel = 0; channel < NUMBER_OF_MIXER_CHANNELS; channel++)
            if (Mix_Playing(channel) && Mix_GetChunk(channel) == LoadedSoundEffect(effect)) playing++;
        return playing;
    }
};

TEST_F(Drawing, ContactIsCloserThanThirtyPixelsOnBothAxes)
{
    struct Case
    {
        int ghostX, ghostY, playerX, playerY;
        bool caught;
    };
    const Case cases[] = {
        {29, 0, 0, 0, true},   {30, 0, 0, 0, false}, {-29, 29, 0, 0, true}, {0, -30, 0, 0, false},
        {29, 29, 0, 0, true},  {0, 0, -29, 0, true}, {0, 0, 0, 30, false},  {45, 0, 16, 0, true},
        {-64, 0, 0, 0, false},
    };
    for (const Case& c : cases)
    {
        logic->PlayerDeathTimer = 0;
        logic->PlayerOffsetX = c.playerX;
        logic->PlayerOffsetY = c.playerY;
        PlaceGhost(4, 10, 10, c.ghostX, c.ghostY, GHOST_NORMAL);
        logic->MeetGhostsOnTheHero();
        EXPECT_EQ(c.caught ? 80 : 0, logic->PlayerDeathTimer)
            << c.ghostX << "," << c.ghostY << " against " << c.playerX << "," << c.playerY;
    }

    // Eyes pass through him.
    logic->PlayerDeathTimer = 0;
    logic->PlayerOffsetX = logic->PlayerOffsetY = 0;
    PlaceGhost(4, 10, 10, 0, 0, GHOST_EYES);
    logic->MeetGhostsOnTheHero();
    EXPECT_EQ(0, logic->PlayerDeathTimer);
    EXPECT_EQ(0u, logic->Score);
}

TEST_F(HeardDrawing, TwoGhostsCatchingTheHeroInOneFrameBothCount)
{
    PlaceGhost(2, 10, 10, 10, 0, GHOST_NORMAL);
    PlaceGhost(6, 10, 10, 0, -10, GHOST_NORMAL);
    audio->PlayDigitalSoundFX(SFX_EAT_PELLET, -1);

    logic->MeetGhostsOnTheHero();

    EXPECT_EQ(80, logic->PlayerDeathTimer);
    EXPECT_EQ(0, ChannelsPlaying(SFX_EAT_PELLET));
    EXPECT_EQ(1, ChannelsPlaying(SFX_DEATH));  // the second capture stopped the first
}

// Whichever ghost is visited first, one is eaten and the other catches the
// hero; only the sound left playing tells the order.
TEST_F(HeardDrawing, ScaredAndNormalGhostMeetTheHeroInVisitingOrder)
{
    for (const uint8_t order : {1, 0})
    {
        Mix_HaltChannel(-1);
        logic->Score = 0;
        logic->PlayerDeathTimer = 0;
        logic->GhostsEatenSincePowerPellet = 0;
        logic->Level = 3;
        logic->GhostDrawingOrder = order;
        PlaceGhost(2, 10, 10, 5, 0, GHOST_SCARED);
        PlaceGhost(5, 10, 10, -5, 0, GHOST_NORMAL);

        logic->MeetGhostsOnTheHero();

        EXPECT_EQ(GHOST_EYES, logic->GhostState[2]);
        EXPECT_EQ(600u, logic->Score);
        EXPECT_EQ(80, logic->PlayerDeathTimer);
        EXPECT_EQ(1, ChannelsPlaying(SFX_DEATH));
        EXPECT_EQ(order == 1 ? 0 : 1, ChannelsPlaying(SFX_EAT_GHOST)) << "order " << (int)order;
    }
}

TEST_F(Drawing, EightGhostsEatenScoreTwoHundredToSixteenHundredTimesTheLevel)
{
    logic->Level = 2;
    logic->GhostDrawingOrder = 0;
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++) PlaceGhost(ghost, 20, 20, 0, 0, GHOST_SCARED);

    for (int eaten = 1; eaten <= NUMBER_OF_GHOSTS; eaten++)
    {
        const int ghost = NUMBER_OF_GHOSTS - eaten;
        logic->GhostTileX[ghost] = 10;
        logic->GhostTileY[ghost] = 10;
        const uint32_t before = logic->Score;
        logic->MeetGhostsOnTheHero();
        EXPECT_EQ(200u * eaten * 2, logic->Score - before) << "ghost " << eaten;
        EXPECT_EQ(eaten, logic->GhostsEatenSincePowerPellet);
        EXPECT_EQ(GHOST_EYES, logic->GhostState[ghost]);
    }
    EXPECT_EQ(14400u, logic->Score);
    EXPECT_EQ(0, logic->PlayerDeathTimer);
}

TEST_F(Drawing, AScaredGhostEatenThisFrameStillShowsItsBody)
{
    LoadSolidSprite(SPRITE_SCARED_GHOST, COLOURS[1], 32);
    PlaceGhost(3, 10, 10, 0, 20, GHOST_SCARED);
    Clear();
    logic->MeetGhostsOnTheHero();
    visuals->DrawGhosts();
    EXPECT_EQ(GHOST_EYES, logic->GhostState[3]);
    EXPECT_TRUE(ColourAt(320, 260, COLOURS[1]));
    Clear();
    logic->MeetGhostsOnTheHero();
    visuals->DrawGhosts();
    EXPECT_TRUE(PixelIs(320, 260, 0, 0, 0));
}

}  // namespace
