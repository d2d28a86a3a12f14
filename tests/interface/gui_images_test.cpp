#include <GL/gl.h>
#include <gtest/gtest.h>

#include "interface/interface.h"
#include "interface_fixture.h"
#include "screens/screens.h"
#include "support/pictures.h"
#include "visuals/visuals.h"

namespace {

using GUIImages = InterfaceTest;

TEST_F(GUIImages, LoadGivesEveryRecordItsImageAndResetState)
{
    ASSERT_TRUE(visuals->CreateAllGUIAndInitialize(true));
    EXPECT_NE(std::string::npos, output->Text().find("Loaded and initialized all button/GUI images into memory\n"));
    for (int index = 0; index < NUMBER_OF_INTERFACE_SPRITES; index++)
    {
        const InterfaceSprite& record = interface->InterfaceSprites[index];
        EXPECT_TRUE(glIsTexture(visuals->WidgetTexture[index]));
        EXPECT_EQ(-1, record.ScreenIndex);
        EXPECT_EQ(-1, record.PressedAnimationTimer);
        EXPECT_FLOAT_EQ(3.0f, record.HitBoxTrimX);
        EXPECT_FLOAT_EQ(12.0f, record.HitBoxTrimY);
    }
    EXPECT_FLOAT_EQ(256.0f, interface->InterfaceSprites[BUTTON_EXIT].ImageWidth);
    EXPECT_FLOAT_EQ(512.0f, interface->InterfaceSprites[SELECTOR_LINE].ImageWidth);
    EXPECT_FLOAT_EQ(32.0f, interface->InterfaceSprites[FIRST_ARROW + 19].ImageHeight);

    // A replay with no window sizes them by their pictures' headers alone.
    InterfaceSprite decoded[NUMBER_OF_INTERFACE_SPRITES];
    std::copy(interface->InterfaceSprites, interface->InterfaceSprites + NUMBER_OF_INTERFACE_SPRITES, decoded);
    ASSERT_TRUE(interface->InitializeRecordsFromPictureSizes());
    for (int index = 0; index < NUMBER_OF_INTERFACE_SPRITES; index++)
    {
        EXPECT_FLOAT_EQ(decoded[index].ImageWidth, interface->InterfaceSprites[index].ImageWidth) << index;
        EXPECT_FLOAT_EQ(decoded[index].ImageHeight, interface->InterfaceSprites[index].ImageHeight) << index;
    }
}

TEST_F(GUIImages, LabelIsPrintedIntoTheButtonPictureAndCutAtItsEdges)
{
    ASSERT_TRUE(visuals->CreateAllGUIAndInitialize(true));
    interface->CreateButton(BUTTON_START, 0, 320, 240);
    visuals->ClearScreenBufferWithColor(0, 0, 0, 1);
    visuals->DrawInterfaceSprite(BUTTON_START);

    // The picture is plain red; the label leaves dark pixels along its middle row.
    int darkPixels = 0;
    for (int x = 240; x < 400; x++)
    {
        const Pixel pixel = ReadPixel(x, 241);
        if (pixel.red < 120) darkPixels++;
    }
    EXPECT_GT(darkPixels, 5);
    // A corner of the picture stays as drawn, at the buttons' three-quarter opacity over black.
    EXPECT_TRUE(PixelIs(196, 212, 150, 30, 30, 12));

    // A label larger than its picture is cut at every edge, as SDL cut its
    // blits: a 16 x 16 button holds the middle of its letters.
    ASSERT_TRUE(WritePicture("data/interface/Button.png", 16, 16, BUTTON_RED));
    visuals->UnloadGUIFromMemory();
    ASSERT_TRUE(visuals->CreateAllGUIAndInitialize(true));
    interface->CreateButton(BUTTON_START, 0, 320, 240);
    visuals->ClearScreenBufferWithColor(0, 0, 0, 1);
    visuals->DrawInterfaceSprite(BUTTON_START);
    int labelled = 0;
    for (int y = 232; y < 248; y++)
        for (int x = 312; x < 328; x++) labelled += PixelIs(x, y, 150, 30, 30, 12) ? 0 : 1;
    EXPECT_GT(labelled, 10);
}

TEST_F(GUIImages, ReloadAfterResizeKeepsStateAndLeaksNothing)
{
    ASSERT_TRUE(visuals->CreateAllGUIAndInitialize(true));
    interface->CreateButton(BUTTON_HIGH_SCORES, 3, 320, 322);
    interface->CreateArrowSet(2, 3, 120);
    interface->CurrentlySelectedButton = 3;
    interface->InterfaceSprites[BUTTON_HIGH_SCORES].PressedAnimationTimer = 4;
    const InterfaceSprite before = interface->InterfaceSprites[BUTTON_HIGH_SCORES];
    const InterfaceSprite arrowBefore = interface->InterfaceSprites[FIRST_ARROW + 3];
    const int textures = CountTextures();
    const int files = CountOpenFiles();

    for (int resize = 0; resize < 3; resize++)
    {
        visuals->UnloadGUIFromMemory();
        ASSERT_TRUE(visuals->CreateAllGUIAndInitialize(false));
    }

    EXPECT_EQ(textures, CountTextures());
    EXPECT_EQ(files, CountOpenFiles());
    const InterfaceSprite& after = interface->InterfaceSprites[BUTTON_HIGH_SCORES];
    EXPECT_EQ(3, after.ScreenIndex);
    EXPECT_FLOAT_EQ(before.ScreenY, after.ScreenY);
    EXPECT_EQ(4, after.PressedAnimationTimer);
    EXPECT_FLOAT_EQ(arrowBefore.ScreenX, interface->InterfaceSprites[FIRST_ARROW + 3].ScreenX);
    EXPECT_FLOAT_EQ(10.0f, interface->InterfaceSprites[FIRST_ARROW + 3].HitBoxTrimX);
    EXPECT_EQ(3, interface->CurrentlySelectedButton);
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Unloaded all button/GUI images from memory",
                                               "Loaded all button/GUI images into memory"}));
}

