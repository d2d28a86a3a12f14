#include <GL/gl.h>
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "game/game.h"
#include "support/data_folder.h"
#include "support/pictures.h"
#include "support/window_fixture.h"
#include "visuals/visuals.h"

namespace {

const uint32_t RED = 0xFF0000;
const uint32_t BLUE = 0x0000FF;
const uint32_t WHITE = 0xFFFFFF;
// The menu background is drawn in these tests; the static is broken in the failure cases.
const int DRAWN_SLOT = SPRITE_MENU_BACKGROUND;
const char DRAWN_FILE[] = "data/graphics/Arcade-Room-01.png";
const int BROKEN_SLOT = SPRITE_TV_STATIC;
const char BROKEN_FILE[] = "data/graphics/TV_Static.png";

class Sprites : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(MakeStandInPictures(directory->path));
    }

    // Loads the table with the drawn slot holding this picture, then clears to black.
    void LoadWithPicture(int width, int height, uint32_t top, uint32_t bottom)
    {
        ASSERT_TRUE(WritePicture(DRAWN_FILE, width, height, top, bottom));
        ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize());
        visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    }

    Sprite& Drawn() { return visuals->Sprites[DRAWN_SLOT]; }
};

using GamePictures = WindowTest;

TEST_F(GamePictures, TheWholeTableLoadsAndTheFadePictureIsOpaqueBlack)
{
    ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize()) << output->Text();
    EXPECT_EQ(std::string::npos, output->Text().find("ERROR"));
    visuals->ClearScreenBufferWithColor(1.0f, 1.0f, 1.0f, 1.0f);
    visuals->Sprites[SPRITE_SCREEN_FADE].ScaleX = 20.0f;
    visuals->Sprites[SPRITE_SCREEN_FADE].ScaleY = 20.0f;
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_SCREEN_FADE);
    EXPECT_TRUE(PixelIs(320, 240, 0, 0, 0));
    EXPECT_TRUE(PixelIs(5, 5, 0, 0, 0));
}

// What a screen did to a sprite lasts until the table is loaded again, as
// after a resize: then the picture is drawn as its first load drew it, its
// soft parts blended. Only the listed slots hold a picture.
TEST_F(Sprites, ALoadDrawsEveryPictureAfreshAndFillsOnlyTheListedSlots)
{
    const std::vector<uint32_t> halfRed(64 * 32, 0x80FF0000);
    ASSERT_TRUE(WriteTranslucentPicture(DRAWN_FILE, 64, 32, halfRed.data()));
    ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize());
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
    EXPECT_TRUE(PixelIs(320, 240, 128, 0, 0));
    const std::vector<uint8_t> firstLoad = ReadWindow();

    Sprite& used = Drawn();
    used.ScreenX = 100.0f;
    used.ScreenY = 50.0f;
    used.ScaleX = 3.0f;
    used.ScaleY = 0.5f;
    used.RotationDegree = 30.0f;
    used.Transparency = 0.25f;
    used.RedHue = used.GreenHue = used.BlueHue = 0.5f;
    used.Smooth = false;
    used.FlipX = used.FlipY = true;
    visuals->UnloadSpritesFromMemory();
    ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize());
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
    EXPECT_EQ(0, Compare(firstLoad, ReadWindow(), 0).pixels);

    bool listed[NUMBER_OF_SPRITES] = {};
    for (const SpriteFile& entry : SPRITE_FILES) listed[entry.Index] = true;
    for (int slot = 0; slot < NUMBER_OF_SPRITES; slot++)
        EXPECT_EQ(listed[slot], glIsTexture(visuals->Sprites[slot].Texture) == GL_TRUE) << slot;
}

