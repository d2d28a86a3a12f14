#include "screens/screens.h"

#include "audio/audio.h"
#include "data/data.h"
#include "input/input.h"
#include "interface/interface.h"
#include "visuals/visuals.h"

static const float MENU_BACKGROUND_TRANSPARENCY = 0.75f;

// The two volume rows; their value stands 70 units in from the right edge.
static const float MUSIC_ROW_Y = 50.0f;
static const float SOUND_ROW_Y = 120.0f;
static const float ROW_LABEL_X = 70.0f;
static const float ROW_VALUE_FROM_RIGHT = 70.0f;

// Volumes move in steps of 32 and wrap between 0 and the mixer's 128.
static const int32_t VOLUME_STEP = 32;
static const int32_t VOLUME_MAXIMUM = 128;
static const int NUMBER_OF_VOLUME_STEPS = 5;
static const char* const VOLUME_PERCENTAGES[NUMBER_OF_VOLUME_STEPS] = {"0%", "25%", "50%", "75%", "100%"};

// Arrow ids of the two rows.
enum
{
    MUSIC_DOWN_ARROW = 0,
    MUSIC_UP_ARROW = 1,
    SOUND_DOWN_ARROW = 2,
    SOUND_UP_ARROW = 3
};

static const float SETUP_PROMPT_Y = 214.0f;
static const float SETUP_QUIT_Y = 380.0f;
static const float SETUP_DEFAULTS_Y = 410.0f;
static const int32_t INPUT_DELAY_AFTER_SETUP_ANSWER = 20;

// Keyboard set-up steps: 1 asks for button one's key, 2 for button two's.
static const char* const KEYBOARD_SETUP_PROMPTS[3] = {"", "Press key on keyboard for button one now!",
                                                      "Press key on keyboard for button two now!"};

// Joystick set-up steps 1 to 12: the question and the mapping it fills.
static const int LAST_JOYSTICK_SETUP_STEP = 12;
static const int STEPS_PER_JOYSTICK = 6;
typedef uint8_t (Input::*JoystickMapping)[NUMBER_OF_JOYSTICKS];
static const JoystickMapping JOYSTICK_SETUP_MAPPINGS[STEPS_PER_JOYSTICK] = {
    &Input::JoyMapUP,    &Input::JoyMapDOWN,      &Input::JoyMapLEFT,
    &Input::JoyMapRIGHT, &Input::JoyMapButtonOne, &Input::JoyMapButtonTwo};
static const char* const JOYSTICK_SETUP_PROMPTS[LAST_JOYSTICK_SETUP_STEP + 1] = {
    "",
    "Press [UP] on joystick #1 now!",
    "Press [DOWN] on joystick #1 now!",
    "Press [LEFT] on joystick #1 now!",
    "Press [RIGHT] on joystick #1 now!",
    "Press [BUTTON1] on joystick #1 now!",
    "Press [BUTTON2] on joystick #1 now!",
    "Press [UP] on joystick #2 now!",
    "Press [DOWN] on joystick #2 now!",
    "Press [LEFT] on joystick #2 now!",
    "Press [RIGHT] on joystick #2 now!",
    "Press [BUTTON1] on joystick #2 now!",
    "Press [BUTTON2] on joystick #2 now!",
};

static void DrawOptionsText(const char* text, float x, float y, unsigned char justification)
{
    visuals->DrawTextOntoScreenBuffer(text, visuals->Font[MENU_FONT], x, y, justification, 255, 255, 255, 0, 0, 0);
}

// A value that is not one of the five steps (from an edited options file) shows nothing.
static void DrawVolumeRow(const char* label, int32_t volume, float y)
{
    DrawOptionsText(label, ROW_LABEL_X, y, JUSTIFY_LEFT);
    if (volume < 0 || volume > VOLUME_MAXIMUM || volume % VOLUME_STEP != 0) return;
    DrawOptionsText(VOLUME_PERCENTAGES[volume / VOLUME_STEP], ROW_VALUE_FROM_RIGHT, y, JUSTIFY_RIGHT);
}

