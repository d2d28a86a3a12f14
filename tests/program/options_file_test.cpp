#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>

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

// An X server of the test's own, to be stopped under the game; the test and
// its helpers (xdotool, import) use it while it lives.
class OwnDisplay
{
public:
    OwnDisplay()
    {
        int number[2];
        if (pipe(number) != 0) return;
        pid = fork();
        if (pid == 0)
        {
            dup2(number[1], 3);
            dup2(open("/dev/null", O_WRONLY), 2);
            // -noreset: a server that resets as its last client leaves refuses the next one meanwhile.
            execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "+extension", "GLX", "-nolisten",
                   "tcp", "-noreset", nullptr);
            _exit(127);
        }
        close(number[1]);
        std::string text = ":";
        char digit = 0;
        while (read(number[0], &digit, 1) == 1 && digit != '\n') text += digit;  // ends when Xvfb writes or dies
        close(number[0]);
        if (digit == '\n') display.reset(new ScopedVariable("DISPLAY", text.c_str()));
    }

    ~OwnDisplay() { Stop(); }

    void Stop()
    {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }

    pid_t pid = -1;
    std::unique_ptr<ScopedVariable> display;
};

// The options are saved when the options screen is left, so a volume set there
// outlives a display server that goes away under the game.
TEST(OptionsFileAtExit, AVolumeSetOnTheOptionsScreenOutlivesTheDisplayGoingAway)
{
    OwnDisplay server;
    ASSERT_TRUE(server.display);
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
