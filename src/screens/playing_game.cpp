#include "screens/screens.h"

#include <stdio.h>

#include "audio/audio.h"
#include "checks.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"
#include "visuals/visuals.h"

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

// Frames in which input reads nothing after a key has been acted on.
const int32_t INPUT_DELAY_AFTER_KEY = 20;

// The frame period of the menus the game returns to.
const int32_t MENU_FRAME_DELAY_MILLISECONDS = 16;

const uint8_t NAME_ENTRY_SCREEN_BY_CONTROLLER[2] = {NAME_INPUT_KEYBOARD_SCREEN, NAME_INPUT_JOYSTICK_SCREEN};

static void StartNewGame()
{
    screens->ScreenTransitionStatus = FADE_IN;
    screens->ScreenFadeTransparency = 1.0f;
    // An Escape that cut the opening scene short must not end this game as abandoned.
    screens->ScreenExitedWithEscapeKey = 0;
    logic->GamePaused = 0;
    logic->PauseLocked = 0;
    logic->SetupForNewGame();
    data->PlayerRankOnGameOver = RANK_NONE;
    audio->ResumeMusic();  // the opening scene paused it
    audio->PlayMusic(MUSIC_IN_GAME, 1);
}

static void DrawSpriteAt(unsigned short index, float x, float y)
{
    visuals->Sprites[index].ScreenX = x;
    visuals->Sprites[index].ScreenY = y;
    visuals->DrawSpriteOntoScreenBuffer(index);
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
        DrawSpriteAt(SPRITE_WALL, x, y);
    else if (pellet == PELLET)
        DrawSpriteAt(SPRITE_PELLET, x, y);
    else if (pellet == POWER_PELLET)
        DrawSpriteAt(logic->PowerPelletFlashTimer >= POWER_PELLET_BIG_FROM ? SPRITE_POWER_PELLET : SPRITE_PELLET, x, y);
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
    DrawSpriteAt(SPRITE_MAP_BACKGROUND, MAP_BACKGROUND_X, MAP_BACKGROUND_Y);
    const bool powerPelletsShown = logic->PowerPelletFlashTimer > MAP_POWER_PELLET_SHOWN_ABOVE;
    for (int x = 0; x < BOARD_SIZE; x++)
    {
        for (int y = 0; y < BOARD_SIZE; y++)
        {
            const float screenX = MAP_LEFT + MAP_DOT_SPACING * x;
            const float screenY = MAP_TOP + MAP_DOT_SPACING * y;
            const uint8_t pellet = logic->PelletMap[x][y];
            if (pellet == PELLET || (pellet == POWER_PELLET && powerPelletsShown))
                DrawSpriteAt(SPRITE_MAP_PELLET, screenX, screenY);
            if (x == logic->PlayerTileX && y == logic->PlayerTileY) DrawSpriteAt(SPRITE_MAP_HERO, screenX, screenY);
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

// 'r' and 'l' set up a board, in debug mode only; clearing the fifth wins.
static void TakeDebugKey()
{
    if (game->DebugOn != 1 || !logic->TakeDebugKey(input->KeyOnKeyboardPressedByUser)) return;
    input->DelayAllUserInput = INPUT_DELAY_AFTER_KEY;
    if (logic->Level == WON_LEVEL) screens->ScreenTransitionStatus = FADE_OUT;
}

// A loss in a frame that ends early waits for the next frame that goes on.
static void PauseWhenTheWindowLosesFocus()
{
    if (!input->WindowLostFocus || screens->ScreenTransitionStatus == FADE_OUT) return;
    input->WindowLostFocus = 0;
    logic->PauseForLostFocus();
}

// After a lost or abandoned game the score goes through the high-score
// test; a won game leaves that to the credits after the ending scene.
static void LeavePlayingGame()
{
    screens->ScreenTransitionStatus = FADE_ALL;
    game->FrameDelayMilliseconds = MENU_FRAME_DELAY_MILLISECONDS;
    audio->HaltAllEffects();
    if (logic->Level == WON_LEVEL)
    {
        screens->ScreenToDisplay = ENDING_SCENE_SCREEN;
        return;
    }

    audio->PlayMusic(MUSIC_TITLE, 1);
    data->CheckForNewHighScore();
    if (data->PlayerRankOnGameOver >= NUMBER_OF_HIGH_SCORES)
    {
        screens->ScreenToDisplay = HIGH_SCORES_SCREEN;
    }
    else
    {
        screens->ScreenToDisplay = NAME_ENTRY_SCREEN_BY_CONTROLLER[logic->PlayerJoystick != 0];
        audio->PlayMusic(MUSIC_NEW_HIGH_SCORE, 0);
    }
    if (screens->ScreenExitedWithEscapeKey) screens->ScreenToDisplay = TITLE_SCREEN;
}

// A frame of play: the board's rules, then what the screen makes of the
// frame's end. A frame that ends the game or the board shows nothing.
void Screens::DisplayPlayingGameScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartNewGame();
    const int played = logic->PlayTheBoard();
    ScreenRedrawDue = played == PLAY_GOES_ON;
    if (played != PLAY_GOES_ON)
    {
        if (played == PLAY_LAST_LIFE_LOST || logic->Level == WON_LEVEL) ScreenTransitionStatus = FADE_OUT;
        return;
    }
    TakeDebugKey();
    logic->EndScaredTimeEarlyWhenNoGhostIsScared();
    logic->StopGhostsOnWalls();
    if (logic->TakePauseKey(input->KeyOnKeyboardPressedByUser)) input->DelayAllUserInput = INPUT_DELAY_AFTER_KEY;
    PauseWhenTheWindowLosesFocus();
    if (ScreenTransitionStatus == FADE_OUT && ScreenFadeTransparency > 0.9f) LeavePlayingGame();
}

// Everything under the television frame, from the static to the panel, then
// the frame and the pause picture over it.
void Screens::DrawPlayingGameScreen()
{
    KeepDrawingWhereItCanBeSeen();
    DrawStaticBackground(logic->PlayerOffsetX, logic->PlayerOffsetY);
    DrawBoardWindow(logic->PlayerOffsetX, logic->PlayerOffsetY);
    logic->DrawPlayer();
    if (logic->GhostsMetTheHero) logic->DrawGhosts();
    DrawMiniMap();
    DrawPanel();
    DrawEverywhereAgain();
    DrawTelevisionFrame();
    DrawPausePicture();
    ScreenBufferNeedsDisplay = 1;
}
