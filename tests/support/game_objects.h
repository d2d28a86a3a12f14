#ifndef WOBBLER_GAME_OBJECTS_H
#define WOBBLER_GAME_OBJECTS_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "main_loop.h"
#include "support/test_environment.h"

// The one owner of the game's objects in a test: the game's own start-up
// creates them, trimmed to the steps the test needs, and its own shutdown
// deletes them. The arguments are the command line after the program name.
class GameObjects
{
public:
    explicit GameObjects(int steps = WHOLE_START_UP, const std::vector<std::string>& arguments = {});
    ~GameObjects();

    // Shuts the game down and starts it again, as the player's next run does.
    void Restart(const std::vector<std::string>& arguments = {});
    // Shuts the game down now: the exit status main would return.
    int ShutDown();

    // One object deleted and made afresh, as a start of the game makes it: to
    // see what the old one leaves behind, or to start with other joysticks.
    template <typename T>
    static void Replace(T*& object)
    {
        Delete(object);
        object = new T();
    }

    const int steps;

private:
    void Start(const std::vector<std::string>& arguments);

    std::vector<std::string> commandLine;
    std::vector<char*> argv;
    bool running = false;
};

// A test of the game in a temporary working directory of its own, with the
// game's objects started up to the steps the fixture names. What the game
// prints is captured, and shown when the test fails.
class GameTest : public ::testing::Test
{
protected:
    // Without linkData the directory starts empty, with no data/ of the game's.
    explicit GameTest(int startUpSteps, bool linkData = true) : startUpSteps(startUpSteps), linkData(linkData) {}
    void SetUp() override;
    void TearDown() override;

    const int startUpSteps;
    const bool linkData;
    std::unique_ptr<TemporaryWorkingDirectory> directory;
    std::unique_ptr<CapturedOutput> output;
    std::unique_ptr<GameObjects> objects;
};

#endif
