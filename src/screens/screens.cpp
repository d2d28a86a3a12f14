#include "screens/screens.h"

#include "game/game.h"
#include "input/input.h"

Screens* screens = nullptr;

// How long the sponsor logo waits before its first redraw sets the real time.
const int32_t STARTING_SCREEN_DISPLAY_TIMER = 450;

Screens::Screens()
{
    ScreenFadeTransparency = 1.0f;
    ScreenTransitionStatus = FADE_IN;
    ScreenToDisplay = SPONSOR_SCREEN;
    ScreenExitedWithEscapeKey = 0;
    ScreenIsDirty = 1;
    ScreenBufferNeedsDisplay = 0;
    ScreenRun = SPONSOR_SCREEN;
    ScreenRedrawDue = 0;
    SceneAnimationStage = 0;
    ScreenDisplayTimer = STARTING_SCREEN_DISPLAY_TIMER;
    for (SceneActor& actor : SceneActors) actor = SceneActor{0.0f, 0.0f, 1.0f};
    CreditsScrolled = 0.0f;
    QuitChosen = 0;
    Command = FrameCommand{};
}

Screens::~Screens()
{
}

// The frame's run of each screen identifier; reserved identifiers run nothing.
typedef void (Screens::*ScreenMethod)();
static const ScreenMethod SCREEN_METHODS[NUMBER_OF_SCREENS] = {
    &Screens::RunBrickwellScreen,          // BRICKWELL_SCREEN
    &Screens::RunTitleScreen,              // TITLE_SCREEN
    &Screens::RunAboutScreen,              // ABOUT_SCREEN
    &Screens::RunHowToPlayScreen,          // HOW_TO_PLAY_SCREEN
    &Screens::RunHighScoresScreen,         // HIGH_SCORES_SCREEN
    &Screens::RunOptionsScreen,            // OPTIONS_SCREEN
    nullptr,                                   // NEW_GAME_SCREEN
    &Screens::RunPlayingGameScreen,        // PLAYING_GAME_SCREEN
    &Screens::RunOpeningSceneScreen,       // OPENING_SCENE_SCREEN
    &Screens::RunEndingSceneScreen,        // ENDING_SCENE_SCREEN
    &Screens::RunNameInputKeyboardScreen,  // NAME_INPUT_KEYBOARD_SCREEN
    &Screens::RunNameInputJoystickScreen,  // NAME_INPUT_JOYSTICK_SCREEN
    nullptr,                                   // NEW_HIGH_SCORE_NAME_INPUT_SCREEN
    &Screens::RunSponsorScreen,            // SPONSOR_SCREEN
};

// A quit chosen on the title ends the game after one more frame.
void Screens::RunFrame(const FrameInput& frame)
{
    ScreenRedrawDue = 0;
    TakeFrameInput(frame);
    if (QuitChosen) game->QuitGame = 1;
    RunCurrentScreen();
    ApplyScreenFadeTransition();
}

void Screens::RunCurrentScreen()
{
    ScreenRun = ScreenToDisplay;
    if (ScreenToDisplay >= NUMBER_OF_SCREENS) return;
    const ScreenMethod method = SCREEN_METHODS[ScreenToDisplay];
    if (method) (this->*method)();
}

void Screens::RedrawThisFrame()
{
    ScreenIsDirty = 0;
    ScreenRedrawDue = 1;
}
