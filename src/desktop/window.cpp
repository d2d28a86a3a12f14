// The window and its OpenGL context with SDL 1.2.
#include <stdio.h>
#include <stdlib.h>

#include <SDL.h>

#include "desktop/desktop.h"
#include "platform/drawing.h"

static char CENTERED_WINDOW_SETTING[] = "SDL_VIDEO_CENTERED=1";

// sdl12-compat draws an OpenGL window through a picture of its own that it
// stretches over the window at every present, a few milliseconds a frame in
// software. The game's window always has the size of its mode, so that copy
// is left out; full-screen modes keep it, as it spares the display a mode
// change. A player's own setting stands, and classic SDL reads neither.
static void PresentWindowsDirectly(bool windowed)
{
    if (windowed) setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
}

// Classic SDL starts without sound when the audio driver cannot open; SDL2
// under sdl12-compat fails the whole start. Starting again without audio
// leaves the failure to the mixer, which reports it and keeps the game silent.
static int StartSDL()
{
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) == 0) return 0;
    return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
}

bool StartVideo(bool windowed)
{
    putenv(CENTERED_WINDOW_SETTING);
    PresentWindowsDirectly(windowed);
    if (StartSDL() != 0)
    {
        printf("ERROR: Unable to initialize SDL: %s\n", SDL_GetError());
        return false;
    }
    printf("SDL (Everything) initialized\n");
    return true;
}

bool OpenVideoWindow(int width, int height, bool windowed, const char* caption, const char* iconFile)
{
    SDL_WM_SetCaption(caption, nullptr);
    SetWindowIcon(iconFile);
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
