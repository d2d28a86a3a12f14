#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <SDL.h>

#include "audio/audio.h"
#include "desktop/desktop.h"
#include "support/data_folder.h"
#include "support/game_objects.h"
#include "support/test_environment.h"

namespace {

// A working directory whose data/ holds the real assets, less one file.
class AudioTest : public GameTest
{
protected:
    AudioTest() : GameTest(CREATE_OBJECTS, false) {}

    void SetUp() override
    {
        ASSERT_EQ(0, SDL_Init(SDL_INIT_AUDIO)) << SDL_GetError();
        GameTest::SetUp();
    }

    void PrepareData(const std::string& missingFile = "")
    {
        std::vector<std::string> leftOut;
        if (!missingFile.empty()) leftOut.push_back(missingFile);
        ASSERT_TRUE(LinkDataWithout(directory->path, leftOut));
    }

    // What plays once the sounds asked for so far are played, as at a frame's end.
    static int ChannelsPlaying()
    {
        audio->PlayFrameSounds();
        return Mix_Playing(-1);
    }
    static int MusicPlaying()
    {
        audio->PlayFrameSounds();
        return Mix_PlayingMusic();
    }
};

TEST_F(AudioTest, LoadsEverythingAndReleasesItInOrder)
{
    PrepareData();
    ASSERT_TRUE(audio->SetupAudio());
    EXPECT_EQ(1, audio->AudioWorking);
    for (int track = 0; track < NUMBER_OF_MUSIC_TRACKS; track++) EXPECT_NE(nullptr, LoadedMusic(track));
    for (int effect = 0; effect < NUMBER_OF_SOUND_EFFECTS; effect++) EXPECT_NE(nullptr, LoadedSoundEffect(effect));
    for (int channel = 0; channel < NUMBER_OF_MIXER_CHANNELS; channel++) EXPECT_EQ(32, Mix_Volume(channel, -1));
    EXPECT_EQ(32, Mix_VolumeChunk(LoadedSoundEffect(SFX_DEATH), -1));

    int frequency = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(0, Mix_QuerySpec(&frequency, &format, &channels));
    EXPECT_EQ(22050, frequency);
    EXPECT_EQ(1, channels);
    EXPECT_EQ(AUDIO_S16LSB, format);

    audio->PlayMusic(MUSIC_ENDING, 0);
    EXPECT_EQ(1, MusicPlaying());
    EXPECT_EQ(MUSIC_ENDING, audio->CurrentlySelectedMusicTrack);

    objects.reset();  // the game shuts down
    EXPECT_EQ(0, Mix_QuerySpec(&frequency, &format, &channels)) << "the mixer is still open";
    EXPECT_TRUE(AppearInOrder(output->Text(), {"SDL_mixer initialized", "Loaded all music into memory",
                                               "Loaded all sounds into memory", "Unloaded all sounds from memory",
                                               "Unloaded all music from memory", "SDL_mixer closed"}))
        << output->Text();
    EXPECT_EQ(std::string::npos, output->Text().find("ERROR"));
}

TEST_F(AudioTest, MissingEffectSilencesTheWholeGameButStillClosesTheMixer)
{
    PrepareData("sound/Start.wav");
    EXPECT_FALSE(audio->SetupAudio());
    EXPECT_EQ(0, audio->AudioWorking);
    EXPECT_EQ(1, CountOccurrences(output->Text(), "ERROR: Couldn't load sound "));
    EXPECT_EQ(std::string::npos, output->Text().find("Loaded all sounds into memory"));
    EXPECT_NE(nullptr, LoadedSoundEffect(SFX_EAT_PELLET));
    EXPECT_EQ(nullptr, LoadedSoundEffect(SFX_GHOSTS_SCARED)) << "loading goes on after the failure";

    audio->PlayMusic(MUSIC_TITLE, 0);
    audio->PlayDigitalSoundFX(SFX_CLICK, -1);
    EXPECT_EQ(0, MusicPlaying());
    EXPECT_EQ(0, ChannelsPlaying());

    objects.reset();  // the game shuts down
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    EXPECT_EQ(0, Mix_QuerySpec(&frequency, &format, &channels)) << "the mixer is left open";
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Unloaded all sounds from memory", "Unloaded all music from memory",
                                               "SDL_mixer closed"}));
}

