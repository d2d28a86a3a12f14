#include <gtest/gtest.h>

#include "support/game_process.h"

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

}  // namespace
