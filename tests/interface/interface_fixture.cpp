#include "interface_fixture.h"

#include <GL/gl.h>
#include <dirent.h>

#include "audio/audio.h"
#include "input/input.h"
#include "interface/interface.h"
#include "screens/screens.h"
#include "support/data_folder.h"
#include "support/pictures.h"
#include "visuals/visuals.h"

void InterfaceTest::SetUp()
{
    WindowTest::SetUp();
    // Our own pictures in place of the game's, so the sizes are known here.
    ASSERT_TRUE(LinkDataWithout(directory->path));
    ASSERT_TRUE(WritePicture("data/interface/Button.png", 256, 64, BUTTON_RED));
    ASSERT_TRUE(WritePicture("data/interface/Button-Selector-Left.png", 32, 32, BUTTON_RED));
    ASSERT_TRUE(WritePicture("data/interface/Button-Selector-Right.png", 32, 32, BUTTON_RED));
    ASSERT_TRUE(WritePicture("data/interface/Selector-Line.png", 512, 64, BUTTON_RED));
}

int InterfaceTest::CountTextures()
{
    int count = 0;
    for (GLuint name = 1; name < 2000; name++) count += glIsTexture(name) ? 1 : 0;
    return count;
}

int InterfaceTest::CountOpenFiles()
{
    int count = 0;
    DIR* folder = opendir("/proc/self/fd");
    while (readdir(folder)) count++;
    closedir(folder);
    return count;
}

void InterfaceTest::ProcessButtonsWith(const FrameInput& frame, uint8_t typingKeys)
{
    TakeInput(frame);
    screens->TakeMenuNews(interface->ProcessAllButtonsOnScreen(screens->Command, typingKeys));
}

