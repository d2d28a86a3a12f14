// The browser's program frame. A page cannot block, so the browser calls a
// frame step at each of its display refreshes, and the step runs the game's
// frames that are due by the game's own pace (Game::MillisecondsUntilFrameDue),
// each frame's period as the game sets it for the board: the desktop's pace,
// whatever the display's rate. A timed demo runs as many frames as a refresh
// leaves room for.
#include <emscripten.h>

#include "audio/audio.h"
#include "demos/demos.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "main_loop.h"
#include "platform/platform.h"
#include "screens/screens.h"

// A tab that was hidden, or a machine that fell behind, does not make the
// game race to catch up: it runs at most this many frames at once, and
// makes up no more.
const int MOST_FRAMES_AT_ONCE = 4;
// A timed demo leaves the browser this much of each 16.7 ms refresh.
const uint32_t TIMED_DEMO_MILLISECONDS_A_REFRESH = 12;
// Steps of a frame here: the page shows the picture at the end of the step.
const int BROWSER_FRAME = POLL_INPUT | PRESENT_SCREEN_BUFFER;

static int FramesRun = 0;

// What the page's tests read of the game, rather than its pixels: the
// screen shown, the button selected, the board played and whether it is
// paused, the music's volume and the frames run.
extern "C" EMSCRIPTEN_KEEPALIVE int WebScreenShown()
{
    return screens ? screens->ScreenToDisplay : -1;
}

extern "C" EMSCRIPTEN_KEEPALIVE int WebBoardPlayed()
{
    return logic ? logic->Level : -1;
}

extern "C" EMSCRIPTEN_KEEPALIVE int WebGamePaused()
{
    return logic ? logic->GamePaused : -1;
}

extern "C" EMSCRIPTEN_KEEPALIVE int WebButtonSelected()
{
    return interface ? interface->CurrentlySelectedButton : -1;
}

extern "C" EMSCRIPTEN_KEEPALIVE int WebMusicVolume()
{
    return audio ? audio->MusicVolume : -1;
}

extern "C" EMSCRIPTEN_KEEPALIVE int WebFramesRun()
{
    return FramesRun;
}

static void RunFrame()
{
    RunMainLoopFrame(BROWSER_FRAME);
    FramesRun++;
}

static void EndTheGame()
{
    emscripten_cancel_main_loop();
    const int status = ShutDownGame();
    EM_ASM({ if (Module.gameEnded) Module.gameEnded($0); }, status);
}

static void RunTimedDemoFrames()
{
    const uint32_t start = MillisecondsSinceStart();
    while (GameGoesOn() && MillisecondsSinceStart() - start < TIMED_DEMO_MILLISECONDS_A_REFRESH) RunFrame();
}

static void RunFramesDue()
{
    const uint32_t now = MillisecondsSinceStart();
    for (int frames = 0; GameGoesOn() && frames < MOST_FRAMES_AT_ONCE && game->MillisecondsUntilFrameDue(now) == 0;
         frames++)
        RunFrame();
}

// Browsers list a gamepad only once a button of it is pressed: a pad that
// turns up is opened then. A demo keeps the sticks of its start.
static int GamepadsListed = 0;

static void OpenGamepadsThatTurnUp()
{
    const int listed = Input::JoysticksListed();
    if (listed == GamepadsListed || demos->Playing || demos->Recording) return;
    GamepadsListed = listed;
    input->CloseJoysticks();
    input->OpenJoysticks();
}

static void BrowserFrameStep()
{
    OpenGamepadsThatTurnUp();
    if (demos->Timed)
        RunTimedDemoFrames();
    else
        RunFramesDue();
    if (!GameGoesOn()) EndTheGame();
}

int main(int argc, char** argv)
{
    StartUpGame(argc, argv);
    GamepadsListed = Input::JoysticksListed();
    game->FramesMadeUp = MOST_FRAMES_AT_ONCE;
    // Emscripten's clock starts with SDL, after the game's objects: the
    // first frame is due now.
    game->NextFrameTicks = MillisecondsSinceStart();
    emscripten_set_main_loop(BrowserFrameStep, 0, 1);
    return 0;
}
