#ifndef WOBBLER_DATA_H
#define WOBBLER_DATA_H

#include <stdint.h>

#include "state_fields.h"

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

#define DATA_STATE(FIELD)                                                                       \
    FIELD(uint32_t, HighScoresScore, [NUMBER_OF_GAME_MODES][NUMBER_OF_HIGH_SCORES])              \
    FIELD(int32_t, NameInputArrayIndex, )                                                       \
    FIELD(int32_t, NameInputJoyCharX, )                                                         \
    FIELD(int32_t, NameInputJoyCharY, )                                                         \
    FIELD(char, HighScoresName, [NUMBER_OF_GAME_MODES][NUMBER_OF_HIGH_SCORES][HIGH_SCORE_NAME_SIZE]) \
    FIELD(uint8_t, HighScoresLevel, [NUMBER_OF_GAME_MODES][NUMBER_OF_HIGH_SCORES])              \
    FIELD(uint8_t, PlayerRankOnGameOver, )                                                      \
    FIELD(char, NameInputJoyChar, )

// Left out: the options file as this session found it, line by line as the
// loader reads it (a demo keeps them in its header; a playback puts the
// demo's lines here instead, and neither reads nor writes the player's file),
// and whether the file is the player's to write (OptionsFileKept).
#define DATA_LEFT_OUT(FIELD)                                                                    \
    FIELD(uint8_t, OptionsFileKept, )                                                           \
    FIELD(uint8_t, OptionsFileFound, )                                                          \
    FIELD(int32_t, OptionsFileLineCount, )                                                      \
    FIELD(char, OptionsFileLines, [OPTIONS_FILE_LINES][OPTIONS_LINE_SIZE])

// The high-score tables, the name-entry state and the options file.
class Data
{
public:
    Data();
    ~Data();

    DATA_STATE(DECLARE_FIELD)
    DATA_LEFT_OUT(DECLARE_FIELD)

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
