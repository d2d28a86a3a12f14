// The real program's --verify, which replays a demo on the game's rules
// alone with no display. (This program links the same rules with the
// platform of no window, and no SDL or OpenGL: see sessions_test.cpp.)
#include <gtest/gtest.h>

#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const COMMITTED_DEMOS[] = {"click", "high_scores", "intro", "joystick_name", "lost_game",
                                       "options", "title_menu", "won_game"};

std::string DemoPath(const std::string& name)
{
    return std::string(PROJECT_ROOT) + "/tests/program/demos/" + name + ".demo";
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// "N frames, state DIGEST" of a demo's end line.
std::string EndOf(const std::string& demo)
{
    std::istringstream lines(demo);
    std::string line;
    std::string end;
    while (std::getline(lines, line))
        if (line.rfind("end ", 0) == 0) end = line.substr(4);
    const size_t space = end.find(' ');
    if (space == std::string::npos) return "";
    return end.substr(0, space) + " frames, state " + end.substr(space + 1);
}

struct ProgramRun
{
    int status;
    std::string said;
};

// The real program with the arguments, no display, in the folder given.
ProgramRun RunProgram(const std::string& arguments, const std::string& folder)
{
    // A replay that waits (on a pipe, say) is cut off rather than kept waiting for.
    const std::string command = "cd '" + folder + "' && timeout 60 env -u DISPLAY '" + GAME_BINARY + "' " + arguments + " 2>&1";
    FILE* const output = popen(command.c_str(), "r");
    ProgramRun run = {-1, ""};
    if (!output) return run;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, output)) > 0) run.said.append(buffer, count);
    const int status = pclose(output);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* const directory = opendir(folder.c_str());
    if (!directory) return names;
    while (const dirent* entry = readdir(directory))
        if (entry->d_name[0] != '.') names.push_back(entry->d_name);
    closedir(directory);
    return names;
}

// A folder of its own with the game's data, as a player's working folder.
class ReplayFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/wobbler-replay-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        folder = pattern;
        ASSERT_EQ(0, symlink((std::string(PROJECT_ROOT) + "/data").c_str(), (folder + "/data").c_str()));
    }
    void TearDown() override
    {
        for (const std::string& name : FilesIn(folder)) unlink((folder + "/" + name).c_str());
        rmdir(folder.c_str());
    }

    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = folder + "/" + name;
        std::ofstream(path) << text;
        return path;
    }

    std::string folder;
};

// Every committed demo ends where its end line says, in one line that says
// so, with no display, writing nothing beside the demo.
TEST_F(ReplayFolder, EveryCommittedDemoReachesItsEndLine)
{
    for (const char* name : COMMITTED_DEMOS)
    {
        SCOPED_TRACE(name);
        const std::string path = DemoPath(name);
        const std::string end = EndOf(ReadText(path));
        ASSERT_NE("", end);
        const ProgramRun run = RunProgram("--verify '" + path + "'", folder);
        EXPECT_EQ(0, run.status) << run.said;
        EXPECT_EQ(0u, run.said.find("Verified demo " + path + ": " + end + ", score ")) << run.said;
        EXPECT_EQ(1, std::count(run.said.begin(), run.said.end(), '\n')) << run.said;
    }
    EXPECT_EQ(std::vector<std::string>{"data"}, FilesIn(folder)) << "no log, no state file";
}

// A demo that does not end where it says, or cannot be read to its end, is
// refused in one ERROR line and a failing status, and leaves no file.
TEST_F(ReplayFolder, WhatDoesNotReachItsEndLineIsRefused)
{
    const std::string won = ReadText(DemoPath("won_game"));
    const size_t endLine = won.rfind("\nend ");
    ASSERT_NE(std::string::npos, endLine);
    const std::string body = won.substr(0, endLine + 1);
    struct Case
    {
        const char* what;
        std::string text;
        const char* said;
    };
    const Case cases[] = {
        {"another end state", body + "end 465 0123456789abcdef\n", "desync at frame 465: the state is "},
        {"another end frame", body + "end 400 0123456789abcdef\n", "desync at frame 465: the recording ended at frame 400"},
        {"no end line", body, "is cut short: it has no end line after its 465 whole frames"},
        {"a bare end", body + "end\n", "ends without a state to verify it by"},
        {"no header", "frames\n40\nend 40 0\n", "is not a demo of this game"},
        {"not a demo", "\x89PNG\r\n", "is not a demo of this game"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        const std::string path = Write("refused.demo", c.text);
        const ProgramRun run = RunProgram("--verify refused.demo", folder);
        EXPECT_EQ(1, run.status);
        EXPECT_EQ(0u, run.said.find("ERROR: Demo refused.demo")) << run.said;
        EXPECT_NE(std::string::npos, run.said.find(c.said)) << run.said;
        EXPECT_EQ(1, std::count(run.said.begin(), run.said.end(), '\n')) << run.said;
        unlink(path.c_str());
    }
    ASSERT_EQ(0, mkfifo((folder + "/pipe.demo").c_str(), 0600));
    const char* const arguments[] = {"--verify no-such.demo", "--verify", "--verify ''", "--verify pipe.demo",
                                     "--verify data"};
    const char* const said[] = {"ERROR: Demo no-such.demo cannot be read", "ERROR: --verify needs the name of a demo file",
                                "ERROR: --verify needs the name of a demo file",
                                "ERROR: Demo pipe.demo cannot be read: it is not a file",
                                "ERROR: Demo data cannot be read: it is not a file"};
    for (int index = 0; index < 5; index++)
    {
        const ProgramRun run = RunProgram(arguments[index], folder);
        EXPECT_EQ(1, run.status) << arguments[index];
        EXPECT_EQ(0u, run.said.find(said[index])) << run.said;
        EXPECT_EQ(1, std::count(run.said.begin(), run.said.end(), '\n')) << run.said;
    }
    unlink((folder + "/pipe.demo").c_str());
    EXPECT_EQ(std::vector<std::string>{"data"}, FilesIn(folder)) << "no log, no state file";
}

}  // namespace
