#ifndef WOBBLER_AUDIO_H
#define WOBBLER_AUDIO_H

#include <stdint.h>

#include <SDL_mixer.h>

enum
{
    MUSIC_TITLE = 0,
    MUSIC_IN_GAME = 1,
    MUSIC_ENDING = 2,
    MUSIC_NEW_HIGH_SCORE = 3,
    MUSIC_STAGE_FIVE = 4
};

enum
{
    SFX_CLICK = 0,
    SFX_EAT_PELLET = 1,
    SFX_START = 2,
    SFX_GHOSTS_SCARED = 3,
    SFX_EAT_GHOST = 4,
    SFX_DEATH = 5,
    SFX_ONE_UP = 6,
    SFX_SCREECH = 7,
    SFX_GHOST_NEW_SHEET = 8,
    SFX_WOMAN_SCREAM = 9,
    SFX_GHOST_SCREAM = 10
};

const int NUMBER_OF_MUSIC_TRACKS = 5;
const int NUMBER_OF_SOUND_EFFECTS = 11;
const int NUMBER_OF_MIXER_CHANNELS = 16;

// Loads the music and sound effects once and plays them by index.
class Audio
{
public:
    Audio();
    virtual ~Audio();

    uint8_t AudioWorking;
    Mix_Music* MusicTrack[NUMBER_OF_MUSIC_TRACKS];
    int32_t MusicVolume;
    uint8_t CurrentlySelectedMusicTrack;
    Mix_Chunk* SoundEffect[NUMBER_OF_SOUND_EFFECTS];
    int32_t SoundVolume;
    uint8_t MixerOpen;  // the device is open, so the destructor must close it

    bool SetupAudio();
    void PlayMusic(uint8_t index, int loops);
    void PlayDigitalSoundFX(uint8_t index, int loops);
    void ApplySoundVolume();
};

extern Audio* audio;

#endif
