#ifndef WOBBLER_SCREENS_H
#define WOBBLER_SCREENS_H

#include <stdint.h>

struct FrameInput;

// Screen identifiers; 6 and 12 are reserved and never shown.
enum
{
    BRICKWELL_SCREEN = 0,
    TITLE_SCREEN = 1,
    ABOUT_SCREEN = 2,
    HOW_TO_PLAY_SCREEN = 3,
    HIGH_SCORES_SCREEN = 4,
    OPTIONS_SCREEN = 5,
    NEW_GAME_SCREEN = 6,
    PLAYING_GAME_SCREEN = 7,
    OPENING_SCENE_SCREEN = 8,
    ENDING_SCENE_SCREEN = 9,
    NAME_INPUT_KEYBOARD_SCREEN = 10,
    NAME_INPUT_JOYSTICK_SCREEN = 11,
    NEW_HIGH_SCORE_NAME_INPUT_SCREEN = 12,
    SPONSOR_SCREEN = 13
};

const int NUMBER_OF_SCREENS = 14;

// Fonts of the menu texts: 27, 14 and 45 points.
const int MENU_FONT = 0;
const int SMALL_FONT = 2;
const int LARGE_FONT = 3;

// Polls that read nothing after a menu screen has handed over to the next.
const int32_t INPUT_DELAY_AFTER_SCREEN_CHANGE = 20;

// The playing screen's layout, in virtual pixels. The board window: 13 x 11
// tiles around the hero, whose tile is drawn at the screen centre; its
// first column and row lie here.
const int BOARD_WINDOW_HALF_COLUMNS = 6;
const int BOARD_WINDOW_HALF_ROWS = 5;
const int BOARD_WINDOW_LEFT = -64;
const int BOARD_WINDOW_TOP = -80;
// The mini-map: one 4-pixel dot per tile from its top-left corner.
const float MAP_BACKGROUND_X = 556;
const float MAP_BACKGROUND_Y = 391;
const int MAP_LEFT = 503;
const int MAP_TOP = 340;
const int MAP_DOT_SPACING = 4;
// The television frame over all of it.
const float TV_FRAME_X = 420;
const float TV_FRAME_Y = 290;
const float TV_FRAME_SCALE = 1.6f;

// Fade states.
enum
{
    FADE_IN = 0,
    FADE_NONE = 1,
    FADE_OUT = 2,
    FADE_ALL = 3
};

// The screen state machine: which screen runs, and the fade between screens.
class Screens
{
public:
    Screens();
    virtual ~Screens();

    float ScreenFadeTransparency;
    uint8_t ScreenTransitionStatus;
    uint8_t ScreenToDisplay;
    uint8_t ScreenExitedWithEscapeKey;
    uint8_t ScreenIsDirty;
    uint8_t ScreenBufferNeedsDisplay;
    uint8_t ScreenRedrawDue;  // set by the frame's run of the screen, for its drawing
    int32_t SceneAnimationStage;
    int16_t ScreenDisplayTimer;

    // Where the scenes' actors stand and how far the credits have rolled:
    // kept here, as a resize loads the sprites and texts drawn from them afresh.
    enum { SCENE_GHOST = 0, SCENE_PERSON = 1, NUMBER_OF_SCENE_ACTORS = 2 };  // the heroine, then the hero
    struct SceneActor
    {
        float X;
        float Y;
        float Scale;
    };
    SceneActor SceneActors[NUMBER_OF_SCENE_ACTORS];
    float CreditsScrolled;

    // Runs the display method of ScreenToDisplay, then draws what it asks
    // to be drawn (screens.cpp).
    void DisplayCurrentScreen();
    void DrawCurrentScreen();

    // frame_events.cpp
    void TakeFrameInput(const FrameInput& frame);
    void TakeEscapeAndKey(const FrameInput& events);
    bool ResizeWindow(int width, int height);

    // fade.cpp
    void ApplyScreenFadeTransition();
    bool ScreenHasFadedOut() const;
    void DrawScreenFadeOverlay();

    // Shared look of the menu screens (menu_style.cpp).
    void DrawMenuHeading(const char* heading);
    void DrawMenuBackground(float transparency);

    // logos.cpp
    void DisplaySponsorScreen();
    void DisplayBrickwellScreen();

    // title.cpp
    void DisplayTitleScreen();

    // about.cpp, how_to_play.cpp, high_scores.cpp
    void DisplayAboutScreen();
    void DisplayHowToPlayScreen();
    void DisplayHighScoresScreen();

    // options.cpp
    void DisplayOptionsScreen();

    // The menu screens with a single "Back" button (back_button.cpp).
    void EnterScreenWithBackButton();
    void LeaveScreenBackToTitle();

    // playing_game.cpp
    void DisplayPlayingGameScreen();
    void DrawPlayingGameScreen();

    // scenes.cpp
    void DisplayOpeningSceneScreen();
    void DisplayEndingSceneScreen();

    // name_entry.cpp
    void DisplayNameInputKeyboardScreen();
    void DisplayNameInputJoystickScreen();
};

extern Screens* screens;

#endif
