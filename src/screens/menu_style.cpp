#include "screens/screens.h"

#include "visuals/visuals.h"

const float MENU_HEADING_Y = 1.0f;
const float MENU_TOP_RULE_Y = 7.0f;
const float MENU_BOTTOM_RULE_Y = 400.0f;
static const char MENU_RULE[] = "______________________________________";

const float SCREEN_CENTRE_X = 320.0f;
const float SCREEN_CENTRE_Y = 240.0f;

static void DrawMenuTitleText(const char* text, float y)
{
    visuals->DrawTextOntoScreenBuffer(text, visuals->Font[0], 0.0f, y, JUSTIFY_CENTER_SCREEN, 255, 255, 0, 0, 0, 0);
}

void Screens::DrawMenuHeading(const char* heading)
{
    DrawMenuTitleText(heading, MENU_HEADING_Y);
    DrawMenuTitleText(MENU_RULE, MENU_TOP_RULE_Y);
    DrawMenuTitleText(MENU_RULE, MENU_BOTTOM_RULE_Y);
}

void Screens::DrawMenuBackground(float transparency)
{
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);

    Sprite& background = visuals->Sprites[SPRITE_MENU_BACKGROUND];
    background.ScreenX = SCREEN_CENTRE_X;
    background.ScreenY = SCREEN_CENTRE_Y;
    background.Transparency = transparency;
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_MENU_BACKGROUND);
}
