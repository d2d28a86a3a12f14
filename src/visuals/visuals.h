#ifndef WOBBLER_VISUALS_H
#define WOBBLER_VISUALS_H

#include <stdint.h>

#include <SDL.h>
#include <SDL_ttf.h>
#include <GL/gl.h>

// The virtual screen every position is given in, stretched over the window.
const int VIRTUAL_SCREEN_WIDTH = 640;
const int VIRTUAL_SCREEN_HEIGHT = 480;

const int NUMBER_OF_SPRITES = 500;
const int NUMBER_OF_FONTS = 5;
const int NUMBER_OF_LOADED_TEXTS = 100;
const int VARIABLE_TEXT_SIZE = 64;

// Text justifications of DrawTextOntoScreenBuffer.
enum
{
    JUSTIFY_LEFT = 0,
    JUSTIFY_CENTER_SCREEN = 1,
    JUSTIFY_RIGHT = 2,
    JUSTIFY_CENTER_X = 3
};

// One picture loaded into one texture, with the state it is drawn with.
struct Sprite
{
    GLuint Texture;
    float ScreenX;
    float ScreenY;
    float ScaleX;
    float ScaleY;
    float RotationDegree;
    float Transparency;
    float RedHue;
    float GreenHue;
    float BlueHue;
    bool Smooth;
    bool FlipX;
    bool FlipY;
    int32_t ImageWidth;
    int32_t ImageHeight;
};

// Which picture file a sprite slot is loaded from.
struct SpriteFile
{
    unsigned short Index;
    const char* File;
};

const int NUMBER_OF_SPRITE_FILES = 73;
extern const SpriteFile SPRITE_FILES[NUMBER_OF_SPRITE_FILES];

// One credit line rendered once into its own texture.
struct LoadedText
{
    GLuint Texture;
    float ScreenX;
    float ScreenY;
    float BlueHue;
    float TextWidth;
    float TextHeight;
    float TextureWidth;
    float TextureHeight;
};

// Owns the window, its OpenGL screen buffer, the sprites, the fonts and the
// preloaded credit lines.
// TTF_OpenFont without leaking the opened file when SDL_ttf is not running
// (no window, so TTF_Init never ran): SDL_ttf would keep the file open.
TTF_Font* OpenFontIfTextRuns(const char* file, int pointSize);

class Visuals
{
public:
    Visuals();
    virtual ~Visuals();

    SDL_Surface* Screen;
    int32_t WindowWidth;
    int32_t WindowHeight;
    uint32_t Rmask;
    uint32_t Gmask;
    uint32_t Bmask;
    uint32_t Amask;

    Sprite Sprites[NUMBER_OF_SPRITES];
    TTF_Font* Font[NUMBER_OF_FONTS];
    char VariableText[VARIABLE_TEXT_SIZE];
    LoadedText Texts[NUMBER_OF_LOADED_TEXTS];
    int32_t LastLoadedTextIndex;

    // window.cpp
    bool SetupGameWindow(int width, int height);
    void SetupOpenGLState(float clearAlpha);
    void ClearScreenBufferWithColor(float red, float green, float blue, float alpha);
    void DisplayScreenBufferOntoDisplay();

    // sprites.cpp
    bool LoadSpritesIntoMemoryAndInitialize();
    void DrawSpriteOntoScreenBuffer(unsigned short index);
    void UnloadSpritesFromMemory();
    bool LoadSpriteImage(Sprite& sprite, const char* file);

    // images.cpp: picture files into textures, shared with the menu widgets.
    // Loads a picture whose sides are powers of two; prints why not and returns null otherwise.
    SDL_Surface* LoadPowerOfTwoImage(const char* file) const;
    // Copies the picture byte for byte (colour and alpha) into a 32-bit RGBA surface.
    SDL_Surface* ConvertToRGBA(SDL_Surface* image) const;
    GLuint UploadNearestTexture(const SDL_Surface* picture, GLenum format) const;
    // Lays a 32-bit picture with alpha over a 32-bit surface, its top left at (x, y).
    void BlendOntoSurfaceAt(const SDL_Surface* source, SDL_Surface* destination, int x, int y) const;
    void DrawTexturedQuad(float left, float top, float right, float bottom);

    // text.cpp
    bool LoadFontsIntoMemory();
    void UnloadFontsFromMemory();
    int NextPowerOfTwo(int value) const;
    void DrawTextOntoScreenBuffer(const char* text, TTF_Font* font, float x, float y,
                                  unsigned char justification,
                                  unsigned char red, unsigned char green, unsigned char blue,
                                  unsigned char outlineRed, unsigned char outlineGreen,
                                  unsigned char outlineBlue);
    // The text over a copy of itself grown by outlineWidth pixels on every side,
    // on a transparent power-of-two canvas; null when SDL_ttf renders nothing.
    SDL_Surface* RenderOutlinedText(const char* text, TTF_Font* font, SDL_Color colour,
                                    SDL_Color outlineColour, int outlineWidth,
                                    int* textWidth, int* textHeight);

    // loaded_texts.cpp
    bool LoadAllTextsIntoMemory();
    void DrawLoadedTextOntoScreenBuffer(unsigned short index, float x, float y);
    void UnloadAllTextsFromMemory();
};

extern Visuals* visuals;

#endif
