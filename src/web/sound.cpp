// Where Emscripten's mixer differs: it has no volume per sound effect, and
// browsers do not decode tracker music.
#include <stdio.h>
#include <string.h>

#include <SDL_mixer.h>

#include "web/web.h"

// Emscripten's own play function, which the header hides behind a macro.
#undef Mix_PlayChannel
extern "C" int Mix_PlayChannel(int channel, Mix_Chunk* chunk, int loops);

// The effects the game loads, each with the volume it was given.
const int EFFECTS_WITH_VOLUMES = 32;

struct EffectVolume
{
    Mix_Chunk* Effect;
    int Volume;
};

static EffectVolume Volumes[EFFECTS_WITH_VOLUMES];

// A chunk's volume is kept here and given to the channel it plays on.
extern "C" int Mix_VolumeChunk(Mix_Chunk* chunk, int volume)
{
    EffectVolume* free = nullptr;
    for (EffectVolume& entry : Volumes)
    {
        if (entry.Effect == chunk)
        {
            const int previous = entry.Volume;
            if (volume >= 0) entry.Volume = volume > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : volume;
            return previous;
        }
        if (!entry.Effect && !free) free = &entry;
    }
    if (!free)
    {
        printf("ERROR: More than %d sound effects were given volumes\n", EFFECTS_WITH_VOLUMES);
        return MIX_MAX_VOLUME;
    }
    *free = EffectVolume{chunk, volume < 0 ? MIX_MAX_VOLUME : (volume > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : volume)};
    return MIX_MAX_VOLUME;
}

// The game plays its effects without a time limit, which is all Emscripten
// has.
extern "C" int Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int)
{
    const int playing = Mix_PlayChannel(channel, chunk, loops);
    if (playing < 0) return playing;
    for (const EffectVolume& entry : Volumes)
        if (entry.Effect == chunk) Mix_Volume(playing, entry.Volume);
    return playing;
}

// The site carries every tune rendered at build time into MP3, beside
// the name the game asks for.
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
