#include "interface/interface.h"

#include "audio/audio.h"

// Arrows sit at the screen's edges, a little below the row's text.
static const float LEFT_ARROW_X = 30.0f;
static const float RIGHT_ARROW_X = 610.0f;
static const float ARROW_BELOW_ROW = 22.0f;
static const float ARROW_HIT_BOX_TRIM_X = 10.0f;
static const float ARROW_HIT_BOX_TRIM_Y = 13.0f;

// The highlight bar is centred across the screen.
static const float HIGHLIGHT_BAR_X = 320.0f;

void Interface::CreateArrowSet(int leftId, int rightId, float y)
{
    const int ids[2] = {leftId, rightId};
    const float xs[2] = {LEFT_ARROW_X, RIGHT_ARROW_X};
    for (int side = 0; side < 2; side++)
    {
        InterfaceSprite& arrow = InterfaceSprites[FIRST_ARROW + ids[side]];
        PlaceRecord(arrow, ids[side], xs[side], y + ARROW_BELOW_ROW);
        arrow.HitBoxTrimX = ARROW_HIT_BOX_TRIM_X;
        arrow.HitBoxTrimY = ARROW_HIT_BOX_TRIM_Y;
    }
}

// The highlight bar lies across the screen on the selected set's row.
void Interface::PlaceHighlightBar()
{
    InterfaceSprite& bar = InterfaceSprites[SELECTOR_LINE];
    bar.ScreenX = HIGHLIGHT_BAR_X;
    bar.ScreenY = InterfaceSprites[FIRST_ARROW + CurrentlySelectedArrowSet].ScreenY;
}

// Left picks the selected set's left arrow, right its right arrow.
bool Interface::ArrowChosen(int id, uint8_t direction) const
{
    if (direction == LEFT) return id == CurrentlySelectedArrowSet;
    if (direction == RIGHT) return id - 1 == CurrentlySelectedArrowSet;
    return false;
}

uint8_t Interface::ProcessAllArrowSetsOnScreen(const FrameCommand& command)
{
    uint8_t news = MENU_UNCHANGED;
    for (int id = 0; id < NUMBER_OF_ARROWS; id++)
    {
        InterfaceSprite& arrow = InterfaceSprites[FIRST_ARROW + id];
        if (arrow.ScreenIndex < 0) continue;

        CountDownPress(FIRST_ARROW + id, news, false);  // an arrow never starts a fade

        bool chosen;
        if (command.Click[0])
        {
            chosen = MouseClickedInside(arrow, command);
            if (chosen) CurrentlySelectedArrowSet = id - (id % 2);
        }
        else
        {
            chosen = ArrowChosen(id, command.Direction[INPUT_ALL]);
        }
        if (!chosen) continue;

        arrow.PressedAnimationTimer = PRESS_ANIMATION_FRAMES;
        ArrowSetArrowPressed = id;
        news |= MENU_ARROW_PRESSED;
        audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    }
    NavigateArrowSets(command.Direction[INPUT_ALL], news);
    return news;
}

void Interface::NavigateArrowSets(uint8_t direction, uint8_t& news)
{
    if (direction == CENTER) return;

    int firstRight = 0, last = 0;
    bool found = false;
    for (int id = 0; id < NUMBER_OF_ARROWS; id++)
    {
        if (InterfaceSprites[FIRST_ARROW + id].ScreenIndex < 0) continue;
        if (id % 2 == 0) last = id;
        if (id % 2 == 1 && !found)
        {
            firstRight = id;
            found = true;
        }
    }

    if (direction != UP && direction != DOWN) return;
    // Rows are pairs of arrows, numbered by the left one.
    CurrentlySelectedArrowSet = StepThroughRows(CurrentlySelectedArrowSet, direction, firstRight, last, 2);
    if (last != 0) AnnounceSelectionMove(news);
}

void Interface::DestroyAllArrowSets()
{
    for (int id = 0; id < NUMBER_OF_ARROWS; id++) InterfaceSprites[FIRST_ARROW + id].ScreenIndex = -1;
}
