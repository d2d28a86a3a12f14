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

// The table ClearHighScores writes into every game mode, best first.
extern const char* const DEFAULT_HIGH_SCORE_NAMES[NUMBER_OF_HIGH_SCORES];
extern const uint8_t DEFAULT_HIGH_SCORE_LEVELS[NUMBER_OF_HIGH_SCORES];
extern const uint32_t DEFAULT_HIGH_SCORE_SCORES[NUMBER_OF_HIGH_SCORES];

// The options file: its name in the configuration folder, the buffer its
// path is built in, and its length in lines.
const char* const OPTIONS_FILE_NAME = "WobblerSaga-data-2.1";
const int OPTIONS_FILE_PATH_SIZE = 256;
const int OPTIONS_FILE_LINES = 138;
// Longer lines than this are cut; no valid line comes near it.
const int OPTIONS_LINE_SIZE = 64;

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
    // The options file as this session found it, line by line as the loader
    // reads it; a playback of a demo puts the demo's lines here instead, and
    // neither reads nor writes the player's file (OptionsFileKept is 0).
    uint8_t OptionsFileKept;
    uint8_t OptionsFileFound;
    int32_t OptionsFileLineCount;
    char OptionsFileLines[OPTIONS_FILE_LINES][OPTIONS_LINE_SIZE];

    // high_scores.cpp
    void ClearHighScores();
    void CheckForNewHighScore();

    // options_file.cpp
    bool BuildOptionsFilePath(char* path, int size) const;
    void SaveHighScoresAndOptions();
    void LoadHighScoresAndOptions();
    void ReadOptionsFile(const char* path);
    void StoreOptionsFileLines(const char* source);
    // Writes the whole file at this path; false (and no file) when it fails.
    bool WriteHighScoresAndOptions(const char* path) const;
};

extern Data* data;

#endif
