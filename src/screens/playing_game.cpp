#include "screens/screens.h"

#include "audio/audio.h"
#include "checks.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"

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

// 'r' and 'l' set up a board, in debug mode only; clearing the fifth wins.
static void TakeDebugKey()
{
    if (game->DebugOn != 1 || !logic->TakeDebugKey(screens->Command.Key)) return;
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
void Screens::RunPlayingGameScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartNewGame();
    const int played = logic->PlayTheBoard(Command);
    ScreenRedrawDue = played == PLAY_GOES_ON;
    if (played != PLAY_GOES_ON)
    {
        if (played == PLAY_LAST_LIFE_LOST || logic->Level == WON_LEVEL) ScreenTransitionStatus = FADE_OUT;
        return;
    }
    TakeDebugKey();
    logic->EndScaredTimeEarlyWhenNoGhostIsScared();
    logic->StopGhostsOnWalls();
    if (logic->TakePauseKey(Command.Key)) input->DelayAllUserInput = INPUT_DELAY_AFTER_KEY;
    PauseWhenTheWindowLosesFocus();
    if (ScreenTransitionStatus == FADE_OUT && ScreenFadeTransparency > 0.9f) LeavePlayingGame();
}
