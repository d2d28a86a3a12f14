#include "support/game_screens_fixture.h"

#include "audio/audio.h"
#include "data/data.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "screens/screens.h"
#include "visuals/visuals.h"

void GameScreensTest::SetUp()
{
    WindowTest::SetUp();
    logic = new Logic();
    ASSERT_TRUE(visuals->LoadFontsIntoMemory());
    ASSERT_TRUE(visuals->LoadSpritesIntoMemoryAndInitialize());
    ASSERT_TRUE(visuals->LoadAllTextsIntoMemory());
    input = new Input();
    screens = new Screens();
    interface = new Interface();
    ASSERT_TRUE(interface->CreateAllGUIAndInitialize(true));
    data = new Data();
    data->ClearHighScores();
    audio = new Audio();
    audio->SetupAudio();
}

void GameScreensTest::TearDown()
{
    delete data;
    data = nullptr;
    delete audio;
    audio = nullptr;
    delete interface;
    interface = nullptr;
    delete screens;
    screens = nullptr;
    delete input;
    input = nullptr;
    delete logic;
    logic = nullptr;
    WindowTest::TearDown();
}

void GameScreensTest::EnterScreen(int screen)
{
    screens->ScreenToDisplay = screen;
    screens->ScreenTransitionStatus = FADE_ALL;
    screens->ScreenFadeTransparency = 1.0f;
    screens->ScreenDisplayTimer = -1;  // as the logo screens leave it
}

static void RunScreenAndFade()
{
    screens->DisplayCurrentScreen();
    screens->ApplyScreenFadeTransition();
}

void GameScreensTest::RunFrame()
{
    input->GetAllUserInput();
    RunScreenAndFade();
}

// The key stands in for what the poll would have translated this frame.
void GameScreensTest::RunFrameWithKey(char key)
{
    input->DelayAllUserInput = -1;
    input->GetAllUserInput();
    input->KeyOnKeyboardPressedByUser = key;
    RunScreenAndFade();
}

void GameScreensTest::RunFrameWithDirection(int direction)
{
    input->DelayAllUserInput = -1;
    input->GetAllUserInput();
    input->JoystickDirection[INPUT_ALL] = direction;
    RunScreenAndFade();
}

int GameScreensTest::RunUntilScreenChanges(int frameLimit)
{
    const int screen = screens->ScreenToDisplay;
    for (int frame = 1; frame <= frameLimit; frame++)
    {
        RunFrame();
        if (screens->ScreenToDisplay != screen) return frame;
    }
    return -1;
}

void GameScreensTest::RunUntilFadedIn()
{
    for (int frame = 0; frame < 20 && screens->ScreenTransitionStatus != FADE_NONE; frame++) RunFrame();
}
