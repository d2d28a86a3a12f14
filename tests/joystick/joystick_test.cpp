#include <gtest/gtest.h>

#include <memory>

#include "game/game.h"
#include "input/input.h"
#include "desktop/desktop.h"
#include "screens/screens.h"
#include "support/joystick_state.h"
#include "support/key_events.h"
#include "support/window_fixture.h"
#include "visuals/visuals.h"

namespace {

const int PUSHED = 32767;
const int PULLED = -32768;

// Runs with the joystick double preloaded; the sticks come from `sticks`.
class Joysticks : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(JoystickDoubleLoaded()) << "the double must be preloaded";
        sticks.reset(new JoystickState(directory->path));
    }

    void PlugAndStart(int joysticks, int axes = 2, int buttons = 4, int hats = 0)
    {
        sticks->Plug(joysticks, axes, buttons, hats);
        GameObjects::Replace(input);
        input->OpenJoysticks();
    }

    uint8_t DirectionOf(int source)
    {
        PollInput();
        return screens->Command.Direction[source];
    }

    void MapBoth(uint8_t up, uint8_t down, uint8_t left, uint8_t right)
    {
        input->JoyMapUP[0] = up;
        input->JoyMapDOWN[0] = down;
        input->JoyMapLEFT[0] = left;
        input->JoyMapRIGHT[0] = right;
    }

    std::unique_ptr<JoystickState> sticks;
};

TEST_F(Joysticks, NoneTwoOrThreePluggedOpenAtMostTwo)
{
    PlugAndStart(0);
    EXPECT_TRUE(AppearInOrder(output->Text(), {"No USB joysticks are plugged in"}));
    EXPECT_FALSE(JoystickDeviceOpen(0));
    EXPECT_EQ(CENTER, DirectionOf(INPUT_JOYSTICK_ONE));

    PlugAndStart(3, 6, 12);
    EXPECT_TRUE(AppearInOrder(output->Text(), {"SDL Joystick 0 initialized", "SDL Joystick 1 initialized"}));
    EXPECT_EQ(std::string::npos, output->Text().find("SDL Joystick 2"));
    EXPECT_EQ(6, input->JoystickNumberOfAxes[1]);
    EXPECT_EQ(12, input->JoystickNumberOfButtons[1]);
    PlugAndStart(0);
    EXPECT_FALSE(SDL_JoystickOpened(0));
    EXPECT_FALSE(SDL_JoystickOpened(1));
}

TEST_F(Joysticks, DefaultMappingReadsBothSticksIntoTheirSources)
{
    PlugAndStart(2);
    sticks->SetAxis(0, 1, PULLED);
    EXPECT_EQ(UP, DirectionOf(INPUT_JOYSTICK_ONE));
    EXPECT_EQ(UP, screens->Command.Direction[INPUT_ALL]);
    sticks->SetAxis(0, 1, -16383);
    EXPECT_EQ(CENTER, DirectionOf(INPUT_JOYSTICK_ONE)) << "inside the dead zone";
    sticks->SetAxis(0, 1, -16384);
    EXPECT_EQ(UP, DirectionOf(INPUT_JOYSTICK_ONE));
    sticks->SetAxis(0, 0, PUSHED);
    EXPECT_EQ(UP, DirectionOf(INPUT_JOYSTICK_ONE)) << "vertical beats horizontal";
    sticks->SetAxis(0, 1, 0);
    EXPECT_EQ(RIGHT, DirectionOf(INPUT_JOYSTICK_ONE));

    sticks->SetAxis(1, 1, PUSHED);
    sticks->SetButton(1, 1, true);
    PollInput();
    EXPECT_EQ(DOWN, screens->Command.Direction[INPUT_JOYSTICK_TWO]);
    EXPECT_EQ(1, screens->Command.ButtonTwo[INPUT_JOYSTICK_TWO]);
    EXPECT_EQ(1, screens->Command.ButtonTwo[INPUT_ALL]);
    EXPECT_EQ(0, screens->Command.ButtonOne[INPUT_ALL]);
}

