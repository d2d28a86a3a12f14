#include "support/test_environment.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "checks.h"

std::string ProjectRoot()
{
    return PROJECT_ROOT;
}

static std::string CurrentDirectory()
{
    char buffer[4096];
    return getcwd(buffer, sizeof(buffer)) ? buffer : "";
}

ScopedVariable::ScopedVariable(const char* name, const char* value) : name(name)
{
    const char* old = getenv(name);
    hadValue = old != nullptr;
    if (hadValue) previous = old;
    setenv(name, value, 1);
}

ScopedVariable::~ScopedVariable()
{
    if (hadValue)
        setenv(name.c_str(), previous.c_str(), 1);
    else
        unsetenv(name.c_str());
}

TemporaryWorkingDirectory::TemporaryWorkingDirectory(bool linkData)
{
    char pattern[] = "/tmp/wobbler-test-XXXXXX";
    path = mkdtemp(pattern);
    home = path + "/home";
    mkdir(home.c_str(), 0755);
    if (linkData && symlink((ProjectRoot() + "/data").c_str(), (path + "/data").c_str()) != 0) perror("symlink");

    previousDirectory = CurrentDirectory();
    homeVariable.reset(new ScopedVariable("HOME", home.c_str()));
    if (chdir(path.c_str()) != 0) perror("chdir");
}

TemporaryWorkingDirectory::~TemporaryWorkingDirectory()
{
    if (chdir(previousDirectory.c_str()) != 0) perror("chdir");
    homeVariable.reset();
    const std::string command = "chmod -R u+w '" + path + "' 2>/dev/null; rm -rf '" + path + "'";
    if (system(command.c_str()) != 0) perror("rm");
}

// While a test holds the standard output, the failures Google Test reports
// there would go into the capture unseen: they go to the standard error too.
static int capturesHeld = 0;

class FailuresPastTheCapture : public ::testing::EmptyTestEventListener
{
    void OnTestPartResult(const ::testing::TestPartResult& result) override
    {
        if (capturesHeld == 0 || !result.failed()) return;
        fprintf(stderr, "%s:%d: Failure\n%s\n", result.file_name() ? result.file_name() : "", result.line_number(),
                result.message());
    }
};
static const bool failuresShown =
    (::testing::UnitTest::GetInstance()->listeners().Append(new FailuresPastTheCapture), true);

// A rule of the game broken during a test fails it, unless the test takes it.
static int brokenRulesTaken = 0;

class BrokenRulesFailTheTest : public ::testing::EmptyTestEventListener
{
    // Each test finds the lines of the rules it breaks, whatever ran before.
    void OnTestStart(const ::testing::TestInfo&) override { brokenRulesTaken = BrokenRules, ForgetBrokenRules(); }
    void OnTestEnd(const ::testing::TestInfo&) override { EXPECT_EQ(0, TakeBrokenRules()) << "rules of the game broken"; }
};
static const bool brokenRulesFail =
    (::testing::UnitTest::GetInstance()->listeners().Append(new BrokenRulesFailTheTest), true);

int TakeBrokenRules()
{
    const int broken = BrokenRules - brokenRulesTaken;
    brokenRulesTaken = BrokenRules;
    return broken;
}

CapturedOutput::CapturedOutput()
{
    capturesHeld++;
    char pattern[] = "/tmp/wobbler-output-XXXXXX";
    const int descriptor = mkstemp(pattern);
    file = pattern;
    fflush(stdout);
    savedDescriptor = dup(STDOUT_FILENO);
    dup2(descriptor, STDOUT_FILENO);
    close(descriptor);
}

CapturedOutput::~CapturedOutput()
{
    fflush(stdout);
    dup2(savedDescriptor, STDOUT_FILENO);
    close(savedDescriptor);
    unlink(file.c_str());
    capturesHeld--;
}

std::string CapturedOutput::Text()
{
    fflush(stdout);
    return ReadWholeFile(file);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

void WriteWholeFile(const std::string& path, const std::string& text)
{
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream << text;
}

bool FileExists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMilliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

int CountOccurrences(const std::string& text, const std::string& what)
{
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) count++;
    return count;
}

bool AppearInOrder(const std::string& text, const std::initializer_list<const char*>& lines)
{
    size_t at = 0;
    for (const char* line : lines)
    {
        const std::string wanted = std::string(line) + "\n";
        const size_t found = text.find(wanted, at);
        if (found == std::string::npos) return false;
        at = found + wanted.size();
    }
    return true;
}
