#include "screens/screens.h"

#include "audio/audio.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "visuals/visuals.h"

// The first three credit lines are placed by hand; the rest follow 30 apart,
// 60 before a heading that follows names, and the last one far below.
static const float FIRST_LINES_X[3] = {478.0f, 320.0f, 320.0f};
static const float FIRST_LINES_Y[3] = {491.0f, 510.0f, 540.0f};
static const float CREDIT_LINE_X = 320.0f;
static const float LINE_SPACING = 30.0f;
static const float SPACING_BEFORE_HEADING = 60.0f;
static const float SPACING_BEFORE_LAST_LINE = 240.0f;
static const float HEADING_BLUE_HUE = 0.0f;

// The credits have run out once the last line is this far above the screen.
// Each frame lays the lines out afresh and moves them up by the distance
// rolled: the roll keeps nothing in the texts, which a resize loads again.
static const float CREDITS_END_Y = -20.0f;
static const float CREDITS_SCROLL_PER_FRAME = 1.0f;

static const float MENU_BACKGROUND_TRANSPARENCY = 0.75f;

// The victory picture: the sunrise, the hero, his sweetheart and a big pellet.
struct VictorySprite
{
    unsigned short sprite;
    float x;
    float y;
    float scale;
};
static const int NUMBER_OF_VICTORY_SPRITES = 4;
static const VictorySprite VICTORY_SPRITES[NUMBER_OF_VICTORY_SPRITES] = {
    {SPRITE_SUNRISE, 320.0f, 240.0f, 1.0f},
    {SPRITE_HERO_PORTRAIT, 460.0f, 240.0f, 1.0f},
    {SPRITE_HEROINE, 210.0f, 260.0f, 1.0f},
    {SPRITE_POWER_PELLET, 62.0f, 95.0f, 1.6f}};

// The line's place before the roll, from the place of the line before it.
static float LaidOutCreditLineY(int index, float lineBeforeY)
{
    if (index < 3) return FIRST_LINES_Y[index];
    const LoadedText* const lines = visuals->Texts;
    const bool headingAfterNames =
        lines[index - 1].BlueHue != HEADING_BLUE_HUE && lines[index].BlueHue == HEADING_BLUE_HUE;
    float spacing = headingAfterNames ? SPACING_BEFORE_HEADING : LINE_SPACING;
    if (index == visuals->LastLoadedTextIndex) spacing = SPACING_BEFORE_LAST_LINE;
    return lineBeforeY + spacing;
}

static void EnterAboutScreen()
{
    screens->ScreenTransitionStatus = FADE_IN;
    screens->ScreenFadeTransparency = 1.0f;
    interface->CurrentlySelectedButton = 0;
    screens->CreditsScrolled = 0.0f;
}

static void DrawCreditsBackground()
{
    if (logic->Level >= WON_LEVEL)
    {
        for (const VictorySprite& picture : VICTORY_SPRITES)
        {
            Sprite& sprite = visuals->Sprites[picture.sprite];
            sprite.ScreenX = picture.x;
            sprite.ScreenY = picture.y;
            sprite.ScaleX = picture.scale;
            sprite.ScaleY = picture.scale;
            visuals->DrawSpriteOntoScreenBuffer(picture.sprite);
        }
        return;
    }
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    Sprite& background = visuals->Sprites[SPRITE_MENU_BACKGROUND];
    background.ScreenX = 320.0f;
    background.ScreenY = 240.0f;
    background.Transparency = MENU_BACKGROUND_TRANSPARENCY;
    if (game->AboutBackgroundHidden == 0) visuals->DrawSpriteOntoScreenBuffer(SPRITE_MENU_BACKGROUND);
}

static void DrawAndScrollCreditLines()
{
    const int last = visuals->LastLoadedTextIndex;
    if (last < 0 || last >= NUMBER_OF_LOADED_TEXTS) return;
    float laidOutY = 0.0f;
    for (int index = 0; index <= last; index++)
    {
        laidOutY = LaidOutCreditLineY(index, laidOutY);
        LoadedText& line = visuals->Texts[index];
        line.ScreenX = index < 3 ? FIRST_LINES_X[index] : CREDIT_LINE_X;
        line.ScreenY = laidOutY - screens->CreditsScrolled;
        visuals->DrawLoadedTextOntoScreenBuffer(index, line.ScreenX, line.ScreenY);
    }
    screens->CreditsScrolled += CREDITS_SCROLL_PER_FRAME;
    if (laidOutY - screens->CreditsScrolled < CREDITS_END_Y) screens->ScreenTransitionStatus = FADE_OUT;
}

static void SkipCreditsWhenAsked()
{
    const char key = input->KeyOnKeyboardPressedByUser;
    if (key == '_' || key == '/' || input->MouseButtonPressed[0] || input->JoystickButtonOne[INPUT_ALL] == 1)
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
    visuals->Sprites[SPRITE_POWER_PELLET].ScaleX = 1.0f;
    visuals->Sprites[SPRITE_POWER_PELLET].ScaleY = 1.0f;
    if (logic->Level >= WON_LEVEL)
        screens->ScreenToDisplay = ScreenAfterVictoryCredits();
    else
        screens->ScreenToDisplay = TITLE_SCREEN;
}

void Screens::DisplayAboutScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) EnterAboutScreen();
    DrawCreditsBackground();
    DrawAndScrollCreditLines();
    ScreenIsDirty = 1;
    ScreenBufferNeedsDisplay = 1;
    SkipCreditsWhenAsked();
    if (ScreenHasFadedOut()) LeaveAboutScreen();
}