static void DrawOptionsMenu()
{
    screens->DrawMenuBackground(MENU_BACKGROUND_TRANSPARENCY);
    screens->DrawMenuHeading("OPTIONS:");
    interface->DisplayAllButtonsOntoScreenBuffer();
    interface->DisplayAllArrowSetsOntoScreenBuffer();
    DrawVolumeRow("Music Volume:", audio->MusicVolume, MUSIC_ROW_Y);
    DrawVolumeRow("Sound Effects Volume:", audio->SoundVolume, SOUND_ROW_Y);
    if (input->JoystickPlugged[0]) DrawOptionsText("Press [F1] On Keyboard To Setup Joystick(s)", 0.0f, 350.0f,
                                                  JUSTIFY_CENTER_SCREEN);
    DrawOptionsText("Press [F2] On Keyboard To Setup Keyboard", 0.0f, 385.0f, JUSTIFY_CENTER_SCREEN);
}

static void DrawSetupPrompt(const char* prompt, const char* quitLine, const char* defaultsLine)
{
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    TTF_Font* const font = visuals->Font[MENU_FONT];
    visuals->DrawTextOntoScreenBuffer(prompt, font, 0.0f, SETUP_PROMPT_Y, JUSTIFY_CENTER_SCREEN, 0, 255, 0, 1, 1, 1);
    visuals->DrawTextOntoScreenBuffer(quitLine, font, 0.0f, SETUP_QUIT_Y, JUSTIFY_CENTER_SCREEN, 200, 200, 200, 1, 1,
                                      1);
    visuals->DrawTextOntoScreenBuffer(defaultsLine, font, 0.0f, SETUP_DEFAULTS_Y, JUSTIFY_CENTER_SCREEN, 200, 200,
                                      200, 1, 1, 1);
}

static void RedrawOptionsScreen()
{
    const int joystickStep = input->JoystickSetupProcess;
    const int keyboardStep = input->KeyboardSetupProcess;
    if (joystickStep > 0 && joystickStep <= LAST_JOYSTICK_SETUP_STEP)
        DrawSetupPrompt(JOYSTICK_SETUP_PROMPTS[joystickStep], "Press [F1] key on keyboard to quit setup.",
                        "(Will setup joystick(s) with default mappings.)");
    else if (keyboardStep == 1 || keyboardStep == 2)
        DrawSetupPrompt(KEYBOARD_SETUP_PROMPTS[keyboardStep], "Press [F2] key on keyboard to quit setup.",
                        "(Will setup keyboard with default mappings.)");
    else
        DrawOptionsMenu();
    screens->ScreenIsDirty = 0;
    screens->ScreenBufferNeedsDisplay = 1;
}

static void EnterOptionsScreen()
{
    screens->EnterScreenWithBackButton();
    interface->CreateArrowSet(MUSIC_DOWN_ARROW, MUSIC_UP_ARROW, MUSIC_ROW_Y);
    interface->CreateArrowSet(SOUND_DOWN_ARROW, SOUND_UP_ARROW, SOUND_ROW_Y);
}

static void AcknowledgeSetupAnswer()
{
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    input->DelayAllUserInput = INPUT_DELAY_AFTER_SETUP_ANSWER;
    screens->ScreenIsDirty = 1;
}

// F2 starts the keyboard set-up, or quits it leaving no extra keys.
static void ToggleKeyboardSetup()
{
    if (input->KeyOnKeyboardPressedByUser != '@' || input->JoystickSetupProcess != 0) return;
    screens->ScreenIsDirty = 1;
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    if (input->KeyboardSetupProcess == 0)
    {
        input->KeyboardSetupProcess = 1;
        return;
    }
    input->KeyboardSetupProcess = 0;
    input->UserDefinedKeyButtonOne = NO_USER_DEFINED_KEY;
    input->UserDefinedKeyButtonTwo = NO_USER_DEFINED_KEY;
}

// One key answers one question: 'x' and 'z' already are buttons two and
// one, so only button two may take them as its extra key.
static void TakeKeyboardSetupKey()
{
    const char key = input->KeyOnKeyboardPressedByUser;
    if (input->KeyboardSetupProcess == 1)
    {
        if (key < 'a' || key > 'y' || key == 'x') return;
        input->UserDefinedKeyButtonOne = key;
        input->KeyboardSetupProcess = 2;
        AcknowledgeSetupAnswer();
    }
    else if (input->KeyboardSetupProcess == 2)
    {
        if (key < 'a' || key > 'z') return;
        input->UserDefinedKeyButtonTwo = key;
        input->KeyboardSetupProcess = 0;
        AcknowledgeSetupAnswer();
    }
}

