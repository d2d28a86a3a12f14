#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <set>
#include <string>

#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"
#include "screens/screens.h"
#include "support/game_screens_fixture.h"
#include "support/key_events.h"
#include "visuals/visuals.h"

namespace {

// How long the soak runs: half a minute by default (each pass of the checks
// runs it), longer through the environment (tools/soak, for the long run).
int SoakSeconds()
{
    const char* text = getenv("WOBBLER_SOAK_SECONDS");
    const int seconds = text ? atoi(text) : 0;
    return seconds > 0 ? seconds : 30;
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

// Keys as the poll translates them; '~' is left out, a quit is tested on its own.
const char RANDOM_KEYS[] = {0, 0, 0, '/', '_', '<', 'a', 'z', 'x', 'c', 'd', 'l', 'r', '!', '@', '5', '+'};
const int RANDOM_DIRECTIONS[] = {CENTER, CENTER, UP, RIGHT, DOWN, LEFT};
const int ENTERABLE_SCREENS[] = {TITLE_SCREEN,         ABOUT_SCREEN,         HOW_TO_PLAY_SCREEN,
                                 HIGH_SCORES_SCREEN,   OPTIONS_SCREEN,       PLAYING_GAME_SCREEN,
                                 OPENING_SCENE_SCREEN, ENDING_SCENE_SCREEN,  NAME_INPUT_KEYBOARD_SCREEN,
                                 NAME_INPUT_JOYSTICK_SCREEN};
const int WINDOW_SIZES[][2] = {{640, 480}, {1, 1}, {320, 200}, {1280, 960}, {641, 479}};

class Soak : public GameScreensTest
{
protected:
    // One frame of random play: a key, a stick, a button, sometimes a click,
    // an Escape or a new window size, through the real poll.
    void RunRandomFrame()
    {
        if (rand() % 400 == 0) PushEscape();
        if (rand() % 300 == 0) PushResize();
        input->GetAllUserInput();
        if (input->KeyOnKeyboardPressedByUser == 0) input->KeyOnKeyboardPressedByUser = RANDOM_KEYS[rand() % sizeof(RANDOM_KEYS)];
        input->JoystickDirection[INPUT_ALL] = RANDOM_DIRECTIONS[rand() % 6];
        input->JoystickButtonOne[INPUT_ALL] = rand() % 30 == 0;
        input->JoystickButtonTwo[INPUT_ALL] = rand() % 30 == 0;
        input->MouseButtonPressed[0] = rand() % 40 == 0;
        input->MouseX = rand() % 640;
        input->MouseY = rand() % 480;
        RunMainLoopFrame(PRESENT_SCREEN_BUFFER);
    }

    static void PushEscape() { PushKeyDown(SDLK_ESCAPE); }

    static void PushResize()
    {
        const int* size = WINDOW_SIZES[rand() % 5];
        SDL_Event event;
        memset(&event, 0, sizeof(event));
        event.type = SDL_VIDEORESIZE;
        event.resize.w = size[0];
        event.resize.h = size[1];
        SDL_PushEvent(&event);
    }

    // The quit that Escape on the title screen asks for ends a run of the
    // game; the soak starts over on the title screen instead.
    static void StartOverAfterAQuit()
    {
        if (input->KeyOnKeyboardPressedByUser != '~' && !game->QuitGame) return;
        game->QuitGame = 0;
        input->KeyOnKeyboardPressedByUser = 0;
        EnterScreen(TITLE_SCREEN);
    }

    // Now and then a screen the random play rarely reaches, with what it needs.
    static void JumpToAScreen()
    {
        const int screen = ENTERABLE_SCREENS[rand() % 10];
        if (screen == NAME_INPUT_KEYBOARD_SCREEN || screen == NAME_INPUT_JOYSTICK_SCREEN)
        {
            logic->Score = rand() % 20000;
            logic->PlayerJoystick = rand() % 3;
            data->CheckForNewHighScore();
        }
        if (screen == ABOUT_SCREEN) logic->Level = 5 + rand() % 2;
        EnterScreen(screen);
    }
};

TEST_F(Soak, RandomPlayOnEveryScreenKeepsTexturesAndStaysWhole)
{
    srand(20261207);
    const Uint32 end = SDL_GetTicks() + SoakSeconds() * 1000u;
    const int textures = LiveTextures();
    const long startKilobytes = ResidentKilobytes();
    std::set<int> visited;
    int frames = 0;
    while (SDL_GetTicks() < end && !game->FatalError)
    {
        RunRandomFrame();
        StartOverAfterAQuit();
        visited.insert(screens->ScreenToDisplay);
        if (++frames % 1500 == 0) JumpToAScreen();
        if (frames % 2000 != 0) continue;
        ASSERT_EQ(textures, LiveTextures()) << "after " << frames << " frames";
        fprintf(stderr, "soak: %d frames, RSS %ld kB\n", frames, ResidentKilobytes());
    }
    EXPECT_EQ(0, game->FatalError);
    EXPECT_EQ(textures, LiveTextures());
    EXPECT_GE(visited.size(), 10u);
    fprintf(stderr, "soak: %d frames, %zu screens, %d textures, RSS %ld kB at start and %ld kB at the end\n", frames,
            visited.size(), textures, startKilobytes, ResidentKilobytes());
}

TEST_F(Soak, TwoHundredResizesInARowKeepEveryTexture)
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
