#include "support/game_objects.h"

#include <stdio.h>

GameObjects::GameObjects(int steps, const std::vector<std::string>& arguments) : steps(steps)
{
    Start(arguments);
}

GameObjects::~GameObjects()
{
    ShutDown();
}

void GameObjects::Restart(const std::vector<std::string>& arguments)
{
    ShutDown();
    Start(arguments);
}

int GameObjects::ShutDown()
{
    if (!running) return -1;
    running = false;
    return ShutDownGame(steps);
}

void GameObjects::Start(const std::vector<std::string>& arguments)
{
    commandLine = {"wobblersaga"};
    commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
    argv.clear();
    for (std::string& argument : commandLine) argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    StartUpGame(commandLine.size(), argv.data(), steps);
    running = true;
}

void GameTest::SetUp()
{
    directory.reset(new TemporaryWorkingDirectory(linkData));
    output.reset(new CapturedOutput());
    objects.reset(new GameObjects(startUpSteps));
    ASSERT_EQ(0, game->FatalError) << output->Text();
}

void GameTest::TearDown()
{
    objects.reset();
    // What the game printed explains a failure.
    if (HasFailure() && output) fprintf(stderr, "%s", output->Text().c_str());
    output.reset();
    directory.reset();
}
