#include "audio/audio.h"

Audio* audio = nullptr;

const int32_t STARTING_VOLUME = 32;  // of the mixer's 128

Audio::Audio()
{
    MusicVolume = STARTING_VOLUME;
    CurrentlySelectedMusicTrack = MUSIC_TITLE;
    SoundVolume = STARTING_VOLUME;
    FrameSoundCount = 0;
    AudioWorking = 0;
}

Audio::~Audio()
{
    CloseSoundDevice();
}
