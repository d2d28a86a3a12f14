#include <gtest/gtest.h>

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SDL.h>
#include <SDL_image.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/game_process.h"

namespace {

const char* const ICON_SIZES[] = {"48", "64", "128"};

// The selector beside "Start!" on the title menu.
const Colour SELECTOR_ORANGE = {250, 186, 73};
const int SELECTOR_X = 170;
const int START_BUTTON_Y = 196;

// Packs the game once with cpack into a scratch folder and unpacks the .deb
// into a scratch root, as dpkg would lay it out, but anywhere.
class Package : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/wobbler-release-XXXXXX";
        scratch = mkdtemp(pattern);
        RunCommand("cd '" BUILD_ROOT "' && cpack -G DEB -B '" + scratch + "/pack' > '" + scratch +
                   "/cpack.log' 2>&1");
        deb = Trim(RunCommand("ls '" + scratch + "'/pack/*.deb 2>/dev/null"));
        root = scratch + "/root";
        if (!deb.empty()) RunCommand("dpkg-deb -x '" + deb + "' '" + root + "'");
    }

    static void TearDownTestSuite()
    {
        RunCommand("rm -rf '" + scratch + "'");
    }

    void SetUp() override
    {
        ASSERT_FALSE(deb.empty()) << ReadWholeFile(scratch + "/cpack.log");
        ASSERT_TRUE(FileExists(root + "/usr/bin/wobblersaga"));
    }

    static std::string Trim(const std::string& text)
    {
        const size_t end = text.find_last_not_of(" \n");
        return end == std::string::npos ? "" : text.substr(0, end + 1);
    }

    static std::string Field(const std::string& name)
    {
        return Trim(RunCommand("dpkg-deb -f '" + deb + "' " + name));
    }

    static std::string RealPath(const std::string& path)
    {
        char resolved[PATH_MAX];
        return realpath(path.c_str(), resolved) ? resolved : "";
    }

    static std::set<std::string> FilesUnder(const std::string& folder)
    {
        std::set<std::string> files;
        std::istringstream list(RunCommand("cd '" + folder + "' && find . ! -type d | sort"));
        for (std::string line; std::getline(list, line);) files.insert(line);
        return files;
    }

    static std::string launcher() { return root + "/usr/bin/wobblersaga"; }

    static std::string scratch;
    static std::string deb;
    static std::string root;
};

std::string Package::scratch;
std::string Package::deb;
std::string Package::root;

TEST_F(Package, NamesItselfAndDeclaresEverythingItNeedsAtRunTime)
{
    EXPECT_EQ("wobblersaga", Field("Package"));
    EXPECT_EQ(0u, Field("Version").find("5.0.08")) << Field("Version");
    EXPECT_EQ("games", Field("Section"));
    EXPECT_EQ(Trim(RunCommand("dpkg --print-architecture")), Field("Architecture"));
    EXPECT_NE(std::string::npos, Field("Maintainer").find("Brickwell Games <")) << Field("Maintainer");
    EXPECT_NE(std::string::npos, Field("Description").find("maze-chase")) << Field("Description");

    // The names alone: dpkg-shlibdeps adds versions to the linked libraries.
    std::set<std::string> depends;
    std::istringstream list(Field("Depends"));
    for (std::string entry; std::getline(list, entry, ',');)
    {
        std::istringstream words(entry);
        std::string name;
        words >> name;
        depends.insert(name);
    }
    for (const char* needed : {"libsdl1.2debian", "libsdl-image1.2", "libsdl-mixer1.2", "libsdl-ttf2.0-0", "libgl1",
                               "libgl1-mesa-dri", "fonts-dejavu-core", "fonts-dejavu-extra", "libc6", "libstdc++6"})
        EXPECT_EQ(1u, depends.count(needed)) << needed << " missing from " << Field("Depends");
}

TEST_F(Package, HoldsTheProgramItsLauncherAndEveryDataFile)
{
    const std::string program = root + "/usr/libexec/wobblersaga/wobblersaga";
    EXPECT_EQ(0, access(program.c_str(), X_OK));
    EXPECT_EQ(0u, ReadWholeFile(program).find("\x7f" "ELF"));
    EXPECT_EQ(0, access(launcher().c_str(), X_OK));
    EXPECT_EQ(0u, ReadWholeFile(launcher()).find("#!/bin/sh\n"));

    // Every picture, board, sound and tune, byte for byte; the fonts are links
    // into the font package, so they stay out of this comparison.
    const std::string installed = root + "/usr/share/wobblersaga/data";
    const std::string source = ProjectRoot() + "/data";
    int compared = 0;
    for (const std::string& file : FilesUnder(source))
    {
        if (file.size() > 4 && file.compare(file.size() - 4, 4, ".ttf") == 0) continue;
        EXPECT_EQ(ReadWholeFile(source + "/" + file), ReadWholeFile(installed + "/" + file)) << file;
        compared++;
    }
    EXPECT_GT(compared, 90);
    for (const char* font : {"fonts/Default.ttf", "fonts/Destructo.ttf", "interface/Default.ttf"})
    {
        const std::string path = installed + "/" + font;
        EXPECT_EQ(0u, RealPath(path).find("/usr/share/fonts/truetype/dejavu/")) << font;
        EXPECT_EQ(0u, ReadWholeFile(path).find(std::string("\0\1\0\0", 4))) << font << " is no TrueType font";
    }
}

