#include <stdlib.h>

#include "audio/audio.h"
#include "checks.h"
#include "input/input.h"
#include "logic/logic.h"

// Sightings a ghost may chase on before it ignores the hero for as many decisions.
const uint8_t GHOST_CHASE_BUDGET = 75;

// Random draws that refuse a reversal before a dead end is accepted.
const int RANDOM_WALK_TRIES = 100;

// The opposite of each direction; CENTER has none.
static const uint8_t REVERSE_DIRECTION[NUMBER_OF_DIRECTION_VALUES] = {0, DOWN, 0, LEFT, 0, UP, 0, RIGHT};

// Line-of-sight scans in the order they are made.
const int NUMBER_OF_SCANS = 4;
static const uint8_t SCAN_DIRECTIONS[NUMBER_OF_SCANS] = {UP, DOWN, LEFT, RIGHT};

// ReturnMap codes: 1 up, 2 down, 3 left, 4 right; 0 and 5 give no way.
const int NUMBER_OF_RETURN_CODES = 6;
static const uint8_t RETURN_DIRECTION[NUMBER_OF_RETURN_CODES] = {0, UP, DOWN, LEFT, RIGHT, 0};

// The hero touches a ghost whose centre is closer than this on both axes.
const int CONTACT_DISTANCE = 30;

const int16_t DEATH_ANIMATION_FRAMES = 80;
const uint32_t POINTS_PER_GHOST = 200;  // times the ghosts eaten so far, times the level

// A draw % 100 in quarters.
const int RANDOM_DIRECTION_RANGE = 100;
static const uint8_t RANDOM_DIRECTION_BY_QUARTER[4] = {UP, DOWN, LEFT, RIGHT};

void Logic::ProcessGhosts()
{
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        if (!GhostActive[ghost]) continue;
        BringEyesBackToLife(ghost);
        if (GhostStopped[ghost]) continue;

        if (GhostOffsetX[ghost] != 0 || GhostOffsetY[ghost] != 0)
            StepGhostBetweenCentres(ghost);
        else
            DecideGhostAtCentre(ghost);
    }

    GhostDrawingOrder = GhostDrawingOrder ? 0 : 1;
    GhostAnimationFrame = GhostAnimationFrame ? 0 : 1;
}

uint8_t Logic::GetGhostRandomDirection()
{
    return RANDOM_DIRECTION_BY_QUARTER[RandomNumber() % RANDOM_DIRECTION_RANGE / (RANDOM_DIRECTION_RANGE / 4)];
}

void Logic::BringEyesBackToLife(int ghost)
{
    if (GhostState[ghost] != GHOST_EYES) return;
    if (GhostTileX[ghost] != GHOST_HOME_TILE_X || GhostTileY[ghost] != GHOST_HOME_TILE_Y) return;

    GhostState[ghost] = GHOST_NORMAL;
    audio->PlayDigitalSoundFX(SFX_GHOST_NEW_SHEET, 0);
}

// Between centres a ghost keeps the way its offset points, whatever its state.
void Logic::StepGhostBetweenCentres(int ghost)
{
    if (GhostOffsetY[ghost] != 0)
        StepTowardNextCentre(GhostOffsetY[ghost], GhostTileY[ghost], GhostOffsetY[ghost] < 0 ? -1 : 1,
                             GhostSpeed[ghost]);
    else
        StepTowardNextCentre(GhostOffsetX[ghost], GhostTileX[ghost], GhostOffsetX[ghost] < 0 ? -1 : 1,
                             GhostSpeed[ghost]);
}

void Logic::DecideGhostAtCentre(int ghost)
{
    switch (GhostState[ghost])
    {
        case GHOST_NORMAL:
            DecideNormalGhost(ghost);
            break;
        case GHOST_SCARED:
            WalkGhostRandomly(ghost);
            break;
        case GHOST_EYES:
            ReturnGhostEyesHome(ghost);
            break;
        default:
            break;
    }
}

void Logic::MoveGhost(int ghost, uint8_t direction)
{
    GhostDirection[ghost] = direction;
    GhostOffsetX[ghost] += DIRECTION_DELTA_X[direction] * GhostSpeed[ghost];
    GhostOffsetY[ghost] += DIRECTION_DELTA_Y[direction] * GhostSpeed[ghost];
}

void Logic::DecideNormalGhost(int ghost)
{
    if (!GhostChaseBlocked[ghost])
    {
        if (ChasePlayerInSight(ghost)) return;
    }
    else
        CountDownChaseBlock(ghost);

    WalkGhostRandomly(ghost);
}

// Every scan that sees the hero turns the ghost, so on his own tile the four
// moves cancel out and the ghost ends facing RIGHT.
bool Logic::ChasePlayerInSight(int ghost)
{
    bool sighted = false;
    for (const uint8_t direction : SCAN_DIRECTIONS)
    {
        if (!GhostSeesPlayer(ghost, direction)) continue;

        if (GhostChaseCount[ghost] < GHOST_CHASE_BUDGET)
            GhostChaseCount[ghost]++;
        else
            GhostChaseBlocked[ghost] = 1;
        MoveGhost(ghost, direction);
        audio->PlayDigitalSoundFX(SFX_SCREECH, 0);
        sighted = true;
    }
    return sighted;
}

