#include "support/own_display.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

OwnDisplay::OwnDisplay(int width, int height)
{
    int number[2];
    if (pipe(number) != 0) return;
    pid = fork();
    if (pid == 0)
    {
        dup2(number[1], 3);
        dup2(open("/dev/null", O_WRONLY), 2);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        // -noreset: a server that resets as its last client leaves refuses the next one meanwhile.
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "+extension", "GLX", "-nolisten",
               "tcp", "-noreset", nullptr);
        _exit(127);
    }
    close(number[1]);
    std::string text = ":";
    char digit = 0;
    while (read(number[0], &digit, 1) == 1 && digit != '\n') text += digit;  // ends when Xvfb writes or dies
    close(number[0]);
    if (digit == '\n') name = text;
}

OwnDisplay::~OwnDisplay()
{
    Stop();
}

void OwnDisplay::Stop()
{
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
}
