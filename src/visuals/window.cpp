#include "visuals/visuals.h"

#include <GL/gl.h>

#include <stdio.h>

#include "input/input.h"
#include "interface/interface.h"

Visuals* visuals = nullptr;

static const char WINDOW_CAPTION[] = "Nibbleton Saga 100%[TM] Ver. 2.1 - (C) 2026 Brickwell Games";
static const char WINDOW_ICON[] = "data/graphics/Icon.bmp";

Visuals::Visuals()
{
    // Every slot starts cleared, loaded or not: the state digest reads them all.
    for (Sprite& sprite : Sprites) sprite = Sprite{};
    for (Typeface*& font : Font) font = nullptr;
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
    CloseTypeface(ButtonFont);
    ButtonFont = nullptr;
    StopLetters();
    UnloadSpritesFromMemory();
    StopVideo();
}

bool Visuals::SetupGameWindow(int width, int height)
{
    const bool windowed = (width == VIRTUAL_SCREEN_WIDTH && height == VIRTUAL_SCREEN_HEIGHT);
    if (!StartVideo(windowed)) return false;
    Input::IgnoreJoystickEvents();
    if (!OpenVideoWindow(width, height, windowed, WINDOW_CAPTION, WINDOW_ICON)) return false;

    WindowWidth = width;
    WindowHeight = height;
    SetupOpenGLState(1.0f);
    return StartLetters();
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
    ShowFrame();
}

bool Visuals::ResizeWindow(int width, int height)
{
    UnloadAllTextsFromMemory();
    UnloadSpritesFromMemory();
    UnloadGUIFromMemory();

    WindowWidth = width;
    WindowHeight = height;
    if (!ReopenVideoWindow(width, height)) return false;

    SetupOpenGLState(0.0f);
    glViewport(0, 0, width, height);
    return CreateAllGUIAndInitialize(false) && LoadSpritesIntoMemoryAndInitialize() &&
           LoadAllTextsIntoMemory();
}
