#ifndef WOBBLER_SETTINGS_H
#define WOBBLER_SETTINGS_H

// The game's version, as --version prints it and a demo carries it.
const char* const GAME_VERSION = "5.0.08";

// Reads --help, --version and --verbose, and works out the user name and
// the folders the game uses (the options file lives in UserConfigPath). It
// also reads the demo options: --record FILE keeps the session in FILE,
// --playdemo FILE plays one back at its own pace, --timedemo FILE as fast
// as frames can be drawn.
class Settings
{
public:
    Settings(int argc, char** argv);
    ~Settings();

    bool OptionVerbose;
    char* UserName;
    char* HighScoresPath;
    char* UserConfigPath;
    char* DataPath;
    const char* DemoRecordPath;    // null unless --record; points into argv
    const char* DemoPlaybackPath;  // null unless --playdemo or --timedemo
    bool DemoTimed;                // --timedemo: no wait between frames

    bool ReadDemoOption(int argc, char** argv, int& index);
    bool GetOptionVerbose() const;
    const char* GetUserName() const;
    const char* GetHighScoresPath() const;
    const char* GetUserConfigPath() const;
    const char* GetDataPath() const;
};

extern Settings* settings;

#endif
