#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "settings/settings.h"
#include "support/test_environment.h"

namespace {

// Owns writable copies of the arguments, with the program name first.
struct Arguments
{
    explicit Arguments(std::vector<std::string> list) : texts(list)
    {
        texts.insert(texts.begin(), "wobblersaga");
        for (std::string& text : texts) pointers.push_back(&text[0]);
    }
    int count() const { return static_cast<int>(pointers.size()); }
    char** values() { return pointers.data(); }

    std::vector<std::string> texts;
    std::vector<char*> pointers;
};

struct SizeResult
{
    uint32_t width;
    uint32_t height;
    std::string log;
};

SizeResult ReadSize(std::vector<std::string> list)
{
    Arguments arguments(list);
    CapturedOutput output;
    Runtime reader(arguments.count(), arguments.values());
    return SizeResult{reader.getWidth(), reader.getHeight(), output.Text()};
}

TEST(Runtime, WindowSizeComesFromTheCommandLine)
{
    const SizeResult none = ReadSize({});
    EXPECT_EQ(640u, none.width);
    EXPECT_EQ(480u, none.height);
    EXPECT_EQ("", none.log);

    const SizeResult both = ReadSize({"--width", "800", "--height", "600"});
    EXPECT_EQ(800u, both.width);
    EXPECT_EQ(600u, both.height);

    // Only the leading number counts, and unknown arguments are skipped.
    const SizeResult trailing = ReadSize({"--fullscreen", "--width", "800x600", "extra"});
    EXPECT_EQ(800u, trailing.width);
    EXPECT_EQ(480u, trailing.height);
}

TEST(Runtime, MissingValueKeepsTheDefaultAndStopsReading)
{
    const SizeResult width = ReadSize({"--width"});
    EXPECT_EQ(640u, width.width);
    EXPECT_EQ("src/runtime:31 error: missing --width argument\n", width.log);

    const SizeResult height = ReadSize({"--height", "600", "--height"});
    EXPECT_EQ(600u, height.height);
    EXPECT_EQ("src/runtime:46 error: missing --height argument\n", height.log);
}

TEST(Runtime, UnreadableValueStoresWhatTheStreamLeft)
{
    const SizeResult letters = ReadSize({"--width", "abc"});
    EXPECT_EQ(0u, letters.width);
    EXPECT_EQ("src/runtime:26 error: failed to read --width argument\n", letters.log);

    const SizeResult empty = ReadSize({"--height", ""});
    EXPECT_EQ(0u, empty.height);
    EXPECT_EQ("src/runtime:41 error: failed to read --height argument\n", empty.log);

    const SizeResult huge = ReadSize({"--width", "99999999999"});
    EXPECT_EQ(4294967295u, huge.width);
    EXPECT_EQ("src/runtime:26 error: failed to read --width argument\n", huge.log);

    // A value is taken without looking at it: "--height" becomes the width value.
    const SizeResult swallowed = ReadSize({"--width", "--height", "600"});
    EXPECT_EQ(0u, swallowed.width);
    EXPECT_EQ(480u, swallowed.height);
    EXPECT_EQ("src/runtime:26 error: failed to read --width argument\n", swallowed.log);
}

TEST(Runtime, NegativeNumbersWrapWithoutComplaint)
{
    const SizeResult negative = ReadSize({"--width", "-5"});
    EXPECT_EQ(4294967291u, negative.width);
    EXPECT_EQ("", negative.log);
}

// Sets the environment variables for one test and restores them afterwards.
class EnvironmentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* name : NAMES)
        {
            const char* value = getenv(name);
            saved.push_back(value ? std::make_pair(true, std::string(value)) : std::make_pair(false, std::string()));
            unsetenv(name);
        }
    }
    void TearDown() override
    {
        for (size_t index = 0; index < saved.size(); index++)
        {
            if (saved[index].first)
                setenv(NAMES[index], saved[index].second.c_str(), 1);
            else
                unsetenv(NAMES[index]);
        }
    }

    std::string RunSettings(std::vector<std::string> list, Settings** made)
    {
        Arguments arguments(list);
        CapturedOutput output;
        *made = new Settings(arguments.count(), arguments.values());
        return output.Text();
    }

    static constexpr const char* NAMES[] = {"USER", "LOGUSER", "USERNAME", "APPDATA", "HOME"};
    std::vector<std::pair<bool, std::string>> saved;
};

