// Whole sessions played again from their demos (tests/program/demos) by the
// game's rules alone, with no window: each demo is the input of a session
// frame by frame, from its seed and options file, so each test reaches the
// same state on any machine, and says by its meaning what that is. A replay
// that goes out of step with the digest its demo ends with fails;
// tools/restamp-demos stamps a demo anew when a change of the game changes
// its course on purpose.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "checks.h"
#include "data/data.h"
#include "demos/demos.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "screens/screens.h"

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
         EXPECT_EQ(1, screens->QuitChosen) << "Escape quit";
     }},
    {"title_menu", FromTheLogos({}), [] { EXPECT_EQ(1, screens->QuitChosen) << "Exit quit"; },
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

class Demos : public ::testing::TestWithParam<DemoCase>
{
};

TEST_P(Demos, ReachWhatTheirSessionReached)
{
    const DemoCase& demo = GetParam();
    const int brokenRules = BrokenRules;
    std::vector<int> screensShown;
    std::vector<int> titleSelections;
    StartVerifying((std::string(PROJECT_ROOT) + "/tests/program/demos/" + demo.demo + ".demo").c_str());
    while (VerifyNextFrame())
    {
        if (screensShown.empty() || screensShown.back() != screens->ScreenToDisplay)
            screensShown.push_back(screens->ScreenToDisplay);
        const int selected = interface->CurrentlySelectedButton;
        if (screens->ScreenToDisplay != TITLE_SCREEN || screens->ScreenTransitionStatus != FADE_NONE) continue;
        if (titleSelections.empty() || titleSelections.back() != selected) titleSelections.push_back(selected);
    }
    EXPECT_EQ(demo.screens, screensShown);
    if (!demo.titleSelections.empty())
    {
        EXPECT_EQ(demo.titleSelections, titleSelections);
    }
    demo.check();
    EXPECT_EQ(0, StopVerifying()) << "ends where its end line says";
    EXPECT_EQ(brokenRules, BrokenRules);
}

INSTANTIATE_TEST_SUITE_P(Sessions, Demos, ::testing::ValuesIn(DEMO_CASES),
                         [](const ::testing::TestParamInfo<DemoCase>& info) { return std::string(info.param.demo); });

}  // namespace
