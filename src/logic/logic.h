#ifndef WOBBLER_LOGIC_H
#define WOBBLER_LOGIC_H

#include <stdint.h>

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
class Logic
{
public:
    // Every field starts at zero; the constructor sets the three that do not
    // and seeds the random generator with 1, as the C library starts.
    Logic();
    virtual ~Logic();

    uint8_t GameMode{};
    uint8_t PauseLocked{};
    uint8_t GamePaused{};
    int32_t PlayerJoystick{};

    // The palette indices of the top-left 27 x 27 pixels of the image being
    // read, [x][y] as the maps: all of an image the maps read.
    uint8_t BoardImage[BOARD_SIZE][BOARD_SIZE]{};
    uint8_t BoundaryLegoMap[BOARD_SIZE][BOARD_SIZE]{};
    uint8_t PelletMap[BOARD_SIZE][BOARD_SIZE]{};
    uint8_t ReturnMap[BOARD_SIZE][BOARD_SIZE]{};
    uint16_t PelletsLeftOnBoard{};

    uint8_t PlayerTileX{};
    uint8_t PlayerTileY{};
    int8_t PlayerOffsetX{};
    int8_t PlayerOffsetY{};
    uint8_t PlayerDirection{};
    uint8_t PlayerNextDirection{};
    uint8_t PlayerSpeed{};
    uint32_t Score{};
    uint8_t Lives{};
    uint8_t Level{};
    int32_t ExtraLivesAwarded{};
    int16_t PlayerDeathTimer{};
    uint8_t GhostsEatenSincePowerPellet{};
    uint16_t PowerPelletTimer{};
    uint16_t PowerPelletTimeForLevel[NUMBER_OF_LEVELS]{};
    uint16_t PowerPelletFlashTimer{};

    uint8_t GhostDrawingOrder{};
    uint8_t GhostActive[NUMBER_OF_GHOSTS]{};
    uint8_t GhostState[NUMBER_OF_GHOSTS]{};
    uint8_t GhostAnimationFrame{};
    uint8_t GhostTileX[NUMBER_OF_GHOSTS]{};
    uint8_t GhostTileY[NUMBER_OF_GHOSTS]{};
    int8_t GhostOffsetX[NUMBER_OF_GHOSTS]{};
    int8_t GhostOffsetY[NUMBER_OF_GHOSTS]{};
    uint8_t GhostDirection[NUMBER_OF_GHOSTS]{};
    uint8_t GhostSpeed[NUMBER_OF_GHOSTS]{};
    uint8_t GhostChaseCount[NUMBER_OF_GHOSTS]{};
    uint8_t GhostChaseBlocked[NUMBER_OF_GHOSTS]{};
    uint8_t GhostStopped[NUMBER_OF_GHOSTS]{};

    uint32_t RandomWords[RANDOM_WORDS]{};
    uint8_t RandomIndex{};  // the word the next draw replaces

    // What only shows. The swelling copies of the hero; a copy of
    // transparency 0 is not shown.
    float SwellScale[NUMBER_OF_SWELL_COPIES]{};
    float SwellTransparency[NUMBER_OF_SWELL_COPIES]{};
    // The ghosts are shown in a frame in which they met the hero, alive as
    // it began; one he ate in it still shows its scared body.
    uint8_t GhostsMetTheHero{};
    uint8_t GhostEatenThisFrame[NUMBER_OF_GHOSTS]{};

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
    void ProcessPlayer();
    void TakePlayerInput();
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
    int PlayTheBoard();
    void AdvancePowerPelletBlink();
    void CountDownScaredTime();
    void EndScaredTime();
    bool DeathAnimationEndsThisFrame() const;
    bool MoveActorsOrRunDeathAnimation();
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
