#include <gtest/gtest.h>

#include <fnmatch.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SDL.h>
#include <SDL_image.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/game_process.h"

namespace {

const char* const ICON_SIZES[] = {"48", "64", "128"};

// Where Debian's games keep their parts, and the fonts the game links to.
const std::string COMMAND = "/usr/games/wobblersaga";
const std::string PROGRAM = "/usr/lib/games/wobblersaga/wobblersaga";
const std::string DATA = "/usr/share/games/wobblersaga";
const std::string FONT_DIR = "/usr/share/fonts/truetype/dejavu";
const std::string GAME_ID = "example.brickwell_games.wobblersaga";
const std::string DESKTOP_ENTRY = "/usr/share/applications/" + GAME_ID + ".desktop";

std::string Trim(const std::string& text)
{
    const size_t begin = text.find_first_not_of(" \t\n");
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(" \t\n") - begin + 1);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// A machine-readable copyright file: paragraphs of fields, a field's
// continuation lines joined with line breaks.
typedef std::map<std::string, std::string> Paragraph;

std::vector<Paragraph> ReadParagraphs(const std::string& text)
{
    std::vector<Paragraph> paragraphs(1);
    std::string field;
    for (const std::string& line : Lines(text))
    {
        if (Trim(line).empty())
        {
            if (!paragraphs.back().empty()) paragraphs.emplace_back();
        }
        else if (line[0] == ' ' || line[0] == '\t')
            paragraphs.back()[field] += "\n" + Trim(line);
        else
        {
            field = line.substr(0, line.find(':'));
            paragraphs.back()[field] = Trim(line.substr(field.size() + 1));
        }
    }
    if (paragraphs.back().empty()) paragraphs.pop_back();
    return paragraphs;
}

std::string Value(const Paragraph& paragraph, const std::string& field)
{
    const auto value = paragraph.find(field);
    return value == paragraph.end() ? "" : value->second;
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

// The paragraph that covers a file of the source: the last whose patterns match.
const Paragraph* FilesParagraphOf(const std::vector<Paragraph>& copyright, const std::string& path)
{
    const Paragraph* covering = nullptr;
    for (const Paragraph& paragraph : copyright)
    {
        std::istringstream patterns(Value(paragraph, "Files"));
        for (std::string pattern; patterns >> pattern;)
            if (fnmatch(pattern.c_str(), path.c_str(), 0) == 0) covering = &paragraph;
    }
    return covering;
}

// A licence's text: given where it is named, or in a paragraph of its own.
std::string LicenceText(const std::vector<Paragraph>& copyright, const std::string& name)
{
    for (const Paragraph& paragraph : copyright)
    {
        const std::string licence = Value(paragraph, "License");
        const size_t text = licence.find('\n');
        if (FirstLine(licence) == name && text != std::string::npos) return licence.substr(text + 1);
    }
    return "";
}

// The package a maintainer builds (packaging/build-deb, run by the build
// before this test), unpacked into a scratch root as dpkg would lay it out.
// The font packages it depends on stand beside it, as apt would install them.
class Package : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/wobbler-release-XXXXXX";
        scratch = mkdtemp(pattern);
        deb = Trim(RunCommand("ls '" PACKAGE_FOLDER "'/wobblersaga_*.deb 2>/dev/null"));
        root = scratch + "/root";
        if (deb.empty()) return;
        RunCommand("dpkg-deb -x '" + deb + "' '" + root + "'");
        const std::string fonts = root + FONT_DIR;
        RunCommand("mkdir -p '" + fonts.substr(0, fonts.rfind('/')) + "' && ln -s '" + FONT_DIR + "' '" + fonts + "'");
    }

    static void TearDownTestSuite()
    {
        RunCommand("rm -rf '" + scratch + "'");
    }

    void SetUp() override
    {
        ASSERT_FALSE(deb.empty()) << "no package in " PACKAGE_FOLDER;
        ASSERT_TRUE(FileExists(root + COMMAND));
    }

    static std::string Field(const std::string& name)
    {
        return Trim(RunCommand("dpkg-deb -f '" + deb + "' " + name));
    }

    static std::string UpstreamVersion()
    {
        const std::string version = Field("Version");
        return version.substr(0, version.rfind('-'));
    }