TEST_F(Package, DesktopEntryStartsTheLauncherWithAnIconFromTheGamesArt)
{
    const std::string entry = root + "/usr/share/applications/wobblersaga.desktop";
    const std::string text = ReadWholeFile(entry);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ("", RunCommand("desktop-file-validate '" + entry + "' 2>&1"));
    EXPECT_EQ(0u, text.find("[Desktop Entry]\n"));
    EXPECT_NE(std::string::npos, text.find("\nType=Application\n"));
    EXPECT_NE(std::string::npos, text.find("\nName=Nibbleton Saga\n"));
    EXPECT_NE(std::string::npos, text.find("\nExec=wobblersaga\n"));  // the launcher in usr/bin
    EXPECT_NE(std::string::npos, text.find("\nCategories=Game;"));
    EXPECT_NE(std::string::npos, text.find("\nIcon=wobblersaga\n"));

    for (const char* size : ICON_SIZES)
    {
        const std::string icon =
            root + "/usr/share/icons/hicolor/" + size + "x" + size + "/apps/wobblersaga.png";
        SDL_Surface* picture = IMG_Load(icon.c_str());
        ASSERT_NE(nullptr, picture) << icon;
        EXPECT_EQ(atoi(size), picture->w);
        EXPECT_EQ(atoi(size), picture->h);
        ASSERT_EQ(4, picture->format->BytesPerPixel);
        // See-through corners, the solid hero in the middle.
        SDL_LockSurface(picture);
        const Uint32* pixels = static_cast<const Uint32*>(picture->pixels);
        const int row = picture->pitch / 4;
        Uint8 red, green, blue, cornerAlpha, middleAlpha;
        SDL_GetRGBA(pixels[0], picture->format, &red, &green, &blue, &cornerAlpha);
        SDL_GetRGBA(pixels[picture->h / 2 * row + picture->w / 2 - picture->w / 8], picture->format, &red, &green,
                    &blue, &middleAlpha);
        SDL_UnlockSurface(picture);
        SDL_FreeSurface(picture);
        EXPECT_EQ(0, cornerAlpha) << size;
        EXPECT_EQ(255, middleAlpha) << size;
        EXPECT_GT(red, 200) << size << ": the hero is yellow";
        EXPECT_GT(green, 120) << size;
        EXPECT_GT(red - blue, 60) << size;
    }
}

TEST_F(Package, ManualPageCoversTheOptionsFilesAndControls)
{
    const std::string page = RunCommand("gzip -dc '" + root + "/usr/share/man/man6/wobblersaga.6.gz'");
    EXPECT_EQ(0u, page.find(".TH WOBBLERSAGA 6 ")) << page.substr(0, 80);
    for (const char* option : {"\\-\\-width", "\\-\\-height", "\\-\\-help", "\\-\\-version", "\\-\\-verbose"})
        EXPECT_NE(std::string::npos, page.find(option)) << option;
    for (const char* words : {"stdout.log", "WobblerSaga-data-2.1", "APPDATA", "XDG_STATE_HOME", "Arrow keys",
                              "Space", "Escape", "Enter", "F1", "F2", "Joysticks", "Mouse"})
        EXPECT_NE(std::string::npos, page.find(words)) << words;
}

TEST_F(Package, InstallsTheSameFilesUnderAnyPrefix)
{
    const std::string prefix = scratch + "/prefix";
    RunCommand("cmake --install '" BUILD_ROOT "' --prefix '" + prefix + "' > /dev/null 2>&1");
    std::set<std::string> packaged = FilesUnder(root + "/usr");
    std::set<std::string> installed = FilesUnder(prefix);
    EXPECT_EQ(packaged, installed);
    EXPECT_EQ(ReadWholeFile(launcher()), ReadWholeFile(prefix + "/bin/wobblersaga"));
}

// The launcher, started as the desktop entry starts it, in a home of its own.
class Launcher : public Package
{
protected:
    void SetUp() override
    {
        Package::SetUp();
        game.program = launcher();
        state = game.directory.home + "/.local/state/wobblersaga";
        game.logDirectory = state;
    }

    // Runs the launcher through the shell and returns what it printed, with its exit status.
    std::string RunLauncher(const std::string& environment)
    {
        return RunCommand("env " + environment + " '" + launcher() + "' 2>&1; echo \"status $?\"");
    }