TEST_F(GUIImages, BadPicturesFailWithTheirOwnMessage)
{
    ASSERT_TRUE(WriteIndexedPicture("data/interface/Selector-Line.png", 512, 64, std::vector<uint8_t>(512 * 64)));
    EXPECT_FALSE(visuals->CreateAllGUIAndInitialize(true));
    EXPECT_NE(std::string::npos, output->Text().find("ERROR: The image is not truecolor\n"));
    EXPECT_TRUE(glIsTexture(visuals->WidgetTexture[BUTTON_BLANK]));  // earlier records stay
    EXPECT_EQ(0u, visuals->WidgetTexture[SELECTOR_LINE]);

    ASSERT_TRUE(WritePicture("data/interface/Button.png", 100, 100, BUTTON_RED));
    EXPECT_FALSE(visuals->CreateAllGUIAndInitialize(true));
    EXPECT_TRUE(AppearInOrder(output->Text(),
                              {"ERROR: Image width is not a power of 2", "ERROR: Image height is not a power of 2"}));

    unlink("data/interface/Button-Selector-Right.png");
    EXPECT_FALSE(visuals->CreateAllGUIAndInitialize(true));
    EXPECT_NE(std::string::npos, output->Text().find("ERROR: SDL could not load image"));

    unlink("data/interface/Default.ttf");
    EXPECT_FALSE(visuals->CreateAllGUIAndInitialize(true));
    EXPECT_NE(std::string::npos, output->Text().find("ERROR: Loading font: "));
}

TEST_F(GUIImages, UnloadingReleasesEveryTexture)
{
    ASSERT_TRUE(visuals->CreateAllGUIAndInitialize(true));
    const int textures = CountTextures();
    visuals->UnloadGUIFromMemory();
    EXPECT_EQ(textures - NUMBER_OF_INTERFACE_SPRITES, CountTextures());
    EXPECT_NE(std::string::npos, output->Text().find("Unloaded all button/GUI images from memory\n"));
}

}  // namespace
