#include "interface/interface.h"

#include "audio/audio.h"

// The selectors sit this far left and right of the selected button's centre.
static const float SELECTOR_DISTANCE = 150.0f;

void Interface::CreateButton(int imageIndex, int screenIndex, float x, float y)
{
    InterfaceSprite& button = InterfaceSprites[imageIndex];
    PlaceRecord(button, screenIndex, x, y);
}

// The selectors stand beside the selected button.
void Interface::PlaceSelectors()
{
    for (int index = BUTTON_START; index <= BUTTON_BLANK; index++)
    {
        const InterfaceSprite& button = InterfaceSprites[index];
        if (button.ScreenIndex != CurrentlySelectedButton) continue;
        InterfaceSprites[SELECTOR_LEFT].ScreenX = button.ScreenX - SELECTOR_DISTANCE;
        InterfaceSprites[SELECTOR_LEFT].ScreenY = button.ScreenY;
        InterfaceSprites[SELECTOR_RIGHT].ScreenX = button.ScreenX + SELECTOR_DISTANCE;
        InterfaceSprites[SELECTOR_RIGHT].ScreenY = button.ScreenY;
    }
}

// A click strictly inside the image less its trims.
bool Interface::MouseClickedInside(const InterfaceSprite& record, const FrameCommand& command) const
{
    if (!command.Click[0]) return false;
    const float halfWidth = 0.5f * record.ImageWidth - record.HitBoxTrimX;
    const float halfHeight = 0.5f * record.ImageHeight - record.HitBoxTrimY;
    return command.PointerX > record.ScreenX - halfWidth && command.PointerX < record.ScreenX + halfWidth &&
           command.PointerY > record.ScreenY - halfHeight && command.PointerY < record.ScreenY + halfHeight;
}

void Interface::ChooseButton(InterfaceSprite& record, uint8_t& news)
{
    record.PressedAnimationTimer = PRESS_ANIMATION_FRAMES;
    news |= MENU_BUTTON_PRESSED;
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
}

// Space types a blank and button one picks a letter on the name-entry
// screens, so there they must not press "Back".
static bool ConfirmPressed(const FrameCommand& command, uint8_t typingKeys)
{
    const char key = command.Key;
    if (command.ButtonOne[INPUT_ALL] == 1 && !(typingKeys & BUTTON_ONE_PICKS)) return true;
    if (key == '_' && !(typingKeys & SPACE_TYPES)) return true;
    return key == '/';
}

uint8_t Interface::ProcessAllButtonsOnScreen(const FrameCommand& command, uint8_t typingKeys)
{
    uint8_t news = MENU_UNCHANGED;
    for (int index = SELECTOR_LEFT; index <= BUTTON_BLANK; index++)
    {
        InterfaceSprite& record = InterfaceSprites[index];
        if (record.ScreenIndex < 0) continue;
        CountDownPress(index, news, true);

        if (command.Click[0])
        {
            if (!MouseClickedInside(record, command)) continue;
            CurrentlySelectedButton = record.ScreenIndex;
            ChooseButton(record, news);
            continue;
        }
        if (record.ScreenIndex == CurrentlySelectedButton && ConfirmPressed(command, typingKeys))
        {
            ChooseButton(record, news);
            break;
        }
    }
    NavigateButtons(command.Direction[INPUT_ALL], news);
    return news;
}

void Interface::NavigateButtons(uint8_t direction, uint8_t& news)
{
    if (direction == CENTER) return;

    int first = 0, last = 0;
    bool found = false;
    for (int index = BUTTON_START; index <= BUTTON_BLANK; index++)
    {
        const InterfaceSprite& button = InterfaceSprites[index];
        if (button.ScreenIndex < 0) continue;
        if (!found) first = button.ScreenIndex;
        last = button.ScreenIndex;
        found = true;
    }

    if (direction != UP && direction != DOWN) return;
    CurrentlySelectedButton = StepThroughRows(CurrentlySelectedButton, direction, first, last, 1);
    if (last != 0) AnnounceSelectionMove(news);
}

int StepThroughRows(int selected, uint8_t direction, int first, int last, int step)
{
    if (direction == UP) return (selected > 0 && selected > first) ? selected - step : last;
    return selected < last ? selected + step : 0;
}

// A move of the selection clicks; a lone row or button stays silent.
void Interface::AnnounceSelectionMove(uint8_t& news)
{
    news |= MENU_CHANGED | MENU_SELECTION_MOVED;
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
}

void Interface::DestroyAllButtons()
{
    for (int index = SELECTOR_LEFT; index <= BUTTON_BLANK; index++) InterfaceSprites[index].ScreenIndex = -1;
}
