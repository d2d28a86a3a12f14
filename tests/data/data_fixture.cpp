#include "data_fixture.h"

#include <stdlib.h>

#include "data/data.h"

void DataTest::SetUp()
{
    unsetenv("APPDATA");
    GameTest::SetUp();
}

void DataTest::RestartAndLoad()
{
    objects->Restart();
    data->LoadHighScoresAndOptions();
}

std::string DataTest::OptionsFilePath() const
{
    return directory->home + "/WobblerSaga-data-2.1";
}

std::string DataTest::OptionsFileText() const
{
    return ReadWholeFile(OptionsFilePath());
}

void DataTest::WriteOptionsFile(const std::string& text) const
{
    WriteWholeFile(OptionsFilePath(), text);
}

std::string DefaultOptionsFileText()
{
    std::string text = "32\n32\n1\n1\n";
    for (int joystick = 0; joystick < 2; joystick++) text += "2\n2\n1\n1\n9\n10\n";
    text += "^\n^\n";
    const std::string table =
        "Ada Brickwell\n6\n10000\nTom Quill\n5\n9000\nNell Sprocket\n5\n8000\n"
        "You!\n5\n7000\nYou!\n4\n6000\nYou!\n4\n5000\nYou!\n3\n4000\nYou!\n3\n3000\nYou!\n2\n2000\nYou!\n1\n1000\n";
    for (int mode = 0; mode < 4; mode++) text += table;
    return text;
}

std::string LineOf(const std::string& text, int lineNumber)
{
    size_t start = 0;
    for (int line = 1; line < lineNumber; line++)
    {
        start = text.find('\n', start);
        if (start == std::string::npos) return "";
        start++;
    }
    const size_t end = text.find('\n', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string ReplaceLine(const std::string& text, int lineNumber, const std::string& line)
{
    const std::string before = LineOf(text, lineNumber);
    size_t start = 0;
    for (int index = 1; index < lineNumber; index++) start = text.find('\n', start) + 1;
    return text.substr(0, start) + line + text.substr(start + before.size());
}

int CountLines(const std::string& text)
{
    return CountOccurrences(text, "\n");
}
