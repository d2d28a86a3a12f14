#include "screens/screens.h"

#include <GL/gl.h>

#include "audio/audio.h"
#include "input/input.h"
#include "visuals/visuals.h"

const float FADE_STEP = 0.2f;             // overlay opacity per frame
const float FADED_OUT_OPACITY = 0.9f;     // above this a fading screen counts as covered
const int16_t NO_SCREEN_DISPLAY_TIMER = -1;

// The overlay is a grid of squares centred on the 64-unit lattice, so the
// squares on the right and bottom edges reach past the 640 x 480 screen.
const int FADE_GRID_COLUMNS = 11;
const int FADE_GRID_ROWS = 9;
const float FADE_SQUARE_SPACING = 64.0f;
const float FADE_SQUARE_HALF_SIZE = 32.0f;

static bool SkipWasPressed()
{
    return input->MouseButtonPressed[0] || input->JoystickButtonOne[INPUT_ALL] == 1 ||
           input->KeyOnKeyboardPressedByUser == '_';
}

// The logo screens' display time: counted down, cut short by a skip press.
static void RunScreenDisplayTimer(Screens& screen)
{
    if (screen.ScreenDisplayTimer > 0) screen.ScreenDisplayTimer--;

    if (screen.ScreenDisplayTimer > 0 && SkipWasPressed())
    {
        screen.ScreenDisplayTimer = 0;
        audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    }

    if (screen.ScreenDisplayTimer != 0) return;
    screen.ScreenTransitionStatus = FADE_OUT;
    screen.ScreenDisplayTimer = NO_SCREEN_DISPLAY_TIMER;
}

static void AdvanceFade(Screens& screen)
{
    if (screen.ScreenTransitionStatus == FADE_IN)
    {
        if (screen.ScreenFadeTransparency > 0.0f)
            screen.ScreenFadeTransparency -= FADE_STEP;
        else
        {
            screen.ScreenFadeTransparency = 0.0f;
            screen.ScreenTransitionStatus = FADE_NONE;
        }
    }
    else if (screen.ScreenTransitionStatus == FADE_OUT)
    {
        if (screen.ScreenFadeTransparency < 1.0f)
            screen.ScreenFadeTransparency += FADE_STEP;
        else
        {
            screen.ScreenFadeTransparency = 1.0f;
            screen.ScreenTransitionStatus = FADE_ALL;
        }
    }
}

void Screens::ApplyScreenFadeTransition()
{
    if (ScreenTransitionStatus == FADE_NONE)
    {
        RunScreenDisplayTimer(*this);
        return;
    }

    AdvanceFade(*this);
    DrawScreenFadeOverlay();
    // The overlay is blended onto the buffer, so the next frame needs a clean picture.
    ScreenIsDirty = 1;
}

bool Screens::ScreenHasFadedOut() const
{
    return ScreenTransitionStatus == FADE_OUT && ScreenFadeTransparency > FADED_OUT_OPACITY;
}

void Screens::DrawScreenFadeOverlay()
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, visuals->Sprites[SPRITE_SCREEN_FADE].Texture);
    glColor4f(1.0f, 1.0f, 1.0f, ScreenFadeTransparency);
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
