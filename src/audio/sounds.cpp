#include "audio/audio.h"

#include "checks.h"

// The music chosen is the game's own, whether or not a device plays it: the
// track that goes on after a screen is decided here. Silent music chooses
// nothing.
void Audio::PlayMusic(uint8_t index, int loops)
{
    if (index >= NUMBER_OF_MUSIC_TRACKS) return;
    if (MusicVolume != 0) CurrentlySelectedMusicTrack = index;
    AskFor(SOUND_MUSIC, index, loops);
}

void Audio::PlayDigitalSoundFX(uint8_t index, int loops)
{
    if (!RULE_HOLDS(index < NUMBER_OF_SOUND_EFFECTS)) return;
    AskFor(SOUND_EFFECT, index, loops);
}

void Audio::HaltAllEffects()
{
    AskFor(SOUND_HALT_EFFECTS, 0, 0);
}

void Audio::PauseMusic()
{
    AskFor(SOUND_PAUSE_MUSIC, 0, 0);
}

void Audio::ResumeMusic()
{
    AskFor(SOUND_RESUME_MUSIC, 0, 0);
}

void Audio::AskFor(uint8_t kind, uint8_t index, int loops)
{
    if (!RULE_HOLDS(FrameSoundCount < MOST_SOUND_EVENTS_A_FRAME)) return;
    FrameSounds[FrameSoundCount++] = SoundEvent{kind, index, (int8_t)loops};
}