TEST_F(Sprites, FailuresStopAtTheBrokenPictureAndKeepTheSlotsBeforeIt)
{
    struct Case
    {
        int width;
        int height;
        bool widthMessage;
        bool heightMessage;
    };
    const Case cases[] = {{100, 64, true, false}, {64, 100, false, true}, {100, 100, true, true}, {0, 0, false, false}};
    const char widthLine[] = "ERROR: Image width is not a power of 2";
    const char heightLine[] = "ERROR: Image height is not a power of 2";

    for (const Case& broken : cases)
    {
        SCOPED_TRACE(std::to_string(broken.width) + " x " + std::to_string(broken.height));
        ASSERT_TRUE(OpenWindow(640, 480));
        const size_t logStart = output->Text().size();
        if (broken.width == 0)
            unlink(BROKEN_FILE);
        else
            ASSERT_TRUE(WritePicture(BROKEN_FILE, broken.width, broken.height, WHITE, WHITE));

        EXPECT_FALSE(visuals->LoadSpritesIntoMemoryAndInitialize());

        const std::string log = output->Text().substr(logStart);
        EXPECT_EQ(broken.widthMessage, AppearInOrder(log, {widthLine})) << log;
        EXPECT_EQ(broken.heightMessage, AppearInOrder(log, {heightLine})) << log;
        if (broken.widthMessage && broken.heightMessage)
        {
            EXPECT_TRUE(AppearInOrder(log, {widthLine, heightLine}));
        }
        if (broken.width == 0)
        {
            EXPECT_EQ(0u, log.find("ERROR: SDL could not load image ")) << log;
            EXPECT_NE(std::string::npos, log.find("TV_Static.png")) << log;
            EXPECT_EQ(1, CountOccurrences(log, "\n"));
        }
        EXPECT_EQ(std::string::npos, log.find("Loaded and initialized"));
        for (int slot = 0; slot < BROKEN_SLOT; slot++) EXPECT_NE(0u, visuals->Sprites[slot].Texture) << slot;
        for (int slot = BROKEN_SLOT; slot < NUMBER_OF_SPRITES; slot++)
            ASSERT_EQ(0u, visuals->Sprites[slot].Texture) << slot;
    }
}

TEST_F(Sprites, AnUntouchedSpriteIsDrawnUprightAtItsSizeAroundTheScreenCentre)
{
    LoadWithPicture(64, 32, RED, BLUE);
    visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
    EXPECT_TRUE(PixelIs(320, 232, 255, 0, 0));
    EXPECT_TRUE(PixelIs(320, 248, 0, 0, 255));
    EXPECT_TRUE(PixelIs(290, 232, 255, 0, 0));
    EXPECT_TRUE(PixelIs(349, 248, 0, 0, 255));
    EXPECT_TRUE(PixelIs(286, 240, 0, 0, 0));
    EXPECT_TRUE(PixelIs(354, 240, 0, 0, 0));
    EXPECT_TRUE(PixelIs(320, 221, 0, 0, 0));
    EXPECT_TRUE(PixelIs(320, 259, 0, 0, 0));
}

TEST_F(Sprites, PositionAndScaleMoveAndStretchTheQuad)
{
    LoadWithPicture(64, 32, RED, BLUE);
    Drawn().ScreenX = 100.0f;
    Drawn().ScreenY = 400.0f;
    Drawn().ScaleX = 2.0f;
    Drawn().ScaleY = 0.5f;
    visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
    EXPECT_TRUE(PixelIs(40, 397, 255, 0, 0));
    EXPECT_TRUE(PixelIs(160, 403, 0, 0, 255));
    EXPECT_TRUE(PixelIs(30, 400, 0, 0, 0));
    EXPECT_TRUE(PixelIs(170, 400, 0, 0, 0));
    EXPECT_TRUE(PixelIs(100, 389, 0, 0, 0));
    EXPECT_TRUE(PixelIs(100, 411, 0, 0, 0));
}

// The corners turn about the centre first and are stretched along the screen
// afterwards: a tall picture turned a quarter becomes a wide one twice as long.
TEST_F(Sprites, RotationTurnsAboutTheCentreBeforeTheScale)
{
    LoadWithPicture(32, 64, RED, BLUE);
    Drawn().RotationDegree = 90.0f;
    Drawn().ScaleX = 2.0f;
    visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
    EXPECT_TRUE(PixelIs(380, 240, 255, 0, 0));
    EXPECT_TRUE(PixelIs(260, 240, 0, 0, 255));
    EXPECT_TRUE(PixelIs(330, 228, 255, 0, 0));
    EXPECT_TRUE(PixelIs(392, 240, 0, 0, 0));
    EXPECT_TRUE(PixelIs(320, 222, 0, 0, 0));
    EXPECT_TRUE(PixelIs(320, 258, 0, 0, 0));
}