// Walks from the ghost's own tile to the first wall or the edge of the grid.
bool Logic::GhostSeesPlayer(int ghost, uint8_t direction) const
{
    int x = GhostTileX[ghost];
    int y = GhostTileY[ghost];
    while (true)
    {
        if (x == PlayerTileX && y == PlayerTileY) return true;
        if (!IsOpenNeighbour(x, y, direction)) return false;
        x += DIRECTION_DELTA_X[direction];
        y += DIRECTION_DELTA_Y[direction];
    }
}

void Logic::CountDownChaseBlock(int ghost)
{
    if (GhostChaseCount[ghost] > 0) GhostChaseCount[ghost]--;
    if (GhostChaseCount[ghost] == 0) GhostChaseBlocked[ghost] = 0;
}

// No reversal unless a hundred draws found no other way.
void Logic::WalkGhostRandomly(int ghost)
{
    const uint8_t direction = GhostDirection[ghost];
    const uint8_t reverse = RULE_HOLDS(direction < NUMBER_OF_DIRECTION_VALUES) ? REVERSE_DIRECTION[direction] : 0;

    for (int attempt = 0; attempt < RANDOM_WALK_TRIES; attempt++)
    {
        const uint8_t drawn = GetGhostRandomDirection();
        if (drawn == reverse) continue;
        if (!IsOpenNeighbour(GhostTileX[ghost], GhostTileY[ghost], drawn)) continue;
        MoveGhost(ghost, drawn);
        return;
    }
    MoveGhostAnyOpenWay(ghost);
}

// A ghost walled in on all four sides (a faulty board) stands still rather
// than draw for ever.
void Logic::MoveGhostAnyOpenWay(int ghost)
{
    const int x = GhostTileX[ghost];
    const int y = GhostTileY[ghost];
    bool anyOpen = false;
    for (const uint8_t direction : SCAN_DIRECTIONS) anyOpen = anyOpen || IsOpenNeighbour(x, y, direction);
    if (!anyOpen) return;

    uint8_t drawn = GetGhostRandomDirection();
    while (!IsOpenNeighbour(x, y, drawn)) drawn = GetGhostRandomDirection();
    MoveGhost(ghost, drawn);
}

void Logic::ReturnGhostEyesHome(int ghost)
{
    const int x = GhostTileX[ghost];
    const int y = GhostTileY[ghost];
    if (!RULE_HOLDS(x < BOARD_SIZE && y < BOARD_SIZE)) return;
    const uint8_t code = ReturnMap[x][y];
    const uint8_t way = RULE_HOLDS(code < NUMBER_OF_RETURN_CODES) ? RETURN_DIRECTION[code] : 0;

    if (IsOpenNeighbour(x, y, way))
        MoveGhost(ghost, way);
    else
        MoveGhostAnyOpenWay(ghost);
}

// Each ghost meets the hero in the order the ghosts are drawn, which flips
// every frame, so that of two ghosts on him each comes first in turn.
void Logic::MeetGhostsOnTheHero()
{
    GhostsMetTheHero = 1;
    for (uint8_t& eaten : GhostEatenThisFrame) eaten = 0;
    for (int visit = 0; visit < NUMBER_OF_GHOSTS; visit++)
    {
        const int ghost = GhostDrawingOrder == 1 ? visit : NUMBER_OF_GHOSTS - 1 - visit;
        if (GhostTouchesTheHero(ghost)) MeetGhost(ghost);
    }
}

// By the distance between their pictures, ghost offset against hero offset.
bool Logic::GhostTouchesTheHero(int ghost) const
{
    if (!GhostActive[ghost]) return false;
    const int x = TILE_SIZE * (GhostTileX[ghost] - PlayerTileX) - PlayerOffsetX + GhostOffsetX[ghost];
    const int y = TILE_SIZE * (GhostTileY[ghost] - PlayerTileY) - PlayerOffsetY + GhostOffsetY[ghost];
    return abs(x) < CONTACT_DISTANCE && abs(y) < CONTACT_DISTANCE;
}

// A normal ghost catches the hero, a scared one is eaten; eyes pass by.
void Logic::MeetGhost(int ghost)
{
    if (GhostState[ghost] == GHOST_NORMAL)
    {
        audio->HaltAllEffects();
        audio->PlayDigitalSoundFX(SFX_DEATH, 0);
        PlayerDeathTimer = DEATH_ANIMATION_FRAMES;
        return;
    }
    if (GhostState[ghost] != GHOST_SCARED) return;

    GhostState[ghost] = GHOST_EYES;
    GhostEatenThisFrame[ghost] = 1;
    GhostsEatenSincePowerPellet++;
    Score += POINTS_PER_GHOST * GhostsEatenSincePowerPellet * Level;
    audio->PlayDigitalSoundFX(SFX_EAT_GHOST, 0);
}

