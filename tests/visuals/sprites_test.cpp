#include <gtest/gtest.h>

#include <unistd.h>

#include "game/game.h"
#include "support/stand_in_pictures.h"
#include "support/window_fixture.h"
#include "visuals/visuals.h"

namespace {

const uint32_t RED = 0xFF0000;
const uint32_t BLUE = 0x0000FF;
const uint32_t WHITE = 0xFFFFFF;
// Slot 4 is drawn in these tests; slot 5 is the one broken in the failure cases.
const int DRAWN_SLOT = 4;
const char DRAWN_FILE[] = "data/graphics/Arcade-Room-01.png";
const int BROKEN_SLOT = 5;
const char BROKEN_FILE[] = "data/graphics/TV_Static.png";

class Sprites : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        MakeStandInPictures(directory->path);
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
    visuals->Sprites[0].ScaleX = 20.0f;
    visuals->Sprites[0].ScaleY = 20.0f;
    visuals->DrawSpriteOntoScreenBuffer(0);
    EXPECT_TRUE(PixelIs(320, 240, 0, 0, 0));
    EXPECT_TRUE(PixelIs(5, 5, 0, 0, 0));
}

TEST_F(Sprites, LoadingFillsEveryTableSlotWithItsStartingStateAndNoOther)
{
    ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize());
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Loaded and initialized all sprite images into memory"}));

    int loaded = 0;
    for (const Sprite& sprite : visuals->Sprites) loaded += sprite.Texture != 0;
    EXPECT_EQ(73, loaded);
    for (int empty : {9, 16, 50, 82, 100, 142, 499}) EXPECT_EQ(0u, visuals->Sprites[empty].Texture) << empty;

    for (const SpriteFile& entry : SPRITE_FILES)
    {
        const Sprite& sprite = visuals->Sprites[entry.Index];
        EXPECT_TRUE(glIsTexture(sprite.Texture)) << entry.File;
        EXPECT_EQ(320.0f, sprite.ScreenX);
        EXPECT_EQ(240.0f, sprite.ScreenY);
        EXPECT_EQ(1.0f, sprite.ScaleX);
        EXPECT_EQ(1.0f, sprite.ScaleY);
        EXPECT_EQ(0.0f, sprite.RotationDegree);
        EXPECT_EQ(1.0f, sprite.Transparency);
        EXPECT_EQ(1.0f, sprite.RedHue);
        EXPECT_EQ(1.0f, sprite.GreenHue);
        EXPECT_EQ(1.0f, sprite.BlueHue);
        EXPECT_TRUE(sprite.Smooth);
        EXPECT_FALSE(sprite.FlipX || sprite.FlipY);
        EXPECT_EQ(64, sprite.ImageWidth);
        EXPECT_EQ(64, sprite.ImageHeight);
    }
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

TEST_F(Sprites, EmptySlotsDrawNothingAndUnloadingDeletesEveryTexture)
{
    LoadWithPicture(64, 64, WHITE, WHITE);
    visuals->DrawSpriteOntoScreenBuffer(9);
    visuals->DrawSpriteOntoScreenBuffer(60000);
    EXPECT_TRUE(PixelIs(320, 240, 0, 0, 0));

    const GLuint texture = Drawn().Texture;
    visuals->UnloadSpritesFromMemory();
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Loaded and initialized all sprite images into memory",
                                               "Unloaded all sprite images from memory"}));
}

}  // namespace