TEST_F(Joysticks, MappedButtonsAndAxesFollowTheirPriorities)
{
    PlugAndStart(1, 4, 8);
    // Both pairs on buttons: up/down beats left/right.
    MapBoth(9, 10, 11, 12);
    sticks->SetButton(0, 2, true);
    EXPECT_EQ(LEFT, DirectionOf(INPUT_JOYSTICK_ONE));
    sticks->SetButton(0, 0, true);
    EXPECT_EQ(UP, DirectionOf(INPUT_JOYSTICK_ONE));
    sticks->Centre();
    sticks->SetButton(0, 3, true);
    EXPECT_EQ(RIGHT, DirectionOf(INPUT_JOYSTICK_ONE));

    // Vertical on buttons, horizontal on an axis: the axis wins.
    sticks->Centre();
    MapBoth(9, 10, 1, 1);
    sticks->SetButton(0, 1, true);
    EXPECT_EQ(DOWN, DirectionOf(INPUT_JOYSTICK_ONE));
    sticks->SetAxis(0, 0, PULLED);
    EXPECT_EQ(LEFT, DirectionOf(INPUT_JOYSTICK_ONE));

    // Vertical on an axis, horizontal on buttons: a deflected axis wins.
    sticks->Centre();
    MapBoth(4, 4, 11, 12);
    sticks->SetButton(0, 2, true);
    EXPECT_EQ(LEFT, DirectionOf(INPUT_JOYSTICK_ONE));
    sticks->SetAxis(0, 3, PUSHED);
    EXPECT_EQ(DOWN, DirectionOf(INPUT_JOYSTICK_ONE));

    // An action on an axis acts only on its negative side.
    sticks->Centre();
    input->JoyMapButtonOne[0] = 3;
    sticks->SetAxis(0, 2, PUSHED);
    PollInput();
    EXPECT_EQ(0, screens->Command.ButtonOne[INPUT_JOYSTICK_ONE]);
    sticks->SetAxis(0, 2, PULLED);
    PollInput();
    EXPECT_EQ(1, screens->Command.ButtonOne[INPUT_JOYSTICK_ONE]);
}

TEST_F(Joysticks, TheKeyboardWinsTheMergeThenTheFirstJoystick)
{
    PlugAndStart(2);
    sticks->SetAxis(0, 0, PULLED);
    sticks->SetAxis(1, 0, PUSHED);
    sticks->SetButton(1, 0, true);
    EXPECT_EQ(LEFT, DirectionOf(INPUT_ALL));
    EXPECT_EQ(RIGHT, screens->Command.Direction[INPUT_JOYSTICK_TWO]);
    EXPECT_EQ(1, screens->Command.ButtonOne[INPUT_ALL]);

    SDL_GetKeyState(nullptr)[SDLK_DOWN] = 1;
    EXPECT_EQ(DOWN, DirectionOf(INPUT_ALL));
    SDL_GetKeyState(nullptr)[SDLK_DOWN] = 0;
}

