#include "interface/interface.h"

#include "audio/audio.h"
#include "input/input.h"

// Polls that read nothing after a choice and after a move of the selection.
static const int32_t INPUT_DELAY_AFTER_CHOICE = 22;
static const int32_t INPUT_DELAY_AFTER_MOVE = 10;

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
bool Interface::MouseClickedInside(const InterfaceSprite& record) const
{
    if (!input->MouseButtonPressed[0]) return false;
    const float halfWidth = 0.5f * record.ImageWidth - record.HitBoxTrimX;
    const float halfHeight = 0.5f * record.ImageHeight - record.HitBoxTrimY;
    return input->MouseX > record.ScreenX - halfWidth && input->MouseX < record.ScreenX + halfWidth &&
           input->MouseY > record.ScreenY - halfHeight && input->MouseY < record.ScreenY + halfHeight;
}

void Interface::ChooseButton(InterfaceSprite& record)
{
    record.PressedAnimationTimer = PRESS_ANIMATION_FRAMES;
    input->DelayAllUserInput = INPUT_DELAY_AFTER_CHOICE;
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
}

// Space types a blank and button one picks a letter on the name-entry
// screens, so there they must not press "Back".
static bool ConfirmPressed(uint8_t typingKeys)
{
    const char key = input->KeyOnKeyboardPressedByUser;
    if (input->JoystickButtonOne[INPUT_ALL] == 1 && !(typingKeys & BUTTON_ONE_PICKS)) return true;
    if (key == '_' && !(typingKeys & SPACE_TYPES)) return true;
    return key == '/';
}

uint8_t Interface::ProcessAllButtonsOnScreen(uint8_t typingKeys)
{
    uint8_t news = MENU_UNCHANGED;
    for (int index = SELECTOR_LEFT; index <= BUTTON_BLANK; index++)
    {
        InterfaceSprite& record = InterfaceSprites[index];
        if (record.ScreenIndex < 0) continue;
        CountDownPress(index, news, true);

        if (input->MouseButtonPressed[0])
        {
            if (!MouseClickedInside(record)) continue;
            CurrentlySelectedButton = record.ScreenIndex;
            ChooseButton(record);
            continue;
        }
        if (record.ScreenIndex == CurrentlySelectedButton && ConfirmPressed(typingKeys))
        {
            ChooseButton(record);
            break;
        }
    }
    NavigateButtons(news);
    return news;
}

void Interface::NavigateButtons(uint8_t& news)
{
    const uint8_t direction = input->JoystickDirection[INPUT_ALL];
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

// A move of the selection clicks and pauses input; a lone row or button stays silent.
void Interface::AnnounceSelectionMove(uint8_t& news)
{
    input->DelayAllUserInput = INPUT_DELAY_AFTER_MOVE;
    news |= MENU_CHANGED;
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
}

void Interface::DestroyAllButtons()
{
    for (int index = SELECTOR_LEFT; index <= BUTTON_BLANK; index++) InterfaceSprites[index].ScreenIndex = -1;
}