TEST_F(AudioTest, MissingModuleSilencesOnlyItsTrack)
{
    PrepareData("music/Stage5.mod");
    ASSERT_TRUE(audio->SetupAudio());
    EXPECT_EQ(1, CountOccurrences(output->Text(), "ERROR: Couldn't load music "));
    EXPECT_EQ(nullptr, LoadedMusic(MUSIC_STAGE_FIVE));
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Loaded all music into memory", "Loaded all sounds into memory"}));

    audio->PlayMusic(MUSIC_TITLE, 0);
    ASSERT_EQ(1, MusicPlaying());
    audio->PlayMusic(MUSIC_STAGE_FIVE, 0);
    EXPECT_EQ(1, MusicPlaying()) << "the title music must keep playing";
    EXPECT_EQ(MUSIC_STAGE_FIVE, audio->CurrentlySelectedMusicTrack) << "the game's choice, whatever the device has";
    audio->PlayMusic(NUMBER_OF_MUSIC_TRACKS, 0);
    EXPECT_EQ(1, MusicPlaying());
    EXPECT_EQ(MUSIC_STAGE_FIVE, audio->CurrentlySelectedMusicTrack);

    audio->PlayDigitalSoundFX(SFX_CLICK, -1);
    EXPECT_EQ(1, ChannelsPlaying());
    audio->PlayDigitalSoundFX(NUMBER_OF_SOUND_EFFECTS, 0);  // past the table: a broken rule, no sound
    EXPECT_EQ(1, TakeBrokenRules());
    EXPECT_EQ(1, ChannelsPlaying());
}

TEST_F(AudioTest, VolumeZeroStartsNothing)
{
    PrepareData();
    ASSERT_TRUE(audio->SetupAudio());
    audio->PlayMusic(MUSIC_IN_GAME, 0);
    ASSERT_EQ(1, MusicPlaying());

    audio->MusicVolume = 0;
    audio->PlayMusic(MUSIC_TITLE, 0);
    EXPECT_EQ(0, MusicPlaying()) << "the old track must be halted and no new one started";
    EXPECT_EQ(MUSIC_IN_GAME, audio->CurrentlySelectedMusicTrack);

    audio->MusicVolume = 64;
    audio->PlayMusic(audio->CurrentlySelectedMusicTrack, 0);
    EXPECT_EQ(1, MusicPlaying());
    EXPECT_EQ(64, Mix_VolumeMusic(-1));

    audio->SoundVolume = 0;
    audio->PlayDigitalSoundFX(SFX_GHOSTS_SCARED, -1);
    EXPECT_EQ(0, ChannelsPlaying());
}

// The player's sound volume reaches every sound on whichever channel it
// lands, until every channel is busy; the next sound is dropped with a line.
TEST_F(AudioTest, EverySoundPlaysAtThePlayersVolumeAndTheSeventeenthIsDropped)
{
    PrepareData();
    ASSERT_TRUE(audio->SetupAudio());
    audio->SoundVolume = 96;
    audio->ApplySoundVolume();  // as the options screen does
    for (int effect = 0; effect < NUMBER_OF_MIXER_CHANNELS; effect++)
        audio->PlayDigitalSoundFX(effect % NUMBER_OF_SOUND_EFFECTS, -1);
    EXPECT_EQ(NUMBER_OF_MIXER_CHANNELS, ChannelsPlaying());
    for (int channel = 0; channel < NUMBER_OF_MIXER_CHANNELS; channel++)
    {
        EXPECT_EQ(96, Mix_Volume(channel, -1)) << channel;
        EXPECT_EQ(96, Mix_VolumeChunk(Mix_GetChunk(channel), -1)) << channel;
    }
    EXPECT_EQ(0, CountOccurrences(output->Text(), "Mix_PlayChannel: "));

    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    EXPECT_EQ(NUMBER_OF_MIXER_CHANNELS, ChannelsPlaying());
    EXPECT_EQ(1, CountOccurrences(output->Text(), "Mix_PlayChannel: "));
}

