// The canvas and its WebGL context through Emscripten's SDL. The page shows
// the game's icon itself: Emscripten would hand the window's icon to the
// browser's image decoder for nothing. The log says what the desktop's says.
#include <stdio.h>

#include <SDL.h>

#include "platform/drawing.h"

bool StartVideo(bool)
{
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0 &&
        SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0)
    {
        printf("ERROR: Unable to initialize SDL: %s\n", SDL_GetError());
        return false;
    }
    printf("SDL (Everything) initialized\n");
    return true;
}

bool OpenVideoWindow(int width, int height, bool windowed, const char* caption, const char*)
{
    SDL_WM_SetCaption(caption, nullptr);
    const Uint32 flags = SDL_OPENGL | (windowed ? SDL_RESIZABLE : SDL_FULLSCREEN);
    if (!SDL_SetVideoMode(width, height, 0, flags))
    {
        printf("ERROR: SDL+OpenGL resizable window create failed\n");
        return false;
    }
    printf("SDL+OpenGL resizable window created\n");
    return true;
}

bool ReopenVideoWindow(int width, int height)
{
    if (!SDL_SetVideoMode(width, height, 0, SDL_OPENGL | SDL_RESIZABLE))
    {
        printf("ERROR: SDL+OpenGL window resize failed\n");
        return false;
    }
    printf("SDL+OpenGL window resized\n");
    return true;
}

void ShowFrame()
{
    SDL_GL_SwapBuffers();
}

void StopVideo()
{
    SDL_Quit();
    printf("SDL+OpenGL successfully closed\n");
}
