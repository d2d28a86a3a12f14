#include "visuals/visuals.h"

#include <stdio.h>
#include <stdlib.h>

#include "input/input.h"
#include "interface/interface.h"

Visuals* visuals = nullptr;

static const char WINDOW_CAPTION[] = "Nibbleton Saga 100%[TM] Ver. 2.1 - (C) 2026 Brickwell Games";
static char CENTERED_WINDOW_SETTING[] = "SDL_VIDEO_CENTERED=1";

Visuals::Visuals()
{
    // Every slot starts cleared, loaded or not: the state digest reads them all.
    for (Sprite& sprite : Sprites) sprite = Sprite{};
    for (TTF_Font*& font : Font) font = nullptr;
    for (LoadedText& text : Texts) text = LoadedText{};
    LastLoadedTextIndex = -1;
    ButtonFont = nullptr;
    for (GLuint& texture : WidgetTexture) texture = 0;
    for (Placement& looks : WidgetLooks) looks = Placement{};
    DrawOnlyVisibleParts = true;
    DrawingMatrixIsIdentity = true;
    DrawingKeptWithin = false;
}

Visuals::~Visuals()
{
    UnloadAllTextsFromMemory();
    UnloadFontsFromMemory();
    if (ButtonFont) TTF_CloseFont(ButtonFont);
    ButtonFont = nullptr;
    TTF_Quit();
    printf("SDL_ttf closed\n");
    UnloadSpritesFromMemory();
    SDL_Quit();
    printf("SDL+OpenGL successfully closed\n");
}

// Classic SDL starts without sound when the audio driver cannot open; SDL2
// under sdl12-compat fails the whole start. Starting again without audio
// leaves the failure to the mixer, which reports it and keeps the game silent.
static int StartSDL()
{
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) == 0) return 0;
    return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
}

// sdl12-compat draws an OpenGL window through a picture of its own that it
// stretches over the window at every present, a few milliseconds a frame in
// software. The game's window always has the size of its mode, so that copy
// is left out; full-screen modes keep it, as it spares the display a mode
// change. A player's own setting stands, and classic SDL reads neither.
static void PresentWindowsDirectly(bool windowed)
{
    if (windowed) setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
}

bool Visuals::SetupGameWindow(int width, int height)
{
    const bool windowed = (width == VIRTUAL_SCREEN_WIDTH && height == VIRTUAL_SCREEN_HEIGHT);
    putenv(CENTERED_WINDOW_SETTING);
    PresentWindowsDirectly(windowed);

    if (StartSDL() != 0)
    {
        printf("ERROR: Unable to initialize SDL: %s\n", SDL_GetError());
        return false;
    }
    printf("SDL (Everything) initialized\n");
    Input::IgnoreJoystickEvents();

    SDL_WM_SetCaption(WINDOW_CAPTION, nullptr);

    SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromFile("data/graphics/Icon.bmp", "rb"), 1);
    if (icon)
    {
        SDL_WM_SetIcon(icon, nullptr);
        SDL_FreeSurface(icon);
    }

    const Uint32 flags = SDL_OPENGL | (windowed ? SDL_RESIZABLE : SDL_FULLSCREEN);
    Screen = SDL_SetVideoMode(width, height, 0, flags);
    if (!Screen)
    {
        printf("ERROR: SDL+OpenGL resizable window create failed\n");
        return false;
    }
    printf("SDL+OpenGL resizable window created\n");

    WindowWidth = width;
    WindowHeight = height;
    SetupOpenGLState(1.0f);

    if (TTF_Init() == -1)
    {
        fprintf(stderr, "ERROR: TTF_Init: %s\n", SDL_GetError());
        return false;
    }
    printf("SDL_ttf initialized\n");

    Rmask = 0x000000FF;
    Gmask = 0x0000FF00;
    Bmask = 0x00FF0000;
    Amask = 0xFF000000;
    return true;
}

// The 640 x 480 virtual screen with y growing downward, drawn back to front.
void Visuals::SetupOpenGLState(float clearAlpha)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, VIRTUAL_SCREEN_WIDTH, VIRTUAL_SCREEN_HEIGHT, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, clearAlpha);
    glDisable(GL_DEPTH_TEST);
}

void Visuals::ClearScreenBufferWithColor(float red, float green, float blue, float alpha)
{
    glClearColor(red, green, blue, alpha);
    glClear(GL_COLOR_BUFFER_BIT);
}

void Visuals::DisplayScreenBufferOntoDisplay()
{
    glFlush();
    SDL_GL_SwapBuffers();
}

bool Visuals::ResizeWindow(int width, int height)
{
    UnloadAllTextsFromMemory();
    UnloadSpritesFromMemory();
    UnloadGUIFromMemory();

    WindowWidth = width;
    WindowHeight = height;
    Screen = SDL_SetVideoMode(width, height, 0, SDL_OPENGL | SDL_RESIZABLE);
    if (!Screen)
    {
        printf("ERROR: SDL+OpenGL window resize failed\n");
        return false;
    }
    printf("SDL+OpenGL window resized\n");

    SetupOpenGLState(0.0f);
    glViewport(0, 0, width, height);
    return CreateAllGUIAndInitialize(false) && LoadSpritesIntoMemoryAndInitialize() &&
           LoadAllTextsIntoMemory();
}