// The sound as the player hears it: music and effects mixed by SDL_mixer
// through the game's own volume calls, taken from the mixer's post-mix hook.
// SDL's disk driver, told not to wait, mixes far faster than real time, so
// whole tunes take a fraction of a second.
const int FULL_SCALE = 32768;
const int SAMPLE_RATE = 22050;
const int WINDOW = SAMPLE_RATE / 20;  // 50 ms: long enough to hear as a level
const int HOP = SAMPLE_RATE / 100;
// At the defaults an effect's loudest moment stands this far above the loud
// parts of every tune (their 90th-percentile window).
const double EFFECT_MARGIN_DB = 3.0;
const int LONGEST_TUNE_SAMPLES = 120 * SAMPLE_RATE;
// The mixer must make 10 s of sound within 5 s: twice real time, where it
// runs a hundred times that when the driver does not wait.
const int PACE_CHECK_SAMPLES = 10 * SAMPLE_RATE;
const int PACE_CHECK_MS = 5000;

const char* const MUSIC_NAMES[NUMBER_OF_MUSIC_TRACKS] = {"Title", "InGame", "Ending", "New-High-Score", "Stage5"};
const char* const EFFECT_NAMES[NUMBER_OF_SOUND_EFFECTS] = {
    "Click",   "Eat-Pellet", "Start",           "Ghosts-Scared", "Eat-Ghost",   "Gob-Death",
    "1UP",     "Screech",    "Ghost-New-Sheet", "Woman-Scream",  "Ghost-Scream",
};
// What the game plays with loops -1: it starts from silence and is cut anywhere.
const int LOOPING_EFFECTS[] = {SFX_GHOSTS_SCARED};

// Filled by the mixer's thread; read only while the audio is locked.
std::vector<Sint16> mixed;
size_t mixedWanted = 0;

void RecordMix(void*, Uint8* stream, int length)
{
    const Sint16* samples = reinterpret_cast<const Sint16*>(stream);
    for (int i = 0; i < length / 2 && mixed.size() < mixedWanted; i++) mixed.push_back(samples[i]);
}

double Decibels(double level)
{
    return 20.0 * log10(std::max(level, 1.0) / FULL_SCALE);
}

// Root mean square of every 50 ms window, 10 ms apart.
std::vector<double> WindowLevels(const std::vector<Sint16>& samples)
{
    std::vector<double> sums(samples.size() + 1, 0.0);
    for (size_t i = 0; i < samples.size(); i++) sums[i + 1] = sums[i] + double(samples[i]) * samples[i];
    std::vector<double> levels;
    for (size_t start = 0; start + WINDOW <= samples.size(); start += HOP)
        levels.push_back(sqrt((sums[start + WINDOW] - sums[start]) / WINDOW));
    if (levels.empty()) levels.push_back(sqrt(sums.back() / WINDOW));
    return levels;
}

struct Loudness
{
    double loudestDb;  // the loudest window
    double loudDb;     // the 90th-percentile window: the loud parts
    int peak;
    int clipped;  // samples at either rail
};

Loudness Measure(const std::vector<Sint16>& samples)
{
    std::vector<double> levels = WindowLevels(samples);
    std::sort(levels.begin(), levels.end());
    Loudness loudness = {Decibels(levels.back()), Decibels(levels[levels.size() * 9 / 10]), 0, 0};
    for (Sint16 sample : samples)
    {
        loudness.peak = std::max(loudness.peak, abs(int(sample)));
        if (sample == 32767 || sample == -32768) loudness.clipped++;
    }
    return loudness;
}

class MixedSoundTest : public AudioTest
{
protected:
    // The disk driver must mix as fast as it can, and the two SDLs under SDL
    // 1.2 each read their own variable for that: SDL2 a delay, SDL3 a scale of
    // real time. SDL2 writes only to a file or a pipe, not to /dev/null: a file
    // in the test's folder (tens of megabytes; four times that on SDL3, which
    // writes 44.1 kHz stereo).
    MixedSoundTest()
        : driver("SDL_AUDIODRIVER", "disk"), file("SDL_DISKAUDIOFILE", "mixed-sound.raw"),
          sdl2Delay("SDL_DISKAUDIODELAY", "0"), sdl3Timescale("SDL_AUDIO_DISK_TIMESCALE", "0")
    {
    }

