// The playing screen's picture: the static behind the board, the board
// window around the hero, the hero and the ghosts, the mini-map, the panel,
// the television frame and the pause picture.
#include "visuals/visuals.h"

#include <stdio.h>
#include <stdlib.h>

#include "checks.h"
#include "logic/logic.h"
#include "screens/screens.h"

// Pellet map values.
const uint8_t PELLET = 1;
const uint8_t POWER_PELLET = 2;

// Power pellets blink: big from 30 down to 15, small below.
const uint16_t POWER_PELLET_BIG_FROM = 15;
const uint16_t MAP_POWER_PELLET_SHOWN_ABOVE = 15;

// Wall tint (green and blue) per level; red stays full. Level 6 keeps the
// tint of level 5, level 0 only ever passes through a set-up.
const float KEEP_TINT = -1.0f;
const float WALL_TINT[NUMBER_OF_LEVELS] = {KEEP_TINT, 1.0f, 0.8f, 0.6f, 0.4f, 0.2f, KEEP_TINT};

// The panel of score, level and lives along the top.
const int PANEL_FONT = 1;
const float PANEL_Y = 40;
const float PANEL_MARGIN_X = 40;

const int PAUSE_FONT = 0;

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

void Visuals::DrawPlayer()
{
    const int base = RULE_HOLDS(logic->PlayerDirection < NUMBER_OF_DIRECTION_VALUES) ? PLAYER_SPRITE_BASE[logic->PlayerDirection] : 0;
    if (logic->PlayerDeathTimer > 0)
    {
        DrawDyingPlayer(base);
        return;
    }
    DrawLivePlayer(base);
    DrawPowerPelletAnimation();
}

void Visuals::DrawLivePlayer(int base)
{
    if (base == 0) return;

    const int offset = abs(IsVerticalDirection(logic->PlayerDirection) ? logic->PlayerOffsetY : logic->PlayerOffsetX);
    const bool onStep = offset % MOUTH_STEP == 0 && offset <= TILE_SIZE;
    const int picture = onStep ? MOUTH_PICTURE_BY_STEP[offset / MOUTH_STEP] : 0;
    DrawSpriteOntoScreenBuffer(base + picture);
}

void Visuals::DrawDyingPlayer(int base)
{
    if (base == 0) return;

    int tens = (logic->PlayerDeathTimer - 1) / DEATH_FRAMES_PER_PICTURE;
    if (tens >= DEATH_PICTURE_STEPS) tens = DEATH_PICTURE_STEPS - 1;
    DrawSpriteOntoScreenBuffer(base + DEATH_PICTURE_BY_TENS[tens]);
}

// Each copy over the hero, upright.
void Visuals::DrawPowerPelletAnimation()
{
    for (int copy = 0; copy < NUMBER_OF_SWELL_COPIES; copy++)
    {
        if (logic->SwellTransparency[copy] <= 0.0f) continue;
        Sprite& sprite = Sprites[SWELL_SPRITE[copy]];
        sprite.ScreenX = PLAYER_SCREEN_X;
        sprite.ScreenY = PLAYER_SCREEN_Y;
        sprite.ScaleX = logic->SwellScale[copy];
        sprite.ScaleY = logic->SwellScale[copy];
        sprite.RotationDegree = 0.0f;
        sprite.Transparency = logic->SwellTransparency[copy];
        DrawSpriteOntoScreenBuffer(SWELL_SPRITE[copy]);
    }
}

// The drawing order flips every frame, so overlapping ghosts take turns on
// top.
void Visuals::DrawGhosts()
{
    for (int visit = 0; visit < NUMBER_OF_GHOSTS; visit++)
        DrawGhost(logic->GhostDrawingOrder == 1 ? visit : NUMBER_OF_GHOSTS - 1 - visit);
}

