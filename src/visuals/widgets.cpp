// The menus' buttons, their selectors, the arrows and the highlight bar,
// drawn where the menus placed them.
#include "visuals/visuals.h"

#include <GL/gl.h>

#include <utility>

#include "checks.h"
#include "interface/interface.h"
#include "screens/screens.h"

// Buttons show the menu behind them; the highlight bar is light grey at half opacity.
static const float BUTTON_TRANSPARENCY = 0.75f;
static const float HIGHLIGHT_BAR_HUE = 0.75f;
static const float HIGHLIGHT_BAR_TRANSPARENCY = 0.5f;

void Visuals::DisplayAllButtonsOntoScreenBuffer()
{
    for (int index = SELECTOR_LEFT; index <= BUTTON_BLANK; index++)
    {
        if (interface->InterfaceSprites[index].ScreenIndex >= 0) DrawInterfaceSprite(index);
    }
    for (int index = SELECTOR_LEFT; index <= SELECTOR_RIGHT; index++) DrawInterfaceSprite(index);
    screens->ScreenBufferNeedsDisplay = 1;
}

void Visuals::DisplayAllArrowSetsOntoScreenBuffer()
{
    DrawInterfaceSprite(SELECTOR_LINE);
    for (int id = 0; id < NUMBER_OF_ARROWS; id++)
    {
        if (interface->InterfaceSprites[FIRST_ARROW + id].ScreenIndex >= 0) DrawInterfaceSprite(FIRST_ARROW + id);
    }
    screens->ScreenBufferNeedsDisplay = 1;
}

// Upright at its place, shrunk while its press lasts.
static Placement LooksOf(int index, GLuint texture)
{
    const InterfaceSprite& record = interface->InterfaceSprites[index];
    Placement looks = UprightAt(texture, record.ScreenX, record.ScreenY);
    const float scale = record.PressedAnimationTimer > 0 ? PRESSED_SCALE : 1.0f;
    looks.ScaleX = scale;
    looks.ScaleY = scale;
    if (index >= BUTTON_START && index <= BUTTON_BLANK) looks.Transparency = BUTTON_TRANSPARENCY;
    if (index != SELECTOR_LINE) return looks;
    looks.RedHue = looks.GreenHue = looks.BlueHue = HIGHLIGHT_BAR_HUE;
    looks.Transparency = HIGHLIGHT_BAR_TRANSPARENCY;
    return looks;
}

// A record's quad hangs from its top-left corner, about which it turns.
static PlacedQuad QuadOfRecord(const InterfaceSprite& record, const Placement& looks)
{
    PlacedQuad quad = {looks, {0.0f, 0.0f, record.ImageWidth, record.ImageHeight}};
    quad.ScreenX -= 0.5f * record.ImageWidth * looks.ScaleX;
    quad.ScreenY -= 0.5f * record.ImageHeight * looks.ScaleY;
    return quad;
}

void Visuals::DrawInterfaceSprite(int index)
{
    if (!RULE_HOLDS(index >= 0 && index < NUMBER_OF_INTERFACE_SPRITES)) return;
    WidgetLooks[index] = LooksOf(index, WidgetTexture[index]);
    DrawQuad(QuadOfRecord(interface->InterfaceSprites[index], WidgetLooks[index]));
}
