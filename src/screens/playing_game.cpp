#include "screens/screens.h"

#include <stdio.h>

#include <algorithm>

#include <SDL_mixer.h>

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

// Power pellets blink over 31 frames: big from 30 down to 15, small below.
const uint16_t POWER_PELLET_FLASH_FRAMES = 30;
const uint16_t POWER_PELLET_BIG_FROM = 15;
const uint16_t MAP_POWER_PELLET_SHOWN_ABOVE = 15;

// The hero eats at most one pellet a frame.
const uint16_t PELLETS_EATEN_PER_FRAME = 1;

// Frames of scared time left once no ghost is scared any more.
const uint16_t SCARED_TIME_WITHOUT_SCARED_GHOSTS = 35;

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

// Clearing the fifth board makes this level: the game is won.
const uint8_t LEVEL_GAME_WON = 6;

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
    Mix_ResumeMusic();  // the opening scene paused it
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

static void AdvancePowerPelletBlink()
{
    if (logic->PowerPelletFlashTimer == 0)
        logic->PowerPelletFlashTimer = POWER_PELLET_FLASH_FRAMES;
    else
        logic->PowerPelletFlashTimer--;
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

static void EndScaredTime()
{
    Mix_HaltChannel(-1);  // the scared ghosts' siren
    logic->PowerPelletTimer = 0;
    logic->GhostsEatenSincePowerPellet = 0;
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        if (logic->GhostState[ghost] == GHOST_SCARED) logic->GhostState[ghost] = GHOST_NORMAL;
    }
}

static void CountDownScaredTime()
{
    if (logic->PowerPelletTimer > 1 && !logic->GamePaused) logic->PowerPelletTimer--;
    if (logic->PowerPelletTimer == 1) EndScaredTime();
}

// The death animation takes its last step: from 2 to 1, or standing at 1
// while paused.
static bool DeathAnimationEndsThisFrame()
{
    return logic->PlayerDeathTimer == (logic->GamePaused ? 1 : 2);
}

// Moves and draws the ghosts and moves the hero while he lives, or runs his
// death animation; true when a life has just ended.
static bool MoveActorsOrRunDeathAnimation()
{
    const bool paused = logic->GamePaused;
    if (logic->PlayerDeathTimer == 0)
    {
        if (!paused) logic->ProcessGhosts();
        logic->DrawGhosts();
        if (!paused) logic->ProcessPlayer();
        return logic->PlayerDeathTimer == 1;
    }
    const bool lifeEnds = DeathAnimationEndsThisFrame();
    if (!paused) logic->PlayerDeathTimer--;
    return lifeEnds;
}

// The frame's two early ends, which FrameMayEndEarly foresees: the last
// life ends, or the board is cleared.
static bool LastLifeEnds(bool lifeEnds)
{
    return lifeEnds && logic->Lives == 0;
}

static bool BoardIsCleared(uint16_t pelletsLeft)
{
    return pelletsLeft == 0;
}

static void TakeALife()
{
    logic->Lives--;
    logic->SetupForNewLife();
}

// Clearing the fifth board wins the game, which then fades out.
static void SetUpTheNextBoard()
{
    logic->SetupForNewBoard();
    if (logic->Level == LEVEL_GAME_WON) screens->ScreenTransitionStatus = FADE_OUT;
}