void Visuals::DrawGhost(int ghost)
{
    if (!logic->GhostActive[ghost]) return;

    const int columns = logic->GhostTileX[ghost] - logic->PlayerTileX;
    const int rows = logic->GhostTileY[ghost] - logic->PlayerTileY;
    if (abs(columns) > VIEW_HALF_COLUMNS || abs(rows) > VIEW_HALF_ROWS) return;

    const int x = PLAYER_SCREEN_X + TILE_SIZE * columns - logic->PlayerOffsetX + logic->GhostOffsetX[ghost];
    const int y = PLAYER_SCREEN_Y + TILE_SIZE * rows - logic->PlayerOffsetY + logic->GhostOffsetY[ghost];

    const int body = GhostBodySprite(ghost);
    if (body != 0) DrawSpriteAt(body, x, y);

    const uint8_t direction = logic->GhostDirection[ghost];
    const int eyes = RULE_HOLDS(direction < NUMBER_OF_DIRECTION_VALUES) ? EYES_SPRITE_FOR_DIRECTION[direction] : 0;
    if (eyes != 0) DrawSpriteAt(eyes, x, y);
}

// 0 when the ghost shows no body (eyes only).
int Visuals::GhostBodySprite(int ghost) const
{
    const int ownSprite = SPRITE_GHOST_BODIES + 2 * ghost;
    const uint8_t shown = logic->GhostEatenThisFrame[ghost] ? (uint8_t)GHOST_SCARED : logic->GhostState[ghost];
    switch (shown)
    {
        case GHOST_NORMAL:
            return ownSprite + logic->GhostAnimationFrame;
        case GHOST_SCARED:
            if (logic->GhostAnimationFrame == 0) return SPRITE_SCARED_GHOST;
            return logic->PowerPelletTimer > SCARED_FLASH_FRAMES ? SPRITE_SCARED_GHOST_SECOND : ownSprite + 1;
        default:
            return 0;
    }
}

void Visuals::DrawSpriteAt(unsigned short index, float x, float y)
{
    Sprites[index].ScreenX = x;
    Sprites[index].ScreenY = y;
    DrawSpriteOntoScreenBuffer(index);
}

// Centre of a cell of the board window on the screen.
static int CellScreenX(int column, int offsetX)
{
    return BOARD_WINDOW_LEFT - offsetX + TILE_SIZE * (column - logic->PlayerTileX + BOARD_WINDOW_HALF_COLUMNS);
}

static int CellScreenY(int row, int offsetY)
{
    return BOARD_WINDOW_TOP - offsetY + TILE_SIZE * (row - logic->PlayerTileY + BOARD_WINDOW_HALF_ROWS);
}

static bool IsWallCell(int column, int row)
{
    return column >= 0 && column < BOARD_SIZE && row >= 0 && row < BOARD_SIZE &&
           logic->BoundaryLegoMap[column][row] == 1;
}

// A wall picture that is opaque and at least a tile large hides its whole
// tile: drawn upright and unmirrored, it lies centred on it.
static bool WallsHideTheirTiles()
{
    ScreenArea wall;
    return visuals->Sprites[SPRITE_WALL].Opaque && visuals->FindSpriteArea(SPRITE_WALL, wall) &&
           wall.Right - wall.Left >= TILE_SIZE && wall.Bottom - wall.Top >= TILE_SIZE;
}

// Above, below and between the walls: at most one open stretch more than
// the walls in a row of the board window.
const int MAX_OPEN_AREAS = 2 + (2 * BOARD_WINDOW_HALF_ROWS + 1) * (BOARD_WINDOW_HALF_COLUMNS + 1);

static void AddOpenArea(ScreenArea* areas, int& count, float left, float top, float right, float bottom)
{
    if (right > left && bottom > top) areas[count++] = ScreenArea{left, top, right, bottom};
}

