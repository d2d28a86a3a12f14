// The rules of a frame of play, in the order they run: the power pellets'
// blink, the scared time, the swell, the actors' moves and meetings, the
// hero's death and the lives, the next board; then the debug keys, the
// scared time's early end, the ghosts held off the walls, and the pause.
#include <stdio.h>

#include "audio/audio.h"
#include "checks.h"
#include "logic/logic.h"

// Power pellets blink over 31 frames.
const uint16_t POWER_PELLET_FLASH_FRAMES = 30;

// Frames of scared time left once no ghost is scared any more.
const uint16_t SCARED_TIME_WITHOUT_SCARED_GHOSTS = 35;

// The lives a debug key leaves the player with.
const uint8_t DEBUG_KEY_SPARE_LIVES = 2;

int Logic::PlayTheBoard(const FrameCommand& command)
{
    AdvancePowerPelletBlink();
    CountDownScaredTime();
    if (PlayerDeathTimer == 0) AdvancePowerPelletSwell();
    const bool lifeEnds = MoveActorsOrRunDeathAnimation(command.Direction[INPUT_ALL]);
    if (lifeEnds && Lives == 0) return PLAY_LAST_LIFE_LOST;
    if (lifeEnds) TakeALife();
    if (PelletsLeftOnBoard != 0) return PLAY_GOES_ON;
    audio->HaltAllEffects();
    SetupForNewBoard();
    return PLAY_BOARD_CLEARED;
}

void Logic::AdvancePowerPelletBlink()
{
    if (PowerPelletFlashTimer == 0)
        PowerPelletFlashTimer = POWER_PELLET_FLASH_FRAMES;
    else
        PowerPelletFlashTimer--;
}

void Logic::CountDownScaredTime()
{
    if (PowerPelletTimer > 1 && !GamePaused) PowerPelletTimer--;
    if (PowerPelletTimer == 1) EndScaredTime();
}

void Logic::EndScaredTime()
{
    audio->HaltAllEffects();  // the scared ghosts' siren
    PowerPelletTimer = 0;
    GhostsEatenSincePowerPellet = 0;
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        if (GhostState[ghost] == GHOST_SCARED) GhostState[ghost] = GHOST_NORMAL;
    }
}

// The death animation takes its last step: from 2 to 1, or standing at 1
// while paused.
bool Logic::DeathAnimationEndsThisFrame() const
{
    return PlayerDeathTimer == (GamePaused ? 1 : 2);
}

// Moves the ghosts, lets them meet the hero and moves him while he lives, or
// runs his death animation; true when a life has just ended. Paused, the
// ghosts still meet him where they stand.
bool Logic::MoveActorsOrRunDeathAnimation(uint8_t wanted)
{
    if (PlayerDeathTimer == 0)
    {
        if (!GamePaused) ProcessGhosts();
        MeetGhostsOnTheHero();
        if (!GamePaused) ProcessPlayer(wanted);
        return PlayerDeathTimer == 1;
    }
    GhostsMetTheHero = 0;
    const bool lifeEnds = DeathAnimationEndsThisFrame();
    if (!GamePaused) PlayerDeathTimer--;
    return lifeEnds;
}

void Logic::TakeALife()
{
    Lives--;
    SetupForNewLife();
}

// 'r' plays the current level again, 'l' skips to the next; both with two
// spare lives. True when a key was taken.
bool Logic::TakeDebugKey(char key)
{
    if (key != 'r' && key != 'l') return false;
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    Lives = DEBUG_KEY_SPARE_LIVES;
    if (key == 'r') Level--;
    SetupForNewBoard();
    return true;
}

void Logic::EndScaredTimeEarlyWhenNoGhostIsScared()
{
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        if (GhostActive[ghost] && GhostState[ghost] == GHOST_SCARED) return;
    }
    if (PowerPelletTimer > SCARED_TIME_WITHOUT_SCARED_GHOSTS) PowerPelletTimer = SCARED_TIME_WITHOUT_SCARED_GHOSTS;
}

void Logic::StopGhostsOnWalls()
{
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        if (!GhostActive[ghost] || GhostStopped[ghost]) continue;
        const int x = GhostTileX[ghost];
        const int y = GhostTileY[ghost];
        if (x >= BOARD_SIZE || y >= BOARD_SIZE || BoundaryLegoMap[x][y] != 1) continue;
        GhostStopped[ghost] = 1;
        printf("[WARNING]: Ghost has moved to boundary Lego, ghost stopped!\n");
    }
}

void Logic::SetGamePaused(bool paused)
{
    GamePaused = paused;
    if (paused)
        audio->PauseMusic();
    else
        audio->ResumeMusic();
}

// Space pauses and resumes, unless the pause is locked; true when taken.
bool Logic::TakePauseKey(char key)
{
    if (key != '_' || PauseLocked) return false;
    SetGamePaused(!GamePaused);
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    return true;
}

// A player who switched windows, or was called away, comes back to a game
// that waits for Space; getting the focus back resumes nothing.
void Logic::PauseForLostFocus()
{
    if (!GamePaused && !PauseLocked) SetGamePaused(true);
}
