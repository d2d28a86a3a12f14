#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include "support/game_process.h"

namespace {

TEST(Program, StartsUpInOrderAndOpensItsWindow)
{
    GameProcess game;
    ASSERT_TRUE(game.Start({"--version"}));
    ASSERT_TRUE(game.WaitForLog("Main loop...\n"));
    ASSERT_TRUE(game.WaitForWindow());
    EXPECT_TRUE(AppearInOrder(game.Log(), {"SDL (Everything) initialized", "SDL+OpenGL resizable window created",
                                           "SDL_ttf initialized", "Wobbler 100% 5.0.08", "_WIN32_IE not defined",
                                           "checking for data/icon.ico .... ", "settings done", "Main loop..."}));
    const std::string geometry = RunCommand("xdotool getwindowgeometry " + game.windowId);
    EXPECT_NE(std::string::npos, geometry.find("640x480")) << geometry;
}

TEST(Program, WithoutADisplayItShutsDownInOrderAndExitsCleanly)
{
    GameProcess game;
    ASSERT_TRUE(game.Start({}, {"DISPLAY", "SDL_VIDEODRIVER=x11"}));
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(0, game.exitStatus);
    const std::string log = game.Log();
    // Classic SDL fails its start without a display; SDL2 under sdl12-compat
    // starts and then cannot open the window.
    const size_t error = log.find("ERROR: ");
    ASSERT_NE(std::string::npos, error) << log;
    const std::string firstError = log.substr(error, log.find('\n', error) - error);
    EXPECT_TRUE(firstError.find("ERROR: Unable to initialize SDL: ") == 0 ||
                firstError == "ERROR: SDL+OpenGL resizable window create failed")
        << log;
    // The loop ends at its first check: no frame runs between the two lines.
    EXPECT_NE(std::string::npos, log.find("Main loop...\n...Quit game\n")) << log;
    EXPECT_TRUE(AppearInOrder(log, {"settings done", "...Quit game", "Unloaded all texts from memory",
                                    "Unloaded all TTF fonts from memory", "SDL_ttf closed",
                                    "Unloaded all sprite images from memory", "SDL+OpenGL successfully closed"}))
        << log;
}

TEST(Program, EachStartBeginsAFreshLog)
{
    GameProcess game;
    WriteWholeFile(game.directory.path + "/stdout.log", "left over from an earlier run\n");
    ASSERT_TRUE(game.Start({"--width"}, {"DISPLAY", "SDL_VIDEODRIVER=x11"}));
    ASSERT_TRUE(game.WaitForExit());
    const std::string log = game.Log();
    EXPECT_EQ(std::string::npos, log.find("left over"));
    EXPECT_EQ(0u, log.find("src/runtime:31 error: missing --width argument\n")) << log;
}

}  // namespace
