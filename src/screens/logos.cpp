#include "screens/screens.h"

#include "audio/audio.h"
#include "game/game.h"
#include "input/input.h"
#include "visuals/visuals.h"

const int16_t SPONSOR_LOGO_FRAMES = 300;
// The sponsor screen leaves this in the timer; the maker screen takes it as its entry.
const int16_t MAKER_SCREEN_ENTRY_TIMER = 450;
const int16_t MAKER_LOGO_FRAMES = 449;
const int16_t NO_LOGO_TIMER = -1;
const int32_t INPUT_DELAY_AFTER_DEBUG_SWITCH = 20;  // frames

const float LOGO_X = 320.0f;
const float LOGO_Y = 240.0f;
// The maker logo is a small picture blown up with hard pixel edges.
const float MAKER_LOGO_SCALE_X = 5.0f;
const float MAKER_LOGO_SCALE_Y = 8.0f;

const float TRADEMARK_RIGHT_MARGIN = 55.0f;
const float TRADEMARK_Y = 295.0f;
const float SLOGAN_Y = 307.0f;
const float WEB_ADDRESS_Y = 447.0f;
static const char MAKER_SLOGAN[] = "Games built one brick at a time";
static const char MAKER_WEB_ADDRESS[] = "www.brickwell-games.example";

static void DrawLogo(unsigned short index)
{
    Sprite& logo = visuals->Sprites[index];
    logo.ScreenX = LOGO_X;
    logo.ScreenY = LOGO_Y;
    visuals->DrawSpriteOntoScreenBuffer(index);
}

// Each redraw sets the display time back, so it runs only once the fade-in is over.
static void DrawSponsorScreen(Screens& screen)
{
    visuals->ClearScreenBufferWithColor(1.0f, 1.0f, 1.0f, 1.0f);
    screen.ScreenDisplayTimer = SPONSOR_LOGO_FRAMES;
    DrawLogo(SPRITE_SPONSOR_LOGO);
    screen.ScreenIsDirty = 0;
    screen.ScreenBufferNeedsDisplay = 1;
}

static void DrawMakerScreen(Screens& screen)
{
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);

    Sprite& logo = visuals->Sprites[SPRITE_MAKER_LOGO];
    logo.ScaleX = MAKER_LOGO_SCALE_X;
    logo.ScaleY = MAKER_LOGO_SCALE_Y;
    logo.Smooth = false;
    DrawLogo(SPRITE_MAKER_LOGO);

    visuals->DrawTextOntoScreenBuffer("TM", visuals->Font[2], TRADEMARK_RIGHT_MARGIN, TRADEMARK_Y, JUSTIFY_RIGHT,
                                      1, 255, 1, 1, 1, 1);
    visuals->DrawTextOntoScreenBuffer(MAKER_SLOGAN, visuals->Font[1], 0.0f, SLOGAN_Y, JUSTIFY_CENTER_SCREEN,
                                      1, 255, 1, 1, 1, 1);
    visuals->DrawTextOntoScreenBuffer(MAKER_WEB_ADDRESS, visuals->Font[0], 0.0f, WEB_ADDRESS_Y,
                                      JUSTIFY_CENTER_SCREEN, 1, 255, 1, 1, 90, 1);

    screen.ScreenIsDirty = 0;
    screen.ScreenBufferNeedsDisplay = 1;
}

// 'd' toggles the debug overlay between off and on.
static void ProcessDebugSwitch(Screens& screen)
{
    if (input->KeyOnKeyboardPressedByUser == 'd')
    {
        game->DebugOn++;
        audio->PlayDigitalSoundFX(SFX_CLICK, 0);
        input->DelayAllUserInput = INPUT_DELAY_AFTER_DEBUG_SWITCH;
        screen.ScreenBufferNeedsDisplay = 1;
        screen.ScreenIsDirty = 1;
    }
    if (game->DebugOn > 1) game->DebugOn = 0;
}

void Screens::DisplaySponsorScreen()
{
    if (ScreenIsDirty) DrawSponsorScreen(*this);

    if (ScreenTransitionStatus != FADE_ALL) return;
    ScreenToDisplay = BRICKWELL_SCREEN;
    ScreenDisplayTimer = MAKER_SCREEN_ENTRY_TIMER;
    ScreenIsDirty = 1;
}

void Screens::DisplayBrickwellScreen()
{
    if (ScreenDisplayTimer == MAKER_SCREEN_ENTRY_TIMER)
    {
        ScreenTransitionStatus = FADE_IN;
        ScreenDisplayTimer = MAKER_LOGO_FRAMES;
    }

    if (ScreenIsDirty) DrawMakerScreen(*this);
    ProcessDebugSwitch(*this);

    if (ScreenTransitionStatus != FADE_ALL) return;
    ScreenToDisplay = TITLE_SCREEN;
    // Left by Escape the timer may still run; no later screen may skip or time out by it.
    ScreenDisplayTimer = NO_LOGO_TIMER;
}