// Hat 0 is the D-pad: read where the mapped controls rest, vertical first as
// with two axes, on either joystick; a pad without a hat reads as before.
TEST_F(Joysticks, TheDPadMovesWhereTheMappedControlsRest)
{
    PlugAndStart(2, 2, 4, 1);
    const struct
    {
        int hat;
        uint8_t direction;
    } presses[] = {{SDL_HAT_UP, UP},         {SDL_HAT_DOWN, DOWN},        {SDL_HAT_LEFT, LEFT},
                   {SDL_HAT_RIGHT, RIGHT},   {SDL_HAT_CENTERED, CENTER}, {SDL_HAT_RIGHTUP, UP},
                   {SDL_HAT_LEFTDOWN, DOWN}};
    for (const auto& press : presses)
    {
        sticks->SetDPad(1, press.hat);
        EXPECT_EQ(press.direction, DirectionOf(INPUT_JOYSTICK_TWO)) << press.hat;
        EXPECT_EQ(press.direction, screens->Command.Direction[INPUT_ALL]) << press.hat;
        EXPECT_EQ(CENTER, screens->Command.Direction[INPUT_JOYSTICK_ONE]);
    }

    sticks->SetDPad(0, SDL_HAT_LEFT);
    sticks->SetAxis(0, 1, PUSHED);
    EXPECT_EQ(DOWN, DirectionOf(INPUT_JOYSTICK_ONE)) << "a deflected stick wins";
    MapBoth(9, 10, 11, 12);
    sticks->SetButton(0, 0, true);
    EXPECT_EQ(UP, DirectionOf(INPUT_JOYSTICK_ONE)) << "so does a mapped button";
    sticks->SetButton(0, 0, false);
    EXPECT_EQ(LEFT, DirectionOf(INPUT_JOYSTICK_ONE));

    sticks->Centre();
    PlugAndStart(1);
    const int before = JoystickDoubleOutOfRangeQueries();
    sticks->SetDPad(0, SDL_HAT_UP);
    EXPECT_EQ(CENTER, DirectionOf(INPUT_JOYSTICK_ONE)) << "no hat to read";
    EXPECT_EQ(before, JoystickDoubleOutOfRangeQueries());
}

// Codes from a damaged options file read as nothing and never reach SDL as
// an axis or button the joystick does not have.
TEST_F(Joysticks, DamagedControlCodesReadAsNotPressed)
{
    PlugAndStart(2, 2, 4);
    for (int axis = 0; axis < 2; axis++) sticks->SetAxis(0, axis, PULLED);
    for (int button = 0; button < 4; button++) sticks->SetButton(0, button, true);
    const int before = JoystickDoubleOutOfRangeQueries();

    const uint8_t damaged[] = {0, 3, 8, 13, 40, 255};
    for (uint8_t code : damaged)
    {
        MapBoth(code, code, code, code);
        input->JoyMapButtonOne[0] = code;
        input->JoyMapButtonTwo[0] = code;
        PollInput();
        EXPECT_EQ(CENTER, screens->Command.Direction[INPUT_JOYSTICK_ONE]) << (int)code;
        EXPECT_EQ(0, screens->Command.ButtonOne[INPUT_JOYSTICK_ONE]) << (int)code;
        EXPECT_EQ(0, screens->Command.ButtonTwo[INPUT_JOYSTICK_ONE]) << (int)code;
    }
    EXPECT_EQ(before, JoystickDoubleOutOfRangeQueries());
}

TEST_F(Joysticks, QueryingFindsAxesBeforeButtons)
{
    PlugAndStart(1, 9, 4);
    PollInput();
    EXPECT_EQ(0, input->QueryJoysticksForAction(0));
    sticks->SetButton(0, 2, true);
    PollInput();
    EXPECT_EQ(11, input->QueryJoysticksForAction(0));
    sticks->SetAxis(0, 0, PULLED);
    PollInput();
    EXPECT_EQ(1, input->QueryJoysticksForAction(0));
    sticks->Centre();
    sticks->SetAxis(0, 8, PUSHED);
    PollInput();
    EXPECT_EQ(9, input->QueryJoysticksForAction(0)) << "a ninth axis reads like button 0";

    // The answer comes with a frame's input, even the last one of a pause.
    input->DelayAllUserInput = 2;
    PollInput();
    EXPECT_EQ(0, input->QueryJoysticksForAction(0));
    PollInput();
    EXPECT_EQ(9, input->QueryJoysticksForAction(0));
    EXPECT_EQ(0, input->QueryJoysticksForAction(1)) << "not plugged";
    EXPECT_EQ(0, input->QueryJoysticksForAction(7));
}

}  // namespace