    void SetUp() override
    {
        AudioTest::SetUp();
        PrepareData();
        const bool opened = audio->SetupAudio();
        const std::string log = output->Text();
        output.reset();  // the test's own reports go to the terminal
        ASSERT_TRUE(opened) << log;
        int frequency = 0, channels = 0;
        Uint16 format = 0;
        Mix_QuerySpec(&frequency, &format, &channels);
        ASSERT_TRUE(frequency == SAMPLE_RATE && format == AUDIO_S16SYS && channels == 1)
            << "the mixer mixes " << frequency << " Hz, format 0x" << std::hex << format << std::dec << ", "
            << channels << " channels; the measures below read 22050 Hz 16-bit mono";
        mixed.reserve(LONGEST_TUNE_SAMPLES);
        Mix_SetPostMix(RecordMix, nullptr);
        // Minutes of tunes are recorded: a driver that plays in real time
        // would take the better part of an hour, so it fails here, at once.
        std::vector<Sint16> silence;
        ASSERT_TRUE(Record(silence, PACE_CHECK_SAMPLES, [] {}, [this] { return Recorded(); }, PACE_CHECK_MS))
            << "the mixer made " << silence.size() << " samples in " << PACE_CHECK_MS << " ms, fewer than "
            << PACE_CHECK_SAMPLES << ": the disk driver plays in real time or not at all, so SDL read neither "
            << "SDL_DISKAUDIODELAY (SDL2) nor SDL_AUDIO_DISK_TIMESCALE (SDL3)";
    }

    void TearDown() override
    {
        Mix_SetPostMix(nullptr, nullptr);
        AudioTest::TearDown();
    }

    // The options screen's step for both volumes.
    void SetVolumes(int volume)
    {
        audio->MusicVolume = volume;
        audio->SoundVolume = volume;
        audio->ApplySoundVolume();
    }

    // Starts the sounds within one mixing pass and records what follows until
    // done; false when the mixer has not got there within the time.
    bool Record(std::vector<Sint16>& result, size_t samples, const std::function<void()>& start,
                const std::function<bool()>& done, int timeoutMilliseconds = 20000)
    {
        SDL_LockAudio();
        mixed.clear();
        mixedWanted = samples;
        start();
        SDL_UnlockAudio();
        const bool finished = WaitUntil(done, timeoutMilliseconds);
        SDL_LockAudio();
        Mix_HaltMusic();
        Mix_HaltChannel(-1);
        result = mixed;
        mixedWanted = 0;
        SDL_UnlockAudio();
        return finished;
    }

    bool Recorded()
    {
        SDL_LockAudio();
        const bool full = mixed.size() >= mixedWanted;
        SDL_UnlockAudio();
        return full;
    }

    // One whole pass of a tune, up to where it stops; one that never starts
    // would end the wait at once and pass for silence.
    void RecordTune(uint8_t track, std::vector<Sint16>& pass)
    {
        bool started = false;
        ASSERT_TRUE(Record(pass, LONGEST_TUNE_SAMPLES, [track, &started] {
            audio->PlayMusic(track, 0);
            audio->PlayFrameSounds();
            started = Mix_PlayingMusic();
        }, [this] { return !Mix_PlayingMusic() || Recorded(); }))
            << "the mixer stalled";
        ASSERT_TRUE(started) << "the tune never started";
        while (!pass.empty() && pass.back() == 0) pass.pop_back();
    }

    void RecordEffect(uint8_t effect, bool overInGameMusic, std::vector<Sint16>& sound)
    {
        const size_t length = LoadedSoundEffect(effect)->alen / 2;
        ASSERT_TRUE(Record(sound, length, [effect, overInGameMusic] {
            if (overInGameMusic) audio->PlayMusic(MUSIC_IN_GAME, 0);
            audio->PlayDigitalSoundFX(effect, 0);
            audio->PlayFrameSounds();
        }, [this] { return Recorded(); })) << "the mixer stalled";
    }

    ScopedVariable driver, file, sdl2Delay, sdl3Timescale;
};

