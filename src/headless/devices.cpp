// A replay with no window has no devices: no key is held, no joystick is
// plugged in, and the sounds a frame asks for are let go unheard.
#include "audio/audio.h"
#include "input/input.h"

bool GameKeyHeld(GameKey)
{
    return false;
}

// None plugged in, as the game's input starts.
void Input::OpenJoysticks()
{
}

void Input::CloseJoysticks()
{
}

void Audio::PlayFrameSounds()
{
    FrameSoundCount = 0;
}

void Audio::CloseSoundDevice()
{
}
