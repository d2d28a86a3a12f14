#include <gtest/gtest.h>

#include "support/game_process.h"
#include "support/own_display.h"

namespace {

int CountLines(const std::string& text)
{
    return CountOccurrences(text, "\n");
}

std::string FirstLines(const std::string& text, int count)
{
    size_t end = 0;
    for (int line = 0; line < count && end != std::string::npos; line++) end = text.find('\n', end) + 1;
    return text.substr(0, end);
}

TEST(OptionsFileAtExit, AStartUpFailureStillWritesTheDefaults)
{
    GameProcess game;
    ASSERT_TRUE(game.Start({}, {"DISPLAY", "SDL_VIDEODRIVER=x11"}));
    ASSERT_TRUE(game.WaitForExit());
    const std::string options = game.OptionsFile();
    EXPECT_EQ(138, CountLines(options));
    EXPECT_EQ("32\n32\n1\n1\n2\n2\n1\n1\n9\n10\n2\n2\n1\n1\n9\n10\n^\n^\n", FirstLines(options, 18));
}

TEST(OptionsFileAtExit, ADamagedFileIsReportedAndWrittenBackWhole)
{
    GameProcess game;
    WriteWholeFile(game.OptionsFilePath(), "64\nloud\n");
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.WaitForWindow());
    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(1, CountOccurrences(game.Log(), "ERROR: Options file "));
    const std::string options = game.OptionsFile();
    EXPECT_EQ(138, CountLines(options));
    EXPECT_EQ("64\n32\n", FirstLines(options, 2));
}

// The options are saved when the options screen is left, so a volume set there
// outlives a display server that goes away under the game.
TEST(OptionsFileAtExit, AVolumeSetOnTheOptionsScreenOutlivesTheDisplayGoingAway)
{
    OwnDisplay server;
    ASSERT_NE("", server.name);
    ScopedVariable display("DISPLAY", server.name.c_str());
    GameProcess game;
    WriteWholeFile(game.OptionsFilePath(), "96\n");  // the music volume, a press below 128; the rest as default
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.WaitForWindow(20000)) << game.Log();
    ASSERT_TRUE(game.SkipToTitleScreen());
    ASSERT_TRUE(game.MoveSelector("Down", TitleButtonY(0), TitleButtonY(1)));
    game.PressKey("Return");
    ASSERT_TRUE(game.SelectorAt(BACK_BUTTON_Y, 10000));
    // The music's value, "75%" until a press of Right lands: pressed again
    // while the picture of the value stays as it was, since a press within the
    // screen's input pause is lost.
    const Colour white = {255, 255, 255};
    const int before = game.CountColourInArea(430, 54, 590, 76, white, 30);
    ASSERT_GT(before, 0);
    ASSERT_TRUE(WaitUntil(
        [&] {
            game.PressKey("Right");
            return WaitUntil([&] { return game.CountColourInArea(430, 54, 590, 76, white, 30) != before; }, 3000);
        },
        30000));
    game.PressKey("Escape");
    // Read from the file the screen saved on its way out, before the display goes.
    ASSERT_TRUE(WaitUntil([&] { return !game.OptionsFileLines().empty() && game.OptionsFileLines()[0] == "128"; },
                          10000))
        << game.OptionsFile();

    server.Stop();
    ASSERT_TRUE(game.WaitForExit());
    const std::vector<std::string> lines = game.OptionsFileLines();
    ASSERT_EQ(138u, lines.size()) << game.Log();
    EXPECT_EQ("128", lines[0]);
}

}  // namespace
