#include "support/screen_fixture.h"

#include <SDL.h>

#include "audio/audio.h"
#include "input/input.h"
#include "screens/screens.h"

void ScreenTest::SetUp()
{
    WindowTest::SetUp();
    input = new Input();
    audio = new Audio();
    ASSERT_TRUE(audio->SetupAudio());
    screens = new Screens();
    PressNothing();
}

void ScreenTest::TearDown()
{
    delete screens;
    screens = nullptr;
    delete audio;
    audio = nullptr;
    delete input;
    input = nullptr;
    WindowTest::TearDown();
}

void ScreenTest::RunFrame(void (Screens::*screenMethod)())
{
    (screens->*screenMethod)();
    screens->ApplyScreenFadeTransition();
}

void ScreenTest::PressNothing()
{
    input->KeyOnKeyboardPressedByUser = 0;
    input->MouseButtonPressed[0] = 0;
    input->MouseButtonPressed[1] = 0;
    for (uint8_t& button : input->JoystickButtonOne) button = 0;
}

void ScreenTest::PressKey(char translatedKey)
{
    PressNothing();
    input->KeyOnKeyboardPressedByUser = translatedKey;
}

HeldMixer::HeldMixer()
{
    SDL_LockAudio();
}

HeldMixer::~HeldMixer()
{
    SDL_UnlockAudio();
}
