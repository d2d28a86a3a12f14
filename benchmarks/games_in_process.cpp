// Whole games inside this process: a stand-in player presses the keys a
// player would, through SDL's event queue and the game's own poll; after
// each game the allocator reports what is in use.
#include "games_in_process.h"

#include <malloc.h>
#include <stdio.h>
#include <string.h>

#include <functional>
#include <memory>

#include "bench_setup.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"
#include "main_loop.h"
#include "screens/screens.h"
#include "support/key_events.h"
#include "support/test_environment.h"

const int LAST_BOARD = 5;
// A key is pressed again after this many frames while its screen has not
// answered (a fade or a hold-off may swallow it).
const int FRAMES_BETWEEN_PRESSES = 10;
const int FRAMES_TO_ANSWER_A_KEY = 2000;  // a scene played out to its end takes a few hundred
const int FRAMES_BETWEEN_TURNS = 60;
const int FRAMES_BETWEEN_MEMORY_READINGS = 10;
static const uint8_t TURNS[] = {LEFT, UP, RIGHT, DOWN};

// Bytes the program holds from malloc: in the heaps and in own mappings.
static long HeapInUseBytes()
{
    const struct mallinfo2 heap = mallinfo2();
    return (long)(heap.uordblks + heap.hblkhd);
}

// The player of these games: which key to press, where to steer, and the
// least resident memory seen while playing.
struct StandIn
{
    uint8_t direction = CENTER;
    long* residentFloor = nullptr;
    int frames = 0;
};
static StandIn player;

static void RunFrame()
{
    FrameInput frame;
    input->ReadFrameInput(frame);
    if (player.direction != CENTER) frame.Direction[INPUT_KEYBOARD] = player.direction;
    RunMainLoopFrameWith(frame, PRESENT_SCREEN_BUFFER);  // unpaced
    player.frames++;
    if (!player.residentFloor || player.frames % FRAMES_BETWEEN_MEMORY_READINGS != 0) return;
    const long resident = ResidentKilobytes();
    if (*player.residentFloor < 0 || (resident >= 0 && resident < *player.residentFloor))
        *player.residentFloor = resident;
}

// Runs frames until the condition holds, pressing the key now and then
// whenever the game would read it at once; false when it never holds.
static bool RunUntil(const std::function<bool()>& answered, SDLKey key = SDLK_UNKNOWN)
{
    for (int frame = 0; frame < FRAMES_TO_ANSWER_A_KEY; frame++)
    {
        if (answered()) return true;
        const bool readAtOnce = input->DelayAllUserInput < 0;
        if (key != SDLK_UNKNOWN && readAtOnce && frame % FRAMES_BETWEEN_PRESSES == 0) PushKeyDown(key);
        RunFrame();
    }
    return false;
}

static bool OnScreen(uint8_t screen)
{
    return screens->ScreenToDisplay == screen;
}

static bool RestingOn(uint8_t screen)
{
    return OnScreen(screen) && screens->ScreenTransitionStatus == FADE_NONE;
}

// The hero turns every second or so, so he eats, meets ghosts and now and then
// dies.
static void PlayBoard(int frames)
{
    for (int frame = 0; frame < frames && OnScreen(PLAYING_GAME_SCREEN); frame++)
    {
        player.direction = TURNS[(frame / FRAMES_BETWEEN_TURNS) % 4];
        RunFrame();
    }
    player.direction = CENTER;
}

static bool ClearBoard()
{
    const uint8_t board = logic->Level;
    return RunUntil([board] { return logic->Level != board || !OnScreen(PLAYING_GAME_SCREEN); }, SDLK_l);
}

// Return starts a game, space skips the scenes and the credits, Escape
// leaves the table; each board is played for a while and cleared with the
// debug key 'l'. False when the game got stuck on a screen.
static bool PlayWholeGame(int framesPerBoard, long& residentFloor)
{
    if (!RunUntil([] { return OnScreen(OPENING_SCENE_SCREEN); }, SDLK_RETURN)) return false;
    if (!RunUntil([] { return RestingOn(PLAYING_GAME_SCREEN); }, SDLK_SPACE)) return false;
    player.residentFloor = &residentFloor;
    for (int board = 1; board <= LAST_BOARD; board++)
    {
        PlayBoard(framesPerBoard);
        const bool lost = !OnScreen(PLAYING_GAME_SCREEN) || screens->ScreenTransitionStatus == FADE_OUT;
        if (lost || !ClearBoard()) break;
    }
    player.residentFloor = nullptr;
    // A game lost on a long board goes straight to the table.
    const bool won = logic->Level > LAST_BOARD;
    if (won && !RunUntil([] { return OnScreen(ABOUT_SCREEN); }, SDLK_SPACE)) return false;
    if (!RunUntil([] { return OnScreen(HIGH_SCORES_SCREEN); }, won ? SDLK_SPACE : SDLK_UNKNOWN)) return false;
    if (!RunUntil([] { return OnScreen(TITLE_SCREEN); }, SDLK_ESCAPE)) return false;
    return RunUntil([] { return RestingOn(TITLE_SCREEN); });
}

static void MakeEveryTableUnbeatable()
{
    for (int mode = 0; mode < NUMBER_OF_GAME_MODES; mode++)
    {
        for (int rank = 0; rank < NUMBER_OF_HIGH_SCORES; rank++) data->HighScoresScore[mode][rank] = UNBEATABLE_SCORE;
    }
}

// The game as it rests on its title screen after the logos, with the debug
// keys on (as the maker's screen leaves them when 'd' is pressed there).
static bool StartOnTitleScreen()
{
    if (!StartGameObjects()) return false;
    MakeEveryTableUnbeatable();
    game->DebugOn = 1;
    screens->ScreenToDisplay = TITLE_SCREEN;
    screens->ScreenTransitionStatus = FADE_ALL;
    screens->ScreenFadeTransparency = 1.0f;
    screens->ScreenDisplayTimer = -1;  // as the logo screens leave it
    return RunUntil([] { return RestingOn(TITLE_SCREEN); });
}

void MeasureGamesInProcess(int framesPerBoard, GamesInProcessFigures& figures)
{
    std::unique_ptr<TemporaryWorkingDirectory> directory(new TemporaryWorkingDirectory());
    bool played = StartOnTitleScreen();
    if (!played) figures.error = "the game in process did not reach its title screen";
    for (int number = 0; played && number < GAMES_IN_PROCESS; number++)
    {
        figures.residentFloorInGameKilobytes[number] = -1;  // nothing read yet
        played = PlayWholeGame(framesPerBoard, figures.residentFloorInGameKilobytes[number]);
        figures.heapInUseBytes[number] = HeapInUseBytes();
        figures.residentOnTitleKilobytes[number] = ResidentKilobytes();
        if (!played) figures.error = "game " + std::to_string(number + 1) + " in process did not go from the title back to it";
    }
    StopGameObjects();
}