// F1 starts the joystick set-up, or quits it with the default mappings.
static void ToggleJoystickSetup()
{
    if (input->KeyOnKeyboardPressedByUser != '!') return;
    if (!input->JoystickPlugged[0] || input->KeyboardSetupProcess != 0) return;
    screens->ScreenIsDirty = 1;
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    if (input->JoystickSetupProcess == 0)
    {
        input->JoystickSetupProcess = 1;
        return;
    }
    input->JoystickSetupProcess = 0;
    input->SetDefaultJoystickMappings();
}

static void TakeJoystickSetupAnswer()
{
    const int step = input->JoystickSetupProcess;
    if (step < 1 || step > LAST_JOYSTICK_SETUP_STEP) return;
    const int joystick = (step - 1) / STEPS_PER_JOYSTICK;
    const uint8_t code = input->QueryJoysticksForAction(joystick);
    if (code == CONTROL_CODE_NONE) return;

    (input->*JOYSTICK_SETUP_MAPPINGS[(step - 1) % STEPS_PER_JOYSTICK])[joystick] = code;
    const bool secondJoystickNext = step == STEPS_PER_JOYSTICK && input->JoystickPlugged[1];
    const bool lastStep = step == LAST_JOYSTICK_SETUP_STEP || (step == STEPS_PER_JOYSTICK && !secondJoystickNext);
    input->JoystickSetupProcess = lastStep ? 0 : step + 1;
    AcknowledgeSetupAnswer();
}

static int32_t LowerVolume(int32_t volume)
{
    return volume <= 0 ? VOLUME_MAXIMUM : volume - VOLUME_STEP;
}

static int32_t RaiseVolume(int32_t volume)
{
    return volume >= VOLUME_MAXIMUM ? 0 : volume + VOLUME_STEP;
}

// The new effect level is played at once so the player hears it.
static void ApplySoundVolumeChange()
{
    audio->HaltAllEffects();
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
}

static void ChangeVolumeByArrow()
{
    switch (interface->ArrowSetArrowPressed)
    {
    case MUSIC_DOWN_ARROW:
        audio->MusicVolume = LowerVolume(audio->MusicVolume);
        break;
    case MUSIC_UP_ARROW:
        audio->MusicVolume = RaiseVolume(audio->MusicVolume);
        break;
    case SOUND_DOWN_ARROW:
        audio->SoundVolume = LowerVolume(audio->SoundVolume);
        ApplySoundVolumeChange();
        break;
    case SOUND_UP_ARROW:
        audio->SoundVolume = RaiseVolume(audio->SoundVolume);
        ApplySoundVolumeChange();
        break;
    }
}

static bool SetupIsRunning()
{
    return input->KeyboardSetupProcess != 0 || input->JoystickSetupProcess != 0;
}

// The menu rests while a set-up runs, and in the frame a set-up ends, so the
// key or button that answered the last question does not also press "Back".
static void HandleOptionsMenu(bool setupWasRunning)
{
    if (setupWasRunning || SetupIsRunning()) return;
    interface->ProcessAllButtonsOnScreen();
    interface->ArrowSetArrowPressed = -1;
    interface->ProcessAllArrowSetsOnScreen();
    ChangeVolumeByArrow();
}

// Saved on the way out, so that a session ending under the game (a killed
// process, a display that goes away) keeps what the player set here.
static void LeaveOptionsScreen(Screens* flow)
{
    data->SaveHighScoresAndOptions();
    flow->LeaveScreenBackToTitle();
}

void Screens::DisplayOptionsScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) EnterOptionsScreen();
    if (ScreenIsDirty) RedrawOptionsScreen();
    const bool setupWasRunning = SetupIsRunning();
    ToggleKeyboardSetup();
    TakeKeyboardSetupKey();
    ToggleJoystickSetup();
    TakeJoystickSetupAnswer();
    HandleOptionsMenu(setupWasRunning);
    if (ScreenHasFadedOut()) LeaveOptionsScreen(this);
}
