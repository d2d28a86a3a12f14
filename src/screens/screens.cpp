#include "screens/screens.h"

Screens* screens = nullptr;

// How long the sponsor logo waits before its first redraw sets the real time.
const int16_t STARTING_SCREEN_DISPLAY_TIMER = 450;

Screens::Screens()
{
    ScreenFadeTransparency = 1.0f;
    ScreenTransitionStatus = FADE_IN;
    ScreenToDisplay = SPONSOR_SCREEN;
    ScreenExitedWithEscapeKey = 0;
    ScreenIsDirty = 1;
    ScreenBufferNeedsDisplay = 0;
    ScreenRedrawDue = 0;
    SceneAnimationStage = 0;
    ScreenDisplayTimer = STARTING_SCREEN_DISPLAY_TIMER;
    for (SceneActor& actor : SceneActors) actor = SceneActor{0.0f, 0.0f, 1.0f};
    CreditsScrolled = 0.0f;
}

Screens::~Screens()
{
}

// The display method of each screen identifier; reserved identifiers run nothing.
typedef void (Screens::*ScreenMethod)();
static const ScreenMethod SCREEN_METHODS[NUMBER_OF_SCREENS] = {
    &Screens::DisplayBrickwellScreen,          // BRICKWELL_SCREEN
    &Screens::DisplayTitleScreen,              // TITLE_SCREEN
    &Screens::DisplayAboutScreen,              // ABOUT_SCREEN
    &Screens::DisplayHowToPlayScreen,          // HOW_TO_PLAY_SCREEN
    &Screens::DisplayHighScoresScreen,         // HIGH_SCORES_SCREEN
    &Screens::DisplayOptionsScreen,            // OPTIONS_SCREEN
    nullptr,                                   // NEW_GAME_SCREEN
    &Screens::DisplayPlayingGameScreen,        // PLAYING_GAME_SCREEN
    &Screens::DisplayOpeningSceneScreen,       // OPENING_SCENE_SCREEN
    &Screens::DisplayEndingSceneScreen,        // ENDING_SCENE_SCREEN
    &Screens::DisplayNameInputKeyboardScreen,  // NAME_INPUT_KEYBOARD_SCREEN
    &Screens::DisplayNameInputJoystickScreen,  // NAME_INPUT_JOYSTICK_SCREEN
    nullptr,                                   // NEW_HIGH_SCORE_NAME_INPUT_SCREEN
    &Screens::DisplaySponsorScreen,            // SPONSOR_SCREEN
};

void Screens::DisplayCurrentScreen()
{
    if (ScreenToDisplay >= NUMBER_OF_SCREENS) return;
    const ScreenMethod method = SCREEN_METHODS[ScreenToDisplay];
    if (method) (this->*method)();
}

// The drawing of each screen whose picture is drawn apart from its run.
static const ScreenMethod SCREEN_PICTURES[NUMBER_OF_SCREENS] = {
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    &Screens::DrawPlayingGameScreen,  // PLAYING_GAME_SCREEN
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

void Screens::DrawCurrentScreen()
{
    if (ScreenToDisplay >= NUMBER_OF_SCREENS || !ScreenRedrawDue) return;
    const ScreenMethod method = SCREEN_PICTURES[ScreenToDisplay];
    if (method) (this->*method)();
}
