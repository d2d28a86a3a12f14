#include "audio/audio.h"
#include "checks.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"

// Frame period in milliseconds by level; 0 keeps the period (level 1 is set
// by a new game, and a restarted level 1 keeps it).
static const int32_t FRAME_DELAY_FOR_LEVEL[NUMBER_OF_LEVELS] = {0, 0, 24, 22, 20, 17, 17};
const int32_t NEW_GAME_FRAME_DELAY = 27;

// Frames of scared time by level.
static const uint16_t POWER_PELLET_TIME_FOR_LEVEL[NUMBER_OF_LEVELS] = {0, 600, 700, 800, 900, 1000, 1000};

// Each ghost's speed in pixels per frame and the level from which it plays.
static const uint8_t GHOST_SPEED[NUMBER_OF_GHOSTS] = {8, 4, 4, 4, 4, 4, 2, 2};
static const uint8_t GHOST_FIRST_LEVEL[NUMBER_OF_GHOSTS] = {3, 1, 1, 5, 1, 1, 2, 4};

const uint8_t NEW_GAME_SPARE_LIVES = 2;
const uint8_t PLAYER_SPEED = 8;                // pixels per frame, divides 32
const uint16_t FIRST_POWER_PELLET_FLASH = 100;  // frames, so pellets stay big a while
const int16_t WON_GAME_DEATH_TIMER = 2;         // ends the game on the next frame

void Logic::SetupForNewGame()
{
    game->FrameDelayMilliseconds = NEW_GAME_FRAME_DELAY;
    ResetPlayer();
    Score = 0;
    Lives = NEW_GAME_SPARE_LIVES;
    Level = 1;
    LoadTilePlayfield();
    ExtraLivesAwarded = 0;
    for (int level = 1; level < NUMBER_OF_LEVELS; level++) PowerPelletTimeForLevel[level] = POWER_PELLET_TIME_FOR_LEVEL[level];
    ResetTimers();
    ClearActiveGhosts();
    LineUpGhosts();
    audio->PlayDigitalSoundFX(SFX_START, 0);
}

void Logic::SetupForNewBoard()
{
    ResetPlayer();
    AdvanceLevel();
    SetFrameDelayForLevel();
    LoadTilePlayfield();
    ResetTimers();
    ClearActiveGhosts();
    LineUpGhosts();
    EndGameIfWon();
    audio->HaltAllEffects();
}

void Logic::SetupForNewLife()
{
    ResetPlayer();
    ResetTimers();
    LineUpGhosts();
}

void Logic::ClearPowerPelletEatenAnimation()
{
    for (int copy = 0; copy < NUMBER_OF_SWELL_COPIES; copy++) StartSwell(copy, 0.0f);
}

// One swell copy at the hero's own size; transparency 0 hides it.
void Logic::StartSwell(int copy, float transparency)
{
    SwellScale[copy] = 1.0f;
    SwellTransparency[copy] = transparency;
}

void Logic::ResetPlayer()
{
    PlayerOffsetX = 0;
    PlayerOffsetY = 0;
    PlayerTileX = PLAYER_START_TILE_X;
    PlayerTileY = PLAYER_START_TILE_Y;
    PlayerDirection = DOWN;
    PlayerNextDirection = 0;
    PlayerSpeed = PLAYER_SPEED;
}

void Logic::ResetTimers()
{
    PlayerDeathTimer = 0;
    GhostsEatenSincePowerPellet = 0;
    PowerPelletTimer = 0;
    PowerPelletFlashTimer = FIRST_POWER_PELLET_FLASH;
    ClearPowerPelletEatenAnimation();
}

void Logic::ClearActiveGhosts()
{
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++) GhostActive[ghost] = 0;
}

// A new life only adds ghosts; the chase block is left for the first decision.
void Logic::LineUpGhosts()
{
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        GhostSpeed[ghost] = GHOST_SPEED[ghost];
        if (Level >= GHOST_FIRST_LEVEL[ghost]) GhostActive[ghost] = 1;
    }

    GhostDrawingOrder = 1;
    GhostAnimationFrame = 0;

    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        GhostTileX[ghost] = GHOST_HOME_TILE_X;
        GhostTileY[ghost] = GHOST_HOME_TILE_Y;
        GhostOffsetX[ghost] = 0;
        GhostOffsetY[ghost] = 0;
        GhostDirection[ghost] = UP;
        GhostState[ghost] = GHOST_NORMAL;
        GhostChaseCount[ghost] = 0;
        GhostStopped[ghost] = 0;
        GhostEatenThisFrame[ghost] = 0;
    }
}

void Logic::AdvanceLevel()
{
    if (Level > LAST_PLAYED_LEVEL) return;
    Level++;
    if (Level == LAST_PLAYED_LEVEL) audio->PlayMusic(MUSIC_STAGE_FIVE, 0);
}

void Logic::SetFrameDelayForLevel()
{
    const int32_t delay = FRAME_DELAY_FOR_LEVEL[RULE_HOLDS(Level < NUMBER_OF_LEVELS) ? Level : WON_LEVEL];
    if (delay != 0) game->FrameDelayMilliseconds = delay;
}

// Clearing the last board ends the game the way a lost last life does; the
// playing screen fades out for it.
void Logic::EndGameIfWon()
{
    if (Level <= LAST_PLAYED_LEVEL) return;
    PlayerDeathTimer = WON_GAME_DEATH_TIMER;
    Lives = 0;
}
