#include <gtest/gtest.h>

#include "support/game_process.h"

namespace {

const Colour WHITE = {255, 255, 255};
const Colour MAKER_GREEN = {1, 255, 1};
const Colour TITLE_YELLOW = {255, 255, 0};

// The band along the bottom where the maker screen writes its web address.
int MakerLetteringPixels(GameProcess& game)
{
    return game.CountColourInArea(0, 440, 639, 479, MAKER_GREEN, 40);
}

// The title screen's line of the best score, in yellow under its logo.
int TitleScoreLinePixels(GameProcess& game)
{
    return game.CountColourInArea(0, 140, 639, 175, TITLE_YELLOW, 40);
}

TEST(Program, IntroShowsBothLogosAndSpaceSkipsThemToTheTitle)
{
    GameProcess game;
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.WaitForWindow());
    ASSERT_TRUE(game.WaitForColourAt(10, 10, WHITE, 8)) << "no white sponsor screen";
    ASSERT_TRUE(game.WaitForColourAt(630, 470, WHITE, 8));

    game.PressKey("space");
    ASSERT_TRUE(WaitUntil([&] { return MakerLetteringPixels(game) > 50; }, 15000)) << "no maker screen";
    Colour corner;
    ASSERT_TRUE(game.ColourAt(10, 10, corner));
    EXPECT_EQ(0, corner.red + corner.green + corner.blue) << "the maker screen is on black";

    game.PressKey("space");
    ASSERT_TRUE(WaitUntil([&] { return TitleScoreLinePixels(game) > 50; }, 15000)) << "no title screen";
    EXPECT_EQ(0, MakerLetteringPixels(game));
    EXPECT_TRUE(game.IsRunning());

    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(0, game.exitStatus);
    EXPECT_TRUE(AppearInOrder(game.Log(), {"SDL_mixer initialized", "Loaded all music into memory",
                                           "Loaded all sounds into memory", "Main loop...", "...Quit game",
                                           "Unloaded all sounds from memory", "Unloaded all music from memory",
                                           "SDL_mixer closed"}))
        << game.Log();
    EXPECT_EQ(std::string::npos, game.Log().find("ERROR"));
}

}  // namespace
