#ifndef WOBBLER_VISUALS_H
#define WOBBLER_VISUALS_H

#include <stdint.h>


#include "interface/interface.h"
#include "platform/drawing.h"

// An OpenGL texture's name (a GLuint): the header passes no OpenGL on to
// those that only read the drawing's state.
typedef unsigned int TextureName;

// The virtual screen every position is given in, stretched over the window.
const int VIRTUAL_SCREEN_WIDTH = 640;
const int VIRTUAL_SCREEN_HEIGHT = 480;

const int NUMBER_OF_SPRITES = 500;
const int NUMBER_OF_FONTS = 5;
const int NUMBER_OF_LOADED_TEXTS = 100;
const int VARIABLE_TEXT_SIZE = 64;

// Fonts of the menu texts: 27, 14 and 45 points.
const int MENU_FONT = 0;
const int SMALL_FONT = 2;
const int LARGE_FONT = 3;

// The playing screen's layout, in virtual pixels. The board window: 13 x 11
// tiles around the hero, whose tile is drawn at the screen centre; its
// first column and row lie here.
const int BOARD_WINDOW_HALF_COLUMNS = 6;
const int BOARD_WINDOW_HALF_ROWS = 5;
const int BOARD_WINDOW_LEFT = -64;
const int BOARD_WINDOW_TOP = -80;
// The mini-map: one 4-pixel dot per tile from its top-left corner.
const float MAP_BACKGROUND_X = 556;
const float MAP_BACKGROUND_Y = 391;
const int MAP_LEFT = 503;
const int MAP_TOP = 340;
const int MAP_DOT_SPACING = 4;
// The television frame over all of it.
const float TV_FRAME_X = 420;
const float TV_FRAME_Y = 290;
const float TV_FRAME_SCALE = 1.6f;

// The hero is always drawn in the middle of the 640 x 480 screen.
const int PLAYER_SCREEN_X = 320;
const int PLAYER_SCREEN_Y = 240;

// Text justifications of DrawTextOntoScreenBuffer.
enum
{
    JUSTIFY_LEFT = 0,
    JUSTIFY_CENTER_SCREEN = 1,
    JUSTIFY_RIGHT = 2,
    JUSTIFY_CENTER_X = 3
};

// A rectangle [Left, Right) x [Top, Bottom) with y growing downward, as on
// the virtual screen; only the scissor, set in window rows from the bottom,
// turns it up.
template <typename Unit>
struct Box
{
    Unit Left;
    Unit Top;
    Unit Right;
    Unit Bottom;

    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
};
typedef Box<int32_t> TexelBox;  // texels of a picture, from its top-left corner
typedef Box<int32_t> PixelBox;  // window pixels: columns from the left, rows down from the viewport's top
typedef Box<float> ScreenArea;  // units of the virtual screen

// How a texture is drawn, for sprites, menu widgets and the quads drawn of
// them: moved to (ScreenX, ScreenY), stretched along the screen's axes and
// turned, tinted, and blended with linear filtering when Smooth.
struct Placement
{
    TextureName Texture;
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
};

// Upright at (x, y) at the picture's own size, untinted, opaque and smooth.
Placement UprightAt(TextureName texture, float x, float y);

// One picture loaded into one texture, with the state it is drawn with.
struct Sprite : Placement
{
    bool FlipX;
    bool FlipY;
    int32_t ImageWidth;
    int32_t ImageHeight;
    // Found from the picture's pixels at load, allowing for linear filtering,
    // which reaches a texel around a pixel's own (wrapping at the edges).
    bool Opaque;          // every texel fully opaque
    TexelBox Shown;       // outside it nothing can show
    TexelBox Hole;        // inside it nothing can show; empty when too small to pay
    TexelBox SeeThrough;  // outside it the picture covers what is below
};

// Where a quad's texture coordinates (0, 0) and (1, 1) land, about its place
// before the turn and the stretch. A mirrored quad has its start past its
// end, so these are no Box.
struct QuadCorners
{
    float StartX;
    float StartY;
    float EndX;
    float EndY;
};

// A textured quad as sprites and menu widgets are drawn: its corners turned
// about (ScreenX, ScreenY), then stretched and moved there.
struct PlacedQuad : Placement
{
    QuadCorners Corners;
};