// The screen less the wall tiles of the board window, row by row.
static int FindOpenAreas(int offsetX, int offsetY, ScreenArea* areas)
{
    const int heroX = logic->PlayerTileX;
    const int heroY = logic->PlayerTileY;
    const int firstRow = heroY - BOARD_WINDOW_HALF_ROWS;
    const int lastRow = heroY + BOARD_WINDOW_HALF_ROWS;
    const float halfTile = TILE_SIZE / 2;
    int count = 0;
    AddOpenArea(areas, count, 0, 0, VIRTUAL_SCREEN_WIDTH, CellScreenY(firstRow, offsetY) - halfTile);
    for (int row = firstRow; row <= lastRow; row++)
    {
        const float top = CellScreenY(row, offsetY) - halfTile;
        float openFrom = 0;
        for (int column = heroX - BOARD_WINDOW_HALF_COLUMNS; column <= heroX + BOARD_WINDOW_HALF_COLUMNS; column++)
        {
            if (!IsWallCell(column, row)) continue;
            const float wallLeft = CellScreenX(column, offsetX) - halfTile;
            AddOpenArea(areas, count, openFrom, top, wallLeft, top + TILE_SIZE);
            openFrom = wallLeft + TILE_SIZE;
        }
        AddOpenArea(areas, count, openFrom, top, VIRTUAL_SCREEN_WIDTH, top + TILE_SIZE);
    }
    AddOpenArea(areas, count, 0, CellScreenY(lastRow, offsetY) + halfTile, VIRTUAL_SCREEN_WIDTH,
                VIRTUAL_SCREEN_HEIGHT);
    return count;
}

// The static noise fills the screen behind the board; under opaque walls it
// would be covered at once, so it is drawn only where the walls leave room.
static void DrawStaticBackground(int offsetX, int offsetY)
{
    if (!WallsHideTheirTiles())
    {
        visuals->DrawSpriteOntoScreenBuffer(SPRITE_TV_STATIC);
        return;
    }
    ScreenArea open[MAX_OPEN_AREAS];
    const int count = FindOpenAreas(offsetX, offsetY, open);
    visuals->DrawSpriteOntoScreenBufferWithin(SPRITE_TV_STATIC, open, count);
}

static void TintWallsForLevel()
{
    if (!RULE_HOLDS(logic->Level < NUMBER_OF_LEVELS) || WALL_TINT[logic->Level] == KEEP_TINT) return;
    Sprite& wall = visuals->Sprites[SPRITE_WALL];
    wall.RedHue = 1.0f;
    wall.GreenHue = WALL_TINT[logic->Level];
    wall.BlueHue = WALL_TINT[logic->Level];
}

static void DrawBoardCell(int column, int row, float x, float y)
{
    const uint8_t pellet = logic->PelletMap[column][row];
    if (logic->BoundaryLegoMap[column][row] == 1)
        visuals->DrawSpriteAt(SPRITE_WALL, x, y);
    else if (pellet == PELLET)
        visuals->DrawSpriteAt(SPRITE_PELLET, x, y);
    else if (pellet == POWER_PELLET)
        visuals->DrawSpriteAt(logic->PowerPelletFlashTimer >= POWER_PELLET_BIG_FROM ? SPRITE_POWER_PELLET : SPRITE_PELLET, x, y);
}

// The 13 x 11 tiles around the hero, moved by his pixel offset so the view
// scrolls smoothly with him.
static void DrawBoardWindow(int offsetX, int offsetY)
{
    TintWallsForLevel();
    const int heroX = logic->PlayerTileX;
    const int heroY = logic->PlayerTileY;
    for (int row = heroY - BOARD_WINDOW_HALF_ROWS; row <= heroY + BOARD_WINDOW_HALF_ROWS; row++)
    {
        if (row < 0 || row >= BOARD_SIZE) continue;
        for (int column = heroX - BOARD_WINDOW_HALF_COLUMNS; column <= heroX + BOARD_WINDOW_HALF_COLUMNS; column++)
        {
            if (column < 0 || column >= BOARD_SIZE) continue;
            DrawBoardCell(column, row, CellScreenX(column, offsetX), CellScreenY(row, offsetY));
        }
    }
}

