// Whole sessions played again from their demos (tests/program/demos), in
// this process and as fast as frames are drawn: each demo is the input of a
// session frame by frame, from its seed and options file, so each test
// reaches the same state on any machine, and says by its meaning what that
// is. A playback that goes out of step with the digest its demo ends with
// fails with "desync"; tools/restamp-demos stamps a demo anew when a change
// of the game changes its course on purpose.
#include <gtest/gtest.h>

#include <functional>
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

const int DEFAULT_GAME_MODE = 1;

// The screens of a session that skips both logos to the title.
std::vector<int> FromTheLogos(const std::vector<int>& after)
{
    std::vector<int> screens = {SPONSOR_SCREEN, BRICKWELL_SCREEN, TITLE_SCREEN};
    screens.insert(screens.end(), after.begin(), after.end());
    return screens;
}

std::vector<std::string> FirstEntry()
{
    const int mode = logic->GameMode;
    return {data->HighScoresName[mode][0], std::to_string(data->HighScoresLevel[mode][0]),
            std::to_string(data->HighScoresScore[mode][0])};
}

struct DemoCase
{
    const char* demo;
    std::vector<int> screens;          // every screen shown, in order
    std::function<void()> check;       // what the session reached, by its meaning
    std::vector<int> titleSelections = {};  // the buttons selected on the title in turn, where the demo walks it
};

const DemoCase DEMO_CASES[] = {
    {"intro", FromTheLogos({}),
     [] {
         EXPECT_EQ(1, game->DebugOn) << "'d' on the maker's screen";
         EXPECT_EQ('~', input->KeyOnKeyboardPressedByUser) << "Escape quit";
     }},
    {"title_menu", FromTheLogos({}), [] { EXPECT_EQ('~', input->KeyOnKeyboardPressedByUser) << "Exit quit"; },
     {0, 1, 2, 3, 4, 5, 0, 5}},
    // The click on the hit box's edge misses, and the Down pressed with it moves the selection.
    {"click", FromTheLogos({HIGH_SCORES_SCREEN, TITLE_SCREEN}), [] {}, {0, 1, 3, 0}},
    {"high_scores", FromTheLogos({HIGH_SCORES_SCREEN, TITLE_SCREEN}),
     [] {
         EXPECT_STREQ(DEFAULT_HIGH_SCORE_NAMES[0], data->HighScoresName[0][0]) << "'c' emptied the tables";
         EXPECT_EQ(DEFAULT_HIGH_SCORE_SCORES[0], data->HighScoresScore[0][0]);
     }},
    {"options", FromTheLogos({OPTIONS_SCREEN, TITLE_SCREEN}),
     [] {
         EXPECT_EQ(0, audio->MusicVolume) << "Right wraps 100% to 0%";
         EXPECT_EQ(128, audio->SoundVolume) << "the left arrow wraps 0% to 100%";
         EXPECT_EQ('q', input->UserDefinedKeyButtonOne) << "'z' is refused for button one";
         EXPECT_EQ('z', input->UserDefinedKeyButtonTwo);
         EXPECT_EQ(0, input->KeyboardSetupProcess);
     }},
    {"lost_game",
     FromTheLogos({OPENING_SCENE_SCREEN, PLAYING_GAME_SCREEN, NAME_INPUT_KEYBOARD_SCREEN, HIGH_SCORES_SCREEN,
                   TITLE_SCREEN}),
     [] {
         EXPECT_EQ(0, logic->Lives);
         EXPECT_EQ((std::vector<std::string>{"zed", "1", std::to_string(logic->Score)}), FirstEntry());
         EXPECT_GT(logic->Score, 0u);
     }},
    {"won_game",
     FromTheLogos({OPENING_SCENE_SCREEN, PLAYING_GAME_SCREEN, ENDING_SCENE_SCREEN, ABOUT_SCREEN, HIGH_SCORES_SCREEN,
                   TITLE_SCREEN}),
     [] {
         EXPECT_EQ(6, logic->Level) << "the fifth board cleared";
         EXPECT_EQ(RANK_NONE, data->PlayerRankOnGameOver) << "a score of " << logic->Score << " has no place";
         EXPECT_STREQ(DEFAULT_HIGH_SCORE_NAMES[0], data->HighScoresName[DEFAULT_GAME_MODE][0]);
     }},
    {"joystick_name",
     FromTheLogos({OPENING_SCENE_SCREEN, PLAYING_GAME_SCREEN, ENDING_SCENE_SCREEN, ABOUT_SCREEN,
                   NAME_INPUT_JOYSTICK_SCREEN, HIGH_SCORES_SCREEN, TITLE_SCREEN}),
     [] { EXPECT_EQ((std::vector<std::string>{"A", "6", std::to_string(logic->Score)}), FirstEntry()); }},
};

class Demos : public DemoTest, public ::testing::WithParamInterface<DemoCase>
{
};

TEST_P(Demos, ReachWhatTheirSessionReached)
{
    const DemoCase& demo = GetParam();
    std::vector<int> titleSelections;
    Play(demo.demo, [&] {
        const int selected = interface->CurrentlySelectedButton;
        if (screens->ScreenToDisplay != TITLE_SCREEN || screens->ScreenTransitionStatus != FADE_NONE) return;
        if (titleSelections.empty() || titleSelections.back() != selected) titleSelections.push_back(selected);
    });
    EXPECT_EQ(demo.screens, screensShown);
    if (!demo.titleSelections.empty())
    {
        EXPECT_EQ(demo.titleSelections, titleSelections);
    }
    demo.check();
    EXPECT_EQ(0, Finish()) << output->Text();
    EXPECT_NE(std::string::npos, output->Text().find(" frames, state ")) << output->Text();
    EXPECT_EQ(0, TakeBrokenRules());
}

INSTANTIATE_TEST_SUITE_P(Sessions, Demos, ::testing::ValuesIn(DEMO_CASES),
                         [](const ::testing::TestParamInfo<DemoCase>& info) { return std::string(info.param.demo); });

}  // namespace

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