TEST_F(MixedSoundTest, EveryEffectStandsAboveTheMusicAndNothingClips)
{
    // At equal steps effects gain on the music as both rise (the effect volume
    // is applied twice), so the defaults are the hardest step.
    std::vector<Sint16> pass, alone, overMusic;
    for (int volume : {32, 64, 96, 128})
    {
        SCOPED_TRACE("both volumes at " + std::to_string(volume));
        SetVolumes(volume);
        double loudestTuneDb = -200.0;
        int loudestTunePeak = 0;
        for (uint8_t track = 0; track < NUMBER_OF_MUSIC_TRACKS; track++)
        {
            SCOPED_TRACE(MUSIC_NAMES[track]);
            ASSERT_NO_FATAL_FAILURE(RecordTune(track, pass));
            const Loudness tune = Measure(pass);
            fprintf(stderr, "%3d/%-3d %-16s loud parts %6.1f dBFS, peak %6.1f dBFS\n", volume, volume, MUSIC_NAMES[track],
                    tune.loudDb, Decibels(tune.peak));
            EXPECT_EQ(0, tune.clipped);
            loudestTuneDb = std::max(loudestTuneDb, tune.loudDb);
            loudestTunePeak = std::max(loudestTunePeak, tune.peak);
        }
        for (uint8_t effect = 0; effect < NUMBER_OF_SOUND_EFFECTS; effect++)
        {
            SCOPED_TRACE(EFFECT_NAMES[effect]);
            ASSERT_NO_FATAL_FAILURE(RecordEffect(effect, false, alone));
            ASSERT_NO_FATAL_FAILURE(RecordEffect(effect, true, overMusic));
            const Loudness effectAlone = Measure(alone);
            const Loudness effectOverMusic = Measure(overMusic);
            fprintf(stderr, "%3d/%-3d %-16s loudest %6.1f dBFS, %+5.1f dB over the loudest tune, peak %6.1f dBFS, %d clipped\n",
                    volume, volume, EFFECT_NAMES[effect], effectAlone.loudestDb, effectAlone.loudestDb - loudestTuneDb,
                    Decibels(effectAlone.peak), effectOverMusic.clipped);
            EXPECT_GE(effectAlone.loudestDb - loudestTuneDb, EFFECT_MARGIN_DB) << "buried under the music";
            EXPECT_EQ(0, effectOverMusic.clipped);
            EXPECT_LT(effectAlone.peak + loudestTunePeak, FULL_SCALE) << "clips where the peaks meet";
        }
    }
}

// A looping effect starts from silence and is halted wherever it is: both
// ends must rest near zero, and the seam must be no step at all.
TEST_F(AudioTest, LoopingEffectsStartAndEndAtRest)
{
    PrepareData();
    ASSERT_TRUE(audio->SetupAudio());
    for (int effect : LOOPING_EFFECTS)
    {
        SCOPED_TRACE(EFFECT_NAMES[effect]);
        const Sint16* samples = reinterpret_cast<const Sint16*>(LoadedSoundEffect(effect)->abuf);
        const int length = LoadedSoundEffect(effect)->alen / 2;
        ASSERT_GT(length, 1);
        int innerStep = 0;
        for (int i = 1; i < length; i++) innerStep = std::max(innerStep, abs(samples[i] - samples[i - 1]));
        EXPECT_LE(abs(samples[0]), FULL_SCALE / 100);
        EXPECT_LE(abs(samples[length - 1]), FULL_SCALE / 100);
        EXPECT_LE(abs(samples[0] - samples[length - 1]), innerStep) << "the loop jumps at its seam";
    }
}

// Without a sound device the game runs silent and touches nothing.
class AudioWithoutDevice : public GameTest
{
protected:
    AudioWithoutDevice() : GameTest(OPEN_SOUND, false), driver("SDL_AUDIODRIVER", "no-such-driver") {}
    void SetUp() override
    {
        ASSERT_EQ(0, SDL_Init(0));
        GameTest::SetUp();  // tries the mixer, sets the volumes and starts the title tune
    }

    ScopedVariable driver;
};

TEST_F(AudioWithoutDevice, RunsSilentAndTouchesNothing)
{
    EXPECT_EQ(0, audio->AudioWorking);
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    audio->PlayMusic(MUSIC_ENDING, 0);
    audio->PlayFrameSounds();
    EXPECT_EQ(MUSIC_ENDING, audio->CurrentlySelectedMusicTrack) << "the game's choice, with or without a device";
    objects.reset();  // the game shuts down

    EXPECT_EQ(1, CountOccurrences(output->Text(), "ERROR: SDL_Mixer init failed: "));
    EXPECT_EQ(std::string::npos, output->Text().find("SDL_mixer initialized"));
    EXPECT_EQ(std::string::npos, output->Text().find("SDL_mixer closed"));
}

}  // namespace
