#ifndef WOBBLER_OWN_DISPLAY_H
#define WOBBLER_OWN_DISPLAY_H

#include <sys/types.h>

#include <string>

// An Xvfb of the caller's own with one screen of the size given: to be
// stopped under a game, or to offer a full-screen mode the usual display
// has not. Gone with the object.
class OwnDisplay
{
public:
    OwnDisplay(int width = 1024, int height = 768);
    ~OwnDisplay();
    void Stop();

    pid_t pid = -1;
    std::string name;  // ":N"; empty when the server did not start
};

#endif
