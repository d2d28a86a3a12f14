#include <gtest/gtest.h>

#include <unistd.h>

#include "game/game.h"
#include "input_fixture.h"
#include "support/game_process.h"

namespace {

// Real X events sent to this test's own window with xdotool.
class WindowEvents : public InputTest
{
protected:
    bool PollUntil(const std::function<bool()>& condition)
    {
        return WaitUntil(
            [&] {
                PollInput();
                return condition();
            },
            5000);
    }

    // Until SDL itself has the pointer there and the left button so; the
    // events wait in its queue for the game's poll.
    bool SdlHasPointer(int windowX, int windowY, bool down)
    {
        return WaitUntil(
            [&] {
                int x = 0, y = 0;
                SDL_PumpEvents();
                const bool held = (SDL_GetMouseState(&x, &y) & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
                return x == windowX && y == windowY && held == down;
            },
            5000);
    }

    // Draws a sprite and a credit line at fixed virtual places.
    void DrawPicture()
    {
        visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 1.0f, 1.0f);
        visuals->Sprites[SPRITE_MENU_BACKGROUND].ScreenX = 100.0f;
        visuals->Sprites[SPRITE_MENU_BACKGROUND].ScreenY = 100.0f;
        visuals->DrawSpriteOntoScreenBuffer(SPRITE_MENU_BACKGROUND);
        visuals->DrawLoadedTextOntoScreenBuffer(5, 400, 300);
    }

    // Xvfb starts the pointer at the screen's centre, where the centred
    // window has its own centre: a move straight there would move nothing,
    // X would report nothing, and SDL3 knows the pointer only from motion.
    // So it goes by the window's corner.
    void MovePointerTo(int windowX, int windowY)
    {
        Xdotool("mousemove --window " + WindowId() + " 0 0 mousemove --window " + WindowId() + " " +
                std::to_string(windowX) + " " + std::to_string(windowY));
    }

    // The picture sampled on a grid of virtual points.
    std::vector<Pixel> SamplePicture() const
    {
        std::vector<Pixel> samples;
        for (int y = 20; y < 480; y += 20)
            for (int x = 20; x < 640; x += 20)
                samples.push_back(ReadPixel(x * visuals->WindowWidth / 640, y * visuals->WindowHeight / 480));
        return samples;
    }
};

// What arrives while the game loads, between its window opening and its
// first poll, reaches that poll, whether SDL had queued it already or the
// display had only sent it; the sticks, read by their state, send no events.
TEST_F(WindowEvents, WhatArrivesWhileTheGameLoadsReachesTheFirstPoll)
{
    const std::string root = "$(xdotool search --maxdepth 0 --name '' | head -n 1)";
    const struct
    {
        const char* name;
        std::function<void()> arrive;
        std::function<bool()> reached;
    } arrivals[] = {
        {"a key SDL queued", [] { PushKeyDown(SDLK_k); }, [] { return screens->Command.Key == 'k'; }},
        {"a key typed", [&] { Xdotool("key j"); }, [] { return screens->Command.Key == 'j'; }},
        {"the focus gone and back",
         [&] { Xdotool("windowfocus --sync " + root + " windowfocus --sync " + WindowId()); },
         [] { return screens->ScreenIsDirty == 1; }},
        // A size of its own: classic SDL drops a resize to the size it told
        // last, in a later window of the same process too.
        {"the window resized", [&] { Xdotool("windowsize --sync " + WindowId() + " 720 540"); },
         [] { return visuals->WindowWidth == 720 && visuals->WindowHeight == 540; }},
    };
    Xdotool("windowfocus --sync " + WindowId());
    for (const auto& arrival : arrivals)
    {
        SCOPED_TRACE(arrival.name);
        DrainEvents();
        screens->ScreenIsDirty = 0;
        arrival.arrive();
        GameObjects::Replace(input);
        input->OpenJoysticks();  // as the start-up opens them
        EXPECT_EQ(SDL_IGNORE, SDL_JoystickEventState(SDL_QUERY));
        EXPECT_TRUE(PollUntil(arrival.reached));
    }
}

TEST_F(WindowEvents, AResizedWindowShowsTheSamePictureAgain)
{
    DrawPicture();
    const std::vector<Pixel> before = SamplePicture();
    visuals->Sprites[SPRITE_MENU_BACKGROUND].ScreenX = 500.0f;
    screens->ScreenIsDirty = 0;

    Xdotool("windowsize " + WindowId() + " 800 600");
    ASSERT_TRUE(PollUntil([&] { return visuals->WindowWidth == 800; }));
    EXPECT_EQ(600, visuals->WindowHeight);
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Unloaded all texts from memory",
                                               "Unloaded all sprite images from memory", "SDL+OpenGL window resized",
                                               "Loaded and initialized all sprite images into memory",
                                               "Loaded all texts into memory"}));
    EXPECT_EQ(0, game->FatalError);
    EXPECT_EQ(1, screens->ScreenIsDirty);
    EXPECT_EQ(320.0f, visuals->Sprites[SPRITE_MENU_BACKGROUND].ScreenX) << "a reload puts every sprite back";

    // Mesa takes the new window size at the first presented frame, as the game's loop does.
    visuals->DisplayScreenBufferOntoDisplay();
    DrawPicture();
    const std::vector<Pixel> after = SamplePicture();
    ASSERT_EQ(before.size(), after.size());
    int differing = 0;
    for (size_t at = 0; at < before.size(); at++)
        differing += abs(before[at].red - after[at].red) + abs(before[at].green - after[at].green) +
                         abs(before[at].blue - after[at].blue) >
                     24;
    // Stretched letters sample their edges a little differently; nothing else may change.
    EXPECT_LE(differing, (int)before.size() / 100);
    EXPECT_TRUE(PixelIs(100 * 800 / 640, 100 * 600 / 480, 255, 255, 255));
}

