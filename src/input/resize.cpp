#include "input/input.h"

#include <stdio.h>

#include "game/game.h"
#include "interface/interface.h"
#include "screens/screens.h"
#include "visuals/visuals.h"

// A new window means a new OpenGL context: every texture is rebuilt.
bool Input::ResizeWindow(int width, int height)
{
    visuals->UnloadAllTextsFromMemory();
    visuals->UnloadSpritesFromMemory();
    if (interface) interface->UnloadGUIFromMemory();

    visuals->WindowWidth = width;
    visuals->WindowHeight = height;
    visuals->Screen = SDL_SetVideoMode(width, height, 0, SDL_OPENGL | SDL_RESIZABLE);
    if (!visuals->Screen)
    {
        printf("ERROR: SDL+OpenGL window resize failed\n");
        game->FatalError = 1;
        return false;
    }
    printf("SDL+OpenGL window resized\n");

    visuals->SetupOpenGLState(0.0f);
    glViewport(0, 0, width, height);

    const bool guiLoaded = !interface || interface->CreateAllGUIAndInitialize(false);
    if (!guiLoaded || !visuals->LoadSpritesIntoMemoryAndInitialize() || !visuals->LoadAllTextsIntoMemory())
    {
        game->FatalError = 1;
        return false;
    }
    screens->ScreenIsDirty = 1;
    return true;
}
