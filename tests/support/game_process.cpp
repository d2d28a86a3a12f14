#include "support/game_process.h"

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <SDL.h>
#include <SDL_image.h>

// A helper that waits on an X server that never answers (import can, when
// the window is unmapped) is given up rather than hang the whole test run.
static const std::string GIVE_UP_AFTER_TEN_SECONDS = "timeout 10 ";

std::string RunCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof(buffer), pipe)) > 0) output.append(buffer, count);
    pclose(pipe);
    return output;
}

GameProcess::GameProcess() : pid(-1), exitStatus(-1)
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
    argv.push_back(const_cast<char*>(GAME_BINARY));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(GAME_BINARY, argv.data());
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

bool GameProcess::WaitForWindow(int timeoutMilliseconds)
{
    const std::string command = GIVE_UP_AFTER_TEN_SECONDS + "xdotool search --pid " + std::to_string(pid) + " --name 'Nibbleton Saga' 2>/dev/null; " +
                                GIVE_UP_AFTER_TEN_SECONDS + "xdotool search --name 'Nibbleton Saga' 2>/dev/null";
    const bool found = WaitUntil(
        [&] {
            if (!IsRunning()) return false;
            const std::string ids = RunCommand(command);
            if (ids.empty()) return false;
            windowId = ids.substr(0, ids.find('\n'));
            return true;
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
    RunCommand(GIVE_UP_AFTER_TEN_SECONDS + "xdotool windowfocus --sync " + windowId + " 2>/dev/null");
}

void GameProcess::PressKey(const std::string& keyName)
{
    FocusWindow();
    RunCommand(GIVE_UP_AFTER_TEN_SECONDS + "xdotool key --delay 30 " + keyName);
}

void GameProcess::HoldKey(const std::string& keyName)
{
    FocusWindow();
    RunCommand(GIVE_UP_AFTER_TEN_SECONDS + "xdotool keydown " + keyName);
}

void GameProcess::ReleaseKey(const std::string& keyName)
{
    RunCommand(GIVE_UP_AFTER_TEN_SECONDS + "xdotool keyup " + keyName);
}

void GameProcess::ClickAt(int windowX, int windowY)
{
    FocusWindow();
    RunCommand(GIVE_UP_AFTER_TEN_SECONDS + "xdotool mousemove --window " + windowId + " " + std::to_string(windowX) + " " +
               std::to_string(windowY) + " sleep 0.05 click 1");
}

bool GameProcess::Screenshot(const std::string& pngPath)
{
    RunCommand(GIVE_UP_AFTER_TEN_SECONDS + "import -window " + windowId + " png:'" + pngPath + "' 2>/dev/null");
    return FileExists(pngPath);
}

bool GameProcess::ColourAt(int windowX, int windowY, Colour& colour)
{
    const std::string path = directory.path + "/screenshot.png";
    unlink(path.c_str());
    if (!Screenshot(path)) return false;
    SDL_Surface* image = IMG_Load(path.c_str());
    if (!image) return false;
    bool inside = windowX >= 0 && windowY >= 0 && windowX < image->w && windowY < image->h;
    if (inside)
    {
        SDL_LockSurface(image);
        const Uint8* pixel = static_cast<const Uint8*>(image->pixels) + windowY * image->pitch +
                             windowX * image->format->BytesPerPixel;
        Uint32 value = 0;
        memcpy(&value, pixel, image->format->BytesPerPixel);
        Uint8 red, green, blue;
        SDL_GetRGB(value, image->format, &red, &green, &blue);
        colour = Colour{red, green, blue};
        SDL_UnlockSurface(image);
    }
    SDL_FreeSurface(image);
    return inside;
}

bool GameProcess::WaitForColourAt(int windowX, int windowY, const Colour& wanted, int tolerance,
                                  int timeoutMilliseconds)
{
    return WaitUntil(
        [&] {
            Colour colour;
            if (!ColourAt(windowX, windowY, colour)) return false;
            return abs(colour.red - wanted.red) <= tolerance && abs(colour.green - wanted.green) <= tolerance &&
                   abs(colour.blue - wanted.blue) <= tolerance;
        },
        timeoutMilliseconds);
}

std::string GameProcess::Log()
{
    return ReadWholeFile(directory.path + "/stdout.log");
}

std::string GameProcess::OptionsFilePath()
{
    return directory.home + "/WobblerSaga-data-2.1";
}

std::string GameProcess::OptionsFile()
{
    return ReadWholeFile(OptionsFilePath());
}