TEST_F(EnvironmentTest, PlainStartReportsOnlyTheFixedLines)
{
    Settings* made = nullptr;
    const std::string log = RunSettings({}, &made);
    EXPECT_EQ("_WIN32_IE not defined\nchecking for data/icon.ico .... \nsettings done\n", log);
    EXPECT_STREQ("", made->GetUserName());
    EXPECT_STREQ("", made->GetUserConfigPath());
    EXPECT_STREQ("", made->GetHighScoresPath());
    EXPECT_STREQ("data/", made->GetDataPath());
    EXPECT_FALSE(made->GetOptionVerbose());
    delete made;
}

TEST_F(EnvironmentTest, UserNameAndConfigFolderFollowTheirOrderOfPreference)
{
    setenv("USERNAME", "third", 1);
    setenv("LOGUSER", "second", 1);
    setenv("HOME", "/home/a", 1);
    Settings* made = nullptr;
    RunSettings({}, &made);
    EXPECT_STREQ("second", made->GetUserName());
    EXPECT_STREQ("/home/a/", made->GetUserConfigPath());
    delete made;

    setenv("USER", "first", 1);
    setenv("APPDATA", "/cfg", 1);
    RunSettings({}, &made);
    EXPECT_STREQ("first", made->GetUserName());
    EXPECT_STREQ("/cfg/", made->GetUserConfigPath());
    delete made;
}

TEST_F(EnvironmentTest, VerboseReportListsConfigurationAndPaths)
{
    setenv("HOME", "/home/a", 1);
    Settings* made = nullptr;
    const std::string log = RunSettings({"--verbose", "--version"}, &made);
    EXPECT_EQ(
        "settings: verbose is set\n"
        "Wobbler 100% 5.0.08\n"
        "debug_settings_verbose is set\n"
        "BINDIR not defined\nHAVE_CONFIG_H not defined\nHAVE_GETLOGIN not defined\n"
        "HAVE_READLINK not defined\nHAVE_SHLOBJ_H not defined\nHAVE_UNISTD_H not defined\n"
        "HAVE_WINDOWS_H not defined\nHIGHSCORESDIR not defined\nPKGDATADIR not defined\n"
        "_WIN32_IE not defined\n"
        "_WIN32_IE not defined\n"
        "checking for data/icon.ico .... \n"
        "username       \n"
        "highscorespath \n"
        "userconfigpath /home/a/\n"
        "runtimebinpath \n"
        "datapath       data/\n"
        "settings done\n",
        log);
    EXPECT_TRUE(made->GetOptionVerbose());
    delete made;
}

TEST_F(EnvironmentTest, HelpAndVersionPrintEachTimeTheyAreGiven)
{
    Settings* made = nullptr;
    const std::string log = RunSettings({"--help", "--version", "--help"}, &made);
    EXPECT_EQ(2, CountOccurrences(log, "--help for help\n--version for version\n"));
    EXPECT_EQ(1, CountOccurrences(log, "Wobbler 100% 5.0.08\n"));
    delete made;
}

TEST_F(EnvironmentTest, AVeryLongHomeIsKeptWhole)
{
    const std::string longHome = "/" + std::string(300, 'h');
    setenv("HOME", longHome.c_str(), 1);
    Settings* made = nullptr;
    RunSettings({}, &made);
    EXPECT_EQ(longHome + "/", made->GetUserConfigPath());
    delete made;
}

}  // namespace
