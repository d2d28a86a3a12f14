#ifndef WOBBLER_DESKTOP_H
#define WOBBLER_DESKTOP_H

// What the desktop's devices hold, which only its own files and the tests
// that listen or plug a joystick in ask for.
#include <SDL.h>
#include <SDL_mixer.h>

// The window's icon, from a BMP file (icon.cpp); the browser's page shows its own.
void SetWindowIcon(const char* file);

bool JoystickDeviceOpen(int joystick);
SDL_Joystick* JoystickDevice(int joystick);  // null when not open
Mix_Music* LoadedMusic(int track);
Mix_Chunk* LoadedSoundEffect(int effect);

// What the mixer asks of SDL_mixer, which the browser answers in its own way
// (sound.cpp): a tune loaded, a channel's and an effect's volume (an effect
// plays at their product), an effect played on a free channel (the channel,
// or -1).
Mix_Music* LoadTune(const char* path);
void SetChannelVolume(int channel, int volume);
void SetEffectVolume(Mix_Chunk* effect, int volume);
int PlayEffectOnChannel(Mix_Chunk* effect, int loops);

#endif