TEST_F(WindowEvents, AFailedReloadAfterAResizeIsFatalAndEndsThePoll)
{
    ASSERT_EQ(0, unlink("data/graphics/Pellet.png"));
    PushResize(700, 500);
    PushKeyDown(SDLK_a);
    PollInput();
    EXPECT_EQ(1, game->FatalError);
    EXPECT_EQ(0, screens->Command.Key);
    EXPECT_TRUE(AppearInOrder(output->Text(), {"SDL+OpenGL window resized"}));
    EXPECT_NE(std::string::npos, output->Text().find("ERROR: SDL could not load image "));
}

TEST_F(WindowEvents, TheMouseIsScaledIntoTheVirtualScreen)
{
    // In the frame that resizes the window, by its new size.
    MovePointerTo(320, 240);
    ASSERT_TRUE(PollUntil([&] { return input->MouseX == 320 && input->MouseY == 240; }));
    PushResize(1280, 960);
    FrameInput read;
    input->ReadFrameInput(read);
    EXPECT_EQ(160, read.MouseX);
    EXPECT_EQ(120, read.MouseY);
    SizeWindowAsAsked(read);
    screens->TakeFrameInput(read);
    PollInput();
    ASSERT_EQ(1280, visuals->WindowWidth);
    // sdl12-compat keeps the centred window's corner, so the grown window
    // would reach past the screen's edge, where the pointer cannot go.
    Xdotool("windowmove --sync " + WindowId() + " 0 0");
    DrainEvents();

    MovePointerTo(640, 480);
    EXPECT_TRUE(PollUntil([&] { return input->MouseX == 320 && input->MouseY == 240; }))
        << input->MouseX << ", " << input->MouseY;
    MovePointerTo(1279, 3);
    EXPECT_TRUE(PollUntil([&] { return input->MouseX == 639 && input->MouseY == 1; }))
        << input->MouseX << ", " << input->MouseY;
    // A press, by its own place.
    Xdotool("mousedown 1");
    MovePointerTo(640, 480);
    ASSERT_TRUE(SdlHasPointer(640, 480, true));
    PollInput();
    EXPECT_EQ(1, screens->Command.Click[0]);
    EXPECT_EQ(639, input->MouseX);
    EXPECT_EQ(1, input->MouseY);
    Xdotool("mouseup 1");
}