static void DrawMiniMap()
{
    visuals->DrawSpriteAt(SPRITE_MAP_BACKGROUND, MAP_BACKGROUND_X, MAP_BACKGROUND_Y);
    const bool powerPelletsShown = logic->PowerPelletFlashTimer > MAP_POWER_PELLET_SHOWN_ABOVE;
    for (int x = 0; x < BOARD_SIZE; x++)
    {
        for (int y = 0; y < BOARD_SIZE; y++)
        {
            const float screenX = MAP_LEFT + MAP_DOT_SPACING * x;
            const float screenY = MAP_TOP + MAP_DOT_SPACING * y;
            const uint8_t pellet = logic->PelletMap[x][y];
            if (pellet == PELLET || (pellet == POWER_PELLET && powerPelletsShown))
                visuals->DrawSpriteAt(SPRITE_MAP_PELLET, screenX, screenY);
            if (x == logic->PlayerTileX && y == logic->PlayerTileY) visuals->DrawSpriteAt(SPRITE_MAP_HERO, screenX, screenY);
        }
    }
}

static void DrawPanelNumber(uint32_t value, float x, unsigned char justification)
{
    snprintf(visuals->VariableText, sizeof(visuals->VariableText), "%u", (unsigned)value);
    visuals->DrawTextOntoScreenBuffer(visuals->VariableText, visuals->Font[PANEL_FONT], x, PANEL_Y, justification,
                                      255, 255, 1, 1, 1, 1);
}

static void DrawPanel()
{
    DrawPanelNumber(logic->Score, PANEL_MARGIN_X, JUSTIFY_LEFT);
    DrawPanelNumber(logic->Level, 0, JUSTIFY_CENTER_SCREEN);
    DrawPanelNumber(logic->Lives, PANEL_MARGIN_X, JUSTIFY_RIGHT);
}

static void PlaceTelevisionFrame()
{
    Sprite& frame = visuals->Sprites[SPRITE_TV_FRAME];
    frame.ScaleX = TV_FRAME_SCALE;
    frame.ScaleY = TV_FRAME_SCALE;
    frame.ScreenX = TV_FRAME_X;
    frame.ScreenY = TV_FRAME_Y;
}

// Nothing drawn before the television frame can be seen where the frame
// covers the screen opaquely, nor anywhere while the game is paused: the
// pause picture then covers the whole screen.
static void KeepDrawingWhereItCanBeSeen()
{
    static const ScreenArea NOWHERE = {0.0f, 0.0f, 0.0f, 0.0f};
    PlaceTelevisionFrame();
    ScreenArea seenThrough;
    if (logic->GamePaused)
        visuals->KeepDrawingWithin(&NOWHERE);
    else if (visuals->FindAreaSeenThrough(SPRITE_TV_FRAME, seenThrough))
        visuals->KeepDrawingWithin(&seenThrough);
}

static void DrawEverywhereAgain()
{
    visuals->KeepDrawingWithin(nullptr);
}

static void DrawTelevisionFrame()
{
    if (logic->GamePaused && visuals->DrawOnlyVisibleParts) return;  // the pause picture covers it
    PlaceTelevisionFrame();
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_TV_FRAME);
}

static void DrawPausePicture()
{
    if (!logic->GamePaused) return;
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    visuals->DrawTextOntoScreenBuffer("P A U S E D", visuals->Font[PAUSE_FONT], 0, 220, JUSTIFY_CENTER_SCREEN, 255,
                                      255, 255, 70, 70, 70);
    visuals->DrawTextOntoScreenBuffer("(Press [SpaceBar] To Continue!)", visuals->Font[PAUSE_FONT], 0, 260,
                                      JUSTIFY_CENTER_SCREEN, 255, 255, 255, 70, 70, 70);
}

// Everything under the television frame, from the static to the panel, then
// the frame and the pause picture over it.
void Visuals::DrawPlayingGameScreen()
{
    KeepDrawingWhereItCanBeSeen();
    DrawStaticBackground(logic->PlayerOffsetX, logic->PlayerOffsetY);
    DrawBoardWindow(logic->PlayerOffsetX, logic->PlayerOffsetY);
    DrawPlayer();
    if (logic->GhostsMetTheHero) DrawGhosts();
    DrawMiniMap();
    DrawPanel();
    DrawEverywhereAgain();
    DrawTelevisionFrame();
    DrawPausePicture();
    screens->ScreenBufferNeedsDisplay = 1;
}
