#ifndef WOBBLER_DESKTOP_H
#define WOBBLER_DESKTOP_H

// What the desktop's devices hold, which only its own files and the tests
// that listen or plug a joystick in ask for.
#include <SDL_mixer.h>

bool JoystickDeviceOpen(int joystick);
Mix_Music* LoadedMusic(int track);
Mix_Chunk* LoadedSoundEffect(int effect);

#endif
