#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include "audio/audio.h"
#include "data/data.h"
#include "data_fixture.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"

namespace {

typedef DataTest OptionsFile;

// What every loaded file must give, however damaged it was.
void ExpectSaneValues()
{
    EXPECT_GE(audio->MusicVolume, 0);
    EXPECT_LE(audio->MusicVolume, 128);
    EXPECT_GE(audio->SoundVolume, 0);
    EXPECT_LE(audio->SoundVolume, 128);
    EXPECT_LE(logic->GameMode, 3);
    for (int joystick = 0; joystick < 2; joystick++)
    {
        for (const uint8_t* codes : {input->JoyMapUP, input->JoyMapDOWN, input->JoyMapLEFT, input->JoyMapRIGHT,
                                     input->JoyMapButtonOne, input->JoyMapButtonTwo})
            EXPECT_NE(0, codes[joystick]);
    }
    for (char key : {input->UserDefinedKeyButtonOne, input->UserDefinedKeyButtonTwo})
        EXPECT_TRUE((key >= 'a' && key <= 'z') || key == '^') << (int)key;
    for (int mode = 0; mode < 4; mode++)
    {
        for (int rank = 0; rank < 10; rank++)
        {
            EXPECT_LE(strlen(data->HighScoresName[mode][rank]), 18u);
            EXPECT_EQ(0, data->HighScoresName[mode][rank][18]);
            EXPECT_GE(data->HighScoresLevel[mode][rank], 1);
            EXPECT_LE(data->HighScoresLevel[mode][rank], 6);
        }
    }
}

TEST_F(OptionsFile, AFirstRunKeepsTheDefaultsAndWritesThemAllAtExit)
{
    data->LoadHighScoresAndOptions();
    EXPECT_EQ(32, audio->MusicVolume);
    EXPECT_EQ(0, CountOccurrences(output->Text(), "ERROR"));

    data->SaveHighScoresAndOptions();
    const std::string text = OptionsFileText();
    EXPECT_EQ(138, CountLines(text));
    EXPECT_EQ(DefaultOptionsFileText(), text);
    EXPECT_FALSE(FileExists(OptionsFilePath() + ".new"));
}

TEST_F(OptionsFile, EveryValueSurvivesASaveAndTheNextStart)
{
    audio->MusicVolume = 96;
    audio->SoundVolume = 0;
    game->AboutBackgroundHidden = 0;
    logic->GameMode = 3;
    input->JoyMapUP[0] = 4;
    input->JoyMapButtonTwo[1] = 20;
    input->UserDefinedKeyButtonOne = 'q';
    input->UserDefinedKeyButtonTwo = 'z';
    strcpy(data->HighScoresName[3][0], "EIGHTEEN-CHARACTER");
    data->HighScoresScore[3][0] = 3000000000u;  // written as a negative number
    data->HighScoresLevel[3][9] = 6;
    memset(data->HighScoresName[2][4], 0, 20);  // left with Escape: no name
    data->SaveHighScoresAndOptions();
    const std::string saved = OptionsFileText();
    EXPECT_EQ("-1294967296", LineOf(saved, 19 + 3 * 30 + 2));

    RestartAndLoad();
    EXPECT_EQ(96, audio->MusicVolume);
    EXPECT_EQ(0, audio->SoundVolume);
    EXPECT_EQ(0, game->AboutBackgroundHidden);
    EXPECT_EQ(3, logic->GameMode);
    EXPECT_EQ(4, input->JoyMapUP[0]);
    EXPECT_EQ(20, input->JoyMapButtonTwo[1]);
    EXPECT_EQ('q', input->UserDefinedKeyButtonOne);
    EXPECT_EQ('z', input->UserDefinedKeyButtonTwo);
    EXPECT_STREQ("EIGHTEEN-CHARACTER", data->HighScoresName[3][0]);
    EXPECT_EQ(3000000000u, data->HighScoresScore[3][0]);
    EXPECT_EQ(6, data->HighScoresLevel[3][9]);
    EXPECT_STREQ("", data->HighScoresName[2][4]);
    EXPECT_EQ(0, CountOccurrences(output->Text(), "ERROR"));

    data->SaveHighScoresAndOptions();
    EXPECT_EQ(saved, OptionsFileText());
}

TEST_F(OptionsFile, HandEditedLinesAreReadAsTheFormatSays)
{
    std::string text = DefaultOptionsFileText();
    text = ReplaceLine(text, 1, "64");
    text = ReplaceLine(text, 3, "7");  // any number but 0 hides the background
    text = ReplaceLine(text, 19, "ABCDEFGHIJKLMNOPQRSTUVWXY");
    text = ReplaceLine(text, 17, "kx");  // the first character counts
    WriteOptionsFile(text);

    RestartAndLoad();
    EXPECT_EQ(64, audio->MusicVolume);
    EXPECT_EQ(1, game->AboutBackgroundHidden);
    EXPECT_STREQ("ABCDEFGHIJKLMNOPQR", data->HighScoresName[0][0]);
    EXPECT_EQ('k', input->UserDefinedKeyButtonOne);
}

TEST_F(OptionsFile, AFileWithWindowsLineEndsReadsTheSame)
{
    std::string text = ReplaceLine(DefaultOptionsFileText(), 2, "96");
    std::string windows;
    for (char character : text) windows += character == '\n' ? std::string("\r\n") : std::string(1, character);
    WriteOptionsFile(windows);

    RestartAndLoad();
    EXPECT_EQ(96, audio->SoundVolume);
    EXPECT_STREQ("Ada Brickwell", data->HighScoresName[0][0]);
    EXPECT_EQ(10000u, data->HighScoresScore[3][0]);
    EXPECT_EQ(0, CountOccurrences(output->Text(), "ERROR"));
}

TEST_F(OptionsFile, EveryFieldOutOfRangeGetsItsDefault)
{
    const char* const outOfRange[18] = {"129", "-1", "yes", "4", "0", "256", "-3", "", "0", "1000",
                                        "0",   "0",  "0",   "0", "0", "0",   "Q",  ""};
    std::string text = DefaultOptionsFileText();
    for (int line = 1; line <= 18; line++) text = ReplaceLine(text, line, outOfRange[line - 1]);
    for (int entry = 0; entry < 40; entry++)
    {
        text = ReplaceLine(text, 20 + 3 * entry, entry % 2 ? "7" : "0");
        text = ReplaceLine(text, 21 + 3 * entry, entry % 2 ? "lots" : "99999999999");
    }
    WriteOptionsFile(text);

    RestartAndLoad();
    ExpectSaneValues();
    EXPECT_EQ(1, CountOccurrences(output->Text(), "ERROR: "));
    EXPECT_NE(std::string::npos, output->Text().find("ERROR: Options file ")) << output->Text();
    data->SaveHighScoresAndOptions();
    EXPECT_EQ(DefaultOptionsFileText(), OptionsFileText());
}

TEST_F(OptionsFile, AJoystickCodeBeyondAPluggedJoystickGetsItsDefault)
{
    // A plugged joystick with two axes and two buttons.
    input->JoystickPlugged[0] = 1;
    input->JoystickNumberOfAxes[0] = 2;
    input->JoystickNumberOfButtons[0] = 2;
    std::string text = DefaultOptionsFileText();
    text = ReplaceLine(text, 5, "3");    // axis 2: beyond
    text = ReplaceLine(text, 7, "2");    // axis 1: there
    text = ReplaceLine(text, 9, "10");   // button 1: there
    text = ReplaceLine(text, 10, "11");  // button 2: beyond
    text = ReplaceLine(text, 11, "200"); // the second joystick is not plugged in
    WriteOptionsFile(text);

    data->LoadHighScoresAndOptions();
    EXPECT_EQ(2, input->JoyMapUP[0]);
    EXPECT_EQ(2, input->JoyMapLEFT[0]);
    EXPECT_EQ(10, input->JoyMapButtonOne[0]);
    EXPECT_EQ(10, input->JoyMapButtonTwo[0]);
    EXPECT_EQ(200, input->JoyMapUP[1]);
}

struct DamagedFile
{
    const char* what;
    std::string text;
};

std::string BinaryGarbage()
{
    std::string text;
    unsigned state = 12345;
    for (int index = 0; index < 3000; index++)
    {
        state = state * 1103515245u + 12345u;
        text += (char)(state >> 16);
    }
    return text;
}

TEST_F(OptionsFile, DamagedFilesLoadSaneValuesAndTheNextSaveIsWhole)
{
    const std::string good = ReplaceLine(DefaultOptionsFileText(), 1, "64");
    const DamagedFile damaged[] = {
        {"truncated", good.substr(0, good.size() / 3)},
        {"cut in a line", good.substr(0, 7)},
        {"empty", ""},
        {"binary garbage", BinaryGarbage()},
        {"a 10,000-character line", ReplaceLine(good, 5, std::string(10000, '7'))},
        {"a 10,000-character name", ReplaceLine(good, 19, std::string(10000, 'N'))},
        {"no line breaks", std::string(5000, '1')},
    };
    for (const DamagedFile& file : damaged)
    {
        SCOPED_TRACE(file.what);
        WriteOptionsFile(file.text);
        RestartAndLoad();
        ExpectSaneValues();
        data->SaveHighScoresAndOptions();
        EXPECT_EQ(138, CountLines(OptionsFileText()));
        const std::string rewritten = OptionsFileText();
        RestartAndLoad();
        data->SaveHighScoresAndOptions();
        EXPECT_EQ(rewritten, OptionsFileText());
    }
}

TEST_F(OptionsFile, AnOverlongLineLosesOnlyItself)
{
    std::string text = ReplaceLine(DefaultOptionsFileText(), 1, "64");
    text = ReplaceLine(text, 5, std::string(10000, '3'));
    text = ReplaceLine(text, 6, "3");
    text = ReplaceLine(text, 22, "Zed");
    WriteOptionsFile(text);

    RestartAndLoad();
    EXPECT_EQ(64, audio->MusicVolume);
    EXPECT_EQ(2, input->JoyMapUP[0]);
    EXPECT_EQ(3, input->JoyMapDOWN[0]);
    EXPECT_STREQ("Zed", data->HighScoresName[0][1]);
    EXPECT_EQ(1, CountOccurrences(output->Text(), "ERROR: "));
}

TEST_F(OptionsFile, ATruncatedFileKeepsWhatItHoldsAndDefaultsTheRest)
{
    std::string text = ReplaceLine(DefaultOptionsFileText(), 2, "128");
    text = ReplaceLine(text, 19, "Kept");
    WriteOptionsFile(text.substr(0, text.find("Tom Quill")));

    RestartAndLoad();
    EXPECT_EQ(128, audio->SoundVolume);
    EXPECT_STREQ("Kept", data->HighScoresName[0][0]);
    EXPECT_STREQ("Tom Quill", data->HighScoresName[0][1]);
    EXPECT_EQ(9000u, data->HighScoresScore[3][1]);
}

TEST_F(OptionsFile, AConfigurationFolderTooLongForTheNameKeepsNothing)
{
    // The 256-byte path holds a folder of at most 235 characters.
    const std::string base = directory->home + "/";
    std::string longest = base;
    while (longest.size() < 234) longest += std::string(std::min<size_t>(200, 234 - longest.size()), 'd') + "/";
    longest.resize(234);
    ASSERT_EQ(0, system(("mkdir -p '" + longest + "'").c_str()));

    setenv("HOME", longest.c_str(), 1);  // the folder becomes HOME + "/": 235 characters
    RestartAndLoad();
    audio->MusicVolume = 64;
    data->SaveHighScoresAndOptions();
    EXPECT_EQ(138, CountLines(ReadWholeFile(longest + "/WobblerSaga-data-2.1")));
    EXPECT_EQ(0, CountOccurrences(output->Text(), "ERROR"));

    const std::string tooLong = longest + "e";
    ASSERT_EQ(0, mkdir(tooLong.c_str(), 0755));
    setenv("HOME", tooLong.c_str(), 1);
    RestartAndLoad();
    data->SaveHighScoresAndOptions();
    EXPECT_EQ(32, audio->MusicVolume);
    EXPECT_FALSE(FileExists(tooLong + "/WobblerSaga-data-2.1"));
    EXPECT_EQ(2, CountOccurrences(output->Text(), "ERROR: The configuration folder's name is too long"));
}

TEST_F(OptionsFile, AFailedSaveLeavesTheOldFileAndSaysSo)
{
    const std::string old = ReplaceLine(DefaultOptionsFileText(), 1, "96");
    WriteOptionsFile(old);
    // Something in the way of the temporary file makes the save fail.
    ASSERT_EQ(0, mkdir((OptionsFilePath() + ".new").c_str(), 0755));
    WriteWholeFile(OptionsFilePath() + ".new/keep", "x");

    audio->MusicVolume = 0;
    data->SaveHighScoresAndOptions();
    EXPECT_EQ(old, OptionsFileText());
    EXPECT_EQ(1, CountOccurrences(output->Text(), "ERROR: Could not write the options file "));
    EXPECT_TRUE(FileExists(OptionsFilePath() + ".new/keep"));
}

TEST_F(OptionsFile, ASaveIntoAMissingFolderFailsWithOneLine)
{
    setenv("HOME", (directory->home + "/gone").c_str(), 1);
    RestartAndLoad();
    data->SaveHighScoresAndOptions();
    EXPECT_EQ(1, CountOccurrences(output->Text(), "ERROR: "));
}

TEST_F(OptionsFile, ASaveInterruptedBeforeTheRenameLeavesTheOldFile)
{
    const std::string old = ReplaceLine(DefaultOptionsFileText(), 1, "96");
    WriteOptionsFile(old);

    // The save is killed after writing the temporary file, before the rename.
    audio->MusicVolume = 0;
    ASSERT_TRUE(data->WriteHighScoresAndOptions((OptionsFilePath() + ".new").c_str()));
    EXPECT_EQ(old, OptionsFileText());
    RestartAndLoad();
    EXPECT_EQ(96, audio->MusicVolume);

    // The next whole save replaces both the old file and the leftover.
    audio->MusicVolume = 128;
    data->SaveHighScoresAndOptions();
    EXPECT_EQ("128", LineOf(OptionsFileText(), 1));
    EXPECT_FALSE(FileExists(OptionsFilePath() + ".new"));
}

}  // namespace
