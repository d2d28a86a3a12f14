#include <GL/gl.h>
#include <gtest/gtest.h>

#include <inttypes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <chrono>
#include <random>
#include <set>
#include <string>

#include "data/data.h"
#include "demos/demos.h"
#include "game/game.h"
#include "logic/logic.h"
#include "screens/screens.h"
#include "settings/settings.h"
#include "support/demo_playback.h"
#include "support/game_screens_fixture.h"
#include "visuals/visuals.h"

namespace {

// How long the soak goes on after its first sessions: not at all in the
// checks, longer through the environment (tools/soak, for the long run).
int SoakSeconds()
{
    const char* text = getenv("WOBBLER_SOAK_SECONDS");
    return text ? atoi(text) : 0;
}

long ResidentKilobytes()
{
    const std::string status = ReadWholeFile("/proc/self/status");
    const size_t at = status.find("VmRSS:");
    return at == std::string::npos ? -1 : atol(status.c_str() + at + 6);
}

// Texture names in use; Mesa hands out names upward, so all lie below a fresh one.
int LiveTextures()
{
    GLuint probe = 0;
    glGenTextures(1, &probe);
    int count = 0;
    for (GLuint name = 1; name < probe; name++) count += glIsTexture(name) ? 1 : 0;
    glDeleteTextures(1, &probe);
    return count;
}

// Keys as the poll translates them, quits left out: Escape and the Exit
// button end a session, and the soak goes on with the next one.
const char* const RANDOM_KEYS[] = {"/", "/", "/", "_", "_", "<", "a", "z", "x", "c", "l", "l", "r", "!", "@", "5", "+", "Q"};
const int NUMBER_OF_RANDOM_KEYS = sizeof(RANDOM_KEYS) / sizeof(RANDOM_KEYS[0]);
const char* const RANDOM_HELD[] = {"C", "C", "C", "U", "R", "D", "L", "C1", "U2", "L12"};
const char* const WINDOW_SIZES[] = {"640x480", "1x1", "320x200", "1280x960", "641x479"};

// How each session leaves the title: by each of its buttons but Exit, and into
// a game won with the debug keys, started by the keyboard and by the stick,
// which ends in the name entry of each.
#define DOWN "1 arrows=D\n15 arrows=C\n"
#define WON_GAME "40\n1 key=_\n" "25\n1 key=l\n25\n1 key=l\n25\n1 key=l\n25\n1 key=l\n25\n1 key=l\n" "30\n1 key=_\n30\n1 key=_\n"
const char* const ROUTES[] = {
    "1 key=/\n" WON_GAME, DOWN "1 key=/\n", DOWN DOWN "1 key=/\n", DOWN DOWN DOWN "1 key=/\n",
    DOWN DOWN DOWN DOWN "1 key=/\n", "1 stick1=C1\n1 stick1=C\n" WON_GAME,
};
const int NUMBER_OF_ROUTES = sizeof(ROUTES) / sizeof(ROUTES[0]);

// A random session as a demo: a joystick plugged in, every table low enough
// for any game to enter it, the debug keys on (so 'l' clears boards and the
// ending is in reach), the session's route from the title, then runs of
// random keys, arrows, sticks, clicks, set-up answers, resizes and lost focus.
std::string RandomSession(std::mt19937& random, int route, int frames)
{
    const auto chance = [&](int one_in) { return random() % one_in == 0; };
    char boards[20];
    snprintf(boards, sizeof(boards), "%016" PRIx64, DigestOfBoardImages());
    std::string demo = "wobblersaga demo " + std::to_string(DEMO_FORMAT_VERSION) + "\nversion " + GAME_VERSION + "\nseed " +
                       std::to_string(random()) + "\nboards " + boards +
                       "\njoystick 1 axes=2 buttons=2 hats=1\noptions 138\n";
    for (const char* line : {"32", "32", "1", "1", "2", "2", "1", "1", "9", "10", "2", "2", "1", "1", "9", "10", "^", "^"})
        demo += std::string("option ") + line + "\n";
    for (int entry = 0; entry < NUMBER_OF_GAME_MODES * NUMBER_OF_HIGH_SCORES; entry++)
        demo += "option Low\noption 1\noption 0\n";
    demo += std::string("frames\n10\n1 key=_\n15\n1 key=d\n21\n1 key=_\n15\n") + ROUTES[route];
    for (int frame = 0; frame < frames;)
    {
        const int length = 1 + random() % 30;
        std::string line = std::to_string(length);
        if (chance(2)) line += std::string(" key=") + RANDOM_KEYS[random() % NUMBER_OF_RANDOM_KEYS];
        if (chance(100)) line += " escape";
        if (chance(3)) line += std::string(" arrows=") + RANDOM_HELD[random() % 7];
        if (chance(8)) line += std::string(" stick1=") + RANDOM_HELD[random() % 10];
        if (chance(25)) line += " click=" + std::to_string(random() % 640) + "," + std::to_string(random() % 480);
        if (chance(40)) line += " moved1=" + std::to_string(random() % 11);
        if (chance(300)) line += std::string(" resize=") + WINDOW_SIZES[random() % 5];
        if (chance(300)) line += chance(2) ? " focus away" : " back";
        demo += line + "\n";
        frame += length;
    }
    return demo + "end\n";
}

// The first sessions, one by each route and the same every time, run whatever the time.
const int FEWEST_SESSIONS = NUMBER_OF_ROUTES;
const int FRAMES_PER_SESSION = 200;

class Soak : public DemoTest
{
protected:
    // Plays a session, counting the textures now and then: they stay as
    // many as the start-up loaded, through resizes and every screen.
    void PlayCountingTextures(const std::string& demo, const std::vector<std::string>& arguments)
    {
        int textures = -1;
        int frame = 0;
        Play(demo,
             [&] {
                 if (textures < 0) textures = LiveTextures();
                 if (++frame % 500 != 0) return;
                 ASSERT_EQ(textures, LiveTextures()) << "after " << frame << " frames";
             },
             arguments);
        EXPECT_EQ(textures, LiveTextures());
        EXPECT_EQ(0, game->FatalError);
    }
};

// Random sessions, one after the other, each played as fast as frames are
// drawn while it is recorded, then its recording played again: every one
// keeps its textures, ends in order and plays again to the same state.
TEST_F(Soak, RandomSessionsKeepTheirTexturesAndPlayAgainToTheSameState)
{
    std::mt19937 random(20261208);
    const std::string session = directory->path + "/random.demo";
    const std::string recording = directory->path + "/recorded.demo";
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(SoakSeconds());
    std::set<int> visited;
    int sessions = 0;
    while ((std::chrono::steady_clock::now() < end || sessions < FEWEST_SESSIONS) && !HasFailure())
    {
        WriteWholeFile(session, RandomSession(random, sessions % NUMBER_OF_ROUTES, FRAMES_PER_SESSION));
        PlayCountingTextures(session, {"--record", recording});
        visited.insert(screensShown.begin(), screensShown.end());
        const int played = frames;
        EXPECT_EQ(0, Finish()) << "session " << sessions;

        PlayCountingTextures(recording, {});
        EXPECT_EQ(played, frames);
        EXPECT_EQ(0, Finish()) << "session " << sessions << " played again";
        fprintf(stderr, "soak: session %d, %d frames, %zu screens so far, RSS %ld kB\n", sessions, played,
                visited.size(), ResidentKilobytes());
        sessions++;
    }
    EXPECT_EQ(12u, visited.size()) << "every screen";
    fprintf(stderr, "soak: %d sessions, %zu screens\n", sessions, visited.size());
}

class Resizes : public GameScreensTest
{
};

TEST_F(Resizes, TwoHundredInARowKeepEveryTexture)
{
    EnterScreen(TITLE_SCREEN);
    RunUntilFadedIn();
    const int textures = LiveTextures();
    for (int resize = 0; resize < 200; resize++)
    {
        SDL_Event event;
        memset(&event, 0, sizeof(event));
        event.type = SDL_VIDEORESIZE;
        event.resize.w = resize % 2 ? 1 : 640 + resize;
        event.resize.h = resize % 2 ? 1 : 480 + resize;
        SDL_PushEvent(&event);
        RunFrame();
        ASSERT_EQ(0, game->FatalError) << "resize " << resize;
    }
    EXPECT_EQ(textures, LiveTextures());
    EXPECT_EQ(TITLE_SCREEN, screens->ScreenToDisplay);
    EXPECT_EQ(200, CountOccurrences(output->Text(), "SDL+OpenGL window resized\n"));
}

}  // namespace