TEST_F(Sprites, TintMultipliesTheColoursAndTransparencyBlendsOverWhatIsBelow)
{
    LoadWithPicture(64, 64, WHITE, WHITE);
    Drawn().ScreenX = 200.0f;
    Drawn().RedHue = 1.0f;
    Drawn().GreenHue = 0.5f;
    Drawn().BlueHue = 0.0f;
    visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
    EXPECT_TRUE(PixelIs(200, 240, 255, 128, 0));

    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 1.0f, 1.0f);
    Drawn().RedHue = Drawn().GreenHue = Drawn().BlueHue = 1.0f;
    Drawn().Transparency = 0.25f;
    visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
    EXPECT_TRUE(PixelIs(200, 240, 64, 64, 255));
}

TEST_F(Sprites, ASpriteDrawnRoughKeepsNearestFilteringAndDoesNotTurnOnBlending)
{
    LoadWithPicture(64, 64, WHITE, WHITE);
    glDisable(GL_BLEND);
    Drawn().Smooth = false;
    Drawn().Transparency = 0.25f;
    visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
    EXPECT_TRUE(PixelIs(320, 240, 255, 255, 255));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint filter = 0;
    glBindTexture(GL_TEXTURE_2D, Drawn().Texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(GL_NEAREST, filter);

    Drawn().Smooth = true;
    visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(GL_LINEAR, filter);
}

TEST_F(Sprites, MirroringHangsTheQuadOffItsPosition)
{
    LoadWithPicture(64, 32, RED, BLUE);
    Drawn().FlipX = true;
    visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
    EXPECT_TRUE(PixelIs(350, 235, 255, 0, 0));
    EXPECT_TRUE(PixelIs(380, 245, 0, 0, 255));
    EXPECT_TRUE(PixelIs(300, 240, 0, 0, 0));
}

// An empty slot, placed and sized as a loaded one, draws nothing (its quad
// would be white); a slot past the table is a broken rule: logged, and
// nothing drawn.
TEST_F(Sprites, EmptySlotsDrawNothingAndUnloadingDeletesEveryTexture)
{
    LoadWithPicture(64, 64, WHITE, WHITE);
    Sprite& empty = visuals->Sprites[9];
    empty = Drawn();
    empty.Texture = 0;
    visuals->DrawSpriteOntoScreenBuffer(9);
    EXPECT_TRUE(PixelIs(320, 240, 0, 0, 0));
    EXPECT_EQ(0, TakeBrokenRules());
    visuals->DrawSpriteOntoScreenBuffer(60000);
    EXPECT_EQ(1, TakeBrokenRules());
    EXPECT_NE(std::string::npos, output->Text().find("ERROR: src/visuals/sprites.cpp:"));
    EXPECT_TRUE(PixelIs(320, 240, 0, 0, 0));

    const GLuint texture = Drawn().Texture;
    visuals->UnloadSpritesFromMemory();
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Loaded and initialized all sprite images into memory",
                                               "Unloaded all sprite images from memory"}));
}

// Pictures that cutting into visible pieces must get right, in 0xAARRGGBB;
// the colour runs across the picture so that any texel out of place shows.
struct AwkwardPicture
{
    const char* name;
    int width;
    int height;
    uint32_t (*alpha)(int x, int y, int width, int height);
};

