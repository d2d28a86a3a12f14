#ifndef WOBBLER_GAME_PROCESS_H
#define WOBBLER_GAME_PROCESS_H

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/test_environment.h"

// One colour read from a screenshot.
struct Colour
{
    int red;
    int green;
    int blue;
};

// The real game started in its own temporary working directory, driven with
// real X events (xdotool) and watched through screenshots and its log.
class GameProcess
{
public:
    GameProcess();
    ~GameProcess();

    // Starts the game with the arguments; environment entries are "NAME=value"
    // (an entry "NAME" alone removes the variable).
    bool Start(const std::vector<std::string>& arguments = {},
               const std::vector<std::string>& environment = {});
    bool WaitForWindow(int timeoutMilliseconds = 10000);
    bool WaitForLog(const std::string& text, int timeoutMilliseconds = 10000);
    bool WaitForExit(int timeoutMilliseconds = 10000);
    bool IsRunning();
    void Terminate();  // asks the game to quit as the window manager would

    // xdotool key names: space, Return, Escape, Up, a.
    void PressKey(const std::string& keyName);
    void ClickAt(int windowX, int windowY);

    bool Screenshot(const std::string& pngPath);
    bool ColourAt(int windowX, int windowY, Colour& colour);  // from a fresh screenshot
    bool WaitForColourAt(int windowX, int windowY, const Colour& wanted, int tolerance,
                         int timeoutMilliseconds = 10000);

    // Pixels of a fresh screenshot within the rectangle that match the colour; -1 without a screenshot.
    int CountColourInArea(int left, int top, int right, int bottom, const Colour& wanted, int tolerance);

    // Clicks an empty corner (a skip) until the title menu shows its selector.
    bool SkipToTitleScreen(int timeoutMilliseconds = 30000);
    // The orange selector stands left of the selected button at this height.
    bool SelectorAt(int y, int timeoutMilliseconds = 3000);
    // Presses the key until the menu's selector moves from fromY to toY; false
    // when it shows anywhere else, or not at toY within about twenty presses.
    bool MoveSelector(const std::string& keyName, int fromY, int toY);

    std::string Log();
    std::string OptionsFile();
    std::vector<std::string> OptionsFileLines();
    void WriteOptionsFile(const std::vector<std::string>& lines);
    std::string OptionsFilePath();

    TemporaryWorkingDirectory directory;
    std::string program;       // the game binary unless a test starts another command
    std::string logDirectory;  // where stdout.log is read: the working directory unless changed
    pid_t pid;
    int exitStatus;
    std::string windowId;

private:
    void FocusWindow();
};

// Where the menus put their buttons, and the selector picture's centre,
// 150 left of the selected button.
int TitleButtonY(int index);
const int BACK_BUTTON_Y = 458;
const int SELECTOR_X = 170;
const Colour SELECTOR_ORANGE = {250, 186, 73};
// Tight: the selector is a gold gradient, and the maker logo's golds lie
// within 40 of this row of it.
const int SELECTOR_TOLERANCE = 12;

// Runs a shell command, for at most a few seconds, and returns what it printed.
std::string RunCommand(const std::string& command);

#endif
