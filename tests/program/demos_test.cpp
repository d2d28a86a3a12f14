// The real program records sessions, and plays them back timed and at their
// own pace, to the same frames and state; a demo it cannot follow is
// refused. (The committed demos' sessions are checked by their meaning, on
// the game's rules alone, in tests/replay.)
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "screens/screens.h"
#include "support/demo_playback.h"
#include "support/game_process.h"

namespace {

// "N frames, state DIGEST" of the log's demo line that starts so.
std::string DemoOutcome(const std::string& log, const std::string& lineStart)
{
    const size_t line = log.find(lineStart);
    if (line == std::string::npos) return "";
    const size_t from = log.find(": ", line) + 2;
    const size_t to = log.find_first_of(",\n", log.find(", state ", from) + 1);
    return log.substr(from, to - from);
}

// The log as it reads on any machine and in any demo format: the timed
// demo's line keeps its frames, not its file, state or speed.
std::string Comparable(const std::string& log)
{
    static const std::regex timed("Timed demo [^\n]*: ([0-9]+ frames), state [^\n]*");
    return std::regex_replace(log, timed, "Timed demo: $1");
}

// Timed in a window, every committed demo ends where its end line says, as
// its replays with no window end (tests/replay): drawing changes nothing.
// And its whole log is, line for line, the one the game wrote before its
// rules and its drawing were taken apart (tests/program/logs).
TEST(DemoProgram, EveryCommittedDemoTimedEndsWhereItsEndLineSays)
{
    for (const char* name : {"click", "high_scores", "intro", "joystick_name", "lost_game", "options", "title_menu",
                             "won_game"})
    {
        SCOPED_TRACE(name);
        GameProcess game;
        ASSERT_TRUE(game.Start({"--timedemo", DemoPath(name)}));
        ASSERT_TRUE(game.WaitForExit(60000));
        EXPECT_EQ(0, game.exitStatus) << game.Log();
        const std::string logged = ReadWholeFile(std::string(PROJECT_ROOT) + "/tests/program/logs/" + name + ".log");
        ASSERT_NE("", logged);
        EXPECT_EQ(logged, Comparable(game.Log()));
    }
}

// The real program records a session under X, and plays it back, timed and at
// its own pace, to the same frames and state, leaving the player's file alone.
TEST(DemoProgram, ARecordedSessionPlaysBackToTheSameFramesAndState)
{
    GameProcess game;
    ASSERT_TRUE(game.Start({"--record", "session.demo"}));
    ASSERT_TRUE(game.WaitForWindow() && game.SkipToTitleScreen());
    game.PressKey("Return");
    for (const char* key : {"space", "Left", "Up", "Left", "Down", "Right", "Up"}) game.PressKey(key);
    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    const std::string recorded = DemoOutcome(game.Log(), "Recorded demo session.demo: ");
    ASSERT_NE("", recorded) << game.Log();
    const std::string options = game.OptionsFile();
    ASSERT_NE("", options);

    for (const char* playback : {"--timedemo", "--playdemo"})
    {
        ASSERT_TRUE(game.Start({playback, "session.demo"}));
        ASSERT_TRUE(game.WaitForExit(60000)) << playback;
        EXPECT_EQ(0, game.exitStatus) << game.Log();
        const char* const word = playback[2] == 't' ? "Timed demo session.demo: " : "Played demo session.demo: ";
        EXPECT_EQ(recorded, DemoOutcome(game.Log(), word)) << game.Log();
        EXPECT_EQ(options, game.OptionsFile());
    }

    // Closing the window ends a playback where it stands, in order.
    ASSERT_TRUE(game.Start({"--playdemo", "session.demo"}) && game.WaitForWindow());
    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(0, game.exitStatus);
    EXPECT_NE(std::string::npos, game.Log().find(", stopped by closing the window\n")) << game.Log();
}

// A file that cannot be written, or an option where the file's name was to
// come (which is then read as the option it is).
TEST(DemoProgram, ARecordingThatCannotBeWrittenLetsTheGamePlayOn)
{
    for (const char* file : {"no/such/folder/session.demo", "--verbose"})
    {
        GameProcess game;
        ASSERT_TRUE(game.Start({"--record", file}));
        ASSERT_TRUE(game.WaitForLog("Main loop...\n") && game.WaitForWindow());
        game.Terminate();
        ASSERT_TRUE(game.WaitForExit());
        EXPECT_EQ(0, game.exitStatus);
        EXPECT_EQ(1, CountOccurrences(game.Log(), "ERROR: ")) << game.Log();
        EXPECT_NE(std::string::npos, game.Log().find(file[0] == '-' ? "ERROR: --record needs the name of a demo file\n"
                                                                    : "ERROR: Could not write the demo no/such/folder/session.demo: "));
        EXPECT_EQ(file[0] == '-', game.Log().find("settings: verbose is set") != std::string::npos);
    }
}

struct Refusal
{
    const char* what;
    std::function<std::string(std::string)> damage;  // the intro's demo made into the one refused
    const char* says;                                // after "ERROR: Demo <file>", or the whole line's start
    std::vector<std::string> arguments = {"--timedemo", "refused.demo"};
};

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Each refused with one ERROR line naming the file and what is wrong, a
// status that is not 0, and the player's options file as it was.
TEST(DemoProgram, ADemoTheGameCannotFollowIsRefused)
{
    const Refusal refusals[] = {
        {"missing", nullptr, " cannot be read: No such file or directory"},
        {"truncated", [](std::string text) { return text.substr(0, text.find("options")); },
         " is truncated: its header ends at line "},
        {"damaged", [](std::string text) { return Replaced(text, "1 key=_", "1 key="); }, " is damaged at line "},
        {"of another version", [](std::string text) { return Replaced(text, "version 5.0.08", "version 4.9.99"); },
         " was recorded by another version of the game"},
        {"made over other boards",
         [](std::string text) { return Replaced(text, "boards 9f64f449ec163c00", "boards 0123456789abcdef"); },
         " was made over other boards than those in data/boards"},
        {"out of step", [](std::string text) { return Replaced(text, "1 key=_\n", "1 key=_\nstate 11 1\n"); },
         ": desync at frame 11: the state is "},
        // As a killed recording leaves it: its last line half written, and no end line.
        {"cut short", [](std::string text) { return text.substr(0, text.find("1 escape\nend") + 5); },
         " is cut short: it has no end line after its 73 whole frames"},
        {"named by no file", nullptr, "ERROR: --playdemo needs the name of a demo file", {"--playdemo", ""}},
        {"named by an option", nullptr, "ERROR: --timedemo needs the name of a demo file", {"--timedemo", "--help"}},
    };
    const std::string intro = ReadWholeFile(DemoPath("intro"));
    for (const Refusal& refusal : refusals)
    {
        SCOPED_TRACE(refusal.what);
        GameProcess game;
        if (refusal.damage) WriteWholeFile(game.directory.path + "/refused.demo", refusal.damage(intro));
        WriteWholeFile(game.OptionsFilePath(), "the player's own\n");
        ASSERT_TRUE(game.Start(refusal.arguments));
        ASSERT_TRUE(game.WaitForExit(20000));
        EXPECT_NE(0, game.exitStatus);
        const std::string log = game.Log();
        EXPECT_EQ(1, CountOccurrences(log, "ERROR: ")) << log;
        const bool whole = refusal.says[0] == 'E';
        EXPECT_NE(std::string::npos, log.find(std::string(whole ? "" : "ERROR: Demo refused.demo") + refusal.says)) << log;
        EXPECT_EQ("the player's own\n", game.OptionsFile());
    }
}

}  // namespace