uint32_t Disc(int x, int y, int width, int height)  // a pellet: a soft disc in much empty space
{
    const float distance = hypotf(x + 0.5f - width / 2, y + 0.5f - height / 2);
    return (uint32_t)fmaxf(0.0f, fminf(255.0f, (9.0f - distance) * 128.0f));
}
uint32_t FrameWithRoundedHole(int x, int y, int width, int height)  // a television: a border around nothing
{
    const float dx = fmaxf(0.0f, fabsf(x + 0.5f - width / 2) - width / 4);
    const float dy = fmaxf(0.0f, fabsf(y + 0.5f - height / 2) - height / 6);
    return (uint32_t)fmaxf(0.0f, fminf(255.0f, (hypotf(dx, dy) - 7.0f) * 100.0f));
}
uint32_t LeftAndTopEdges(int x, int y, int, int)  // the wrapped filtering shows it on the far edges too
{
    return x < 2 || y < 1 ? 255 : 0;
}
uint32_t OpaqueButOneTexel(int x, int y, int, int)
{
    return x == 40 && y == 10 ? 254 : 255;
}
uint32_t FaintCorner(int x, int y, int, int)
{
    return x == 0 && y == 0 ? 1 : 0;
}
uint32_t SparseSpecks(int x, int y, int, int)  // more pieces than a record holds
{
    const uint32_t hash = (uint32_t)x * 73856093u ^ (uint32_t)y * 19349663u;
    return hash % 53 == 0 ? 40 + hash % 200 : 0;
}
uint32_t ThinStripes(int, int y, int, int)  // bands apart that no cost joins
{
    return y % 6 == 0 ? 255 : 0;
}
uint32_t Nothing(int, int, int, int)
{
    return 0;
}
uint32_t Everything(int, int, int, int)
{
    return 255;
}

const AwkwardPicture AWKWARD_PICTURES[] = {
    {"disc", 64, 64, Disc},
    {"frame with a rounded hole", 128, 64, FrameWithRoundedHole},
    {"left and top edges", 64, 32, LeftAndTopEdges},
    {"opaque but one texel", 64, 64, OpaqueButOneTexel},
    {"faint corner", 32, 32, FaintCorner},
    {"sparse specks", 128, 128, SparseSpecks},
    {"thin stripes", 16, 256, ThinStripes},
    {"nothing", 64, 64, Nothing},
    {"everything", 32, 64, Everything},
};

// How a sprite is drawn: place, scale, turn, colour, mirroring.
struct DrawingState
{
    const char* name;
    float x, y, scaleX, scaleY, rotation, transparency, red, green, blue;
    bool flipX, flipY;
};

const DrawingState DRAWING_STATES[] = {
    {"at rest", 200, 150, 1, 1, 0, 1, 1, 1, 1, false, false},
    {"edges on odd coordinates", 201, 151, 1, 1, 0, 1, 1, 1, 1, false, false},
    {"television", 333.3f, 251.7f, 1.6f, 1.6f, 0, 1, 1, 1, 1, false, false},
    {"swelling", 320, 240, 7.8f, 7.8f, 0, 0.3f, 1, 1, 1, false, false},
    {"shrunk", 101.5f, 402.25f, 0.45f, 0.7f, 0, 1, 1, 1, 1, false, false},
    {"tinted, half seen", 480.5f, 120, 2.3f, 1.1f, 0, 0.5f, 1, 0.4f, 0.2f, false, false},
    {"mirrored", 250, 260, 1.3f, 2, 0, 1, 1, 1, 1, true, true},
    {"reversed by its scale", 420, 300, -1.5f, 1.25f, 0, 1, 1, 1, 1, false, false},
};

// Turned, a sprite is drawn whole; so it is under any transform but its own
// (the last, not turned), which the scissor cannot follow.
const DrawingState DRAWN_WHOLE_STATES[] = {
    {"turned a quarter", 300, 200, 1.5f, 1, 90, 1, 1, 1, 1, false, false},
    {"turned aslant", 300, 200, 1, 1, 33, 0.8f, 1, 1, 1, false, false},
    {"under another transform", 200, 150, 1, 1, 0, 1, 1, 1, 1, false, false},
};

// The virtual screen over other windows: larger, offset, smaller, and two
// that put the edges of quads at odd or whole coordinates right on pixel
// centres (where the driver's rule alone decides whose pixel it is).
struct Viewport
{
    int x, y, width, height;
};
const Viewport VIEWPORTS[] = {{0, 0, 640, 480},     {0, 0, 1003, 701}, {-37, -15, 1280, 960},
                              {0, 0, 301, 211},     {0, 0, 320, 240},  {0, 0, 997, 601}};