// The sprite slots, each named once, a row to a kind; SPRITE_FILES gives
// their pictures. The copies are loaded and never drawn.
enum
{
    SPRITE_SCREEN_FADE = 0, SPRITE_SCREEN_FADE_COPY = 1,
    SPRITE_MAKER_LOGO = 2, SPRITE_TEXT_LOGO = 7, SPRITE_SPONSOR_LOGO = 8,
    SPRITE_KEYBOARD_CONTROLS = 3, SPRITE_MENU_BACKGROUND = 4,
    SPRITE_TV_STATIC = 5, SPRITE_TV_FRAME = 6,
    // The hero's five pictures facing each way, then his last death picture.
    SPRITE_HERO_UP = 10, SPRITE_HERO_RIGHT = 20, SPRITE_HERO_DOWN = 30, SPRITE_HERO_LEFT = 40,
    // Copies of the hero that swell and fade when he eats a power pellet.
    SPRITE_SWELL_UP = 46, SPRITE_SWELL_RIGHT = 47, SPRITE_SWELL_DOWN = 48, SPRITE_SWELL_LEFT = 49,
    // Two body pictures per ghost: red, orange, cyan, yellow, green, blue, purple, black.
    SPRITE_GHOST_BODIES = 60,
    SPRITE_SCARED_GHOST = 76, SPRITE_SCARED_GHOST_SECOND = 77,
    SPRITE_EYES_UP = 78, SPRITE_EYES_RIGHT = 79, SPRITE_EYES_DOWN = 80, SPRITE_EYES_LEFT = 81,
    SPRITE_MAP_PELLET = 91, SPRITE_MAP_BACKGROUND = 92, SPRITE_MAP_HERO = 93,
    SPRITE_PELLET = 97, SPRITE_POWER_PELLET = 98, SPRITE_WALL = 99,
    SPRITE_SUPERMARKET = 110, SPRITE_WAREHOUSE = 111, SPRITE_SUNRISE = 112,
    SPRITE_HERO_PORTRAIT = 121, SPRITE_HERO_PORTRAIT_COPY = 123, SPRITE_HEROINE = 130,
    SPRITE_OPENING_GHOST = 140, SPRITE_ENDING_GHOST = 141
};

// Which picture file a sprite slot is loaded from.
struct SpriteFile
{
    unsigned short Index;
    const char* File;
};

const int NUMBER_OF_SPRITE_FILES = 73;
extern const SpriteFile SPRITE_FILES[NUMBER_OF_SPRITE_FILES];

PlacedQuad QuadOfSprite(const Sprite& sprite);

// One credit line rendered once into its own texture.
struct LoadedText
{
    TextureName Texture;
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
class Visuals
{
public:
    Visuals();
    virtual ~Visuals();

    int32_t WindowWidth;
    int32_t WindowHeight;

    Sprite Sprites[NUMBER_OF_SPRITES];
    Typeface* Font[NUMBER_OF_FONTS];
    char VariableText[VARIABLE_TEXT_SIZE];
    LoadedText Texts[NUMBER_OF_LOADED_TEXTS];
    int32_t LastLoadedTextIndex;
    // Sprites are drawn only where their pictures can show, opaque ones
    // unblended; false draws each whole and blended, the same at more fill.
    bool DrawOnlyVisibleParts;
    // The model-view matrix was the identity when last checked, once a frame:
    // the scissor that cuts sprites follows the viewport alone.
    bool DrawingMatrixIsIdentity;
    // While set, a picture drawn later covers all outside this box opaquely:
    // sprites are cut to it (a turned one is drawn whole).
    bool DrawingKeptWithin;
    PixelBox KeptWithin;
    // The menu widgets' pictures and the font of the buttons' labels, and
    // how each widget was last drawn.
    Typeface* ButtonFont;
    TextureName WidgetTexture[NUMBER_OF_INTERFACE_SPRITES];
    Placement WidgetLooks[NUMBER_OF_INTERFACE_SPRITES];

    // window.cpp
    bool SetupGameWindow(int width, int height);
    void SetupOpenGLState(float clearAlpha);
    void ClearScreenBufferWithColor(float red, float green, float blue, float alpha);
    void DisplayScreenBufferOntoDisplay();
    // A new window means a new OpenGL context: every texture is rebuilt. False
    // when the window or its pictures cannot be had, and the game stops.
    bool ResizeWindow(int width, int height);

    // sprites.cpp
    bool LoadSpritesIntoMemoryAndInitialize();
    void DrawSpriteOntoScreenBuffer(unsigned short index);
    void UnloadSpritesFromMemory();
    bool LoadSpriteImage(Sprite& sprite, const char* file);
    // Pushes the matrix and sets the quad's texture, place, colour and
    // smoothing; the caller draws and pops the matrix.
    void PlaceQuad(const PlacedQuad& quad);
    // Places the quad and draws it: whole, or, given its sprite when it may
    // be cut, only where the sprite's picture can show.
    void DrawQuad(const PlacedQuad& quad, const Sprite* sprite = nullptr);

