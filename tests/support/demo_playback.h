#ifndef WOBBLER_DEMO_PLAYBACK_H
#define WOBBLER_DEMO_PLAYBACK_H

#include <functional>
#include <string>
#include <vector>

#include "support/game_objects.h"

// The game started in this process as `wobblersaga --timedemo DEMO` starts
// it, in a temporary working directory with the project's data, and played
// to the demo's end; the test then reads the state the demo reached, and
// Finish() gives the exit status, which is not 0 when the playback went out
// of step with the recording or the demo was refused.
class DemoTest : public GameTest
{
protected:
    DemoTest() : GameTest(WHOLE_START_UP) {}
    void SetUp() override;

    // A demo of tests/program/demos by its name, or a path; each frame ends
    // with the call given. The arguments follow the playback's.
    void Play(const std::string& demo, const std::function<void()>& eachFrame = nullptr,
              const std::vector<std::string>& arguments = {});
    int Finish();

    // The screens the last session showed, in order, each once per visit, and its frames.
    std::vector<int> screensShown;
    int frames = 0;
};

std::string DemoPath(const std::string& name);

#endif