// A press clicks once, in the first frame after it that takes input, at the
// place it was made, though the pointer has moved on by then: a press in an
// input pause clicks after it if still held.
TEST_F(WindowEvents, APressClicksOnceWhereItWasMade)
{
    const struct
    {
        const char* name;
        int32_t pause;  // the input pause as the button goes down; -1 for none
        bool releasedInPause, clicks;
    } presses[] = {{"a press", -1, false, true},
                   {"a press held through a pause", 2, false, true},
                   {"a press released in a pause", 2, true, false}};
    for (const auto& press : presses)
    {
        SCOPED_TRACE(press.name);
        MovePointerTo(120, 90);
        ASSERT_TRUE(SdlHasPointer(120, 90, false));
        input->DelayAllUserInput = press.pause;
        Xdotool("mousedown 1");
        MovePointerTo(500, 400);
        ASSERT_TRUE(SdlHasPointer(500, 400, true));
        if (press.pause >= 0) PollInput();
        if (press.releasedInPause) Xdotool("mouseup 1");
        ASSERT_TRUE(SdlHasPointer(500, 400, !press.releasedInPause));
        while (input->DelayAllUserInput >= 0) PollInput();
        PollInput();
        EXPECT_EQ(press.clicks, screens->Command.Click[0]);
        EXPECT_EQ(press.clicks ? 120 : 500, input->MouseX);
        EXPECT_EQ(press.clicks ? 90 : 400, input->MouseY);
        PollInput();
        EXPECT_EQ(0, screens->Command.Click[0]) << "a held button clicks once";
        if (!press.releasedInPause) Xdotool("mouseup 1");
        EXPECT_TRUE(PollUntil([] { return input->MouseButtonHeld[0] == 0; }));
    }
}

// The desktop taking the focus for a moment, as a media key's grab does, is
// no player who looked away; a loss that lasts is told once, in an input
// pause too, so that the game can pause at once, and the player back before
// the game acted on it leaves nothing to act on.
TEST_F(WindowEvents, OnlyAFocusLossThatLastsIsTold)
{
    const std::string root = "$(xdotool search --maxdepth 0 --name '' | head -n 1)";
    const auto focusBecomes = [](bool focused) {
        return WaitUntil([&] { return SDL_PumpEvents(), ((SDL_GetAppState() & SDL_APPINPUTFOCUS) != 0) == focused; },
                         5000);
    };
    Xdotool("windowfocus --sync " + WindowId());
    ASSERT_TRUE(focusBecomes(true));
    Xdotool("windowfocus --sync " + root);
    Xdotool("windowfocus --sync " + WindowId());
    ASSERT_TRUE(focusBecomes(true));
    for (int poll = 0; poll < 2 * FOCUS_LOSS_LASTS_POLLS; poll++) PollInput();
    EXPECT_EQ(0, input->WindowLostFocus);

    Xdotool("windowfocus --sync " + root);
    input->DelayAllUserInput = 100;
    ASSERT_TRUE(focusBecomes(false));
    for (int poll = 1; poll < FOCUS_LOSS_LASTS_POLLS; poll++) PollInput();
    EXPECT_EQ(0, input->WindowLostFocus);
    PollInput();
    EXPECT_EQ(1, input->WindowLostFocus);
    Xdotool("windowfocus --sync " + WindowId());
    EXPECT_TRUE(PollUntil([] { return input->WindowLostFocus == 0; }));
}

TEST_F(WindowEvents, RealArrowKeysCountWhileHeld)
{
    Xdotool("windowfocus --sync " + WindowId());
    Xdotool("keydown Left");
    Xdotool("keydown Up");
    EXPECT_TRUE(PollUntil([&] { return screens->Command.Direction[INPUT_ALL] == UP; }));
    Xdotool("keyup Up");
    EXPECT_TRUE(PollUntil([&] { return screens->Command.Direction[INPUT_ALL] == LEFT; }));
    Xdotool("keyup Left");
    EXPECT_TRUE(PollUntil([&] { return screens->Command.Direction[INPUT_ALL] == CENTER; }));

    // Shift counts as it stood before this poll's key events.
    Xdotool("keydown shift");
    EXPECT_TRUE(PollUntil([&] { return SDL_GetKeyState(nullptr)[SDLK_LSHIFT] != 0; }));
    Xdotool("key s");
    EXPECT_TRUE(PollUntil([&] { return screens->Command.Key == 'S'; }));
    Xdotool("keyup shift");
}

}  // namespace
