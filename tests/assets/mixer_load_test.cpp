// Every generated module and effect must load and play through SDL_mixer,
// and every board must reach the game as 8-bit palette indices.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "support/boards.h"
#include "support/test_environment.h"

namespace
{

const char* const kMusic[] = {
    "data/music/Title.mod", "data/music/InGame.mod", "data/music/Ending.mod",
    "data/music/New-High-Score.mod", "data/music/Stage5.mod",
};

const char* const kSounds[] = {
    "data/sound/Click.wav", "data/sound/Eat-Pellet.wav", "data/sound/Start.wav",
    "data/sound/Ghosts-Scared.wav", "data/sound/Eat-Ghost.wav", "data/sound/Gob-Death.wav",
    "data/sound/1UP.wav", "data/sound/Screech.wav", "data/sound/Ghost-New-Sheet.wav",
    "data/sound/Woman-Scream.wav", "data/sound/Ghost-Scream.wav",
};

// Counts mixed samples that are not silent, so a module that loads but
// renders nothing is caught.
std::atomic<long> audibleSamples(0);

void CountAudible(void*, Uint8* stream, int length)
{
    const Sint16* samples = reinterpret_cast<const Sint16*>(stream);
    long loud = 0;
    for (int i = 0; i < length / 2; ++i)
        if (samples[i] > 64 || samples[i] < -64) ++loud;
    audibleSamples += loud;
}

class MixerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, SDL_Init(SDL_INIT_AUDIO)) << SDL_GetError();
        ASSERT_EQ(0, Mix_OpenAudio(22050, AUDIO_S16LSB, 1, 1024)) << Mix_GetError();
        Mix_AllocateChannels(16);
        Mix_SetPostMix(CountAudible, nullptr);
    }

    void TearDown() override
    {
        Mix_SetPostMix(nullptr, nullptr);
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_CloseAudio();
        SDL_Quit();
    }
};

TEST_F(MixerTest, EveryModuleLoadsAndSounds)
{
    for (const char* path : kMusic)
    {
        SCOPED_TRACE(path);
        Mix_Music* music = Mix_LoadMUS(path);
        ASSERT_NE(nullptr, music) << Mix_GetError();
        audibleSamples = 0;
        ASSERT_EQ(0, Mix_PlayMusic(music, 0)) << Mix_GetError();
        EXPECT_TRUE(Mix_PlayingMusic());
        EXPECT_TRUE(WaitUntil([] { return audibleSamples > 4096; }, 5000))
            << "the module plays silence";
        // Still going after the first notes: a song that ends early would stop here.
        EXPECT_TRUE(Mix_PlayingMusic());
        Mix_HaltMusic();
        Mix_FreeMusic(music);
    }
}

TEST_F(MixerTest, EveryEffectLoadsInTheMixerFormatAndPlays)
{
    for (const char* path : kSounds)
    {
        SCOPED_TRACE(path);
        Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1);
        ASSERT_NE(nullptr, chunk) << Mix_GetError();
        EXPECT_GT(chunk->alen, 200u);
        audibleSamples = 0;
        // Repeating, so that even the shortest click is still playing when asked.
        int channel = Mix_PlayChannel(-1, chunk, -1);
        ASSERT_GE(channel, 0) << Mix_GetError();
        EXPECT_TRUE(Mix_Playing(channel));
        EXPECT_TRUE(WaitUntil([] { return audibleSamples > 0; }, 5000)) << "the effect is silent";
        Mix_HaltChannel(channel);
        Mix_FreeChunk(chunk);
    }
}

TEST(BoardImages, DecodeAsPaletteIndices)
{
    ASSERT_EQ(0, SDL_Init(0)) << SDL_GetError();
    for (const char* name : BOARD_NAMES)
    {
        for (const std::string suffix : {"", "_Return"})
        {
            std::string path = std::string("data/boards/") + name + suffix + ".bmp";
            SCOPED_TRACE(path);
            SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
            ASSERT_NE(nullptr, surface) << SDL_GetError();
            EXPECT_EQ(1, surface->format->BytesPerPixel);
            EXPECT_EQ(27, surface->w);
            EXPECT_EQ(27, surface->h);
            ASSERT_EQ(0, SDL_LockSurface(surface));
            const Uint8* pixels = static_cast<const Uint8*>(surface->pixels);
            auto at = [&](int x, int y) { return pixels[y * surface->pitch + x]; };
            if (suffix.empty())
            {
                EXPECT_EQ(0, at(0, 0)) << "the corner is a wall";
                EXPECT_NE(0, at(13, 19)) << "the start is open";
                EXPECT_NE(0, at(13, 13)) << "the ghost home is open";
            }
            else
            {
                EXPECT_EQ(10, at(13, 13)) << "home is marked without a direction";
            }
            SDL_UnlockSurface(surface);
            SDL_FreeSurface(surface);
        }
    }
    SDL_Quit();
}

}  // namespace
