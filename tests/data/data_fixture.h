#ifndef WOBBLER_DATA_FIXTURE_H
#define WOBBLER_DATA_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/test_environment.h"

// The objects whose fields the options file holds, created as main creates
// them, in a temporary folder whose HOME receives the file.
class DataTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    void CreateObjects();
    void DeleteObjects();
    // What the next start of the game does: fresh objects, defaults, then the file.
    void RestartAndLoad();

    std::string OptionsFilePath() const;
    std::string OptionsFileText() const;
    void WriteOptionsFile(const std::string& text) const;

    std::unique_ptr<TemporaryWorkingDirectory> directory;
    std::unique_ptr<CapturedOutput> output;
};

// The file that the defaults of every object give.
std::string DefaultOptionsFileText();
std::string LineOf(const std::string& text, int lineNumber);  // 1-based, without "\n"
std::string ReplaceLine(const std::string& text, int lineNumber, const std::string& line);
int CountLines(const std::string& text);

#endif
