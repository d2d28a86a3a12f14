// The music and the effects as SDL_mixer plays them, on the desktop and in
// the browser; where the browser's mixer differs, sound.cpp answers.
#include <stdio.h>

#include <SDL_mixer.h>

#include "audio/audio.h"
#include "desktop/desktop.h"

const int MIXER_FREQUENCY_HZ = 22050;
const int MIXER_CHANNELS_MONO = 1;
const int MIXER_CHUNK_SAMPLES = 1024;

static const char* const MUSIC_FILES[NUMBER_OF_MUSIC_TRACKS] = {
    "data/music/Title.mod",
    "data/music/InGame.mod",
    "data/music/Ending.mod",
    "data/music/New-High-Score.mod",
    "data/music/Stage5.mod",
};

static const char* const SOUND_FILES[NUMBER_OF_SOUND_EFFECTS] = {
    "data/sound/Click.wav",
    "data/sound/Eat-Pellet.wav",
    "data/sound/Start.wav",
    "data/sound/Ghosts-Scared.wav",
    "data/sound/Eat-Ghost.wav",
    "data/sound/Gob-Death.wav",
    "data/sound/1UP.wav",
    "data/sound/Screech.wav",
    "data/sound/Ghost-New-Sheet.wav",
    "data/sound/Woman-Scream.wav",
    "data/sound/Ghost-Scream.wav",
};

// What the mixer holds, and the volumes it was last given (-1 for none).
static uint8_t MixerOpen = 0;
static Mix_Music* MusicTrack[NUMBER_OF_MUSIC_TRACKS];
static Mix_Chunk* SoundEffect[NUMBER_OF_SOUND_EFFECTS];
static int32_t MixerMusicVolume = -1;
static int32_t MixerSoundVolume = -1;

Mix_Music* LoadedMusic(int track)
{
    return track >= 0 && track < NUMBER_OF_MUSIC_TRACKS ? MusicTrack[track] : nullptr;
}

Mix_Chunk* LoadedSoundEffect(int effect)
{
    return effect >= 0 && effect < NUMBER_OF_SOUND_EFFECTS ? SoundEffect[effect] : nullptr;
}

// Whatever was loaded is released, also when a missing effect left the game
// silent: the mixer is open and the music may be loaded even then.
void Audio::CloseSoundDevice()
{
    if (!MixerOpen) return;

    Mix_HaltChannel(-1);
    for (Mix_Chunk*& effect : SoundEffect)
    {
        if (effect) Mix_FreeChunk(effect);
        effect = nullptr;
    }
    Mix_AllocateChannels(0);
    printf("Unloaded all sounds from memory\n");

    Mix_HaltMusic();
    for (Mix_Music*& track : MusicTrack)
    {
        if (track) Mix_FreeMusic(track);
        track = nullptr;
    }
    printf("Unloaded all music from memory\n");

    Mix_CloseAudio();
    MixerOpen = 0;
    MixerMusicVolume = -1;
    MixerSoundVolume = -1;
    printf("SDL_mixer closed\n");
}

bool Audio::SetupAudio()
{
    if (Mix_OpenAudio(MIXER_FREQUENCY_HZ, AUDIO_S16LSB, MIXER_CHANNELS_MONO, MIXER_CHUNK_SAMPLES) != 0)
    {
        printf("ERROR: SDL_Mixer init failed: %s\n", SDL_GetError());
        return false;
    }
    MixerOpen = 1;
    printf("SDL_mixer initialized\n");

    Mix_AllocateChannels(NUMBER_OF_MIXER_CHANNELS);
    ApplySoundVolume();

    // A missing track only silences itself.
    for (int index = 0; index < NUMBER_OF_MUSIC_TRACKS; index++)
    {
        MusicTrack[index] = LoadTune(MUSIC_FILES[index]);
        if (!MusicTrack[index]) printf("ERROR: Couldn't load music %s\n", SDL_GetError());
        Mix_VolumeMusic(MusicVolume);
    }
    MixerMusicVolume = MusicVolume;
    printf("Loaded all music into memory\n");

    // A missing effect silences the whole game.
    for (int index = 0; index < NUMBER_OF_SOUND_EFFECTS; index++)
    {
        SoundEffect[index] = Mix_LoadWAV_RW(SDL_RWFromFile(SOUND_FILES[index], "rb"), 1);
        if (!SoundEffect[index])
        {
            printf("ERROR: Couldn't load sound %s\n", SDL_GetError());
            return false;
        }
        SetEffectVolume(SoundEffect[index], SoundVolume);
    }
    printf("Loaded all sounds into memory\n");

    AudioWorking = 1;
    return true;
}

// As asked, in order; the music volume of the frame's end counts.
void Audio::PlayFrameSounds()
{
    if (MusicVolume != MixerMusicVolume && MixerOpen) Mix_VolumeMusic(MusicVolume);
    MixerMusicVolume = MusicVolume;
    if (SoundVolume != MixerSoundVolume) ApplySoundVolume();
    for (int index = 0; index < FrameSoundCount; index++) PlaySoundEvent(FrameSounds[index]);
    FrameSoundCount = 0;
}

// Music repeats for as long as its screen lasts.
void Audio::KeepMusicPlaying()
{
    if (AudioWorking && Mix_PlayingMusic() == 0) PlayMusicOnDevice(CurrentlySelectedMusicTrack, 0);
}

void Audio::PlaySoundEvent(const SoundEvent& sound)
{
    if (!AudioWorking) return;
    switch (sound.Kind)
    {
        case SOUND_EFFECT: PlayEffectOnDevice(sound.Index, sound.Loops); break;
        case SOUND_HALT_EFFECTS: Mix_HaltChannel(-1); break;
        case SOUND_MUSIC: PlayMusicOnDevice(sound.Index, sound.Loops); break;
        case SOUND_PAUSE_MUSIC: Mix_PauseMusic(); break;
        case SOUND_RESUME_MUSIC: Mix_ResumeMusic(); break;
        default: break;
    }
}

// A track that is missing leaves what plays alone.
void Audio::PlayMusicOnDevice(uint8_t index, int loops)
{
    if (index >= NUMBER_OF_MUSIC_TRACKS || !MusicTrack[index]) return;
    if (Mix_PlayingMusic() == 1) Mix_HaltMusic();
    if (MusicVolume == 0) return;

    Mix_VolumeMusic(MusicVolume);
    if (Mix_PlayMusic(MusicTrack[index], loops) == -1) printf("Mix_PlayMusic: %s\n", SDL_GetError());
    Mix_VolumeMusic(MusicVolume);
}

void Audio::PlayEffectOnDevice(uint8_t index, int loops)
{
    if (index >= NUMBER_OF_SOUND_EFFECTS || !SoundEffect[index] || SoundVolume == 0) return;
    if (PlayEffectOnChannel(SoundEffect[index], loops) == -1)
        printf("Mix_PlayChannel: %s\n", SDL_GetError());
}

// Gives every channel and every loaded effect the player's sound volume.
void Audio::ApplySoundVolume()
{
    MixerSoundVolume = SoundVolume;
    if (!MixerOpen) return;

    for (int channel = 0; channel < NUMBER_OF_MIXER_CHANNELS; channel++) SetChannelVolume(channel, SoundVolume);
    for (Mix_Chunk* effect : SoundEffect)
    {
        if (effect) SetEffectVolume(effect, SoundVolume);
    }
}
