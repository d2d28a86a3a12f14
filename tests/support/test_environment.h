#ifndef WOBBLER_TEST_ENVIRONMENT_H
#define WOBBLER_TEST_ENVIRONMENT_H

#include <functional>
#include <memory>
#include <string>

// Sets an environment variable for the life of the object.
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const char* value);
    ~ScopedVariable();

private:
    std::string name;
    std::string previous;
    bool hadValue;
};

// A fresh working directory with the project's data/ linked in and HOME
// pointing into it; the old directory and HOME come back at destruction.
class TemporaryWorkingDirectory
{
public:
    explicit TemporaryWorkingDirectory(bool linkData = true);
    ~TemporaryWorkingDirectory();

    std::string path;
    std::string home;

private:
    std::string previousDirectory;
    std::unique_ptr<ScopedVariable> homeVariable;
};

// Captures what the code under test prints on standard output.
class CapturedOutput
{
public:
    CapturedOutput();
    ~CapturedOutput();
    std::string Text();  // everything printed so far

private:
    int savedDescriptor;
    std::string file;
};

// The rules of the game broken since the test began or last took them; a
// test that breaks one on purpose takes it, any other fails.
int TakeBrokenRules();

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
std::string ProjectRoot();

// Polls the condition every few milliseconds until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMilliseconds);

int CountOccurrences(const std::string& text, const std::string& what);
// True when each line appears whole, with its line break, after the one before it.
bool AppearInOrder(const std::string& text, const std::initializer_list<const char*>& lines);

#endif