static void AdvanceToTheNextBoard()
{
    Mix_HaltChannel(-1);
    SetUpTheNextBoard();
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

// 'r' plays the current level again, 'l' skips to the next; both with two
// spare lives.
static void ProcessDebugKeys()
{
    if (game->DebugOn != 1) return;
    const char key = input->KeyOnKeyboardPressedByUser;
    if (key != 'r' && key != 'l') return;

    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    input->DelayAllUserInput = INPUT_DELAY_AFTER_KEY;
    logic->Lives = 2;
    if (key == 'r') logic->Level--;
    SetUpTheNextBoard();
}

static void PlaceTelevisionFrame()
{
    Sprite& frame = visuals->Sprites[SPRITE_TV_FRAME];
    frame.ScaleX = TV_FRAME_SCALE;
    frame.ScaleY = TV_FRAME_SCALE;
    frame.ScreenX = TV_FRAME_X;
    frame.ScreenY = TV_FRAME_Y;
}

// The frame may end before the television frame and the pause picture,
// foreseen by the tests of its exits: the death animation may take its last
// step with no life left, the hero may eat the last pellet.
static bool FrameMayEndEarly()
{
    const bool lifeMayEnd = logic->PlayerDeathTimer != 0 && DeathAnimationEndsThisFrame();
    const uint16_t pellets = logic->PelletsLeftOnBoard;
    return LastLifeEnds(lifeMayEnd) || BoardIsCleared(pellets - std::min(pellets, PELLETS_EATEN_PER_FRAME));
}

// Nothing drawn before the television frame can be seen where the frame
// covers the screen opaquely, nor anywhere while the game is paused: the
// pause picture then covers the whole screen. A frame that may end before
// them is drawn whole.
static void KeepDrawingWhereItCanBeSeen(bool frameMayEndEarly)
{
    static const ScreenArea NOWHERE = {0.0f, 0.0f, 0.0f, 0.0f};
    if (frameMayEndEarly) return;
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

static void EndScaredTimeEarlyWhenNoGhostIsScared()
{
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        if (logic->GhostActive[ghost] && logic->GhostState[ghost] == GHOST_SCARED) return;
    }
    if (logic->PowerPelletTimer > SCARED_TIME_WITHOUT_SCARED_GHOSTS)
        logic->PowerPelletTimer = SCARED_TIME_WITHOUT_SCARED_GHOSTS;
}

static void StopGhostsOnWalls()
{
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        if (!logic->GhostActive[ghost] || logic->GhostStopped[ghost]) continue;
        const int x = logic->GhostTileX[ghost];
        const int y = logic->GhostTileY[ghost];
        if (x >= BOARD_SIZE || y >= BOARD_SIZE || logic->BoundaryLegoMap[x][y] != 1) continue;
        logic->GhostStopped[ghost] = 1;
        printf("[WARNING]: Ghost has moved to boundary Lego, ghost stopped!\n");
    }
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

static void SetGamePaused(bool paused)
{
    logic->GamePaused = paused;
    if (paused)
        Mix_PauseMusic();
    else
        Mix_ResumeMusic();
}

static void ProcessPauseKey()
{
    if (input->KeyOnKeyboardPressedByUser != '_' || logic->PauseLocked) return;
    SetGamePaused(!logic->GamePaused);
    input->DelayAllUserInput = INPUT_DELAY_AFTER_KEY;
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
}

// A player who switched windows, or was called away, comes back to a game
// that waits for Space; getting the focus back resumes nothing. A loss in a
// frame that ends early waits for the next frame that goes on.
static void PauseWhenTheWindowLosesFocus()
{
    if (!input->WindowLostFocus || screens->ScreenTransitionStatus == FADE_OUT) return;
    input->WindowLostFocus = 0;
    if (!logic->GamePaused && !logic->PauseLocked) SetGamePaused(true);
}

// After a lost or abandoned game the score goes through the high-score
// test; a won game leaves that to the credits after the ending scene.
static void LeavePlayingGame()
{
    screens->ScreenTransitionStatus = FADE_ALL;
    game->FrameDelayMilliseconds = MENU_FRAME_DELAY_MILLISECONDS;
    Mix_HaltChannel(-1);
    if (logic->Level == LEVEL_GAME_WON)
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

// The frame's play and everything drawn under the television frame, from
// the static to the panel; false when the frame ends early: the game is lost
// and fades out, or the board is cleared.
static bool PlayUnderTheTelevision(int offsetX, int offsetY)
{
    DrawStaticBackground(offsetX, offsetY);
    AdvancePowerPelletBlink();
    DrawBoardWindow(offsetX, offsetY);
    CountDownScaredTime();
    logic->DrawPlayer();
    const bool lifeEnds = MoveActorsOrRunDeathAnimation();
    if (LastLifeEnds(lifeEnds))
    {
        screens->ScreenTransitionStatus = FADE_OUT;
        return false;
    }
    if (lifeEnds) TakeALife();
    if (BoardIsCleared(logic->PelletsLeftOnBoard))
    {
        AdvanceToTheNextBoard();
        return false;
    }
    DrawMiniMap();
    DrawPanel();
    ProcessDebugKeys();
    return true;
}

void Screens::DisplayPlayingGameScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartNewGame();

    const bool frameMayEndEarly = FrameMayEndEarly();
    KeepDrawingWhereItCanBeSeen(frameMayEndEarly);
    const bool frameGoesOn = PlayUnderTheTelevision(logic->PlayerOffsetX, logic->PlayerOffsetY);
    DrawEverywhereAgain();
    if (!frameGoesOn)
    {
        // Unforeseen, the frame was drawn only where the television would show it: not to be shown.
        if (!RULE_HOLDS(frameMayEndEarly)) ScreenBufferNeedsDisplay = 0;
        return;
    }
    DrawTelevisionFrame();
    EndScaredTimeEarlyWhenNoGhostIsScared();
    StopGhostsOnWalls();
    DrawPausePicture();
    ScreenBufferNeedsDisplay = 1;
    ProcessPauseKey();
    PauseWhenTheWindowLosesFocus();
    if (ScreenTransitionStatus == FADE_OUT && ScreenFadeTransparency > 0.9f) LeavePlayingGame();
}
