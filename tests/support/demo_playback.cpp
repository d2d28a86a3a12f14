#include "support/demo_playback.h"

#include <GL/gl.h>

#include "game/game.h"
#include "screens/screens.h"

std::string DemoPath(const std::string& name)
{
    return name.find('/') != std::string::npos ? name : ProjectRoot() + "/tests/program/demos/" + name + ".demo";
}

// The playback starts in Play, with the demo's command line.
void DemoTest::SetUp()
{
    directory.reset(new TemporaryWorkingDirectory(linkData));
    output.reset(new CapturedOutput());
}

void DemoTest::Play(const std::string& demo, const std::function<void()>& eachFrame,
                    const std::vector<std::string>& arguments)
{
    screensShown.clear();
    frames = 0;
    std::vector<std::string> commandLine = {"--timedemo", DemoPath(demo)};
    commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
    objects.reset(new GameObjects(startUpSteps, commandLine));
    // Every frame is drawn as the game draws it, and the drawing carried out;
    // showing it on the window, which changes nothing of the game, is left out.
    while (GameGoesOn())
    {
        RunMainLoopFrame(POLL_INPUT);
        glFlush();
        frames++;
        if (screensShown.empty() || screensShown.back() != screens->ScreenToDisplay)
            screensShown.push_back(screens->ScreenToDisplay);
        if (eachFrame) eachFrame();
    }
}

int DemoTest::Finish()
{
    return objects ? objects->ShutDown() : -1;
}
