#ifndef WOBBLER_AUDIO_H
#define WOBBLER_AUDIO_H

#include <stdint.h>

#include "state_fields.h"

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

// What the game asks of the mixer in a frame.
enum
{
    SOUND_EFFECT = 0,        // Index, Loops
    SOUND_HALT_EFFECTS = 1,  // every channel
    SOUND_MUSIC = 2,         // Index, Loops: in place of what plays
    SOUND_PAUSE_MUSIC = 3,
    SOUND_RESUME_MUSIC = 4
};

struct SoundEvent
{
    uint8_t Kind;
    uint8_t Index;
    int8_t Loops;  // -1 for ever
};

// More than a frame ever asks for: eight ghosts that each sight the hero
// four ways screech 32 times.
const int MOST_SOUND_EVENTS_A_FRAME = 128;

// The music and the effects: the game asks for them as it plays, and they
// are played once its frame is over, in the order asked, so that nothing of
// the game's course waits on or depends on a sound device.
#define AUDIO_STATE(FIELD)                                  \
    FIELD(int32_t, MusicVolume, )                           \
    FIELD(int32_t, SoundVolume, )                           \
    FIELD(uint8_t, CurrentlySelectedMusicTrack, )

// Left out: the frame's sounds, played and emptied at each frame's end, and
// whether the device opened with every effect (the game is heard).
#define AUDIO_LEFT_OUT(FIELD)                               \
    FIELD(uint8_t, AudioWorking, )                          \
    FIELD(int16_t, FrameSoundCount, )                       \
    FIELD(SoundEvent, FrameSounds, [MOST_SOUND_EVENTS_A_FRAME])

class Audio
{
public:
    Audio();
    ~Audio();

    AUDIO_STATE(DECLARE_FIELD)
    AUDIO_LEFT_OUT(DECLARE_FIELD)

    // sounds.cpp: what the game asks for
    void PlayMusic(uint8_t index, int loops);
    void PlayDigitalSoundFX(uint8_t index, int loops);
    void HaltAllEffects();
    void PauseMusic();
    void ResumeMusic();
    void AskFor(uint8_t kind, uint8_t index, int loops);

    // The device, which each platform plays in its own way (src/desktop:
    // mixer.cpp); a replay with no window has none (src/headless).
    bool SetupAudio();
    void ApplySoundVolume();
    // Plays what the frame asked for at the player's volumes; the frame's
    // list is then empty.
    void PlayFrameSounds();
    // Starts the selected music again once it has ended.
    void KeepMusicPlaying();
    void PlaySoundEvent(const SoundEvent& sound);
    void PlayMusicOnDevice(uint8_t index, int loops);
    void PlayEffectOnDevice(uint8_t index, int loops);
    void CloseSoundDevice();
};

extern Audio* audio;

#endif
