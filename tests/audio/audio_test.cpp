#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

#include <SDL.h>

#include "audio/audio.h"
#include "support/test_environment.h"

namespace {

const char* const ASSET_FILES[] = {
    "music/Title.mod",        "music/InGame.mod",          "music/Ending.mod",
    "music/New-High-Score.mod", "music/Stage5.mod",        "sound/Click.wav",
    "sound/Eat-Pellet.wav",   "sound/Start.wav",           "sound/Ghosts-Scared.wav",
    "sound/Eat-Ghost.wav",    "sound/Gob-Death.wav",       "sound/1UP.wav",
    "sound/Screech.wav",      "sound/Ghost-New-Sheet.wav", "sound/Woman-Scream.wav",
    "sound/Ghost-Scream.wav",
};

// A working directory whose data/ holds the real music and sounds, less one file.
class AudioTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0, SDL_Init(SDL_INIT_AUDIO)) << SDL_GetError(); }

    void TearDown() override
    {
        delete audio;
        audio = nullptr;
        SDL_Quit();
        output.reset();
        directory.reset();
    }

    void PrepareData(const std::string& missingFile = "")
    {
        directory.reset(new TemporaryWorkingDirectory(false));
        mkdir("data", 0755);
        mkdir("data/music", 0755);
        mkdir("data/sound", 0755);
        for (const char* file : ASSET_FILES)
        {
            if (missingFile == file) continue;
            const std::string original = ProjectRoot() + "/data/" + file;
            ASSERT_EQ(0, symlink(original.c_str(), (std::string("data/") + file).c_str())) << file;
        }
        output.reset(new CapturedOutput());
        audio = new Audio();
    }

    static int ChannelsPlaying() { return Mix_Playing(-1); }

    std::unique_ptr<TemporaryWorkingDirectory> directory;
    std::unique_ptr<CapturedOutput> output;
};

TEST_F(AudioTest, LoadsEverythingAndReleasesItInOrder)
{
    PrepareData();
    ASSERT_TRUE(audio->SetupAudio());
    EXPECT_EQ(1, audio->AudioWorking);
    for (Mix_Music* track : audio->MusicTrack) EXPECT_NE(nullptr, track);
    for (Mix_Chunk* effect : audio->SoundEffect) EXPECT_NE(nullptr, effect);
    for (int channel = 0; channel < NUMBER_OF_MIXER_CHANNELS; channel++) EXPECT_EQ(32, Mix_Volume(channel, -1));
    EXPECT_EQ(32, Mix_VolumeChunk(audio->SoundEffect[SFX_DEATH], -1));

    int frequency = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(0, Mix_QuerySpec(&frequency, &format, &channels));
    EXPECT_EQ(22050, frequency);
    EXPECT_EQ(1, channels);
    EXPECT_EQ(AUDIO_S16LSB, format);

    audio->PlayMusic(MUSIC_ENDING, 0);
    EXPECT_EQ(1, Mix_PlayingMusic());
    EXPECT_EQ(MUSIC_ENDING, audio->CurrentlySelectedMusicTrack);

    delete audio;
    audio = nullptr;
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
    EXPECT_NE(nullptr, audio->SoundEffect[SFX_EAT_PELLET]);
    EXPECT_EQ(nullptr, audio->SoundEffect[SFX_GHOSTS_SCARED]) << "loading goes on after the failure";

    audio->PlayMusic(MUSIC_TITLE, 0);
    audio->PlayDigitalSoundFX(SFX_CLICK, -1);
    EXPECT_EQ(0, Mix_PlayingMusic());
    EXPECT_EQ(0, ChannelsPlaying());

    delete audio;
    audio = nullptr;
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
    EXPECT_EQ(nullptr, audio->MusicTrack[MUSIC_STAGE_FIVE]);
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Loaded all music into memory", "Loaded all sounds into memory"}));

    audio->PlayMusic(MUSIC_TITLE, 0);
    ASSERT_EQ(1, Mix_PlayingMusic());
    audio->PlayMusic(MUSIC_STAGE_FIVE, 0);
    EXPECT_EQ(1, Mix_PlayingMusic()) << "the title music must keep playing";
    EXPECT_EQ(MUSIC_TITLE, audio->CurrentlySelectedMusicTrack);
    audio->PlayMusic(NUMBER_OF_MUSIC_TRACKS, 0);
    EXPECT_EQ(1, Mix_PlayingMusic());
    EXPECT_EQ(MUSIC_TITLE, audio->CurrentlySelectedMusicTrack);

    audio->PlayDigitalSoundFX(SFX_CLICK, -1);
    EXPECT_EQ(1, ChannelsPlaying());
}

