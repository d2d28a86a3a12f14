#ifndef WOBBLER_SETTINGS_H
#define WOBBLER_SETTINGS_H

// Reads --help, --version and --verbose, and works out the user name and
// the folders the game uses (the options file lives in UserConfigPath).
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

    bool GetOptionVerbose() const;
    const char* GetUserName() const;
    const char* GetHighScoresPath() const;
    const char* GetUserConfigPath() const;
    const char* GetDataPath() const;
};

extern Settings* settings;

#endif
