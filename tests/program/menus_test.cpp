#include <gtest/gtest.h>

#include <signal.h>

#include <vector>

#include "support/game_process.h"

namespace {

const int MUSIC_ROW_Y = 50;
const int SOUND_ROW_Y = 120;
const int SOUND_LEFT_ARROW_X = 30;
const int SOUND_ARROW_Y = 142;

class MenuProgram : public ::testing::Test
{
protected:
    // Clicks into an empty corner until the logo screens have given way to the title.
    void StartAtTitle()
    {
        ASSERT_TRUE(game.Start());
        ASSERT_TRUE(game.WaitForWindow());
        ASSERT_TRUE(game.SkipToTitleScreen());
    }

    bool SelectorAt(int y, int timeoutMilliseconds = 3000) { return game.SelectorAt(y, timeoutMilliseconds); }

    // The volume texts end 70 units from the right edge: only "100%" reaches this
    // far left. False without a screenshot, whichever width is asked for.
    bool PercentIsWide(int rowY, bool wide)
    {
        const Colour white = {255, 255, 255};
        const int count = game.CountColourInArea(500, rowY + 4, 520, rowY + 26, white, 30);
        return count >= 0 && (count > 0) == wide;
    }

    void QuitFromTitle()
    {
        game.PressKey("Escape");
        ASSERT_TRUE(game.WaitForExit());
    }

    GameProcess game;
};

TEST_F(MenuProgram, DownWalksTheTitleMenuAndWrapsUpJumpsToExit)
{
    StartAtTitle();
    for (int step = 1; step <= 6; step++)
    {
        ASSERT_TRUE(game.MoveSelector("Down", TitleButtonY(step - 1), TitleButtonY(step % 6))) << step;
    }
    EXPECT_TRUE(game.MoveSelector("Up", TitleButtonY(0), TitleButtonY(5)));
    QuitFromTitle();
}

TEST_F(MenuProgram, ClickOnTheHitBoxBorderMissesOnePixelInHits)
{
    StartAtTitle();
    // Down pressed with the click on "High Scores": a miss leaves Down alone to move the selector.
    EXPECT_TRUE(game.MoveSelector("Down", TitleButtonY(0), TitleButtonY(1), 195, TitleButtonY(3)));
    // A click within the pause after the move is lost: it is clicked again until it hits.
    EXPECT_TRUE(WaitUntil(
        [this] {
            game.ClickAt(196, TitleButtonY(3));
            return SelectorAt(BACK_BUTTON_Y, 1000);
        },
        10000));
}

TEST_F(MenuProgram, HighScoresByEnterThenEscapeBackAndEscapeQuitsWithSavedOptions)
{
    StartAtTitle();
    // Each move pauses the menu's input for a few frames: wait to see it before the next.
    for (int step = 1; step <= 3; step++)
    {
        ASSERT_TRUE(game.MoveSelector("Down", TitleButtonY(step - 1), TitleButtonY(step)));
    }
    game.PressKey("Return");
    ASSERT_TRUE(SelectorAt(BACK_BUTTON_Y));
    game.PressKey("Escape");
    ASSERT_TRUE(SelectorAt(TitleButtonY(0)));
    QuitFromTitle();
    EXPECT_EQ(138u, game.OptionsFileLines().size());
}

TEST_F(MenuProgram, ExitQuitsAfterItsFade)
{
    StartAtTitle();
    ASSERT_TRUE(game.MoveSelector("Up", TitleButtonY(0), TitleButtonY(5)));
    game.PressKey("Return");
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(0, game.exitStatus);
    EXPECT_NE(std::string::npos, game.Log().find("...Quit game\n"));
}

TEST_F(MenuProgram, CEmptiesTheTable)
{
    StartAtTitle();
    QuitFromTitle();
    std::vector<std::string> lines = game.OptionsFileLines();
    ASSERT_EQ(138u, lines.size());
    const std::vector<std::string> defaults = lines;
    lines[18] = "CHAMP";
    lines[20] = "77777";
    game.WriteOptionsFile(lines);

    StartAtTitle();
    game.ClickAt(320, TitleButtonY(3));
    ASSERT_TRUE(SelectorAt(BACK_BUTTON_Y));
    game.PressKey("c");
    game.PressKey("Escape");
    ASSERT_TRUE(SelectorAt(TitleButtonY(0)));
    QuitFromTitle();
    EXPECT_EQ(defaults, game.OptionsFileLines());
}

TEST_F(MenuProgram, OptionsSurviveARestart)
{
    StartAtTitle();
    QuitFromTitle();
    std::vector<std::string> lines = game.OptionsFileLines();
    ASSERT_EQ(138u, lines.size());
    lines[0] = "128";
    lines[1] = "0";
    game.WriteOptionsFile(lines);

    StartAtTitle();
    ASSERT_TRUE(game.MoveSelector("Down", TitleButtonY(0), TitleButtonY(1)));
    game.PressKey("Return");
    ASSERT_TRUE(SelectorAt(BACK_BUTTON_Y));
    game.PressKey("F1");  // no joystick: nothing happens
    game.PressKey("Right");  // music 128 wraps to 0: the wide "100%" gives way to "0%"
    ASSERT_TRUE(WaitUntil([this] { return PercentIsWide(MUSIC_ROW_Y, false); }, 5000));
    game.ClickAt(SOUND_LEFT_ARROW_X, SOUND_ARROW_Y);  // sound effects 0 wrap to 128
    ASSERT_TRUE(WaitUntil([this] { return PercentIsWide(SOUND_ROW_Y, true); }, 5000));
    game.PressKey("F2");
    game.PressKey("z");  // refused for button one
    game.PressKey("q");
    // 'z' for button two is taken once the pause after 'q' is over; the menu then returns.
    ASSERT_TRUE(WaitUntil(
        [this] {
            game.PressKey("z");
            return SelectorAt(BACK_BUTTON_Y, 300);
        },
        10000));
    game.PressKey("Escape");
    ASSERT_TRUE(SelectorAt(TitleButtonY(0)));
    // Saved as the options screen was left: a game killed outright keeps them.
    kill(game.pid, SIGKILL);
    ASSERT_TRUE(game.WaitForExit());

    lines = game.OptionsFileLines();
    ASSERT_EQ(138u, lines.size());
    EXPECT_EQ("0", lines[0]);
    EXPECT_EQ("128", lines[1]);
    EXPECT_EQ("q", lines[16]);
    EXPECT_EQ("z", lines[17]);

    StartAtTitle();
    QuitFromTitle();
    const std::vector<std::string> again = game.OptionsFileLines();
    EXPECT_EQ(lines, again);
}

TEST_F(MenuProgram, ResizeOnTheTitleKeepsSelectionAndPositions)
{
    StartAtTitle();
    ASSERT_TRUE(game.MoveSelector("Down", TitleButtonY(0), TitleButtonY(1)));
    ASSERT_TRUE(game.MoveSelector("Down", TitleButtonY(1), TitleButtonY(2)));
    RunCommand("xdotool windowsize " + game.windowId + " 800 600");
    ASSERT_TRUE(game.WaitForLog("SDL+OpenGL window resized\n"));
    // The 640 x 480 menu is stretched by 1.25 over the new window.
    EXPECT_TRUE(game.WaitForColourAt(SELECTOR_X * 5 / 4, TitleButtonY(2) * 5 / 4, SELECTOR_ORANGE,
                                     SELECTOR_TOLERANCE, 5000));
    EXPECT_EQ(std::string::npos, game.Log().find("ERROR"));
    QuitFromTitle();
}

}  // namespace
