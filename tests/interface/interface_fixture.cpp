#include "interface_fixture.h"

#include <dirent.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "audio/audio.h"
#include "input/input.h"
#include "interface/interface.h"
#include "screens/screens.h"
#include "visuals/visuals.h"

void InterfaceTest::SetUp()
{
    WindowTest::SetUp();
    // Our own pictures in place of the game's, so the sizes are known here.
    unlink("data");
    mkdir("data", 0755);
    mkdir("data/interface", 0755);
    ASSERT_EQ(0, symlink((ProjectRoot() + "/data/interface/Default.ttf").c_str(), "data/interface/Default.ttf"));
    WritePicture("Button.png", 256, 64);
    WritePicture("Button-Selector-Left.png", 32, 32);
    WritePicture("Button-Selector-Right.png", 32, 32);
    WritePicture("Selector-Line.png", 512, 64);
}

void InterfaceTest::WritePicture(const std::string& file, int width, int height, int bitsPerPixel)
{
    SDL_Surface* picture = bitsPerPixel == 32
                               ? SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x000000FF, 0x0000FF00,
                                                      0x00FF0000, 0xFF000000)
                               : SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bitsPerPixel, 0, 0, 0, 0);
    SDL_FillRect(picture, nullptr, SDL_MapRGBA(picture->format, 200, 40, 40, 255));
    // SDL_image knows the format by its content, whatever the name says.
    SDL_SaveBMP(picture, ("data/interface/" + file).c_str());
    SDL_FreeSurface(picture);
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

void InterfaceTest::ClearInput()
{
    input->KeyOnKeyboardPressedByUser = 0;
    input->MouseButtonPressed[0] = 0;
    for (int source = 0; source < NUMBER_OF_INPUT_SOURCES; source++)
    {
        input->JoystickDirection[source] = CENTER;
        input->JoystickButtonOne[source] = 0;
    }
    input->DelayAllUserInput = -1;
}

void InterfaceTest::ProcessButtonsWithKey(char key)
{
    ClearInput();
    input->KeyOnKeyboardPressedByUser = key;
    interface->ProcessAllButtonsOnScreen();
}

void InterfaceTest::ProcessButtonsWithDirection(int direction)
{
    ClearInput();
    input->JoystickDirection[INPUT_ALL] = direction;
    interface->ProcessAllButtonsOnScreen();
}

void InterfaceTest::ClickButtonsAt(int x, int y)
{
    ClearInput();
    input->MouseButtonPressed[0] = 1;
    input->MouseX = x;
    input->MouseY = y;
    interface->ProcessAllButtonsOnScreen();
}
