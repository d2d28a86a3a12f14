#include "support/game_process.h"

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include <sstream>

#include <SDL.h>
#include <SDL_image.h>

// No helper program may hang a test: each gets this many seconds.
static const char COMMAND_TIME_LIMIT[] = "20";

static std::string SingleQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char character : text)
    {
        if (character == '\'')
            quoted += "'\\''";
        else
            quoted += character;
    }
    return quoted + "'";
}

std::string RunCommand(const std::string& command)
{
    std::string output;
    const std::string bounded = std::string("timeout ") + COMMAND_TIME_LIMIT + " sh -c " + SingleQuoted(command);
    FILE* pipe = popen(bounded.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof(buffer), pipe)) > 0) output.append(buffer, count);
    pclose(pipe);
    return output;
}

GameProcess::GameProcess() : program(GAME_BINARY), logDirectory(directory.path), pid(-1), exitStatus(-1)
{
}

GameProcess::~GameProcess()
{
    if (pid <= 0) return;
    if (IsRunning())
    {
        Terminate();
        if (!WaitForExit(5000))
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
}

bool GameProcess::Start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
{
    // A game that has ended may be started again in the same directory.
    exitStatus = -1;
    windowId.clear();
    pid = fork();
    if (pid < 0) return false;
    if (pid > 0) return true;

    for (const std::string& entry : environment)
    {
        const size_t equals = entry.find('=');
        if (equals == std::string::npos)
            unsetenv(entry.c_str());
        else
            setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

bool GameProcess::IsRunning()
{
    if (pid <= 0 || exitStatus != -1) return false;
    int status = 0;
    const pid_t result = waitpid(pid, &status, WNOHANG);
    if (result == 0) return true;
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

bool GameProcess::WaitForExit(int timeoutMilliseconds)
{
    return WaitUntil([this] { return !IsRunning(); }, timeoutMilliseconds);
}

void GameProcess::Terminate()
{
    if (pid > 0) kill(pid, SIGTERM);
}

// SDL replaces its first window while it sets up OpenGL, so only a mapped
// window of the game counts, and it is looked up afresh when needed.
static std::string VisibleGameWindow(pid_t pid)
{
    const std::string command = "xdotool search --onlyvisible --pid " + std::to_string(pid) +
                                " --name 'Nibbleton Saga' 2>/dev/null; "
                                "xdotool search --onlyvisible --name 'Nibbleton Saga' 2>/dev/null";
    const std::string ids = RunCommand(command);
    return ids.substr(0, ids.find('\n'));
}

bool GameProcess::WaitForWindow(int timeoutMilliseconds)
{
    const bool found = WaitUntil(
        [&] {
            if (!IsRunning()) return false;
            windowId = VisibleGameWindow(pid);
            return !windowId.empty();
        },
        timeoutMilliseconds);
    if (found) FocusWindow();
    return found;
}

bool GameProcess::WaitForLog(const std::string& text, int timeoutMilliseconds)
{
    return WaitUntil([&] { return Log().find(text) != std::string::npos; }, timeoutMilliseconds);
}

void GameProcess::FocusWindow()
{
    RunCommand("xdotool windowfocus --sync " + windowId + " 2>/dev/null");
}

void GameProcess::PressKey(const std::string& keyName)
{
    FocusWindow();
    // Held about as long as a finger would: the game reads held keys once a frame.
    RunCommand("xdotool keydown " + keyName + " sleep 0.1 keyup " + keyName);
}

// The game reads the button's state once a frame, so a click must outlast the
// slowest frame: a sanitized build on a busy machine once missed one of 0.1 s.
void GameProcess::ClickAt(int windowX, int windowY)
{
    FocusWindow();
    RunCommand("xdotool mousemove --window " + windowId + " " + std::to_string(windowX) + " " +
               std::to_string(windowY) + " sleep 0.05 mousedown 1 sleep 0.3 mouseup 1");
}

bool GameProcess::Screenshot(const std::string& pngPath)
{
    const std::string current = VisibleGameWindow(pid);
    if (!current.empty()) windowId = current;
    // A capture that waits on a vanished window would hold the X server; give it up instead.
    RunCommand("timeout 5 import -window " + windowId + " png:'" + pngPath + "' 2>/dev/null");
    return FileExists(pngPath);
}

// Reads the pixels of a fresh screenshot; false when no screenshot could be taken.
static bool ReadScreenshot(GameProcess& game, const std::function<void(SDL_Surface*)>& read)
{
    const std::string path = game.directory.path + "/screenshot.png";
    unlink(path.c_str());
    if (!game.Screenshot(path)) return false;
    SDL_Surface* image = IMG_Load(path.c_str());
    if (!image) return false;
    SDL_LockSurface(image);
    read(image);
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);
    return true;
}

static Colour PixelOf(SDL_Surface* image, int x, int y)
{
    const Uint8* pixel =
        static_cast<const Uint8*>(image->pixels) + y * image->pitch + x * image->format->BytesPerPixel;
    Uint32 value = 0;
    memcpy(&value, pixel, image->format->BytesPerPixel);
    Uint8 red, green, blue;
    SDL_GetRGB(value, image->format, &red, &green, &blue);
    return Colour{red, green, blue};
}

static bool ColoursMatch(const Colour& colour, const Colour& wanted, int tolerance)
{
    return abs(colour.red - wanted.red) <= tolerance && abs(colour.green - wanted.green) <= tolerance &&
           abs(colour.blue - wanted.blue) <= tolerance;
}

bool GameProcess::ColourAt(int windowX, int windowY, Colour& colour)
{
    bool inside = false;
    const bool taken = ReadScreenshot(*this, [&](SDL_Surface* image) {
        inside = windowX >= 0 && windowY >= 0 && windowX < image->w && windowY < image->h;
        if (inside) colour = PixelOf(image, windowX, windowY);
    });
    return taken && inside;
}

int GameProcess::CountColourInArea(int left, int top, int right, int bottom, const Colour& wanted, int tolerance)
{
    int count = 0;
    const bool taken = ReadScreenshot(*this, [&](SDL_Surface* image) {
        for (int y = std::max(top, 0); y <= bottom && y < image->h; y++)
            for (int x = std::max(left, 0); x <= right && x < image->w; x++)
                if (ColoursMatch(PixelOf(image, x, y), wanted, tolerance)) count++;
    });
    return taken ? count : -1;
}

bool GameProcess::WaitForColourAt(int windowX, int windowY, const Colour& wanted, int tolerance,
                                  int timeoutMilliseconds)
{
    return WaitUntil(
        [&] {
            Colour colour;
            return ColourAt(windowX, windowY, colour) && ColoursMatch(colour, wanted, tolerance);
        },
        timeoutMilliseconds);
}

std::string GameProcess::Log()
{
    return ReadWholeFile(logDirectory + "/stdout.log");
}

std::string GameProcess::OptionsFilePath()
{
    return directory.home + "/WobblerSaga-data-2.1";
}

std::string GameProcess::OptionsFile()
{
    return ReadWholeFile(OptionsFilePath());
}

int TitleButtonY(int index)
{
    return 196 + 42 * index;
}

bool GameProcess::SelectorAt(int y, int timeoutMilliseconds)
{
    return WaitForColourAt(SELECTOR_X, y, SELECTOR_ORANGE, SELECTOR_TOLERANCE, timeoutMilliseconds);
}

// A menu reads nothing for a few frames after each move, and a press that
// comes and goes within them is lost (more often on a loaded machine, whose
// frames are long): while the selector stays where it was, it is pressed again.
bool GameProcess::MoveSelector(const std::string& keyName, int fromY, int toY)
{
    const int presses = 20;
    for (int press = 0; press < presses; press++)
    {
        PressKey(keyName);
        if (SelectorAt(toY, 1000)) return true;
        if (!SelectorAt(fromY, 100)) return SelectorAt(toY, 100);
    }
    return false;
}

bool GameProcess::SkipToTitleScreen(int timeoutMilliseconds)
{
    return WaitUntil(
        [this] {
            ClickAt(5, 5);
            return SelectorAt(TitleButtonY(0), 300);
        },
        timeoutMilliseconds);
}

std::vector<std::string> GameProcess::OptionsFileLines()
{
    std::vector<std::string> lines;
    std::istringstream stream(OptionsFile());
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

void GameProcess::WriteOptionsFile(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    WriteWholeFile(OptionsFilePath(), text);
}
