#include "settings/settings.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

Settings* settings = nullptr;

// The build-configuration report of the verbose mode: none of these exist here.
static const char* const BUILD_CONFIGURATION_NAMES[] = {
    "BINDIR", "HAVE_CONFIG_H", "HAVE_GETLOGIN", "HAVE_READLINK", "HAVE_SHLOBJ_H",
    "HAVE_UNISTD_H", "HAVE_WINDOWS_H", "HIGHSCORESDIR", "PKGDATADIR", "_WIN32_IE",
};

static const char* const USER_NAME_VARIABLES[] = {"USER", "LOGUSER", "USERNAME"};
static const char* const CONFIG_PATH_VARIABLES[] = {"APPDATA", "HOME"};

static char* CopyOfText(const char* text)
{
    const size_t size = strlen(text) + 1;
    char* copy = new char[size];
    memcpy(copy, text, size);
    return copy;
}

// The first of the variables that is set and not empty, or null when none
// is: an empty HOME would put the options file at the root of the disk.
static const char* FirstSetVariable(const char* const* names, int count)
{
    for (int index = 0; index < count; index++)
    {
        const char* value = getenv(names[index]);
        if (value && *value) return value;
    }
    return nullptr;
}

static char* FormattedCopy(const char* format, const char* value)
{
    const int size = snprintf(nullptr, 0, format, value) + 1;
    char* text = new char[size];
    snprintf(text, size, format, value);
    return text;
}

// The demo options each take the next argument as their file; the last one
// given wins. A missing or empty name, or another option in its place (which
// is then read as the option it is), is said once: a recording is left out,
// and a playback of nothing is refused without a second line.
bool Settings::ReadDemoOption(int argc, char** argv, int& index)
{
    const char* const option = argv[index];
    const bool record = strcmp(option, "--record") == 0;
    const bool play = strcmp(option, "--playdemo") == 0;
    const bool time = strcmp(option, "--timedemo") == 0;
    if (!record && !play && !time) return false;
    const char* const next = index + 1 < argc ? argv[index + 1] : nullptr;
    if (!next || next[0] == '\0' || strncmp(next, "--", 2) == 0)
    {
        printf("ERROR: %s needs the name of a demo file\n", option);
        if (next && next[0] == '\0') index++;
        if (record) DemoRecordPath = nullptr;
        if (play || time) DemoPlaybackPath = "";
        return true;
    }
    const char* const file = argv[++index];
    if (record) DemoRecordPath = file;
    if (play || time) DemoPlaybackPath = file;
    if (play || time) DemoTimed = time;
    return true;
}

Settings::Settings(int argc, char** argv)
{
    OptionVerbose = false;
    DemoRecordPath = nullptr;
    DemoPlaybackPath = nullptr;
    DemoTimed = false;
    for (int index = 0; index < argc; index++)
    {
        if (ReadDemoOption(argc, argv, index)) continue;
        if (strcmp(argv[index], "--verbose") == 0)
        {
            printf("settings: verbose is set\n");
            OptionVerbose = true;
        }
        else if (strcmp(argv[index], "--help") == 0)
        {
            printf("--help for help\n");
            printf("--version for version\n");
        }
        else if (strcmp(argv[index], "--version") == 0)
        {
            printf("Wobbler 100%% %s\n", GAME_VERSION);
        }
    }

    if (OptionVerbose)
    {
        printf("debug_settings_verbose is set\n");
        for (const char* name : BUILD_CONFIGURATION_NAMES) printf("%s not defined\n", name);
    }
    printf("_WIN32_IE not defined\n");

    const char* userName = FirstSetVariable(USER_NAME_VARIABLES, 3);
    UserName = CopyOfText(userName ? userName : "");

    const char* configPath = FirstSetVariable(CONFIG_PATH_VARIABLES, 2);
    UserConfigPath = configPath ? FormattedCopy("%s/", configPath) : CopyOfText("");

    HighScoresPath = CopyOfText("");
    char* programPath = CopyOfText("");

    FILE* icon = fopen("data/icon.ico", "r");
    printf("checking for data/icon.ico .... \n");
    if (icon)
    {
        fclose(icon);
        DataPath = FormattedCopy("%s/", "data");
    }
    else
    {
        DataPath = FormattedCopy("%sdata/", programPath);
    }

    if (OptionVerbose)
    {
        printf("username       %s\n", UserName);
        printf("highscorespath %s\n", HighScoresPath);
        printf("userconfigpath %s\n", UserConfigPath);
        printf("runtimebinpath %s\n", programPath);
        printf("datapath       %s\n", DataPath);
    }

    delete[] programPath;
    printf("settings done\n");
}

Settings::~Settings()
{
    delete[] UserName;
    delete[] HighScoresPath;
    delete[] UserConfigPath;
    delete[] DataPath;
}

bool Settings::GetOptionVerbose() const
{
    return OptionVerbose;
}

const char* Settings::GetUserName() const
{
    return UserName;
}

const char* Settings::GetHighScoresPath() const
{
    return HighScoresPath;
}

const char* Settings::GetUserConfigPath() const
{
    return UserConfigPath;
}

const char* Settings::GetDataPath() const
{
    return DataPath;
}
