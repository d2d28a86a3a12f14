#ifndef WOBBLER_LOGIC_H
#define WOBBLER_LOGIC_H

#include <stdint.h>

#include "input/input.h"
#include "state_fields.h"

// The maze is 27 x 27 tiles of 64 x 64 pixels; maps are indexed [x][y].
const int BOARD_SIZE = 27;
const int TILE_SIZE = 64;
const int NUMBER_OF_GHOSTS = 8;
const int NUMBER_OF_LEVELS = 7;  // levels 1..5 are played, 6 means won
const uint8_t LAST_PLAYED_LEVEL = 5;
const uint8_t WON_LEVEL = 6;

// The random generator's ring of words: r[i] = r[i - 31] + r[i - 3].
const int RANDOM_WORDS = 31;

// Where the hero starts and where ghosts start and come back to life.
const int PLAYER_START_TILE_X = 13;
const int PLAYER_START_TILE_Y = 19;
const int GHOST_HOME_TILE_X = 13;
const int GHOST_HOME_TILE_Y = 13;

// Tile steps by direction (CENTER 0, UP 1, RIGHT 3, DOWN 5, LEFT 7).
const int NUMBER_OF_DIRECTION_VALUES = 8;
static const int8_t DIRECTION_DELTA_X[NUMBER_OF_DIRECTION_VALUES] = {0, 0, 0, 1, 0, 0, 0, -1};
static const int8_t DIRECTION_DELTA_Y[NUMBER_OF_DIRECTION_VALUES] = {0, -1, 0, 0, 0, 1, 0, 0};

static inline bool IsMoveDirection(uint8_t direction)
{
    return direction < NUMBER_OF_DIRECTION_VALUES && (DIRECTION_DELTA_X[direction] != 0 || DIRECTION_DELTA_Y[direction] != 0);
}

static inline bool IsVerticalDirection(uint8_t direction)
{
    return direction < NUMBER_OF_DIRECTION_VALUES && DIRECTION_DELTA_Y[direction] != 0;
}

// Copies of the hero that swell and fade over him when he eats a power
// pellet, one for each way he may eat it: up, right, down, left.
const int NUMBER_OF_SWELL_COPIES = 4;

// How a frame of play ended: on, or early, before anything else of the frame.
enum
{
    PLAY_GOES_ON = 0,
    PLAY_LAST_LIFE_LOST = 1,
    PLAY_BOARD_CLEARED = 2  // the next board is set up, or the game is won
};

enum
{
    GHOST_NORMAL = 0,
    GHOST_SCARED = 1,
    GHOST_EYES = 2
};

// The whole state of a game in progress: maps, hero, ghosts, score, lives,
// level and the timers of the scared time and the death animation.
#define LOGIC_STATE(FIELD)                                                  \
    FIELD(uint32_t, Score, )                                                \
    FIELD(int32_t, ExtraLivesAwarded, )                                     \
    FIELD(uint32_t, RandomWords, [RANDOM_WORDS])                            \
    FIELD(float, SwellScale, [NUMBER_OF_SWELL_COPIES]) /* the swelling copies of the hero */ \
    FIELD(float, SwellTransparency, [NUMBER_OF_SWELL_COPIES]) /* one of 0 is not shown */ \
    FIELD(uint16_t, PelletsLeftOnBoard, )                                   \
    FIELD(int16_t, PlayerDeathTimer, )                                      \
    FIELD(uint16_t, PowerPelletTimer, )                                     \
    FIELD(uint16_t, PowerPelletTimeForLevel, [NUMBER_OF_LEVELS])            \
    FIELD(uint16_t, PowerPelletFlashTimer, )                                \
    FIELD(uint8_t, PlayerJoystick, )                                        \
    FIELD(uint8_t, GameMode, )                                              \
    FIELD(uint8_t, PauseLocked, )                                           \
    FIELD(uint8_t, GamePaused, )                                            \
    FIELD(uint8_t, BoundaryLegoMap, [BOARD_SIZE][BOARD_SIZE])               \
    FIELD(uint8_t, PelletMap, [BOARD_SIZE][BOARD_SIZE])                     \
    FIELD(uint8_t, ReturnMap, [BOARD_SIZE][BOARD_SIZE])                     \
    FIELD(uint8_t, PlayerTileX, )                                           \
    FIELD(uint8_t, PlayerTileY, )                                           \
    FIELD(int8_t, PlayerOffsetX, )                                          \
    FIELD(int8_t, PlayerOffsetY, )                                          \
    FIELD(uint8_t, PlayerDirection, )                                       \
    FIELD(uint8_t, PlayerNextDirection, )                                   \
    FIELD(uint8_t, PlayerSpeed, )                                           \
    FIELD(uint8_t, Lives, )                                                 \
    FIELD(uint8_t, Level, )                                                 \
    FIELD(uint8_t, GhostsEatenSincePowerPellet, )                           \
    FIELD(uint8_t, GhostDrawingOrder, )                                     \
    FIELD(uint8_t, GhostActive, [NUMBER_OF_GHOSTS])                         \
    FIELD(uint8_t, GhostState, [NUMBER_OF_GHOSTS])                          \
    FIELD(uint8_t, GhostAnimationFrame, )                                   \
    FIELD(uint8_t, GhostTileX, [NUMBER_OF_GHOSTS])                          \
    FIELD(uint8_t, GhostTileY, [NUMBER_OF_GHOSTS])                          \
    FIELD(int8_t, GhostOffsetX, [NUMBER_OF_GHOSTS])                         \
    FIELD(int8_t, GhostOffsetY, [NUMBER_OF_GHOSTS])                         \
    FIELD(uint8_t, GhostDirection, [NUMBER_OF_GHOSTS])                      \
    FIELD(uint8_t, GhostSpeed, [NUMBER_OF_GHOSTS])                          \
    FIELD(uint8_t, GhostChaseCount, [NUMBER_OF_GHOSTS])                     \
    FIELD(uint8_t, GhostChaseBlocked, [NUMBER_OF_GHOSTS])                   \
    FIELD(uint8_t, GhostStopped, [NUMBER_OF_GHOSTS])                        \
    FIELD(uint8_t, RandomIndex, ) /* the word the next draw replaces */

