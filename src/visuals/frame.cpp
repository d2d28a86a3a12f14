// A frame's picture: the screen that ran, when its picture is due, the
// fade's overlay over it and the debug overlay over all.
#include "visuals/visuals.h"

#include <stdio.h>

#include <GL/gl.h>

#include "game/game.h"
#include "input/input.h"
#include "screens/screens.h"

// The picture of each screen identifier; reserved identifiers show nothing.
typedef void (Visuals::*ScreenPicture)();
static const ScreenPicture SCREEN_PICTURES[NUMBER_OF_SCREENS] = {
    &Visuals::DrawBrickwellScreen,          // BRICKWELL_SCREEN
    &Visuals::DrawTitleScreen,              // TITLE_SCREEN
    &Visuals::DrawAboutScreen,              // ABOUT_SCREEN
    &Visuals::DrawHowToPlayScreen,          // HOW_TO_PLAY_SCREEN
    &Visuals::DrawHighScoresScreen,         // HIGH_SCORES_SCREEN
    &Visuals::DrawOptionsScreen,            // OPTIONS_SCREEN
    nullptr,                                // NEW_GAME_SCREEN
    &Visuals::DrawPlayingGameScreen,        // PLAYING_GAME_SCREEN
    &Visuals::DrawOpeningSceneScreen,       // OPENING_SCENE_SCREEN
    &Visuals::DrawEndingSceneScreen,        // ENDING_SCENE_SCREEN
    &Visuals::DrawNameInputKeyboardScreen,  // NAME_INPUT_KEYBOARD_SCREEN
    &Visuals::DrawNameInputJoystickScreen,  // NAME_INPUT_JOYSTICK_SCREEN
    nullptr,                                // NEW_HIGH_SCORE_NAME_INPUT_SCREEN
    &Visuals::DrawSponsorScreen,            // SPONSOR_SCREEN
};

// The overlay is a grid of squares centred on the 64-unit lattice, so the
// squares on the right and bottom edges reach past the 640 x 480 screen.
const int FADE_GRID_COLUMNS = 11;
const int FADE_GRID_ROWS = 9;
const float FADE_SQUARE_SPACING = 64.0f;
const float FADE_SQUARE_HALF_SIZE = 32.0f;

void Visuals::DrawFrame()
{
    const uint8_t screen = screens->ScreenRun;
    if (screens->ScreenRedrawDue && screen < NUMBER_OF_SCREENS && SCREEN_PICTURES[screen])
        (this->*SCREEN_PICTURES[screen])();
    if (screens->ScreenTransitionStatus != FADE_NONE) DrawScreenFadeOverlay();
    if (game->DebugOn != 0) DisplayDebuggingInfo();
}

void Visuals::DrawScreenFadeOverlay()
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, Sprites[SPRITE_SCREEN_FADE].Texture);
    glColor4f(1.0f, 1.0f, 1.0f, screens->ScreenFadeTransparency);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    for (int row = 0; row < FADE_GRID_ROWS; row++)
    {
        for (int column = 0; column < FADE_GRID_COLUMNS; column++)
        {
            glPushMatrix();
            glTranslatef(column * FADE_SQUARE_SPACING, row * FADE_SQUARE_SPACING, 0.0f);
            glBegin(GL_QUADS);
            glTexCoord2f(0.0f, 0.0f);
            glVertex2f(-FADE_SQUARE_HALF_SIZE, -FADE_SQUARE_HALF_SIZE);
            glTexCoord2f(1.0f, 0.0f);
            glVertex2f(FADE_SQUARE_HALF_SIZE, -FADE_SQUARE_HALF_SIZE);
            glTexCoord2f(1.0f, 1.0f);
            glVertex2f(FADE_SQUARE_HALF_SIZE, FADE_SQUARE_HALF_SIZE);
            glTexCoord2f(0.0f, 1.0f);
            glVertex2f(-FADE_SQUARE_HALF_SIZE, FADE_SQUARE_HALF_SIZE);
            glEnd();
            glPopMatrix();
        }
    }
}

// Three rows at the bottom left: frame rate, mouse x, mouse y.
const int NUMBER_OF_DEBUG_ROWS = 3;
static const float DEBUG_ROW_Y[NUMBER_OF_DEBUG_ROWS] = {429.0f, 445.0f, 461.0f};
const float DEBUG_ROW_X = 3.0f;
// A white plate four digits wide under each value.
static const char DEBUG_PLATE[] = "0000";

void Visuals::DisplayDebuggingInfo()
{
    if (game->DebugOn != 1) return;

    const int32_t values[NUMBER_OF_DEBUG_ROWS] = {game->AverageFrameRate, input->MouseX, input->MouseY};
    Typeface* const font = Font[2];
    for (int row = 0; row < NUMBER_OF_DEBUG_ROWS; row++)
    {
        DrawTextOntoScreenBuffer(DEBUG_PLATE, font, DEBUG_ROW_X, DEBUG_ROW_Y[row], JUSTIFY_LEFT, 255, 255,
                                          255, 255, 255, 255);
        snprintf(VariableText, sizeof(VariableText), "%i", values[row]);
        DrawTextOntoScreenBuffer(VariableText, font, DEBUG_ROW_X, DEBUG_ROW_Y[row], JUSTIFY_LEFT,
                                          1, 1, 1, 255, 255, 255);
    }
}