    GameProcess game;
    std::string state;
};

TEST_F(Launcher, PlaysFromAFolderOfThePlayersOwnAndSavesTheOptionsInHome)
{
    const std::set<std::string> before = FilesUnder(root);
    ASSERT_TRUE(game.Start({}, {"XDG_STATE_HOME"}));
    ASSERT_TRUE(game.WaitForLog("Main loop...\n"));
    ASSERT_TRUE(game.WaitForWindow());

    // exec: the process the desktop started is the game itself, so signals reach it.
    EXPECT_EQ(RealPath(root + "/usr/libexec/wobblersaga/wobblersaga"),
              RealPath("/proc/" + std::to_string(game.pid) + "/exe"));
    EXPECT_EQ(RealPath(root + "/usr/share/wobblersaga/data"), RealPath(state + "/data"));
    EXPECT_EQ(RealPath(state), RealPath("/proc/" + std::to_string(game.pid) + "/cwd"));

    // The installed data carries it through the logo screens (a click cuts
    // each short) to the title menu.
    EXPECT_TRUE(WaitUntil(
        [&] {
            game.ClickAt(5, 5);
            return game.WaitForColourAt(SELECTOR_X, START_BUTTON_Y, SELECTOR_ORANGE, SELECTOR_TOLERANCE, 300);
        },
        30000));

    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(0, game.exitStatus);
    EXPECT_NE(std::string::npos, game.Log().find("...Quit game\n"));
    const std::string options = game.OptionsFile();
    EXPECT_EQ(138, CountOccurrences(options, "\n")) << game.Log();
    EXPECT_EQ(before, FilesUnder(root)) << "the installed tree must stay untouched";
}

TEST_F(Launcher, PassesTheArgumentsAndTheExitStatusAndFollowsXdgStateHome)
{
    const std::string base = game.directory.path + "/state";
    mkdir(base.c_str(), 0755);
    mkdir((base + "/wobblersaga").c_str(), 0755);
    // A link left by an install elsewhere is pointed at this one.
    ASSERT_EQ(0, symlink("/nonexistent/data", (base + "/wobblersaga/data").c_str()));

    // Without a display the game gives up at once, logs why and exits normally.
    game.logDirectory = base + "/wobblersaga";
    for (int run = 0; run < 2; run++)
    {
        ASSERT_TRUE(game.Start({"--version", "--width"}, {"XDG_STATE_HOME=" + base, "DISPLAY", "SDL_VIDEODRIVER=x11"}));
        ASSERT_TRUE(game.WaitForExit());
        EXPECT_EQ(0, game.exitStatus);
        const std::string log = game.Log();
        EXPECT_TRUE(AppearInOrder(log, {"src/runtime:31 error: missing --width argument", "Wobbler 100% 5.0.08",
                                        "...Quit game"}))
            << log;
        EXPECT_EQ(RealPath(root + "/usr/share/wobblersaga/data"), RealPath(base + "/wobblersaga/data"));
    }
    EXPECT_FALSE(FileExists(state));
}

TEST_F(Launcher, RefusesWithOneErrorLineWhenItHasNowhereToPlay)
{
    const std::string noHome = RunLauncher("-u HOME -u XDG_STATE_HOME");
    EXPECT_EQ(0u, noHome.find("ERROR: ")) << noHome;
    EXPECT_EQ(1, CountOccurrences(noHome, "\n") - 1) << noHome;
    EXPECT_NE(std::string::npos, noHome.find("\nstatus 1\n")) << noHome;

    const std::string file = game.directory.path + "/a-file";
    WriteWholeFile(file, "not a folder\n");
    const std::string blocked = RunLauncher("XDG_STATE_HOME='" + file + "'");
    EXPECT_EQ(0u, blocked.find("ERROR: ")) << blocked;
    EXPECT_NE(std::string::npos, blocked.find("\nstatus 1\n")) << blocked;

    // A real folder where the data link belongs is the player's; it is left alone.
    const std::string base = game.directory.path + "/state";
    mkdir(base.c_str(), 0755);
    mkdir((base + "/wobblersaga").c_str(), 0755);
    mkdir((base + "/wobblersaga/data").c_str(), 0755);
    WriteWholeFile(base + "/wobblersaga/data/mine", "keep\n");
    const std::string inTheWay = RunLauncher("XDG_STATE_HOME='" + base + "'");
    EXPECT_EQ(0u, inTheWay.find("ERROR: ")) << inTheWay;
    EXPECT_NE(std::string::npos, inTheWay.find("\nstatus 1\n")) << inTheWay;
    EXPECT_EQ("keep\n", ReadWholeFile(base + "/wobblersaga/data/mine"));
    EXPECT_FALSE(FileExists(base + "/wobblersaga/stdout.log"));
}

}  // namespace