TEST_F(AudioTest, VolumeZeroStartsNothing)
{
    PrepareData();
    ASSERT_TRUE(audio->SetupAudio());
    audio->PlayMusic(MUSIC_IN_GAME, 0);
    ASSERT_EQ(1, Mix_PlayingMusic());

    audio->MusicVolume = 0;
    audio->PlayMusic(MUSIC_TITLE, 0);
    EXPECT_EQ(0, Mix_PlayingMusic()) << "the old track must be halted and no new one started";
    EXPECT_EQ(MUSIC_IN_GAME, audio->CurrentlySelectedMusicTrack);

    audio->MusicVolume = 64;
    audio->PlayMusic(audio->CurrentlySelectedMusicTrack, 0);
    EXPECT_EQ(1, Mix_PlayingMusic());
    EXPECT_EQ(64, Mix_VolumeMusic(-1));

    audio->SoundVolume = 0;
    audio->PlayDigitalSoundFX(SFX_GHOSTS_SCARED, -1);
    EXPECT_EQ(0, ChannelsPlaying());
    audio->PlayDigitalSoundFX(NUMBER_OF_SOUND_EFFECTS, 0);
    EXPECT_EQ(0, ChannelsPlaying());
}

TEST_F(AudioTest, SeventeenthEffectIsDroppedWithItsLogLine)
{
    PrepareData();
    ASSERT_TRUE(audio->SetupAudio());
    for (int effect = 0; effect < NUMBER_OF_MIXER_CHANNELS; effect++)
        audio->PlayDigitalSoundFX(effect % NUMBER_OF_SOUND_EFFECTS, -1);
    EXPECT_EQ(NUMBER_OF_MIXER_CHANNELS, ChannelsPlaying());
    EXPECT_EQ(0, CountOccurrences(output->Text(), "Mix_PlayChannel: "));

    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    EXPECT_EQ(NUMBER_OF_MIXER_CHANNELS, ChannelsPlaying());
    EXPECT_EQ(1, CountOccurrences(output->Text(), "Mix_PlayChannel: "));
}

TEST_F(AudioTest, PlayersSoundVolumeReachesEveryChannelAndEffect)
{
    PrepareData();
    ASSERT_TRUE(audio->SetupAudio());
    audio->SoundVolume = 96;
    audio->ApplySoundVolume();
    for (int channel = 0; channel < NUMBER_OF_MIXER_CHANNELS; channel++) EXPECT_EQ(96, Mix_Volume(channel, -1));
    for (Mix_Chunk* effect : audio->SoundEffect) EXPECT_EQ(96, Mix_VolumeChunk(effect, -1));
}

TEST(AudioWithoutDevice, RunsSilentAndTouchesNothing)
{
    TemporaryWorkingDirectory directory;
    CapturedOutput output;
    const char* driver = getenv("SDL_AUDIODRIVER");
    const std::string previousDriver = driver ? driver : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_EQ(0, SDL_Init(0));

    audio = new Audio();
    EXPECT_FALSE(audio->SetupAudio());
    audio->ApplySoundVolume();
    audio->PlayMusic(MUSIC_TITLE, 0);
    audio->PlayDigitalSoundFX(SFX_CLICK, 0);
    delete audio;
    audio = nullptr;
    SDL_Quit();
    if (driver)
        setenv("SDL_AUDIODRIVER", previousDriver.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");

    EXPECT_EQ(1, CountOccurrences(output.Text(), "ERROR: SDL_Mixer init failed: "));
    EXPECT_EQ(std::string::npos, output.Text().find("SDL_mixer initialized"));
    EXPECT_EQ(std::string::npos, output.Text().find("SDL_mixer closed"));
}

}  // namespace
