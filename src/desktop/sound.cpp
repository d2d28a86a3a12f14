#include <SDL_mixer.h>

#include "desktop/desktop.h"

Mix_Music* LoadTune(const char* path)
{
    return Mix_LoadMUS(path);
}

void SetChannelVolume(int channel, int volume)
{
    Mix_Volume(channel, volume);
}

void SetEffectVolume(Mix_Chunk* effect, int volume)
{
    Mix_VolumeChunk(effect, volume);
}

int PlayEffectOnChannel(Mix_Chunk* effect, int loops)
{
    return Mix_PlayChannelTimed(-1, effect, loops, -1);
}
