#include "screens/screens.h"

#include "audio/audio.h"
#include "data/data.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"

const CreditLine CREDIT_LINES[NUMBER_OF_CREDIT_LINES] = {
    {"TM", true},
    {"Nibbleton Saga 100%", true},
    {"(C) 2026 Brickwell Games", false},
    {"Game Engine Programmed By:", true},
    {"Odette Brickwell", false},
    {"Lead Game Designer:", true},
    {"Jasper Fennimore", false},
    {"Lead Game Programmer:", true},
    {"Wilhelmina Pike", false},
    {"Lead Game Beta Tester:", true},
    {"Barnaby Quillfeather", false},
    {"Lead Graphic Artist:", true},
    {"Rosalind Thistlewood", false},
    {"Lead Music Composer / Sound Editor:", true},
    {"Cornelius Dapplegate", false},
    {"Microsoft\xAE Windows\xAE Technical Advisor:", true},
    {"Hollis Greavesby", false},
    {"Linux Technical Advisor:", true},
    {"Ivy Marchbank & Felix Ormsworth", false},
    {"Apple\xAE Mac\xAE OS X\xAE Technical Advisor:", true},
    {"Someone", false},
    {"Support Designers/Programmers/Testers:", true},
    {"Tamsin Lowbridge", false},
    {"Perrin Oakhallow", false},
    {"Developed On A:", true},
    {"Home-Built Desktop PC", false},
    {"(Debian GNU/Linux)", false},
    {"Tested On A:", true},
    {"Well-Loved Family Laptop", false},
    {"Living-Room Media PC", false},
    {"Office Workstation After Hours", false},
    {"Technology Credits:", true},
    {"''SDL''1.2-Simple DirectMedia Layer", false},
    {"(SDL_Image / SDL_Mixer / SDL_TTF)", false},
    {"''OpenGL\xAE''", false},
    {"Software Credits:", true},
    {"Debian GNU/Linux", false},
    {"GNU Compiler Collection", false},
    {"CMake", false},
    {"Git", false},
    {"Vim", false},
    {"Python & Pillow", false},
    {"ImageMagick", false},
    {"Mesa 3D", false},
    {"MikMod", false},
    {"DejaVu Fonts", false},
    {"GoogleTest", false},
    {"Top Beta Testers:", true},
    {"You!", false},
    {"You!", false},
    {"You!", false},
    {"You!", false},
    {"You!", false},
    {"Thanks For Playing! - Odette Brickwell", true},
};

// The first three credit lines are placed by hand; the rest follow 30 apart,
// 60 before a heading that follows names, and the last one far below.
const float FIRST_CREDIT_LINES_X[3] = {478.0f, 320.0f, 320.0f};
static const float FIRST_CREDIT_LINES_Y[3] = {491.0f, 510.0f, 540.0f};
static const float LINE_SPACING = 30.0f;
static const float SPACING_BEFORE_HEADING = 60.0f;
static const float SPACING_BEFORE_LAST_LINE = 240.0f;

// The credits have run out once the last line is this far above the screen.
static const float CREDITS_END_Y = -20.0f;
static const float CREDITS_SCROLL_PER_FRAME = 1.0f;

float CreditLineY(int line)
{
    if (line < 0 || line >= NUMBER_OF_CREDIT_LINES) return 0.0f;
    float y = FIRST_CREDIT_LINES_Y[line < 3 ? line : 2];
    for (int index = 3; index <= line; index++)
    {
        const bool headingAfterNames = !CREDIT_LINES[index - 1].Heading && CREDIT_LINES[index].Heading;
        float spacing = headingAfterNames ? SPACING_BEFORE_HEADING : LINE_SPACING;
        if (index == NUMBER_OF_CREDIT_LINES - 1) spacing = SPACING_BEFORE_LAST_LINE;
        y += spacing;
    }
    return y;
}

static void EnterAboutScreen()
{
    screens->ScreenTransitionStatus = FADE_IN;
    screens->ScreenFadeTransparency = 1.0f;
    interface->CurrentlySelectedButton = 0;
    screens->CreditsScrolled = 0.0f;
}

// The credits roll up a line's worth a frame until the last has gone.
static void RollCredits()
{
    screens->CreditsScrolled += CREDITS_SCROLL_PER_FRAME;
    if (CreditLineY(NUMBER_OF_CREDIT_LINES - 1) - screens->CreditsScrolled < CREDITS_END_Y)
        screens->ScreenTransitionStatus = FADE_OUT;
}

static void SkipCreditsWhenAsked()
{
    const char key = screens->Command.Key;
    if (key == '_' || key == '/' || screens->Command.Click[0] || screens->Command.ButtonOne[INPUT_ALL] == 1)
        screens->ScreenTransitionStatus = FADE_OUT;
}

// After a won game the credits lead to the name entry when the score made the table.
static uint8_t ScreenAfterVictoryCredits()
{
    if (data->PlayerRankOnGameOver == RANK_NAME_ENTERED) return HIGH_SCORES_SCREEN;
    data->CheckForNewHighScore();
    if (data->PlayerRankOnGameOver >= NUMBER_OF_HIGH_SCORES) return HIGH_SCORES_SCREEN;
    audio->PlayMusic(MUSIC_NEW_HIGH_SCORE, 0);
    return logic->PlayerJoystick != 0 ? NAME_INPUT_JOYSTICK_SCREEN : NAME_INPUT_KEYBOARD_SCREEN;
}

static void LeaveAboutScreen()
{
    if (logic->Level >= WON_LEVEL)
        screens->ScreenToDisplay = ScreenAfterVictoryCredits();
    else
        screens->ScreenToDisplay = TITLE_SCREEN;
}

void Screens::RunAboutScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) EnterAboutScreen();
    RollCredits();
    ScreenIsDirty = 1;
    ScreenRedrawDue = 1;
    SkipCreditsWhenAsked();
    if (ScreenHasFadedOut()) LeaveAboutScreen();
}
