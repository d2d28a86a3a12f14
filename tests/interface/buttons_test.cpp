#include <gtest/gtest.h>

#include "input/input.h"
#include "interface/interface.h"
#include "interface_fixture.h"
#include "screens/screens.h"
#include "visuals/visuals.h"

namespace {

// The title menu: six buttons 42 apart from y 196.
class Buttons : public InterfaceTest
{
protected:
    void SetUp() override
    {
        InterfaceTest::SetUp();
        ASSERT_TRUE(visuals->CreateAllGUIAndInitialize(true));
        for (int index = 0; index < 6; index++)
            interface->CreateButton(BUTTON_START + index, index, 320, 196 + 42 * index);
        interface->CurrentlySelectedButton = 0;
        screens->ScreenToDisplay = TITLE_SCREEN;
        screens->ScreenTransitionStatus = FADE_NONE;
    }
};

TEST_F(Buttons, ClickMustLieStrictlyInsideTheTrimmedHitBox)
{
    // 256 wide with 3 trimmed: x 195 is on the border; 64 high with 12 trimmed: y 20 either side.
    ProcessButtonsWith(Clicked(195, 322));
    EXPECT_EQ(-1, interface->InterfaceSprites[BUTTON_HIGH_SCORES].PressedAnimationTimer);
    EXPECT_EQ(0, interface->CurrentlySelectedButton);
    ProcessButtonsWith(Clicked(445, 322));
    ProcessButtonsWith(Clicked(320, 342));
    EXPECT_EQ(-1, interface->InterfaceSprites[BUTTON_HIGH_SCORES].PressedAnimationTimer);

    ProcessButtonsWith(Clicked(196, 322));
    EXPECT_EQ(10, interface->InterfaceSprites[BUTTON_HIGH_SCORES].PressedAnimationTimer);
    EXPECT_EQ(3, interface->CurrentlySelectedButton);
    EXPECT_EQ(22, input->DelayAllUserInput);
}

TEST_F(Buttons, DownWalksThroughAllSixAndWrapsUpJumpsToTheLast)
{
    const int expected[6] = {1, 2, 3, 4, 5, 0};
    for (int step = 0; step < 6; step++)
    {
        screens->ScreenIsDirty = 0;
        ProcessButtonsWith(Held(INPUT_KEYBOARD, DOWN));
        EXPECT_EQ(expected[step], interface->CurrentlySelectedButton);
        EXPECT_EQ(10, input->DelayAllUserInput);
        EXPECT_EQ(1, screens->ScreenIsDirty);
    }
    ProcessButtonsWith(Held(INPUT_KEYBOARD, UP));
    EXPECT_EQ(5, interface->CurrentlySelectedButton);
    ProcessButtonsWith(Held(INPUT_KEYBOARD, UP));
    EXPECT_EQ(4, interface->CurrentlySelectedButton);
    ProcessButtonsWith(Held(INPUT_KEYBOARD, LEFT));
    EXPECT_EQ(4, interface->CurrentlySelectedButton);
    EXPECT_EQ(-1, input->DelayAllUserInput);
}

TEST_F(Buttons, SingleButtonNeitherMovesNorClicks)
{
    interface->DestroyAllButtons();
    interface->CreateButton(BUTTON_BACK, 0, 320, 458);
    ProcessButtonsWith(Held(INPUT_KEYBOARD, DOWN));
    ProcessButtonsWith(Held(INPUT_KEYBOARD, UP));
    EXPECT_EQ(0, interface->CurrentlySelectedButton);
    EXPECT_EQ(-1, input->DelayAllUserInput);
}

TEST_F(Buttons, ChosenButtonShrinksForTenFramesThenStartsTheFade)
{
    interface->CurrentlySelectedButton = 3;
    ProcessButtonsWith(KeyPressed('/'));
    InterfaceSprite& button = interface->InterfaceSprites[BUTTON_HIGH_SCORES];
    for (int frame = 0; frame < 10; frame++)
    {
        EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus) << frame;
        visuals->ClearScreenBufferWithColor(0, 0, 0, 1);
        visuals->DisplayAllButtonsOntoScreenBuffer();
        EXPECT_FLOAT_EQ(0.85f, visuals->WidgetLooks[BUTTON_HIGH_SCORES].ScaleX);
        EXPECT_FLOAT_EQ(1.0f, visuals->WidgetLooks[SELECTOR_LEFT].ScaleX);
        EXPECT_TRUE(PixelIs(200, 322, 0, 0, 0)) << "outside the shrunk button";
        ProcessButtonsWith(KeyPressed(0));
    }
    EXPECT_EQ(FADE_OUT, screens->ScreenTransitionStatus);
    visuals->ClearScreenBufferWithColor(0, 0, 0, 1);
    visuals->DisplayAllButtonsOntoScreenBuffer();
    EXPECT_FLOAT_EQ(1.0f, visuals->WidgetLooks[BUTTON_HIGH_SCORES].ScaleX);
    EXPECT_FALSE(PixelIs(200, 322, 0, 0, 0));
    ProcessButtonsWith(KeyPressed(0));
    EXPECT_EQ(-1, button.PressedAnimationTimer);
}

TEST_F(Buttons, SelectorsFrameTheSelectedButton)
{
    interface->CurrentlySelectedButton = 2;
    interface->PlaceSelectors();
    visuals->DisplayAllButtonsOntoScreenBuffer();
    EXPECT_FLOAT_EQ(170.0f, interface->InterfaceSprites[SELECTOR_LEFT].ScreenX);
    EXPECT_FLOAT_EQ(470.0f, interface->InterfaceSprites[SELECTOR_RIGHT].ScreenX);
    EXPECT_FLOAT_EQ(280.0f, interface->InterfaceSprites[SELECTOR_RIGHT].ScreenY);
    EXPECT_EQ(1, screens->ScreenBufferNeedsDisplay);
}

TEST_F(Buttons, NameEntryScreensKeepTheirTypingKeys)
{
    interface->DestroyAllButtons();
    interface->CreateButton(BUTTON_BACK, 0, 320, 458);
    InterfaceSprite& back = interface->InterfaceSprites[BUTTON_BACK];

    ProcessButtonsWith(KeyPressed('_'), SPACE_TYPES);
    EXPECT_EQ(-1, back.PressedAnimationTimer);
    ProcessButtonsWith(KeyPressed('/'), SPACE_TYPES);
    EXPECT_EQ(10, back.PressedAnimationTimer);

    back.PressedAnimationTimer = -1;
    ProcessButtonsWith(Held(INPUT_JOYSTICK_ONE, CENTER, true), BUTTON_ONE_PICKS);
    EXPECT_EQ(-1, back.PressedAnimationTimer);
    ProcessButtonsWith(KeyPressed('_'), BUTTON_ONE_PICKS);
    EXPECT_EQ(10, back.PressedAnimationTimer);
}

TEST_F(Buttons, ChoiceStopsTheCountdownOfLaterButtons)
{
    interface->InterfaceSprites[BUTTON_EXIT].PressedAnimationTimer = 5;
    ProcessButtonsWith(KeyPressed('_'));
    EXPECT_EQ(10, interface->InterfaceSprites[BUTTON_START].PressedAnimationTimer);
    EXPECT_EQ(5, interface->InterfaceSprites[BUTTON_EXIT].PressedAnimationTimer);
}

}  // namespace
