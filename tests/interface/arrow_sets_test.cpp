#include <gtest/gtest.h>

#include "input/input.h"
#include "interface/interface.h"
#include "interface_fixture.h"
#include "screens/screens.h"
#include "visuals/visuals.h"

namespace {

// The options screen's two rows: music at y 50, sound effects at y 120.
class ArrowSets : public InterfaceTest
{
protected:
    void SetUp() override
    {
        InterfaceTest::SetUp();
        ASSERT_TRUE(visuals->CreateAllGUIAndInitialize(true));
        interface->CreateArrowSet(0, 1, 50);
        interface->CreateArrowSet(2, 3, 120);
        interface->CurrentlySelectedArrowSet = 0;
    }

    // The arrow the frame's input pressed, or -1.
    static int ArrowPressedBy(const FrameInput& frame)
    {
        TakeInput(frame);
        interface->ArrowSetArrowPressed = -1;
        screens->TakeMenuNews(interface->ProcessAllArrowSetsOnScreen(screens->Command));
        return interface->ArrowSetArrowPressed;
    }
    static int Press(int direction) { return ArrowPressedBy(Held(INPUT_KEYBOARD, direction)); }
    static int ClickAt(int x, int y) { return ArrowPressedBy(Clicked(x, y)); }

    static float HighlightBarY()
    {
        interface->PlaceHighlightBar();
        visuals->DisplayAllArrowSetsOntoScreenBuffer();
        return interface->InterfaceSprites[SELECTOR_LINE].ScreenY;
    }
};

TEST_F(ArrowSets, ArrowsSitAtTheEdgesBelowTheirRow)
{
    const InterfaceSprite& left = interface->InterfaceSprites[FIRST_ARROW + 2];
    const InterfaceSprite& right = interface->InterfaceSprites[FIRST_ARROW + 3];
    EXPECT_FLOAT_EQ(30.0f, left.ScreenX);
    EXPECT_FLOAT_EQ(610.0f, right.ScreenX);
    EXPECT_FLOAT_EQ(142.0f, right.ScreenY);
    EXPECT_FLOAT_EQ(13.0f, right.HitBoxTrimY);
    EXPECT_FLOAT_EQ(72.0f, HighlightBarY());
    EXPECT_EQ(1, screens->ScreenBufferNeedsDisplay);
}

TEST_F(ArrowSets, UpAndDownMoveTheSelectionAndWrap)
{
    EXPECT_EQ(-1, Press(DOWN));
    EXPECT_EQ(2, interface->CurrentlySelectedArrowSet);
    EXPECT_FLOAT_EQ(142.0f, HighlightBarY());
    EXPECT_EQ(10, input->DelayAllUserInput);
    Press(DOWN);
    EXPECT_EQ(0, interface->CurrentlySelectedArrowSet);
    Press(UP);
    EXPECT_EQ(2, interface->CurrentlySelectedArrowSet);
    Press(UP);
    EXPECT_EQ(0, interface->CurrentlySelectedArrowSet);
}

TEST_F(ArrowSets, LeftAndRightPressTheSelectedRowsArrowOnly)
{
    interface->CurrentlySelectedArrowSet = 2;
    EXPECT_EQ(3, Press(RIGHT));
    EXPECT_EQ(10, interface->InterfaceSprites[FIRST_ARROW + 3].PressedAnimationTimer);
    EXPECT_EQ(-1, interface->InterfaceSprites[FIRST_ARROW + 2].PressedAnimationTimer);
    EXPECT_EQ(-1, interface->InterfaceSprites[FIRST_ARROW + 1].PressedAnimationTimer);
    EXPECT_EQ(15, input->DelayAllUserInput);
    EXPECT_EQ(2, Press(LEFT));

    // The arrow shrinks while pressed but never starts a fade.
    screens->ScreenTransitionStatus = FADE_NONE;
    for (int frame = 0; frame < 12; frame++) Press(CENTER);
    EXPECT_EQ(FADE_NONE, screens->ScreenTransitionStatus);
    EXPECT_EQ(-1, interface->InterfaceSprites[FIRST_ARROW + 3].PressedAnimationTimer);
}

TEST_F(ArrowSets, ClickChoosesTheArrowAndSelectsItsRow)
{
    interface->CurrentlySelectedArrowSet = 2;
    EXPECT_EQ(1, ClickAt(610, 72));
    EXPECT_EQ(0, interface->CurrentlySelectedArrowSet);
    EXPECT_EQ(2, ClickAt(30, 142));
    EXPECT_EQ(2, interface->CurrentlySelectedArrowSet);
}

TEST_F(ArrowSets, ClicksOnTheTrimmedBorderMiss)
{
    // 32 x 32 arrows: 10 pixels in from a side and 13 from the top or bottom are outside.
    EXPECT_EQ(-1, ClickAt(604, 72));
    EXPECT_EQ(-1, ClickAt(616, 72));
    EXPECT_EQ(-1, ClickAt(610, 69));
    EXPECT_EQ(-1, ClickAt(610, 75));
    EXPECT_EQ(1, ClickAt(605, 70));
}

TEST_F(ArrowSets, SingleSetNeverMovesAndDestroyTakesAllOff)
{
    interface->DestroyAllArrowSets();
    for (int id = 0; id < NUMBER_OF_ARROWS; id++)
        EXPECT_EQ(-1, interface->InterfaceSprites[FIRST_ARROW + id].ScreenIndex);
    interface->CreateArrowSet(0, 1, 50);
    Press(DOWN);
    Press(UP);
    EXPECT_EQ(0, interface->CurrentlySelectedArrowSet);
    EXPECT_EQ(-1, input->DelayAllUserInput);
}

}  // namespace
