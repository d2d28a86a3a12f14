// Whole-program starts with damaged data and in hostile environments: each
// gives its own "ERROR: ..." line, leaves through the main loop, keeps the
// options file where it can and exits with status 0.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/data_folder.h"
#include "support/game_process.h"
#include "support/pictures.h"

namespace {

struct DamagedFile
{
    const char* file;
    enum { MISSING, TRUNCATED, THREE_BY_FIVE, NOT_A_SOUND } damage;
    const char* errorLine;  // the start of the line the game must log
    bool fatal;             // sound and music only silence the game
};

const DamagedFile DAMAGED_FILES[] = {
    {"fonts/Default.ttf", DamagedFile::MISSING, "ERROR: Loading font: ", true},
    {"fonts/Destructo.ttf", DamagedFile::MISSING, "ERROR: Loading font: ", true},
    {"interface/Default.ttf", DamagedFile::MISSING, "ERROR: Loading font: ", true},
    {"graphics/Pellet.png", DamagedFile::MISSING, "ERROR: SDL could not load image ", true},
    {"graphics/Player_Die.png", DamagedFile::MISSING, "ERROR: SDL could not load image ", true},
    {"interface/Button.png", DamagedFile::MISSING, "ERROR: SDL could not load image ", true},
    {"interface/Selector-Line.png", DamagedFile::MISSING, "ERROR: SDL could not load image ", true},
    {"graphics/MapBG.png", DamagedFile::TRUNCATED, "ERROR: SDL could not load image ", true},
    {"graphics/Pellet.png", DamagedFile::THREE_BY_FIVE, "ERROR: Image width is not a power of 2\n", true},
    {"interface/Button.png", DamagedFile::THREE_BY_FIVE, "ERROR: Image width is not a power of 2\n", true},
    {"sound/Click.wav", DamagedFile::MISSING, "ERROR: Couldn't load sound ", false},
    // SDL2 plays a cut WAV as far as it goes, so a sound is damaged beyond that.
    {"sound/Eat-Pellet.wav", DamagedFile::NOT_A_SOUND, "ERROR: Couldn't load sound ", false},
    {"music/Title.mod", DamagedFile::MISSING, "ERROR: Couldn't load music ", false},
};

void Damage(const std::string& directory, const DamagedFile& damaged)
{
    const std::string path = directory + "/data/" + damaged.file;
    if (damaged.damage == DamagedFile::TRUNCATED)
    {
        const std::string whole = ReadWholeFile(ProjectRoot() + "/data/" + damaged.file);
        WriteWholeFile(path, whole.substr(0, whole.size() / 2));
    }
    if (damaged.damage == DamagedFile::THREE_BY_FIVE) WritePicture(path, 3, 5, 0xffffff);
    if (damaged.damage == DamagedFile::NOT_A_SOUND) WriteWholeFile(path, "RIFF, but no sound at all\n");
}

TEST(DamagedData, EachFileMissingOrBrokenIsReportedAndTheGameLeavesInOrder)
{
    for (const DamagedFile& damaged : DAMAGED_FILES)
    {
        SCOPED_TRACE(damaged.file);
        GameProcess game;
        ASSERT_TRUE(LinkDataWithout(game.directory.path, {damaged.file}));
        Damage(game.directory.path, damaged);
        ASSERT_TRUE(game.Start());
        if (!damaged.fatal)
        {
            EXPECT_TRUE(game.WaitForLog("Main loop...\n", 20000));
            game.Terminate();
        }
        ASSERT_TRUE(game.WaitForExit(20000));
        EXPECT_EQ(0, game.exitStatus);
        const std::string log = game.Log();
        EXPECT_NE(std::string::npos, log.find(damaged.errorLine)) << log;
        EXPECT_TRUE(AppearInOrder(log, {"Main loop...", "...Quit game"}));
        EXPECT_EQ(138, CountOccurrences(game.OptionsFile(), "\n"));
    }
}

struct HostileHome
{
    const char* name;
    std::string home;  // relative to the working directory; "" with unset
    bool unset;
    const char* errorLine;  // nullptr: the options file is saved in the home
};

TEST(HostileEnvironment, AnyHomeStartsToTheTitleAndQuitsWithStatusZero)
{
    const HostileHome homes[] = {
        {"unset", "", true, nullptr},
        {"empty", "", false, nullptr},
        {"300 characters", std::string(300, 'h'), false, "ERROR: The configuration folder's name is too long"},
        {"missing folder", "missing/folder", false, "ERROR: Could not write the options file"},
        // Root writes into read-only folders: a file where a folder should be stops it.
        {"a file as folder", "plain-file/home", false, "ERROR: Could not write the options file"},
        {"options file is a folder", "folder-home", false, "ERROR: Could not replace the options file"},
    };
    for (const HostileHome& hostile : homes)
    {
        SCOPED_TRACE(hostile.name);
        GameProcess game;
        const std::string home = hostile.home.empty() ? "" : game.directory.path + "/" + hostile.home;
        WriteWholeFile(game.directory.path + "/plain-file", "not a folder\n");
        mkdir((game.directory.path + "/folder-home").c_str(), 0755);
        mkdir((game.directory.path + "/folder-home/WobblerSaga-data-2.1").c_str(), 0755);
        // The OpenGL driver keeps its shader cache under $HOME/.cache unless told
        // otherwise, and would make the missing home itself.
        std::vector<std::string> environment = {"APPDATA", "XDG_CACHE_HOME=" + game.directory.path + "/cache"};
        environment.push_back(hostile.unset ? "HOME" : "HOME=" + home);
        ASSERT_TRUE(game.Start({}, environment));
        ASSERT_TRUE(game.WaitForLog("Main loop...\n", 20000));
        game.Terminate();
        ASSERT_TRUE(game.WaitForExit(20000));
        EXPECT_EQ(0, game.exitStatus);
        const std::string log = game.Log();
        EXPECT_TRUE(AppearInOrder(log, {"...Quit game"}));
        if (hostile.errorLine)
            EXPECT_NE(std::string::npos, log.find(hostile.errorLine)) << log;
        else
            EXPECT_EQ(138, CountOccurrences(ReadWholeFile(game.directory.path + "/WobblerSaga-data-2.1"), "\n"));
    }
}

// A driver that cannot open (no sound server, no device, a misspelt name)
// costs the sound and nothing else: one ERROR line, then the title as ever.
TEST(HostileEnvironment, WithoutAnAudioDeviceTheGameRunsSilent)
{
    for (const char* driver : {"no-such-device", "pulse", "dsp"})
    {
        GameProcess game;
        ASSERT_TRUE(game.Start({}, {std::string("SDL_AUDIODRIVER=") + driver, "PULSE_SERVER=unix:/nonexistent"}));
        ASSERT_TRUE(game.WaitForLog("Main loop...\n", 20000)) << driver << ": " << game.Log();
        const std::string log = game.Log();
        EXPECT_EQ(1, CountOccurrences(log, "ERROR: ")) << driver << ": " << log;
        EXPECT_NE(std::string::npos, log.find("ERROR: SDL_Mixer init failed")) << driver;
        ASSERT_TRUE(game.WaitForWindow()) << driver;
        game.Terminate();
        ASSERT_TRUE(game.WaitForExit(20000));
        EXPECT_EQ(0, game.exitStatus) << driver;
    }
}

}  // namespace
