#ifndef WOBBLER_SCREENS_H
#define WOBBLER_SCREENS_H

#include <stdint.h>

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
    int32_t SceneAnimationStage;
    int16_t ScreenDisplayTimer;

    // Runs the display method of ScreenToDisplay (screens.cpp).
    void DisplayCurrentScreen();

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

    // scenes.cpp
    void DisplayOpeningSceneScreen();
    void DisplayEndingSceneScreen();

    // name_entry.cpp
    void DisplayNameInputKeyboardScreen();
    void DisplayNameInputJoystickScreen();
};

extern Screens* screens;

#endif
