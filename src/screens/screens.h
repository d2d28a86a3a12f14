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

// The ending scene's stages: the ghost grows to full size, screams and
// turns to its own colours; then the hero grows while the ghost sinks.
enum
{
    ENDING_GHOST_GROWING = 0,
    ENDING_HERO_GROWING = 1,
    ENDING_FINISHED = 2
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
    uint8_t ScreenBufferNeedsDisplay;  // the picture was drawn: the frame shows it
    // The frame's run of a screen leaves these for its picture: which screen
    // ran, and whether its picture is due (a menu redraws when it changed).
    uint8_t ScreenRun;
    uint8_t ScreenRedrawDue;
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

    // screens.cpp: one frame of the game from its input, menus, scenes and
    // play alike; the picture is drawn from what it leaves.
    void RunFrame(const FrameInput& frame);
    void RunCurrentScreen();
    // The screen changed since its picture was last drawn: draw it afresh.
    void RedrawThisFrame();

    // frame_events.cpp
    void TakeFrameInput(const FrameInput& frame);
    void TakeEscapeAndKey(const FrameInput& events);

    // fade.cpp
    void ApplyScreenFadeTransition();
    bool ScreenHasFadedOut() const;

    // logos.cpp
    void RunSponsorScreen();
    void RunBrickwellScreen();

    // title.cpp
    void RunTitleScreen();

    // about.cpp, how_to_play.cpp, high_scores.cpp
    void RunAboutScreen();
    void RunHowToPlayScreen();
    void RunHighScoresScreen();

    // options.cpp
    void RunOptionsScreen();

    // The menu screens with a single "Back" button (back_button.cpp).
    void EnterScreenWithBackButton();
    // Places the selectors and draws the menu afresh.
    void RedrawWithButtons();
    // What the menu's widgets said of the frame (back_button.cpp).
    void TakeMenuNews(uint8_t news);
    void LeaveScreenBackToTitle();

    // playing_game.cpp
    void RunPlayingGameScreen();

    // scenes.cpp
    void RunOpeningSceneScreen();
    void RunEndingSceneScreen();

    // name_entry.cpp
    void RunNameInputKeyboardScreen();
    void RunNameInputJoystickScreen();
};

extern Screens* screens;

// The options screen's two volume rows, and its set-ups' steps: the
// joystick set-up asks 1 to 12, the keyboard's 1 and 2 (options.cpp).
const float MUSIC_ROW_Y = 50.0f;
const float SOUND_ROW_Y = 120.0f;
const int LAST_JOYSTICK_SETUP_STEP = 12;
// A set-up asks its question in place of the menu.
bool SetupQuestionAsked();

// The name entry (name_entry.cpp): the name being edited, or null when the
// last game took no place in the table; and the joystick's letter grid, 13
// columns by 6 rows, the last row "END".
char* NameBeingEntered();
const int NAME_GRID_COLUMNS = 13;
const int NAME_GRID_ROWS = 6;
const int NAME_GRID_END_ROW = 5;
char NameGridCharacter(int row, int column);

// The credits, line by line: the lines of names follow the heading above
// them, and the first three lines stand apart (about.cpp).
struct CreditLine
{
    const char* Text;
    bool Heading;
};
const int NUMBER_OF_CREDIT_LINES = 54;
extern const CreditLine CREDIT_LINES[NUMBER_OF_CREDIT_LINES];
// Where a line stands before the credits roll: the first three by hand, the
// rest down from them.
float CreditLineY(int line);
const float CREDIT_LINE_X = 320.0f;
extern const float FIRST_CREDIT_LINES_X[3];

#endif
