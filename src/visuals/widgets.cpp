// The menus' buttons, their selectors, the arrows and the highlight bar,
// drawn where the menus placed them.
#include "visuals/visuals.h"

#include <utility>

#include "checks.h"
#include "interface/interface.h"
#include "screens/screens.h"

// The highlight bar: light grey at half opacity.
static const float HIGHLIGHT_BAR_HUE = 0.75f;
static const float HIGHLIGHT_BAR_TRANSPARENCY = 0.5f;

void Visuals::DisplayAllButtonsOntoScreenBuffer()
{
    for (int index = SELECTOR_LEFT; index <= BUTTON_BLANK; index++)
    {
        if (interface->InterfaceSprites[index].ScreenIndex < 0) continue;
        ScaleForPress(index);
        DrawInterfaceSprite(index);
    }
    for (int index = SELECTOR_LEFT; index <= SELECTOR_RIGHT; index++)
    {
        ScaleForPress(index);
        DrawInterfaceSprite(index);
    }
    screens->ScreenBufferNeedsDisplay = 1;
}

void Visuals::DrawHighlightBar()
{
    InterfaceSprite& bar = interface->InterfaceSprites[SELECTOR_LINE];
    bar.RedHue = HIGHLIGHT_BAR_HUE;
    bar.GreenHue = HIGHLIGHT_BAR_HUE;
    bar.BlueHue = HIGHLIGHT_BAR_HUE;
    bar.Transparency = HIGHLIGHT_BAR_TRANSPARENCY;
    ScaleForPress(SELECTOR_LINE);
    DrawInterfaceSprite(SELECTOR_LINE);
}

void Visuals::DisplayAllArrowSetsOntoScreenBuffer()
{
    DrawHighlightBar();
    for (int id = 0; id < NUMBER_OF_ARROWS; id++)
    {
        if (interface->InterfaceSprites[FIRST_ARROW + id].ScreenIndex < 0) continue;
        ScaleForPress(FIRST_ARROW + id);
        DrawInterfaceSprite(FIRST_ARROW + id);
    }
    screens->ScreenBufferNeedsDisplay = 1;
}

// A chosen widget is drawn shrunk while its press lasts.
void Visuals::ScaleForPress(int index)
{
    InterfaceSprite& record = interface->InterfaceSprites[index];
    const float scale = record.PressedAnimationTimer > 0 ? PRESSED_SCALE : 1.0f;
    record.ScaleX = scale;
    record.ScaleY = scale;
}

// A record's quad hangs from its top-left corner, about which it turns;
// mirroring keeps it within its own box.
static PlacedQuad QuadOfRecord(const InterfaceSprite& record)
{
    PlacedQuad quad = {record, {0.0f, 0.0f, record.ImageWidth, record.ImageHeight}};
    quad.ScreenX -= 0.5f * record.ImageWidth * record.ScaleX;
    quad.ScreenY -= 0.5f * record.ImageHeight * record.ScaleY;
    if (record.FlipX) std::swap(quad.Corners.StartX, quad.Corners.EndX);
    if (record.FlipY) std::swap(quad.Corners.StartY, quad.Corners.EndY);
    return quad;
}

void Visuals::DrawInterfaceSprite(int index)
{
    if (!RULE_HOLDS(index >= 0 && index < NUMBER_OF_INTERFACE_SPRITES)) return;
    DrawQuad(QuadOfRecord(interface->InterfaceSprites[index]));
}