// Left out: the palette indices of the top-left 27 x 27 pixels of the image
// being read, [x][y] as the maps (all of an image the maps read), only read
// while a board loads; and what only shows: the ghosts in a frame in which
// they met the hero, alive as it began (one he ate in it still shows its
// scared body).
#define LOGIC_LEFT_OUT(FIELD)                                               \
    FIELD(uint8_t, BoardImage, [BOARD_SIZE][BOARD_SIZE])                    \
    FIELD(uint8_t, GhostsMetTheHero, )                                      \
    FIELD(uint8_t, GhostEatenThisFrame, [NUMBER_OF_GHOSTS])

class Logic
{
public:
    // Every field starts at zero; the constructor sets the three that do not
    // and seeds the random generator with 1, as the C library starts.
    Logic();
    ~Logic();

    LOGIC_STATE(DECLARE_FIELD)
    LOGIC_LEFT_OUT(DECLARE_FIELD)

    // playfield.cpp
    void LoadTilePlayfield();
    void ReadBoardImage();
    void ReadReturnImage();
    void FillPlayfieldWithWalls();
    void AbandonPlayfield();
    bool IsOpenTile(int x, int y) const;
    bool IsOpenNeighbour(int x, int y, uint8_t direction) const;
    static void StepTowardNextCentre(int8_t& offset, uint8_t& tile, int sign, int speed);

    // board_image.cpp
    bool LoadBoardImage(const char* path);

    // setup.cpp
    void SetupForNewGame();
    void SetupForNewBoard();
    void SetupForNewLife();
    void ClearPowerPelletEatenAnimation();
    void StartSwell(int copy, float transparency);
    void ResetPlayer();
    void ResetTimers();
    void ClearActiveGhosts();
    void LineUpGhosts();
    void AdvanceLevel();
    void SetFrameDelayForLevel();
    void EndGameIfWon();

    // player.cpp
    void ProcessPlayer(uint8_t wanted);  // the way the player turns the hero
    void TakePlayerInput(uint8_t wanted);
    void MovePlayer();
    bool TakeQueuedTurn(uint8_t direction);
    void EatPelletAhead();
    void EatPowerPellet(uint8_t direction);
    void AwardExtraLife();
    void AdvancePowerPelletSwell();

    // ghosts.cpp
    void ProcessGhosts();
    uint8_t GetGhostRandomDirection();
    void BringEyesBackToLife(int ghost);
    void StepGhostBetweenCentres(int ghost);
    void DecideGhostAtCentre(int ghost);
    void MoveGhost(int ghost, uint8_t direction);
    void DecideNormalGhost(int ghost);
    bool ChasePlayerInSight(int ghost);
    bool GhostSeesPlayer(int ghost, uint8_t direction) const;
    void CountDownChaseBlock(int ghost);
    void WalkGhostRandomly(int ghost);
    void MoveGhostAnyOpenWay(int ghost);
    void ReturnGhostEyesHome(int ghost);
    void MeetGhostsOnTheHero();
    bool GhostTouchesTheHero(int ghost) const;
    void MeetGhost(int ghost);

    // play.cpp
    int PlayTheBoard(const FrameCommand& command);
    void AdvancePowerPelletBlink();
    void CountDownScaredTime();
    void EndScaredTime();
    bool DeathAnimationEndsThisFrame() const;
    bool MoveActorsOrRunDeathAnimation(uint8_t wanted);
    void TakeALife();
    bool TakeDebugKey(char key);
    void EndScaredTimeEarlyWhenNoGhostIsScared();
    void StopGhostsOnWalls();
    void SetGamePaused(bool paused);
    bool TakePauseKey(char key);
    void PauseForLostFocus();

    // random.cpp
    void SeedRandomGenerator(uint32_t seed);
    int32_t RandomNumber();
};

extern Logic* logic;

// The board and return images of each level; 0 and 6 read the last board.
extern const char* const BOARD_IMAGE_FOR_LEVEL[NUMBER_OF_LEVELS];
extern const char* const RETURN_IMAGE_FOR_LEVEL[NUMBER_OF_LEVELS];

#endif