    static std::string RealPath(const std::string& path)
    {
        char resolved[PATH_MAX];
        return realpath(path.c_str(), resolved) ? resolved : "";
    }

    static std::string LinkText(const std::string& path)
    {
        char text[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), text, sizeof(text) - 1);
        return length < 0 ? "" : std::string(text, length);
    }

    static std::set<std::string> FilesUnder(const std::string& folder, const std::string& type = "! -type d")
    {
        std::set<std::string> files;
        for (const std::string& line : Lines(RunCommand("cd '" + folder + "' && find . " + type + " | sort")))
            files.insert(line.substr(2));
        return files;
    }

    static std::string DesktopValue(const std::string& entry, const std::string& key)
    {
        for (const std::string& line : Lines(ReadWholeFile(entry)))
            if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
        return "";
    }

    static std::string scratch;
    static std::string deb;
    static std::string root;
};

std::string Package::scratch;
std::string Package::deb;
std::string Package::root;

TEST_F(Package, LintianFindsNothingToReport)
{
    // Lintian reads the whole package: more time than RunCommand gives.
    const std::string output = scratch + "/lintian.txt";
    const std::string lintian = "timeout 300 lintian -I --pedantic --fail-on error,warning,info,pedantic '" + deb +
                                "' > '" + output + "' 2>&1; echo \"status $?\" >> '" + output + "'";
    ASSERT_EQ(0, system(lintian.c_str()));
    std::string report;
    for (const std::string& line : Lines(ReadWholeFile(output)))
    {
        if (line != "running with root privileges is not recommended!") report += line + "\n";
    }
    EXPECT_EQ("status 0\n", report);
}

