#ifndef WOBBLER_INPUT_FIXTURE_H
#define WOBBLER_INPUT_FIXTURE_H

#include <string>

#include "input/input.h"
#include "screens/screens.h"
#include "support/data_folder.h"
#include "support/key_events.h"
#include "support/window_fixture.h"
#include "visuals/visuals.h"

// A real window with the game's sprites, fonts and texts loaded from
// stand-in pictures.
class InputTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(MakeStandInPictures(directory->path));
        ASSERT_TRUE(visuals->LoadFontsIntoMemory());
        ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize());
        ASSERT_TRUE(visuals->LoadAllTextsIntoMemory());
        DrainEvents();
    }

    // Forgets whatever the window system has queued so far.
    void DrainEvents()
    {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {}
    }

    void PushEventOfType(Uint8 type)
    {
        SDL_Event event = {};
        event.type = type;
        SDL_PushEvent(&event);
    }

    void PushResize(int width, int height)
    {
        SDL_Event event = {};
        event.type = SDL_VIDEORESIZE;
        event.resize.w = width;
        event.resize.h = height;
        SDL_PushEvent(&event);
    }

    // SDL's own key-state array, as real key events would leave it.
    void HoldInKeyState(SDLKey key, bool held) { SDL_GetKeyState(nullptr)[key] = held ? 1 : 0; }
};

#endif
