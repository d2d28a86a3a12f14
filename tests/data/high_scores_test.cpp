#include <gtest/gtest.h>

#include <string.h>

#include "data/data.h"
#include "data_fixture.h"
#include "logic/logic.h"

namespace {

const char* const DEFAULT_NAMES[10] = {"Ada Brickwell", "Tom Quill", "Nell Sprocket", "You!", "You!",
                                       "You!",          "You!",      "You!",          "You!", "You!"};
const uint8_t DEFAULT_LEVELS[10] = {6, 5, 5, 5, 4, 4, 3, 3, 2, 1};
const uint32_t DEFAULT_SCORES[10] = {10000, 9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000};

void ExpectDefaultTable(int mode)
{
    for (int rank = 0; rank < 10; rank++)
    {
        EXPECT_STREQ(DEFAULT_NAMES[rank], data->HighScoresName[mode][rank]) << mode << "/" << rank;
        EXPECT_EQ(DEFAULT_LEVELS[rank], data->HighScoresLevel[mode][rank]) << mode << "/" << rank;
        EXPECT_EQ(DEFAULT_SCORES[rank], data->HighScoresScore[mode][rank]) << mode << "/" << rank;
        // The name is NUL-padded to its full size, so the name entry can write into it.
        const char* name = data->HighScoresName[mode][rank];
        for (size_t byte = strlen(name); byte < 20; byte++) EXPECT_EQ(0, name[byte]);
    }
}

void FinishGame(uint8_t mode, uint32_t score, uint8_t level)
{
    logic->GameMode = mode;
    logic->Score = score;
    logic->Level = level;
    data->CheckForNewHighScore();
}

typedef DataTest HighScores;

TEST_F(HighScores, StartWithTheDefaultTableInAllFourModesAndClearingResetsAllFour)
{
    for (int mode = 0; mode < 4; mode++) ExpectDefaultTable(mode);
    EXPECT_EQ(10, data->PlayerRankOnGameOver);

    FinishGame(0, 50000, 3);
    FinishGame(3, 9500, 2);
    strcpy(data->HighScoresName[3][1], "SOMEONE");
    data->ClearHighScores();
    for (int mode = 0; mode < 4; mode++) ExpectDefaultTable(mode);
}

TEST_F(HighScores, AnEqualScoreGoesAboveAndPushesTheRestDown)
{
    data->NameInputArrayIndex = 7;
    data->NameInputJoyCharX = 4;
    data->NameInputJoyCharY = 2;
    FinishGame(1, 8000, 4);

    EXPECT_EQ(2, data->PlayerRankOnGameOver);
    EXPECT_STREQ("", data->HighScoresName[1][2]);
    EXPECT_EQ(4, data->HighScoresLevel[1][2]);
    EXPECT_EQ(8000u, data->HighScoresScore[1][2]);
    EXPECT_STREQ("Nell Sprocket", data->HighScoresName[1][3]);
    EXPECT_EQ(8000u, data->HighScoresScore[1][3]);
    EXPECT_EQ(7000u, data->HighScoresScore[1][4]);
    EXPECT_EQ(2000u, data->HighScoresScore[1][9]);  // the old last entry fell off
    EXPECT_EQ(0, data->NameInputArrayIndex);
    EXPECT_EQ(0, data->NameInputJoyCharX);
    EXPECT_EQ(0, data->NameInputJoyCharY);
    EXPECT_EQ('A', data->NameInputJoyChar);
}

TEST_F(HighScores, TheLastPlaceNeedsAtLeastItsScore)
{
    FinishGame(1, 999, 1);
    EXPECT_EQ(10, data->PlayerRankOnGameOver);
    EXPECT_EQ('A', data->NameInputJoyChar);
    ExpectDefaultTable(1);

    FinishGame(1, 1000, 1);
    EXPECT_EQ(9, data->PlayerRankOnGameOver);
    EXPECT_STREQ("", data->HighScoresName[1][9]);
    EXPECT_STREQ("You!", data->HighScoresName[1][8]);
}

TEST_F(HighScores, AScoreAboveTheSignedRangeStillBeatsTheTable)
{
    FinishGame(1, 3000000000u, 5);
    EXPECT_EQ(0, data->PlayerRankOnGameOver);
    EXPECT_EQ(3000000000u, data->HighScoresScore[1][0]);
}

TEST_F(HighScores, EachGameModeKeepsItsOwnTable)
{
    FinishGame(2, 50000, 5);
    EXPECT_EQ(0, data->PlayerRankOnGameOver);
    EXPECT_EQ(50000u, data->HighScoresScore[2][0]);
    ExpectDefaultTable(0);
    ExpectDefaultTable(1);
    ExpectDefaultTable(3);

    data->SaveHighScoresAndOptions();
    RestartAndLoad();
    EXPECT_EQ(50000u, data->HighScoresScore[2][0]);
    EXPECT_EQ(10000u, data->HighScoresScore[2][1]);
    ExpectDefaultTable(1);
}

// Such a mode is a broken rule: the options file never gives one.
TEST_F(HighScores, AGameModeWithoutATableEntersNothing)
{
    FinishGame(4, 50000, 5);
    EXPECT_EQ(1, TakeBrokenRules());
    EXPECT_EQ(10, data->PlayerRankOnGameOver);
    for (int mode = 0; mode < 4; mode++) ExpectDefaultTable(mode);
}

}  // namespace