TEST_F(Package, NamesItselfAndDeclaresEverythingItNeedsAtRunTime)
{
    EXPECT_EQ("wobblersaga", Field("Package"));
    EXPECT_EQ("5.0.08", UpstreamVersion());
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

TEST_F(Package, EveryTextCarriesThePackagesVersion)
{
    const std::string changelog = root + "/usr/share/doc/wobblersaga/changelog.Debian.gz";
    EXPECT_EQ(Field("Version"),
              Trim(RunCommand("gzip -dc '" + changelog + "' | dpkg-parsechangelog -l - -S Version 2>&1")));
    const std::string metainfo = ReadWholeFile(root + "/usr/share/metainfo/" + GAME_ID + ".metainfo.xml");
    EXPECT_NE(std::string::npos, metainfo.find("<release version=\"" + UpstreamVersion() + "\"")) << metainfo;
    const std::string page = RunCommand("gzip -dc '" + root + "/usr/share/man/man6/wobblersaga.6.gz'");
    EXPECT_NE(std::string::npos, FirstLine(page).find("\"Nibbleton Saga " + UpstreamVersion() + "\""))
        << FirstLine(page);
}

TEST_F(Package, IsLaidOutAsDebiansGamesAreWithEveryDataFile)
{
    EXPECT_EQ(0, access((root + PROGRAM).c_str(), X_OK));
    EXPECT_EQ(0u, ReadWholeFile(root + PROGRAM).find("\x7f" "ELF"));
    EXPECT_EQ(0, access((root + COMMAND).c_str(), X_OK));
    EXPECT_EQ(0u, ReadWholeFile(root + COMMAND).find("#!/bin/sh\n"));
    EXPECT_EQ((std::set<std::string>{"games", "lib", "share"}), FilesUnder(root + "/usr", "-mindepth 1 -maxdepth 1"));
    EXPECT_EQ((std::set<std::string>{"wobblersaga"}), FilesUnder(root + "/usr/games"));

    // Every picture, board, sound and tune, byte for byte; the fonts are links
    // into the font packages, so they stay out of this comparison.
    const std::string source = ProjectRoot() + "/data";
    int compared = 0;
    for (const std::string& file : FilesUnder(source))
    {
        if (file.size() > 4 && file.compare(file.size() - 4, 4, ".ttf") == 0) continue;
        EXPECT_EQ(ReadWholeFile(source + "/" + file), ReadWholeFile(root + DATA + "/" + file)) << file;
        compared++;
    }
    EXPECT_GT(compared, 90);

    // Relative links, which hold wherever the package is unpacked, to the
    // system's fonts.
    const std::set<std::string> links = FilesUnder(root + DATA, "-type l");
    EXPECT_EQ((std::set<std::string>{"fonts/Default.ttf", "fonts/Destructo.ttf", "interface/Default.ttf"}), links);
    for (const std::string& font : links)
    {
        const std::string path = root + DATA + "/" + font;
        EXPECT_EQ(0u, LinkText(path).find("../../../fonts/truetype/dejavu/")) << font << " -> " << LinkText(path);
        EXPECT_EQ(0u, RealPath(path).find(FONT_DIR + "/")) << font << " -> " << RealPath(path);
        EXPECT_EQ(0u, ReadWholeFile(path).find(std::string("\0\1\0\0", 4))) << font << " is no TrueType font";
    }
}

TEST_F(Package, ProgramIsStrippedAndHardened)
{
    const std::string program = "'" + root + PROGRAM + "'";
    const std::string sections = RunCommand("readelf -S -W " + program);
    ASSERT_NE(std::string::npos, sections.find(".text")) << sections;
    for (const char* unneeded : {".comment", ".symtab", ".debug_info"})
        EXPECT_EQ(std::string::npos, sections.find(unneeded)) << unneeded;

    EXPECT_NE(std::string::npos, RunCommand("readelf -d -W " + program).find("BIND_NOW"));
    EXPECT_NE(std::string::npos, RunCommand("readelf -l -W " + program).find("GNU_RELRO"));
    EXPECT_NE(std::string::npos, RunCommand("file -L " + program).find("pie executable"));
    const std::string imports = RunCommand("readelf --dyn-syms -W " + program);
    EXPECT_NE(std::string::npos, imports.find("__stack_chk_fail")) << "no stack protector";
    EXPECT_NE(std::string::npos, imports.find("__snprintf_chk")) << "no fortified functions";
}

TEST_F(Package, CopyrightGivesEveryFileItsLicenceAndTheFontsTheirs)
{
    const std::string text = ReadWholeFile(root + "/usr/share/doc/wobblersaga/copyright");
    EXPECT_EQ("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/", FirstLine(text));
    const std::vector<Paragraph> copyright = ReadParagraphs(text);
    ASSERT_GT(copyright.size(), 2u);

    // Each licence named for files has its text; each text is named for files.
    std::set<std::string> named, written;
    for (const Paragraph& paragraph : copyright)
    {
        const std::string name = FirstLine(Value(paragraph, "License"));
        if (name.empty()) continue;
        const bool forFiles = !Value(paragraph, "Files").empty();
        (forFiles ? named : written).insert(name);
        EXPECT_FALSE(LicenceText(copyright, name).empty()) << name;
        if (forFiles)
        {
            EXPECT_FALSE(Value(paragraph, "Copyright").empty()) << Value(paragraph, "Files");
        }
    }
    for (const std::string& name : written) EXPECT_EQ(1u, named.count(name)) << name << " covers no file";

    for (const char* ours : {"src/main.cpp", "data/graphics/Wobbler_Right.png", "tools/assets/music.py"})
    {
        const Paragraph* covering = FilesParagraphOf(copyright, ours);
        ASSERT_NE(nullptr, covering) << ours;
        EXPECT_NE(std::string::npos, Value(*covering, "Copyright").find("Brickwell Games")) << ours;
    }

    // The font links' targets under the licence their own package gives them, word for word.
    for (const std::string& font : FilesUnder(root + DATA, "-type l"))
    {
        const std::string target = RealPath(root + DATA + "/" + font);
        const std::string owner = RunCommand("dpkg -S '" + target + "'");
        const std::string package = owner.substr(0, owner.find(':'));
        const std::vector<Paragraph> theirs =
            ReadParagraphs(ReadWholeFile("/usr/share/doc/" + package + "/copyright"));
        const Paragraph* fontsOwn = FilesParagraphOf(theirs, target.substr(target.rfind('/') + 1));
        const Paragraph* ourCovering = FilesParagraphOf(copyright, "data/" + font);
        ASSERT_NE(nullptr, fontsOwn) << package;
        ASSERT_NE(nullptr, ourCovering) << font;
        const std::string licence = FirstLine(Value(*fontsOwn, "License"));
        EXPECT_EQ(licence, FirstLine(Value(*ourCovering, "License"))) << font;
        EXPECT_EQ(LicenceText(theirs, licence), LicenceText(copyright, licence)) << font;
    }
}

TEST_F(Package, DesktopEntryStartsTheCommandWithAnIconFromTheGamesArt)
{
    const std::string entry = root + DESKTOP_ENTRY;
    ASSERT_TRUE(FileExists(entry));
    EXPECT_EQ("", RunCommand("desktop-file-validate '" + entry + "' 2>&1"));
    EXPECT_EQ("Application", DesktopValue(entry, "Type"));
    EXPECT_EQ("Nibbleton Saga", DesktopValue(entry, "Name"));
    EXPECT_EQ(COMMAND, DesktopValue(entry, "Exec"));  // the launcher, whatever the PATH
    EXPECT_EQ(COMMAND, DesktopValue(entry, "TryExec"));
    EXPECT_EQ(0u, DesktopValue(entry, "Categories").find("Game;"));
    EXPECT_EQ("wobblersaga", DesktopValue(entry, "Icon"));

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

TEST_F(Package, MetainfoListsTheGameForSoftwareCentres)
{
    // The whole tree, so the desktop entry the metainfo names must be there too.
    const std::string report =
        RunCommand("appstreamcli validate-tree --no-net '" + root + "' 2>&1; echo \"status $?\"");
    EXPECT_NE(std::string::npos, report.find(GAME_ID + ".metainfo.xml")) << report;
    EXPECT_NE(std::string::npos, report.find("\nstatus 0\n")) << report;
    for (const std::string& line : Lines(report))
    {
        const std::string severity = Trim(line).substr(0, 2);
        EXPECT_TRUE(severity != "E:" && severity != "W:") << report;
    }

    const std::string metainfo = ReadWholeFile(root + "/usr/share/metainfo/" + GAME_ID + ".metainfo.xml");
    EXPECT_NE(std::string::npos, metainfo.find("<id>" + GAME_ID + "</id>"));
    EXPECT_NE(std::string::npos, metainfo.find("<launchable type=\"desktop-id\">" + GAME_ID + ".desktop<"));
    EXPECT_NE(std::string::npos, metainfo.find("<screenshot type=\"default\">"));
    EXPECT_NE(std::string::npos, metainfo.find("<content_rating type=\"oars-1.1\">\n    <content_attribute id="));
    EXPECT_NE(std::string::npos, metainfo.find("<description>"));
}

TEST_F(Package, ManualPageIsCleanAndCoversTheOptionsFilesAndControls)
{
    const std::string file = root + "/usr/share/man/man6/wobblersaga.6.gz";
    EXPECT_EQ("", RunCommand("mandoc -Tlint -W all '" + file + "' 2>&1"));
    const std::string page = RunCommand("gzip -dc '" + file + "'");
    EXPECT_EQ(0u, page.find(".TH WOBBLERSAGA 6 ")) << page.substr(0, 80);
    for (const char* option : {"\\-\\-width", "\\-\\-height", "\\-\\-help", "\\-\\-version", "\\-\\-verbose"})
        EXPECT_NE(std::string::npos, page.find(option)) << option;
    for (const char* words : {"stdout.log", "WobblerSaga-data-2.1", "APPDATA", "XDG_STATE_HOME", "DISPLAY",
                              "WAYLAND_DISPLAY", "Arrow keys", "Space", "Escape", "Enter", "F1", "F2", "Joysticks",
                              "Mouse"})
        EXPECT_NE(std::string::npos, page.find(words)) << words;
}

TEST_F(Package, InstallsTheSameFilesUnderAnyPrefix)
{
    const std::string prefix = scratch + "/prefix";
    RunCommand("cmake --install '" BUILD_ROOT "' --prefix '" + prefix + "' > /dev/null 2>&1");
    std::set<std::string> packaged = FilesUnder(root + "/usr");
    packaged.erase("share/fonts/truetype/dejavu");  // the font packages' own, beside the unpacked package
    EXPECT_EQ(packaged, FilesUnder(prefix));
    EXPECT_EQ(ReadWholeFile(root + COMMAND), ReadWholeFile(prefix + "/games/wobblersaga"));
    // The menu finds this prefix's command, and the fonts outside it.
    const std::string entry = prefix + "/share/applications/" + GAME_ID + ".desktop";
    EXPECT_EQ(prefix + "/games/wobblersaga", DesktopValue(entry, "Exec"));
    for (const std::string& font : FilesUnder(prefix + "/share/games/wobblersaga", "-type l"))
        EXPECT_EQ(0u, LinkText(prefix + "/share/games/wobblersaga/" + font).find(FONT_DIR + "/")) << font;
}

// The launcher, started as the desktop entry starts it, in a home of its own.
class Launcher : public Package
{
protected:
    void SetUp() override
    {
        Package::SetUp();
        game.program = root + DesktopValue(root + DESKTOP_ENTRY, "Exec");
        state = game.directory.home + "/.local/state/wobblersaga";
        game.logDirectory = state;
    }

    // Runs the launcher through the shell and returns what it printed on
    // standard error, with its exit status.
    std::string RunLauncher(const std::string& environment)
    {
        return RunCommand("env " + environment + " '" + game.program + "' 2>&1 > /dev/null; echo \"status $?\"");
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
    EXPECT_EQ(RealPath(root + PROGRAM), RealPath("/proc/" + std::to_string(game.pid) + "/exe"));
    EXPECT_EQ(RealPath(root + DATA), RealPath(state + "/data"));
    EXPECT_EQ(RealPath(state), RealPath("/proc/" + std::to_string(game.pid) + "/cwd"));

    // The installed data, fonts and all, carries it through the logo screens to the title menu.
    EXPECT_TRUE(game.SkipToTitleScreen());

    game.Terminate();
    ASSERT_TRUE(game.WaitForExit());
    EXPECT_EQ(0, game.exitStatus);
    EXPECT_NE(std::string::npos, game.Log().find("...Quit game\n"));
    EXPECT_EQ(std::string::npos, game.Log().find("ERROR")) << game.Log();
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

    // With a display that is not there the game gives up at once, logs why and exits normally.
    game.logDirectory = base + "/wobblersaga";
    for (int run = 0; run < 2; run++)
    {
        ASSERT_TRUE(game.Start({"--version", "--width"},
                               {"XDG_STATE_HOME=" + base, "DISPLAY=:4093", "SDL_VIDEODRIVER=x11"}));
        ASSERT_TRUE(game.WaitForExit());
        EXPECT_EQ(0, game.exitStatus);
        const std::string log = game.Log();
        EXPECT_TRUE(AppearInOrder(log, {"src/runtime:31 error: missing --width argument", "Wobbler 100% 5.0.08",
                                        "...Quit game"}))
            << log;
        EXPECT_NE(std::string::npos, log.find("ERROR: ")) << log;
        EXPECT_EQ(RealPath(root + DATA), RealPath(base + "/wobblersaga/data"));
    }
    EXPECT_FALSE(FileExists(state));
}

TEST_F(Launcher, RefusesWithOneErrorLineWhenItHasNoScreenOrNowhereToPlay)
{
    // No graphical session: nothing is started or made.
    const std::string noDisplay = RunLauncher("-u DISPLAY -u WAYLAND_DISPLAY");
    EXPECT_EQ(0u, noDisplay.find("ERROR: ")) << noDisplay;
    EXPECT_EQ(1, CountOccurrences(noDisplay, "\n") - 1) << noDisplay;
    EXPECT_NE(std::string::npos, noDisplay.find("DISPLAY")) << noDisplay;
    EXPECT_NE(std::string::npos, noDisplay.find("\nstatus 1\n")) << noDisplay;
    EXPECT_FALSE(FileExists(state));

    // A Wayland session alone will do: the launcher goes on to look for its folder.
    const std::string noHome = RunLauncher("-u DISPLAY -u HOME -u XDG_STATE_HOME WAYLAND_DISPLAY=wayland-0");
    EXPECT_EQ(0u, noHome.find("ERROR: ")) << noHome;
    EXPECT_EQ(std::string::npos, noHome.find("DISPLAY")) << noHome;
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
