#ifndef WOBBLER_WEB_SOUND_H
#define WOBBLER_WEB_SOUND_H

// The browser's answers to what the mixer (src/desktop/mixer.cpp, which the
// browser's build shares) asks of SDL_mixer where Emscripten's mixer
// differs; declared for the desktop in src/desktop/desktop.h.
#include <SDL_mixer.h>

Mix_Music* LoadTune(const char* path);
void SetChannelVolume(int channel, int volume);
void SetEffectVolume(Mix_Chunk* effect, int volume);
int PlayEffectOnChannel(Mix_Chunk* effect, int loops);

#endif
