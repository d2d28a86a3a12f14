// Where Emscripten's mixer differs: it has a volume for each channel but
// none for each effect, and browsers do not decode tracker music.
#include <stdio.h>
#include <string.h>

#include "web/sound.h"

// More than the game's channels and effects.
const int KEPT_CHANNELS = 32;
const int KEPT_EFFECTS = 32;

struct EffectVolume
{
    Mix_Chunk* Effect;
    int Volume;
};

// Every channel and effect starts at the full volume, as in SDL_mixer.
static int ChannelVolumes[KEPT_CHANNELS];
static bool ChannelVolumesSet = false;
static EffectVolume EffectVolumes[KEPT_EFFECTS];

static int Clamped(int volume)
{
    return volume > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : volume;
}

static int* ChannelVolume(int channel)
{
    if (!ChannelVolumesSet)
    {
        for (int& volume : ChannelVolumes) volume = MIX_MAX_VOLUME;
        ChannelVolumesSet = true;
    }
    return channel >= 0 && channel < KEPT_CHANNELS ? &ChannelVolumes[channel] : nullptr;
}

static EffectVolume* VolumeOfEffect(Mix_Chunk* effect)
{
    EffectVolume* entry = nullptr;
    for (EffectVolume& kept : EffectVolumes)
        if (kept.Effect == effect || (!entry && !kept.Effect)) entry = &kept;
    if (!entry)
    {
        printf("ERROR: More than %d sound effects were given volumes\n", KEPT_EFFECTS);
        return nullptr;
    }
    if (!entry->Effect) *entry = EffectVolume{effect, MIX_MAX_VOLUME};
    return entry;
}

// A channel's volume is kept here, and Emscripten gets it with the effect's
// own volume applied when one plays.
void SetChannelVolume(int channel, int volume)
{
    int* kept = ChannelVolume(channel);
    if (!kept)
    {
        Mix_Volume(channel, volume);
        return;
    }
    *kept = Clamped(volume);
}

void SetEffectVolume(Mix_Chunk* effect, int volume)
{
    EffectVolume* entry = VolumeOfEffect(effect);
    if (entry) entry->Volume = Clamped(volume);
}

// The effect plays at the product of its channel's volume and its own, as
// SDL_mixer mixes it.
int PlayEffectOnChannel(Mix_Chunk* effect, int loops)
{
    const int playing = Mix_PlayChannel(-1, effect, loops);
    const int* channelVolume = ChannelVolume(playing);
    if (!channelVolume) return playing;
    const EffectVolume* entry = VolumeOfEffect(effect);
    const int effectVolume = entry ? entry->Volume : MIX_MAX_VOLUME;
    Mix_Volume(playing, *channelVolume * effectVolume / MIX_MAX_VOLUME);
    return playing;
}

// The site carries every tune rendered at build time into MP3, beside the
// name the game asks for.
Mix_Music* LoadTune(const char* path)
{
    char rendered[256];
    const char* const extension = strrchr(path, '.');
    const int stem = extension ? (int)(extension - path) : (int)strlen(path);
    if (snprintf(rendered, sizeof rendered, "%.*s.mp3", stem, path) >= (int)sizeof rendered)
    {
        SDL_SetError("The music file name %s is too long", path);
        return nullptr;
    }
    return Mix_LoadMUS(rendered);
}
