// Any options file: the loader keeps every value in range, and what it kept
// is saved and read back unchanged.
#include <stdint.h>

#include "audio/audio.h"
#include "data/data.h"
#include "fuzz_support.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"
#include "screens/screens.h"
#include "settings/settings.h"

namespace {

struct Snapshot
{
    char names[NUMBER_OF_GAME_MODES][NUMBER_OF_HIGH_SCORES][HIGH_SCORE_NAME_SIZE];
    uint8_t levels[NUMBER_OF_GAME_MODES][NUMBER_OF_HIGH_SCORES];
    uint32_t scores[NUMBER_OF_GAME_MODES][NUMBER_OF_HIGH_SCORES];
    int32_t volumes[2];
    uint8_t flags[2];
    uint8_t codes[6][NUMBER_OF_JOYSTICKS];
    char keys[2];
};

Snapshot Take()
{
    Snapshot snapshot;
    memset(&snapshot, 0, sizeof(snapshot));
    memcpy(snapshot.names, data->HighScoresName, sizeof(snapshot.names));
    memcpy(snapshot.levels, data->HighScoresLevel, sizeof(snapshot.levels));
    memcpy(snapshot.scores, data->HighScoresScore, sizeof(snapshot.scores));
    snapshot.volumes[0] = audio->MusicVolume;
    snapshot.volumes[1] = audio->SoundVolume;
    snapshot.flags[0] = game->AboutBackgroundHidden;
    snapshot.flags[1] = logic->GameMode;
    const uint8_t* const codes[6] = {input->JoyMapUP, input->JoyMapDOWN, input->JoyMapLEFT,
                                     input->JoyMapRIGHT, input->JoyMapButtonOne, input->JoyMapButtonTwo};
    for (int control = 0; control < 6; control++) memcpy(snapshot.codes[control], codes[control], NUMBER_OF_JOYSTICKS);
    snapshot.keys[0] = input->UserDefinedKeyButtonOne;
    snapshot.keys[1] = input->UserDefinedKeyButtonTwo;
    return snapshot;
}

void CheckInRange()
{
    FUZZ_REQUIRE(audio->MusicVolume >= 0 && audio->MusicVolume <= 128);
    FUZZ_REQUIRE(audio->SoundVolume >= 0 && audio->SoundVolume <= 128);
    FUZZ_REQUIRE(logic->GameMode < NUMBER_OF_GAME_MODES);
    FUZZ_REQUIRE(input->UserDefinedKeyButtonOne != 0 && input->UserDefinedKeyButtonTwo != 0);
    for (int mode = 0; mode < NUMBER_OF_GAME_MODES; mode++)
        for (int rank = 0; rank < NUMBER_OF_HIGH_SCORES; rank++)
        {
            FUZZ_REQUIRE(data->HighScoresName[mode][rank][HIGH_SCORE_NAME_LENGTH] == 0);
            FUZZ_REQUIRE(data->HighScoresLevel[mode][rank] >= 1 && data->HighScoresLevel[mode][rank] <= 6);
        }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    EnterFuzzFolder("options");
    game = new Game();
    logic = new Logic();
    input = new Input();
    input->OpenJoysticks();
    screens = new Screens();
    settings = new Settings(*argc, *argv);
    data = new Data();
    audio = new Audio();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    char path[OPTIONS_FILE_PATH_SIZE];
    FUZZ_REQUIRE(data->BuildOptionsFilePath(path, sizeof(path)));
    WriteFuzzFile(path, bytes, size);

    data->ClearHighScores();
    data->LoadHighScoresAndOptions();
    CheckInRange();

    const Snapshot loaded = Take();
    data->SaveHighScoresAndOptions();
    data->ClearHighScores();
    data->LoadHighScoresAndOptions();
    const Snapshot reloaded = Take();
    FUZZ_REQUIRE(memcmp(&loaded, &reloaded, sizeof(loaded)) == 0);
    return 0;
}
