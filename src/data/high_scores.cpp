#include "data/data.h"

#include <string.h>

#include "checks.h"
#include "logic/logic.h"

Data* data = nullptr;

// The table every game mode starts with; the first three are the studio's own.
const char* const DEFAULT_HIGH_SCORE_NAMES[NUMBER_OF_HIGH_SCORES] = {
    "Ada Brickwell", "Tom Quill", "Nell Sprocket", "You!", "You!", "You!", "You!", "You!", "You!", "You!",
};
const uint8_t DEFAULT_HIGH_SCORE_LEVELS[NUMBER_OF_HIGH_SCORES] = {6, 5, 5, 5, 4, 4, 3, 3, 2, 1};
const uint32_t DEFAULT_HIGH_SCORE_SCORES[NUMBER_OF_HIGH_SCORES] = {10000, 9000, 8000, 7000, 6000,
                                                                   5000,  4000, 3000, 2000, 1000};

// The joystick name entry starts with its cursor on this letter.
const char FIRST_NAME_ENTRY_LETTER = 'A';

Data::Data()
{
    memset(HighScoresName, 0, sizeof(HighScoresName));
    memset(HighScoresLevel, 0, sizeof(HighScoresLevel));
    memset(HighScoresScore, 0, sizeof(HighScoresScore));
    NameInputArrayIndex = 0;
    PlayerRankOnGameOver = RANK_NONE;
    NameInputJoyCharX = 0;
    NameInputJoyCharY = 0;
    NameInputJoyChar = 0;
    OptionsFileKept = 1;
    OptionsFileFound = 0;
    OptionsFileLineCount = 0;
    memset(OptionsFileLines, 0, sizeof(OptionsFileLines));
}

Data::~Data()
{
}

void Data::ClearHighScores()
{
    memset(HighScoresName, 0, sizeof(HighScoresName));
    for (int mode = 0; mode < NUMBER_OF_GAME_MODES; mode++)
    {
        for (int rank = 0; rank < NUMBER_OF_HIGH_SCORES; rank++)
        {
            strncpy(HighScoresName[mode][rank], DEFAULT_HIGH_SCORE_NAMES[rank], HIGH_SCORE_NAME_LENGTH);
            HighScoresLevel[mode][rank] = DEFAULT_HIGH_SCORE_LEVELS[rank];
            HighScoresScore[mode][rank] = DEFAULT_HIGH_SCORE_SCORES[rank];
        }
    }
}

// The first rank whose score the given score reaches (equal scores go above),
// or RANK_NONE.
static uint8_t RankForScore(const uint32_t* scores, uint32_t score)
{
    for (int rank = 0; rank < NUMBER_OF_HIGH_SCORES; rank++)
    {
        if (scores[rank] <= score) return rank;
    }
    return RANK_NONE;
}

void Data::CheckForNewHighScore()
{
    PlayerRankOnGameOver = RANK_NONE;
    NameInputArrayIndex = 0;
    NameInputJoyCharX = 0;
    NameInputJoyCharY = 0;
    NameInputJoyChar = FIRST_NAME_ENTRY_LETTER;

    const int mode = logic->GameMode;
    if (!RULE_HOLDS(mode < NUMBER_OF_GAME_MODES)) return;

    const uint8_t rank = RankForScore(HighScoresScore[mode], logic->Score);
    if (rank == RANK_NONE) return;

    // Move the lower entries down one place from the bottom up; the last falls off.
    for (int moved = NUMBER_OF_HIGH_SCORES - 1; moved > rank; moved--)
    {
        memcpy(HighScoresName[mode][moved], HighScoresName[mode][moved - 1], HIGH_SCORE_NAME_SIZE);
        HighScoresLevel[mode][moved] = HighScoresLevel[mode][moved - 1];
        HighScoresScore[mode][moved] = HighScoresScore[mode][moved - 1];
    }
    memset(HighScoresName[mode][rank], 0, HIGH_SCORE_NAME_SIZE);
    HighScoresLevel[mode][rank] = logic->Level;
    HighScoresScore[mode][rank] = logic->Score;
    PlayerRankOnGameOver = rank;
}
