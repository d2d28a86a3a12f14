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

// A part of a picture that can show, in texels from its top-left corner.
// Outside every piece the picture is fully transparent even after linear
// filtering (which reaches one texel around and wraps at the edges), so
// drawing the pieces alone keeps every pixel and spares the driver the rest.
struct SpritePiece
{
    int16_t Left;
    int16_t Top;
    int16_t Right;   // one past the last column
    int16_t Bottom;  // one past the last row
    bool Opaque;     // every texel it can sample is fully opaque
};
const int MAX_SPRITE_PIECES = 32;

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
    // Found from the picture's own pixels when it is loaded.
    bool Opaque;  // every texel fully opaque
    int32_t PieceCount;
    SpritePiece Pieces[MAX_SPRITE_PIECES];
    SpritePiece SeeThrough;  // around every texel that does not cover what is below
};

// The corners of a sprite's quad about its position, before scale and turn:
// texture coordinate (0, 0) at (Left, Top), (1, 1) at (Right, Bottom).
struct QuadCorners
{
    float Left;
    float Top;
    float Right;
    float Bottom;
};

// A rectangle of the virtual screen.
struct ScreenArea
{
    float Left;
    float Top;
    float Right;
    float Bottom;
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
    // Sprites are drawn as the pieces of their pictures that can show, and
    // opaque ones without blending. False draws each as one whole blended
    // quad: the same picture at a greater fill (the pixel test compares both).
    bool DrawOnlyVisibleParts;
    // While set, sprites need not be drawn outside this box of window pixels
    // (x and y from the bottom left, ends excluded), as a picture drawn later
    // covers the rest opaquely: sprites are cut to it (a turned one is drawn
    // whole).
    bool DrawingKeptWithin;
    int32_t KeptWithin[4];  // left, bottom, right, top

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
    // Pushes the matrix and sets the sprite's texture, place, scale, turn,
    // colour and smoothing; returns its corners. The caller pops the matrix.
    QuadCorners BeginSpriteDraw(const Sprite& sprite);

    // sprite_pieces.cpp
    // Draws an opaque sprite only over these areas of the virtual screen (and
    // a pixel around them): the caller covers the rest with opaque pictures
    // afterwards. A sprite that is not opaque is drawn whole.
    void DrawSpriteOntoScreenBufferWithin(unsigned short index, const ScreenArea* areas, int count);
    // The area of the virtual screen outside which the sprite, drawn as its
    // fields stand, covers every pixel opaquely; false when it cannot tell.
    bool FindAreaSeenThrough(unsigned short index, ScreenArea& area) const;
    // Keeps sprite drawing inside the area (and a pixel around it) until
    // called with null.
    void KeepDrawingWithin(const ScreenArea* area);
    void FindSpritePieces(Sprite& sprite, const SDL_Surface* picture) const;
    bool DrawSpritePieces(const Sprite& sprite, const QuadCorners& corners);
    void DrawQuadBlendedUnlessOpaque(bool opaque, const QuadCorners& corners);

    // images.cpp: picture files into textures, shared with the menu widgets.
    // Loads a picture whose sides are powers of two; prints why not and returns null otherwise.
    SDL_Surface* LoadPowerOfTwoImage(const char* file) const;
    // Copies the picture byte for byte (colour and alpha) into a 32-bit RGBA surface.
    SDL_Surface* ConvertToRGBA(SDL_Surface* image) const;
    GLuint UploadNearestTexture(const SDL_Surface* picture, GLenum format) const;
    // Lays a 32-bit picture with alpha over a 32-bit surface, its top left at (x, y).
    void BlendOntoSurfaceAt(const SDL_Surface* source, SDL_Surface* destination, int x, int y) const;
    void DrawTexturedQuad(float left, float top, float right, float bottom);
    void DrawTexturedQuad(const QuadCorners& corners);

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