    // visible_parts.cpp
    // From the picture's pixels, as uploaded.
    void FindVisibleParts(Sprite& sprite, const RgbaPicture& picture) const;
    // Whether the sprite may be drawn cut by the scissor: cutting is on, the
    // sprite smooth and upright, and nothing but its own place goes onto the
    // model-view matrix (else a broken rule, and it is drawn whole).
    bool MayBeCut(const Sprite& sprite) const;
    void CheckTheDrawingMatrix();
    // May be cut, and covers every pixel of its quad opaquely.
    bool CoversOpaquely(const Sprite& sprite) const;
    // Draws the placed quad only where the sprite's picture can show.
    void DrawVisibleParts(const Sprite& sprite, const PlacedQuad& quad);
    void DrawQuadBlendedUnlessOpaque(bool opaque, const PlacedQuad& quad);
    // Draws an opaque sprite only over these areas (and a pixel around them),
    // the caller covering the rest opaquely afterwards; others are drawn whole.
    void DrawSpriteOntoScreenBufferWithin(unsigned short index, const ScreenArea* areas, int count);
    // The virtual screen's rectangle of the sprite drawn as its fields stand;
    // false unless it may be cut, at full opacity, unmirrored, not reversed.
    bool FindSpriteArea(unsigned short index, ScreenArea& area) const;
    // The area outside which that rectangle, covering the screen, covers
    // every pixel opaquely; false when it cannot tell.
    bool FindAreaSeenThrough(unsigned short index, ScreenArea& area) const;
    // Keeps sprite drawing inside the area (and a pixel around it) until
    // called with null.
    void KeepDrawingWithin(const ScreenArea* area);

    // images.cpp: picture files into textures, shared with the menu widgets.
    // Loads a picture whose sides are powers of two; prints why not and
    // returns false otherwise. Its pixels are null when no RGBA copy could
    // be made of it; truecolor tells whether the file had no palette.
    bool LoadPowerOfTwoImage(const char* file, RgbaPicture& picture, bool& truecolor) const;
    TextureName UploadNearestTexture(const RgbaPicture& picture, unsigned int format) const;
    // Lays a picture over another by its alpha, its top left at (x, y); the
    // destination keeps its alpha.
    void BlendOntoPictureAt(const RgbaPicture& source, RgbaPicture& destination, int x, int y) const;
    // Copies every pixel of a picture that is not wholly clear onto another,
    // its top left at (x, y): solid letters stamped as an outline.
    void StampOntoPictureAt(const RgbaPicture& source, RgbaPicture& destination, int x, int y) const;
    void DrawTexturedQuad(const PlacedQuad& quad);

    // text.cpp
    bool LoadFontsIntoMemory();
    void UnloadFontsFromMemory();
    int NextPowerOfTwo(int value) const;
    void DrawTextOntoScreenBuffer(const char* text, Typeface* font, float x, float y,
                                  unsigned char justification,
                                  unsigned char red, unsigned char green, unsigned char blue,
                                  unsigned char outlineRed, unsigned char outlineGreen,
                                  unsigned char outlineBlue);
    // The text over a copy of itself grown by outlineWidth pixels on every side,
    // on a transparent power-of-two canvas; false when no letters are drawn.
    bool RenderOutlinedText(const char* text, Typeface* font, LetterColour colour, LetterColour outlineColour,
                            int outlineWidth, int* textWidth, int* textHeight, RgbaPicture& canvas);

    // loaded_texts.cpp
    bool LoadAllTextsIntoMemory();
    void DrawLoadedTextOntoScreenBuffer(unsigned short index, float x, float y);
    void UnloadAllTextsFromMemory();

    // The pictures of the game, drawn from the state the frame's run left;
    // drawing changes nothing of the game.
    // frame.cpp: the screen that ran, the fade's overlay, the debug overlay.
    void DrawFrame();
    void DrawScreenFadeOverlay();
    void DisplayDebuggingInfo();

    // menu_pictures.cpp
    void DrawMenuHeading(const char* heading);
    void DrawMenuBackground(float transparency);
    void DrawTitleScreen();
    void DrawHowToPlayScreen();
    void DrawHighScoresScreen();
    void DrawOptionsScreen();
    void DrawNameInputKeyboardScreen();
    void DrawNameInputJoystickScreen();

    // scene_pictures.cpp
    void DrawSponsorScreen();
    void DrawBrickwellScreen();
    void DrawAboutScreen();
    void DrawOpeningSceneScreen();
    void DrawEndingSceneScreen();

    // play_picture.cpp: the board, the actors, the mini-map, the panel
    void DrawPlayingGameScreen();
    void DrawPlayer();
    void DrawGhosts();
    void DrawLivePlayer(int base);
    void DrawDyingPlayer(int base);
    void DrawPowerPelletAnimation();
    void DrawGhost(int ghost);
    int GhostBodySprite(int ghost) const;
    void DrawSpriteAt(unsigned short index, float x, float y);

    // widget_pictures.cpp: the menus' widgets' pictures, loaded at start-up
    // with their records' sizes (initialize), and again after a resize
    bool CreateAllGUIAndInitialize(bool initialize);
    void UnloadGUIFromMemory();
    bool LoadInterfaceImage(int index, bool initialize);
    void PrintLabelIntoImage(RgbaPicture& image, const char* label);

    // widgets.cpp: the menus' buttons and arrows
    void DisplayAllButtonsOntoScreenBuffer();
    void DisplayAllArrowSetsOntoScreenBuffer();
    void DrawInterfaceSprite(int index);
};

extern Visuals* visuals;

#endif
