#include <stdlib.h>

#include "checks.h"
#include "logic/logic.h"
#include "visuals/visuals.h"

// First picture of the hero facing each direction; 0 draws no hero.
static const int PLAYER_SPRITE_BASE[NUMBER_OF_DIRECTION_VALUES] = {
    0, SPRITE_HERO_UP, 0, SPRITE_HERO_RIGHT, 0, SPRITE_HERO_DOWN, 0, SPRITE_HERO_LEFT};

// Mouth picture (added to the base) by the offset along the way, in steps
// of 8 pixels from the centre: wide open at the centres, shut half-way.
const int MOUTH_STEP = 8;
const int MOUTH_STEPS_PER_TILE = TILE_SIZE / MOUTH_STEP;
static const int MOUTH_PICTURE_BY_STEP[MOUTH_STEPS_PER_TILE + 1] = {2, 2, 1, 1, 0, 1, 1, 2, 2};

// Death picture (added to the base) by tens of frames left: the die
// picture for the last 20 frames, the first picture above 60.
const int DEATH_FRAMES_PER_PICTURE = 10;
const int DEATH_PICTURE_STEPS = 7;
static const int DEATH_PICTURE_BY_TENS[DEATH_PICTURE_STEPS] = {5, 5, 4, 3, 2, 1, 0};

// The swelling copies' pictures, as the hero eats up, right, down and left.
static const int SWELL_SPRITE[NUMBER_OF_SWELL_COPIES] = {SPRITE_SWELL_UP, SPRITE_SWELL_RIGHT, SPRITE_SWELL_DOWN,
                                                         SPRITE_SWELL_LEFT};

// The eyes drawn over every ghost, by its direction.
static const int EYES_SPRITE_FOR_DIRECTION[NUMBER_OF_DIRECTION_VALUES] = {
    0, SPRITE_EYES_UP, 0, SPRITE_EYES_RIGHT, 0, SPRITE_EYES_DOWN, 0, SPRITE_EYES_LEFT};

// Scared ghosts flash in their own colour over the last frames of the scared time.
const uint16_t SCARED_FLASH_FRAMES = 50;

// Tiles of the playing screen's window on either side of the hero.
const int VIEW_HALF_COLUMNS = 6;
const int VIEW_HALF_ROWS = 5;

void Logic::DrawPlayer()
{
    const int base = RULE_HOLDS(PlayerDirection < NUMBER_OF_DIRECTION_VALUES) ? PLAYER_SPRITE_BASE[PlayerDirection] : 0;
    if (PlayerDeathTimer > 0)
    {
        DrawDyingPlayer(base);
        return;
    }
    DrawLivePlayer(base);
    DrawPowerPelletAnimation();
}

void Logic::DrawLivePlayer(int base)
{
    if (base == 0) return;

    const int offset = abs(IsVerticalDirection(PlayerDirection) ? PlayerOffsetY : PlayerOffsetX);
    const bool onStep = offset % MOUTH_STEP == 0 && offset <= TILE_SIZE;
    const int picture = onStep ? MOUTH_PICTURE_BY_STEP[offset / MOUTH_STEP] : 0;
    visuals->DrawSpriteOntoScreenBuffer(base + picture);
}

void Logic::DrawDyingPlayer(int base)
{
    if (base == 0) return;

    int tens = (PlayerDeathTimer - 1) / DEATH_FRAMES_PER_PICTURE;
    if (tens >= DEATH_PICTURE_STEPS) tens = DEATH_PICTURE_STEPS - 1;
    visuals->DrawSpriteOntoScreenBuffer(base + DEATH_PICTURE_BY_TENS[tens]);
}

// Each copy over the hero, upright.
void Logic::DrawPowerPelletAnimation()
{
    for (int copy = 0; copy < NUMBER_OF_SWELL_COPIES; copy++)
    {
        if (SwellTransparency[copy] <= 0.0f) continue;
        Sprite& sprite = visuals->Sprites[SWELL_SPRITE[copy]];
        sprite.ScreenX = PLAYER_SCREEN_X;
        sprite.ScreenY = PLAYER_SCREEN_Y;
        sprite.ScaleX = SwellScale[copy];
        sprite.ScaleY = SwellScale[copy];
        sprite.RotationDegree = 0.0f;
        sprite.Transparency = SwellTransparency[copy];
        visuals->DrawSpriteOntoScreenBuffer(SWELL_SPRITE[copy]);
    }
}

// The drawing order flips every frame, so overlapping ghosts take turns on
// top.
void Logic::DrawGhosts()
{
    for (int visit = 0; visit < NUMBER_OF_GHOSTS; visit++)
        DrawGhost(GhostDrawingOrder == 1 ? visit : NUMBER_OF_GHOSTS - 1 - visit);
}

void Logic::DrawGhost(int ghost)
{
    if (!GhostActive[ghost]) return;

    const int columns = GhostTileX[ghost] - PlayerTileX;
    const int rows = GhostTileY[ghost] - PlayerTileY;
    if (abs(columns) > VIEW_HALF_COLUMNS || abs(rows) > VIEW_HALF_ROWS) return;

    const int x = PLAYER_SCREEN_X + TILE_SIZE * columns - PlayerOffsetX + GhostOffsetX[ghost];
    const int y = PLAYER_SCREEN_Y + TILE_SIZE * rows - PlayerOffsetY + GhostOffsetY[ghost];

    const int body = GhostBodySprite(ghost);
    if (body != 0) DrawSpriteAt(body, x, y);

    const uint8_t direction = GhostDirection[ghost];
    const int eyes = RULE_HOLDS(direction < NUMBER_OF_DIRECTION_VALUES) ? EYES_SPRITE_FOR_DIRECTION[direction] : 0;
    if (eyes != 0) DrawSpriteAt(eyes, x, y);
}

// 0 when the ghost shows no body (eyes only).
int Logic::GhostBodySprite(int ghost) const
{
    const int ownSprite = SPRITE_GHOST_BODIES + 2 * ghost;
    const uint8_t shown = GhostEatenThisFrame[ghost] ? (uint8_t)GHOST_SCARED : GhostState[ghost];
    switch (shown)
    {
        case GHOST_NORMAL:
            return ownSprite + GhostAnimationFrame;
        case GHOST_SCARED:
            if (GhostAnimationFrame == 0) return SPRITE_SCARED_GHOST;
            return PowerPelletTimer > SCARED_FLASH_FRAMES ? SPRITE_SCARED_GHOST_SECOND : ownSprite + 1;
        default:
            return 0;
    }
}

void Logic::DrawSpriteAt(int index, int x, int y)
{
    visuals->Sprites[index].ScreenX = x;
    visuals->Sprites[index].ScreenY = y;
    visuals->DrawSpriteOntoScreenBuffer(index);
}
