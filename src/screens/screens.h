#ifndef WOBBLER_SCREENS_H
#define WOBBLER_SCREENS_H

#include <stdint.h>

#include "input/input.h"
#include "state_fields.h"

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

// Which screen runs, the fade between screens, the scenes' actors and the
// credits' roll. The redraw flag is in: the sponsor's logo times itself from
// its redraw.
#define SCREENS_STATE(FIELD)                                            \
    FIELD(uint8_t, ScreenTransitionStatus, )                            \
    FIELD(uint8_t, ScreenToDisplay, )                                   \
    FIELD(uint8_t, ScreenExitedWithEscapeKey, )                         \
    FIELD(uint8_t, ScreenIsDirty, )                                     \
    FIELD(uint8_t, QuitChosen, ) /* on the title: the game ends after the next frame */ \
    FIELD(Screens::SceneActor, SceneActors, [Screens::NUMBER_OF_SCENE_ACTORS]) \
    FIELD(float, ScreenFadeTransparency, )                              \
    FIELD(float, CreditsScrolled, )                                     \
    FIELD(int32_t, SceneAnimationStage, )                               \
    FIELD(int32_t, ScreenDisplayTimer, )

// Left out: the frame's command, as the screens took it from the frame's
// input (none in an input pause), which the screens, widgets and rules act
// on; and what a frame leaves for its picture: which screen ran, whether its
// picture is due (a menu redraws when it changed), and whether it was drawn
// (the frame shows it).
#define SCREENS_LEFT_OUT(FIELD)                                         \
    FIELD(FrameCommand, Command, )                                      \
    FIELD(uint8_t, ScreenRun, )                                         \
    FIELD(uint8_t, ScreenRedrawDue, )                                   \
    FIELD(uint8_t, ScreenBufferNeedsDisplay, )

// The screen state machine: which screen runs, and the fade between screens.
class Screens
{
public:
    Screens();
    ~Screens();

    // Where the scenes' actors stand and how far the credits have rolled are
    // kept here, as a resize loads the sprites and texts drawn from them afresh.
    enum { SCENE_GHOST = 0, SCENE_PERSON = 1, NUMBER_OF_SCENE_ACTORS = 2 };  // the heroine, then the hero
    struct SceneActor
    {
#define SCENE_ACTOR_STATE(FIELD) \
    FIELD(float, X, )            \
    FIELD(float, Y, )            \
    FIELD(float, Scale, )
#define SCENE_ACTOR_LEFT_OUT(FIELD)
        SCENE_ACTOR_STATE(DECLARE_FIELD)
        SCHEMA_OF_STRUCTURE(SCENE_ACTOR_STATE)
    };

    SCREENS_LEFT_OUT(DECLARE_FIELD)  // first: no padding lies between the two
    SCREENS_STATE(DECLARE_FIELD)

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