// An area sprites are kept within, cutting through most of them.
const ScreenArea KEPT_WITHIN = {150.5f, 120.25f, 420.75f, 380.0f};

class SpritePieces : public Sprites
{
protected:
    void LoadAwkwardPicture(const AwkwardPicture& picture)
    {
        std::vector<uint32_t> pixels(picture.width * picture.height);
        for (int y = 0; y < picture.height; y++)
        {
            for (int x = 0; x < picture.width; x++)
            {
                const uint32_t colour = (x * 255 / picture.width) << 16 | (y * 255 / picture.height) << 8 | ((x ^ y) & 255);
                pixels[y * picture.width + x] = picture.alpha(x, y, picture.width, picture.height) << 24 | colour;
            }
        }
        ASSERT_TRUE(WriteTranslucentPicture(DRAWN_FILE, picture.width, picture.height, pixels.data()));
        if (Drawn().Texture != 0) glDeleteTextures(1, &Drawn().Texture);
        ASSERT_TRUE(visuals->LoadSpriteImage(Drawn(), DRAWN_FILE)) << output->Text();
    }

    void SetState(const DrawingState& state)
    {
        Sprite& sprite = Drawn();
        sprite.ScreenX = state.x;
        sprite.ScreenY = state.y;
        sprite.ScaleX = state.scaleX;
        sprite.ScaleY = state.scaleY;
        sprite.RotationDegree = state.rotation;
        sprite.Transparency = state.transparency;
        sprite.RedHue = state.red;
        sprite.GreenHue = state.green;
        sprite.BlueHue = state.blue;
        sprite.FlipX = state.flipX;
        sprite.FlipY = state.flipY;
    }

    // Over a background of two colours (so that blending shows), drawn whole
    // or in its pieces.
    std::vector<uint8_t> DrawOverBackground(bool inPieces)
    {
        visuals->DrawOnlyVisibleParts = inPieces;
        ClearToBackground();
        visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
        return ReadWindow();
    }

    void ClearToBackground()
    {
        visuals->ClearScreenBufferWithColor(0.2f, 0.5f, 0.7f, 1.0f);
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, 320, 480);
        visuals->ClearScreenBufferWithColor(0.9f, 0.1f, 0.3f, 1.0f);
        glDisable(GL_SCISSOR_TEST);
    }

    // Kept within an area, the sprite draws what it draws whole inside it,
    // and two pixels or more outside it nothing, or, when it is to be drawn
    // whole, what it draws whole.
    void ExpectKeptWithin(const Viewport& viewport, const std::vector<uint8_t>& whole, bool drawnWhole)
    {
        visuals->KeepDrawingWithin(&KEPT_WITHIN);
        const std::vector<uint8_t> kept = DrawOverBackground(true);
        visuals->KeepDrawingWithin(nullptr);
        const float scaleX = viewport.width / 640.0f;
        const float scaleY = viewport.height / 480.0f;
        const float left = viewport.x + KEPT_WITHIN.Left * scaleX;
        const float right = viewport.x + KEPT_WITHIN.Right * scaleX;
        const float bottom = viewport.y + (480 - KEPT_WITHIN.Bottom) * scaleY;
        const float top = viewport.y + (480 - KEPT_WITHIN.Top) * scaleY;
        ClearToBackground();
        const std::vector<uint8_t> background = ReadWindow();
        int wrong = 0;
        for (int y = 0; y < 480; y++)
        {
            for (int x = 0; x < 640; x++)
            {
                const float centreX = x + 0.5f;
                const float centreY = y + 0.5f;
                const bool inside = centreX > left && centreX < right && centreY > bottom && centreY < top;
                const bool outside = centreX < left - 2 || centreX > right + 2 || centreY < bottom - 2 || centreY > top + 2;
                const size_t at = 3 * (y * 640 + x);
                const bool asWhole = memcmp(&kept[at], &whole[at], 3) == 0;
                const bool asBackground = memcmp(&kept[at], &background[at], 3) == 0;
                if (inside && !asWhole) wrong++;
                if (outside && !(drawnWhole ? asWhole : asBackground)) wrong++;
            }
        }
        EXPECT_EQ(0, wrong) << "kept within an area";
    }
};

