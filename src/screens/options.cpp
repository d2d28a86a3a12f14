#include "screens/screens.h"

#include "audio/audio.h"
#include "data/data.h"
#include "input/input.h"
#include "interface/interface.h"

// Volumes move in steps of 32 and wrap between 0 and the mixer's 128.
static const int32_t VOLUME_STEP = 32;
static const int32_t VOLUME_MAXIMUM = 128;

// Arrow ids of the two rows.
enum
{
    MUSIC_DOWN_ARROW = 0,
    MUSIC_UP_ARROW = 1,
    SOUND_DOWN_ARROW = 2,
    SOUND_UP_ARROW = 3
};

static const int32_t INPUT_DELAY_AFTER_SETUP_ANSWER = 20;

// Joystick set-up steps 1 to 12: the mapping each fills.
static const int STEPS_PER_JOYSTICK = 6;
typedef uint8_t (Input::*JoystickMapping)[NUMBER_OF_JOYSTICKS];
static const JoystickMapping JOYSTICK_SETUP_MAPPINGS[STEPS_PER_JOYSTICK] = {
    &Input::JoyMapUP,    &Input::JoyMapDOWN,      &Input::JoyMapLEFT,
    &Input::JoyMapRIGHT, &Input::JoyMapButtonOne, &Input::JoyMapButtonTwo};
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
    if (screens->Command.Key != '@' || input->JoystickSetupProcess != 0) return;
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
    const char key = screens->Command.Key;
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
    if (screens->Command.Key != '!') return;
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
    screens->TakeMenuNews(interface->ProcessAllButtonsOnScreen(screens->Command, EVERY_KEY_CONFIRMS));
    interface->ArrowSetArrowPressed = -1;
    screens->TakeMenuNews(interface->ProcessAllArrowSetsOnScreen(screens->Command));
    ChangeVolumeByArrow();
}

// Saved on the way out, so that a session ending under the game (a killed
// process, a display that goes away) keeps what the player set here.
static void LeaveOptionsScreen(Screens* flow)
{
    data->SaveHighScoresAndOptions();
    flow->LeaveScreenBackToTitle();
}

// The menu's buttons and arrows are placed only when the menu is shown,
// not a set-up's question.
bool SetupQuestionAsked()
{
    const int joystickStep = input->JoystickSetupProcess;
    const int keyboardStep = input->KeyboardSetupProcess;
    return (joystickStep > 0 && joystickStep <= LAST_JOYSTICK_SETUP_STEP) || keyboardStep == 1 || keyboardStep == 2;
}

static void RedrawOptionsScreen()
{
    if (!SetupQuestionAsked())
    {
        interface->PlaceSelectors();
        interface->PlaceHighlightBar();
    }
    screens->RedrawThisFrame();
}

void Screens::RunOptionsScreen()
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
