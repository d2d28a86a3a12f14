#ifndef WOBBLER_TEST_LOGIC_FIXTURE_H
#define WOBBLER_TEST_LOGIC_FIXTURE_H

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <memory>

#include "audio/audio.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"
#include "desktop/desktop.h"
#include "screens/screens.h"
#include "support/boards.h"
#include "support/data_folder.h"
#include "support/game_objects.h"
#include "support/key_events.h"
#include "support/test_environment.h"
#include "visuals/visuals.h"

// The objects the rules of play reach, in a temporary directory whose data/
// holds only the boards a test writes. No window: drawing is tested
// elsewhere. Sound stays off unless a test opens it.
class LogicTest : public GameTest
{
protected:
    LogicTest() : GameTest(CREATE_OBJECTS, false) {}

    void SetUp() override
    {
        GameTest::SetUp();
        ASSERT_TRUE(LinkDataWithout(directory->path, {"boards"}));
        logic->SeedRandomGenerator(1);
    }

    void TearDown() override
    {
        Mix_ChannelFinished(nullptr);
        GameTest::TearDown();
    }

    // Loads the board as level 1's and clears everything that moves.
    void UseBoard(const Picture& board, const Picture& routes = NoRoutes())
    {
        ASSERT_TRUE(SaveBoardPair("Level1", board, routes));
        logic->Level = 1;
        logic->LoadTilePlayfield();
        ASSERT_EQ(0, game->FatalError);
        for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++) logic->GhostActive[ghost] = 0;
    }

    void PlacePlayer(int x, int y, uint8_t direction)
    {
        logic->PlayerTileX = x;
        logic->PlayerTileY = y;
        logic->PlayerOffsetX = 0;
        logic->PlayerOffsetY = 0;
        logic->PlayerDirection = direction;
        logic->PlayerNextDirection = 0;
        logic->PlayerSpeed = 8;
    }

    void PlaceGhost(int ghost, int x, int y, uint8_t direction, uint8_t state = GHOST_NORMAL, uint8_t speed = 4)
    {
        logic->GhostActive[ghost] = 1;
        logic->GhostTileX[ghost] = x;
        logic->GhostTileY[ghost] = y;
        logic->GhostOffsetX[ghost] = 0;
        logic->GhostOffsetY[ghost] = 0;
        logic->GhostDirection[ghost] = direction;
        logic->GhostState[ghost] = state;
        logic->GhostSpeed[ghost] = speed;
    }

    // One frame of the hero with this direction held.
    void Steer(uint8_t direction)
    {
        TakeInput(Held(INPUT_KEYBOARD, direction));
        logic->ProcessPlayer(screens->Command.Direction[INPUT_ALL]);
    }

    // Opens the mixer on SDL's dummy driver with the real effects, counting
    // every effect that ends so that short ones are still seen once over.
    void OpenSound()
    {
        SDL_InitSubSystem(SDL_INIT_AUDIO);
        ASSERT_TRUE(audio->SetupAudio());
        for (int& finished : SoundsFinished()) finished = 0;
        Mix_ChannelFinished(CountFinishedSound);
    }

    // Times this effect was started since the mixer opened.
    int SoundsStarted(int effect) const
    {
        SDL_LockAudio();
        int started = SoundsFinished()[effect] + ChannelsPlaying(effect);
        SDL_UnlockAudio();
        return started;
    }

    // The effects playing once the sounds asked for so far are played, as at a frame's end.
    int ChannelsPlaying(int effect) const
    {
        audio->PlayFrameSounds();
        int playing = 0;
        for (int channel = 0; channel < NUMBER_OF_MIXER_CHANNELS; channel++)
            if (Mix_Playing(channel) && Mix_GetChunk(channel) == LoadedSoundEffect(effect)) playing++;
        return playing;
    }

    static std::array<int, NUMBER_OF_SOUND_EFFECTS>& SoundsFinished()
    {
        static std::array<int, NUMBER_OF_SOUND_EFFECTS> finished;
        return finished;
    }

    static void CountFinishedSound(int channel)
    {
        for (int effect = 0; effect < NUMBER_OF_SOUND_EFFECTS; effect++)
            if (audio && Mix_GetChunk(channel) == LoadedSoundEffect(effect)) SoundsFinished()[effect]++;
    }
};

#endif
