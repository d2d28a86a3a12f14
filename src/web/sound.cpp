// Where Emscripten's mixer differs: it has a volume for each channel but
// none for each effect, and browsers do not decode tracker music.
#include <stdio.h>
#include <string.h>

#include <SDL_mixer.h>


// Emscripten's own functions, which the game's names lead here instead of.
#undef Mix_Volume
#undef Mix_PlayChannelTimed
extern "C" int Mix_Volume(int channel, int volume);
extern "C" int Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int ticks);

// More than the game's channels and effects.
const int KEPT_CHANNELS = 32;
const int KEPT_EFFECTS = 32;

struct EffectVolume
{
    Mix_Chunk* Effect;
    int Volume;
};

static int ChannelVolumes[KEPT_CHANNELS];
static bool ChannelVolumesSet = false;
static EffectVolume EffectVolumes[KEPT_EFFECTS];

static int Clamped(int volume)
{
    return volume > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : volume;
}

// Every channel starts at the full volume, as in SDL_mixer.
static int* ChannelVolume(int channel)
{
    if (!ChannelVolumesSet)
    {
        for (int& volume : ChannelVolumes) volume = MIX_MAX_VOLUME;
        ChannelVolumesSet = true;
    }
    return channel >= 0 && channel < KEPT_CHANNELS ? &ChannelVolumes[channel] : nullptr;
}

// A channel's volume is kept here, and Emscripten gets it with the effect's
// own volume applied when one plays; a negative volume only asks. The game
// sets its channels one by one.
extern "C" int WebChannelVolume(int channel, int volume)
{
    int* kept = ChannelVolume(channel);
    if (!kept) return Mix_Volume(channel, volume);
    const int previous = *kept;
    if (volume >= 0) *kept = Clamped(volume);
    return previous;
}

// An effect's volume; an effect starts at the full volume.
extern "C" int WebEffectVolume(Mix_Chunk* chunk, int volume)
{
    EffectVolume* entry = nullptr;
    for (EffectVolume& kept : EffectVolumes)
        if (kept.Effect == chunk || (!entry && !kept.Effect)) entry = &kept;
    if (!entry)
    {
        printf("ERROR: More than %d sound effects were given volumes\n", KEPT_EFFECTS);
        return MIX_MAX_VOLUME;
    }
    if (!entry->Effect) *entry = EffectVolume{chunk, MIX_MAX_VOLUME};
    const int previous = entry->Volume;
    if (volume >= 0) entry->Volume = Clamped(volume);
    return previous;
}

// The effect plays at the product of its channel's volume and its own, as
// SDL_mixer mixes it.
extern "C" int WebPlayEffect(int channel, Mix_Chunk* chunk, int loops, int ticks)
{
    const int playing = Mix_PlayChannelTimed(channel, chunk, loops, ticks);
    const int* channelVolume = ChannelVolume(playing);
    if (!channelVolume) return playing;
    Mix_Volume(playing, *channelVolume * WebEffectVolume(chunk, -1) / MIX_MAX_VOLUME);
    return playing;
}

// The site carries every tune rendered at build time into MP3, beside the
// name the game asks for.
extern "C" Mix_Music* Mix_LoadMUS(const char* path)
{
    char rendered[256];
    const char* const extension = strrchr(path, '.');
    const int stem = extension ? (int)(extension - path) : (int)strlen(path);
    if (snprintf(rendered, sizeof rendered, "%.*s.mp3", stem, path) >= (int)sizeof rendered)
    {
        SDL_SetError("The music file name %s is too long", path);
        return nullptr;
    }
    return reinterpret_cast<Mix_Music*>(Mix_LoadWAV(rendered));
}