// Every pixel, exactly: the pieces draw the whole quad with its own texture
// coordinates, only cut by the scissor, so not even the filtering may differ.
TEST_F(SpritePieces, EveryPictureIsDrawnToThePixelAsItsWholeQuadDrawsIt)
{
    ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize());
    for (const AwkwardPicture& picture : AWKWARD_PICTURES)
    {
        LoadAwkwardPicture(picture);
        for (const Viewport& viewport : VIEWPORTS)
        {
            glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
            for (const DrawingState& state : DRAWING_STATES)
            {
                SCOPED_TRACE(std::string(picture.name) + ", " + state.name + ", viewport " +
                             std::to_string(viewport.width) + " x " + std::to_string(viewport.height));
                SetState(state);
                const std::vector<uint8_t> whole = DrawOverBackground(false);
                const PictureDifference difference = Compare(whole, DrawOverBackground(true), 0);
                EXPECT_EQ(0, difference.pixels) << "largest " << difference.largest << " first at "
                                                << difference.firstX << ", " << difference.firstY;
                ExpectKeptWithin(viewport, whole, false);
                EXPECT_TRUE(glIsEnabled(GL_BLEND));
                EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
            }
        }
    }
}

// Cut, the frame turned would lose what turns into its hole's place, and the
// disc moved by the transform all of it; the transform breaks a rule too.
TEST_F(SpritePieces, ATurnedOrTransformedSpriteIsDrawnWhole)
{
    ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize());
    for (const DrawingState& state : DRAWN_WHOLE_STATES)
    {
        SCOPED_TRACE(state.name);
        const bool transformed = state.rotation == 0.0f;
        LoadAwkwardPicture(AWKWARD_PICTURES[transformed ? 0 : 1]);
        SetState(state);
        if (transformed)
        {
            glTranslatef(37.0f, -21.0f, 0.0f);
            glScalef(1.3f, 0.8f, 1.0f);
        }
        visuals->CheckTheDrawingMatrix();  // as each frame does
        const std::vector<uint8_t> whole = DrawOverBackground(false);
        EXPECT_EQ(0, Compare(whole, DrawOverBackground(true), 0).pixels);
        ExpectKeptWithin(VIEWPORTS[0], whole, true);
        glLoadIdentity();
    }
    EXPECT_GT(TakeBrokenRules(), 0);
    EXPECT_NE(std::string::npos, output->Text().find(": ModelViewIsIdentity()\n"));
}

bool InBox(const TexelBox& box, int x, int y)
{
    return x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
}

int AreaOf(const TexelBox& box)
{
    return box.IsEmpty() ? 0 : (box.Right - box.Left) * (box.Bottom - box.Top);
}

// Its corners, or none when it is empty.
std::vector<int> Corners(const TexelBox& box)
{
    return box.IsEmpty() ? std::vector<int>() : std::vector<int>{box.Left, box.Top, box.Right, box.Bottom};
}

