#ifndef WOBBLER_DATA_FIXTURE_H
#define WOBBLER_DATA_FIXTURE_H

#include <string>

#include "support/game_objects.h"

// The objects whose fields the options file holds, created as main creates
// them (the file neither read nor saved unless a test says so), in a
// temporary folder whose HOME receives the file.
class DataTest : public GameTest
{
protected:
    DataTest() : GameTest(CREATE_OBJECTS, false) {}
    void SetUp() override;

    // What the next start of the game does: fresh objects, defaults, then the file.
    void RestartAndLoad();

    std::string OptionsFilePath() const;
    std::string OptionsFileText() const;
    void WriteOptionsFile(const std::string& text) const;
};

// The file that the defaults of every object give.
std::string DefaultOptionsFileText();
std::string LineOf(const std::string& text, int lineNumber);  // 1-based, without "\n"
std::string ReplaceLine(const std::string& text, int lineNumber, const std::string& line);
int CountLines(const std::string& text);

#endif
