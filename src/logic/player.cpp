#include "audio/audio.h"
#include "checks.h"
#include "input/input.h"
#include "logic/logic.h"

// The pellet ahead is eaten half-way to its tile, in pixels from the centre.
const int EATING_OFFSET = TILE_SIZE / 2;

const uint8_t POWER_PELLET = 2;
const uint32_t POINTS_PER_PELLET = 10;              // times the level
const uint32_t EXTRA_POINTS_PER_POWER_PELLET = 90;  // times the level, on top of a pellet's

// The swelling copy of the hero, by the direction he ate in; -1 for none.
static const int SWELL_COPY_FOR_DIRECTION[NUMBER_OF_DIRECTION_VALUES] = {-1, 0, -1, 1, -1, 2, -1, 3};

// Each frame of the hero's life grows every shown copy and fades it, 34
// frames in all.
const float SWELL_GROWTH = 0.2f;
const float SWELL_FADE = 0.03f;

// Scores that earn the first and the second extra life.
const int NUMBER_OF_EXTRA_LIVES = 2;
static const uint32_t EXTRA_LIFE_SCORE[NUMBER_OF_EXTRA_LIVES] = {10000, 100000};

void Logic::ProcessPlayer(uint8_t wanted)
{
    TakePlayerInput(wanted);
    MovePlayer();
    EatPelletAhead();
    AwardExtraLife();
}

// At a centre only an open way is taken; between centres a reversal is
// taken at once and a turn across is kept for a later centre.
void Logic::TakePlayerInput(uint8_t wanted)
{
    if (!IsMoveDirection(wanted)) return;

    if (PlayerOffsetX == 0 && PlayerOffsetY == 0)
    {
        if (IsOpenNeighbour(PlayerTileX, PlayerTileY, wanted)) PlayerDirection = wanted;
        return;
    }

    const int8_t offsetAcross = IsVerticalDirection(wanted) ? PlayerOffsetX : PlayerOffsetY;
    if (offsetAcross == 0)
        PlayerDirection = wanted;
    else
        PlayerNextDirection = wanted;
}

void Logic::MovePlayer()
{
    const uint8_t direction = PlayerDirection;
    if (!IsMoveDirection(direction)) return;

    const bool vertical = IsVerticalDirection(direction);
    int8_t& offset = vertical ? PlayerOffsetY : PlayerOffsetX;
    uint8_t& tile = vertical ? PlayerTileY : PlayerTileX;
    const int sign = DIRECTION_DELTA_X[direction] + DIRECTION_DELTA_Y[direction];

    if (offset != 0)
    {
        StepTowardNextCentre(offset, tile, sign, PlayerSpeed);
        return;
    }
    if (TakeQueuedTurn(direction)) return;
    if (IsOpenNeighbour(PlayerTileX, PlayerTileY, direction)) offset = sign * PlayerSpeed;
}

// A queued turn across the way of travel uses up the frame at the centre.
bool Logic::TakeQueuedTurn(uint8_t direction)
{
    const uint8_t turn = PlayerNextDirection;
    if (!IsMoveDirection(turn)) return false;
    if (IsVerticalDirection(turn) == IsVerticalDirection(direction)) return false;
    if (!IsOpenNeighbour(PlayerTileX, PlayerTileY, turn)) return false;

    PlayerDirection = turn;
    PlayerNextDirection = 0;
    return true;
}

void Logic::EatPelletAhead()
{
    const uint8_t direction = PlayerDirection;
    if (!IsMoveDirection(direction)) return;

    const int sign = DIRECTION_DELTA_X[direction] + DIRECTION_DELTA_Y[direction];
    const int8_t offset = IsVerticalDirection(direction) ? PlayerOffsetY : PlayerOffsetX;
    if (offset != sign * EATING_OFFSET) return;

    const int x = PlayerTileX + DIRECTION_DELTA_X[direction];
    const int y = PlayerTileY + DIRECTION_DELTA_Y[direction];
    if (x < 0 || y < 0 || x >= BOARD_SIZE || y >= BOARD_SIZE) return;
    if (PelletMap[x][y] == 0) return;

    if (PelletMap[x][y] == POWER_PELLET) EatPowerPellet(direction);
    Score += POINTS_PER_PELLET * Level;
    PelletMap[x][y] = 0;
    audio->PlayDigitalSoundFX(SFX_EAT_PELLET, 0);
    if (PelletsLeftOnBoard > 0) PelletsLeftOnBoard--;
}

// A second power pellet restarts the scared time and the ghost score, but
// not the scared sound, which is still looping.
void Logic::EatPowerPellet(uint8_t direction)
{
    ClearPowerPelletEatenAnimation();
    const int copy = RULE_HOLDS(direction < NUMBER_OF_DIRECTION_VALUES) ? SWELL_COPY_FOR_DIRECTION[direction] : -1;
    if (copy >= 0) StartSwell(copy, 1.0f);

    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
        if (GhostState[ghost] == GHOST_NORMAL) GhostState[ghost] = GHOST_SCARED;

    GhostsEatenSincePowerPellet = 0;
    if (PowerPelletTimer == 0) audio->PlayDigitalSoundFX(SFX_GHOSTS_SCARED, -1);
    PowerPelletTimer = PowerPelletTimeForLevel[RULE_HOLDS(Level < NUMBER_OF_LEVELS) ? Level : NUMBER_OF_LEVELS - 1];
    Score += EXTRA_POINTS_PER_POWER_PELLET * Level;
}

void Logic::AwardExtraLife()
{
    if (ExtraLivesAwarded < 0 || ExtraLivesAwarded >= NUMBER_OF_EXTRA_LIVES) return;
    if (Score < EXTRA_LIFE_SCORE[ExtraLivesAwarded]) return;

    ExtraLivesAwarded++;
    Lives++;
    audio->PlayDigitalSoundFX(SFX_ONE_UP, 0);
}

void Logic::AdvancePowerPelletSwell()
{
    for (int copy = 0; copy < NUMBER_OF_SWELL_COPIES; copy++)
    {
        if (SwellTransparency[copy] <= 0.0f) continue;
        SwellScale[copy] += SWELL_GROWTH;
        SwellTransparency[copy] -= SWELL_FADE;
    }
}
