#ifndef WOBBLER_DATA_H
#define WOBBLER_DATA_H

#include <stdint.h>

const int NUMBER_OF_GAME_MODES = 4;
const int NUMBER_OF_HIGH_SCORES = 10;
const int HIGH_SCORE_NAME_SIZE = 20;
const int HIGH_SCORE_NAME_LENGTH = 18;  // bytes 18 and 19 always stay NUL

// PlayerRankOnGameOver: no place in the table, and name entry finished.
const uint8_t RANK_NONE = 10;
const uint8_t RANK_NAME_ENTERED = 99;

// The high-score tables, the name-entry state and the options file.
class Data
{
public:
    Data();
    virtual ~Data();

    char HighScoresName[NUMBER_OF_GAME_MODES][NUMBER_OF_HIGH_SCORES][HIGH_SCORE_NAME_SIZE];
    uint8_t HighScoresLevel[NUMBER_OF_GAME_MODES][NUMBER_OF_HIGH_SCORES];
    uint32_t HighScoresScore[NUMBER_OF_GAME_MODES][NUMBER_OF_HIGH_SCORES];
    int32_t NameInputArrayIndex;
    uint8_t PlayerRankOnGameOver;
    int32_t NameInputJoyCharX;
    int32_t NameInputJoyCharY;
    char NameInputJoyChar;

    // high_scores.cpp
    void ClearHighScores();
    void CheckForNewHighScore();

    // options_file.cpp
    bool BuildOptionsFilePath(char* path, int size) const;
    void SaveHighScoresAndOptions();
    void LoadHighScoresAndOptions();
};

extern Data* data;

#endif