// Held against the picture's own texels. A pixel drawn at a texel may take
// in any texel around it (the filtering, wrapping at the edges): the box
// around what shows is the least that holds every texel with some alpha
// around it, the see-through box likewise for alpha below full; the hole
// holds none of them. Drawn at rest in the game's window, where a texel is
// a pixel, the sprite fills no more than the box less the hole.
TEST_F(SpritePieces, TheBoxesFoundAtLoadHoldJustTheTexelsThatCanShow)
{
    ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize());
    for (const AwkwardPicture& picture : AWKWARD_PICTURES)
    {
        SCOPED_TRACE(picture.name);
        LoadAwkwardPicture(picture);
        const int width = picture.width;
        const int height = picture.height;
        const auto anyAroundOtherThan = [&](int x, int y, uint32_t alpha) {
            for (int dy = -1; dy <= 1; dy++)
            {
                for (int dx = -1; dx <= 1; dx++)
                {
                    if (picture.alpha((x + dx + width) % width, (y + dy + height) % height, width, height) != alpha)
                        return true;
                }
            }
            return false;
        };
        const auto takeIn = [](TexelBox& box, int x, int y) {
            box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
        };
        TexelBox shows = {width, height, 0, 0};
        TexelBox showsThrough = shows;
        bool opaque = true;
        for (int y = 0; y < height; y++)
        {
            for (int x = 0; x < width; x++)
            {
                if (picture.alpha(x, y, width, height) != 255) opaque = false;
                if (anyAroundOtherThan(x, y, 255)) takeIn(showsThrough, x, y);
                if (!anyAroundOtherThan(x, y, 0)) continue;
                takeIn(shows, x, y);
                ASSERT_FALSE(InBox(Drawn().Hole, x, y)) << x << ", " << y;
            }
        }
        EXPECT_EQ(opaque, Drawn().Opaque);
        EXPECT_EQ(Corners(shows), Corners(Drawn().Shown));
        EXPECT_EQ(Corners(showsThrough), Corners(Drawn().SeeThrough));
        SetState(DRAWING_STATES[0]);
        // A query that yields nothing reads 0: what shows must fill something.
        const double filled = PixelsFilledBy([] { visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT); });
        EXPECT_LE(filled, AreaOf(Drawn().Shown) - AreaOf(Drawn().Hole));
        EXPECT_EQ(AreaOf(Drawn().Shown) > 0, filled > 0);
    }
    LoadAwkwardPicture(AWKWARD_PICTURES[1]);  // a frame whose opening spans about 26..101 x 15..48
    EXPECT_GT(AreaOf(Drawn().Hole), 60 * 25);
}

Pixel PixelOf(const std::vector<uint8_t>& picture, int x, int y)
{
    const size_t at = 3 * ((479 - y) * 640 + x);
    return Pixel{picture[at], picture[at + 1], picture[at + 2]};
}

bool SamePixel(const Pixel& one, const Pixel& other)
{
    return one.red == other.red && one.green == other.green && one.blue == other.blue;
}

bool InAreas(const ScreenArea* areas, int count, int x, int y, int margin)
{
    for (int area = 0; area < count; area++)
    {
        if (x + 0.5f >= areas[area].Left - margin && x + 0.5f < areas[area].Right + margin &&
            y + 0.5f >= areas[area].Top - margin && y + 0.5f < areas[area].Bottom + margin)
            return true;
    }
    return false;
}

// An opaque sprite drawn within areas covers them as it would whole, and
// leaves what lies two pixels or more outside them; a sprite that is not
// opaque is drawn whole.
TEST_F(SpritePieces, AnOpaqueSpriteDrawnWithinAreasCoversJustThem)
{
    ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize());
    const ScreenArea areas[] = {{250.5f, 100, 300, 140.25f}, {310, 300, 400, 330}};
    for (int picture : {8, 3})  // opaque, then one translucent texel
    {
        SCOPED_TRACE(AWKWARD_PICTURES[picture].name);
        LoadAwkwardPicture(AWKWARD_PICTURES[picture]);
        Drawn().ScaleX = Drawn().ScaleY = 5.0f;
        visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
        visuals->DrawSpriteOntoScreenBuffer(DRAWN_SLOT);
        const std::vector<uint8_t> whole = ReadWindow();
        visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
        visuals->DrawSpriteOntoScreenBufferWithin(DRAWN_SLOT, areas, 2);
        const std::vector<uint8_t> within = ReadWindow();
        EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
        const bool opaque = picture == 8;
        for (int y = 0; y < 480; y++)
        {
            for (int x = 0; x < 640; x++)
            {
                const Pixel drawn = PixelOf(within, x, y);
                const bool covered = !opaque || InAreas(areas, 2, x, y, 0);
                const bool left = opaque && !InAreas(areas, 2, x, y, 2);
                ASSERT_TRUE(!covered || SamePixel(drawn, PixelOf(whole, x, y))) << x << ", " << y;
                ASSERT_TRUE(!left || SamePixel(drawn, Pixel{0, 0, 0})) << x << ", " << y;
            }
        }
    }
}

}  // namespace
