// The real program's --verify with no display: one line, the verdict or an
// ERROR, and no file beside the demo. (Every committed demo's verification
// is held to its timed playback in tests/program; this program links the
// rules with the platform of no window: see sessions_test.cpp.)
#include <gtest/gtest.h>

#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Verification
{
    const char* what;
    const char* arguments;     // after --verify, in a folder of its own with the game's data
    const char* demoEnd;       // demo.demo is the won game's, its end line replaced by this; null for none
    int status;
    const char* said;          // the one line's start, after "ERROR: Demo demo.demo" for a refusal
    const char* format = "3";  // the demo format named in the demo's first line
};

const Verification VERIFICATIONS[] = {
    {"the demo as recorded", "demo.demo", "end 465 cc9ee0a5e2d3ae84\n", 0,
     "Verified demo demo.demo: 465 frames, state cc9ee0a5e2d3ae84, score 150, board 6, lives 0"},
    {"an older format", "demo.demo", "end 465 cc9ee0a5e2d3ae84\n", 1,
     " is in demo format 2, older than this game's 3: record it again with this game", "2"},
    {"a newer format", "demo.demo", "end 465 cc9ee0a5e2d3ae84\n", 1, " is in demo format 4, newer than", "4"},
    {"another end state", "demo.demo", "end 465 0123456789abcdef\n", 1, ": desync at frame 465: the state is "},
    {"another end frame", "demo.demo", "end 400 0123456789abcdef\n", 1, ": desync at frame 465: the recording ended at frame 400"},
    {"no end line", "demo.demo", "", 1, " is cut short: it has no end line after its 465 whole frames"},
    {"a bare end", "demo.demo", "end\n", 1, " ends without a state to verify it by"},
    {"no file", "no-such.demo", nullptr, 1, "ERROR: Demo no-such.demo cannot be read"},
    {"a folder", "data", nullptr, 1, "ERROR: Demo data cannot be read: it is not a file"},
    {"a pipe", "pipe.demo", nullptr, 1, "ERROR: Demo pipe.demo cannot be read: it is not a file"},
    {"no name", "", nullptr, 1, "ERROR: --verify needs the name of a demo file"},
    {"an empty name", "''", nullptr, 1, "ERROR: --verify needs the name of a demo file"},
};

std::string WonGameWithout(const char* end, const char* format)
{
    std::ifstream file(std::string(PROJECT_ROOT) + "/tests/program/demos/won_game.demo");
    std::stringstream text;
    text << file.rdbuf();
    std::string won = text.str();
    const size_t formatAt = won.find("wobblersaga demo 3\n") + strlen("wobblersaga demo ");
    won.replace(formatAt, 1, format);
    return won.substr(0, won.rfind("\nend ") + 1) + end;
}

TEST(Verify, SaysOneLineAndWritesNothing)
{
    char pattern[] = "/tmp/wobbler-replay-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    const std::string folder = pattern;
    ASSERT_EQ(0, symlink((std::string(PROJECT_ROOT) + "/data").c_str(), (folder + "/data").c_str()));
    ASSERT_EQ(0, mkfifo((folder + "/pipe.demo").c_str(), 0600));
    for (const Verification& verification : VERIFICATIONS)
    {
        SCOPED_TRACE(verification.what);
        if (verification.demoEnd) std::ofstream(folder + "/demo.demo") << WonGameWithout(verification.demoEnd, verification.format);
        // A replay that waits (on a pipe, say) is cut off rather than waited for.
        const std::string command = "cd '" + folder + "' && timeout 60 env -u DISPLAY '" + GAME_BINARY +
                                    "' --verify " + verification.arguments + " 2>&1";
        FILE* const output = popen(command.c_str(), "r");
        ASSERT_NE(nullptr, output);
        std::string said;
        char line[1024];
        while (fgets(line, sizeof line, output)) said += line;
        const int status = pclose(output);
        EXPECT_EQ(verification.status, WIFEXITED(status) ? WEXITSTATUS(status) : -1) << said;
        const bool refusedDemo = verification.status != 0 && verification.said[0] != 'E';
        EXPECT_EQ(0u, said.find(std::string(refusedDemo ? "ERROR: Demo demo.demo" : "") + verification.said)) << said;
        EXPECT_EQ(1, std::count(said.begin(), said.end(), '\n')) << said;
        unlink((folder + "/demo.demo").c_str());
    }
    unlink((folder + "/pipe.demo").c_str());
    DIR* const directory = opendir(folder.c_str());
    int files = 0;
    while (const dirent* entry = readdir(directory)) files += entry->d_name[0] != '.';
    closedir(directory);
    EXPECT_EQ(1, files) << "no log, no state file: only the data folder";
    unlink((folder + "/data").c_str());
    rmdir(folder.c_str());
}

}  // namespace
