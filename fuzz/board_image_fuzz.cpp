// Any board image, of any depth, size or damage: the loader either fills the
// maps consistently or reports the image and leaves an all-wall board.
#include <stdint.h>
#include <sys/stat.h>

#include "fuzz_support.h"
#include "game/game.h"
#include "logic/logic.h"

const int NUMBER_OF_RETURN_CODES_READ = 6;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterFuzzFolder("board");
    if (mkdir("data", 0755) != 0 || mkdir("data/boards", 0755) != 0) abort();
    game = new Game();
    logic = new Logic();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    // Level 0 reads the original board and its return image; both get the input.
    WriteFuzzFile("data/boards/Original.bmp", bytes, size);
    WriteFuzzFile("data/boards/Original_Return.bmp", bytes, size);
    game->FatalError = 0;
    logic->Level = 0;
    logic->LoadTilePlayfield();

    int pellets = 0;
    for (int x = 0; x < BOARD_SIZE; x++)
        for (int y = 0; y < BOARD_SIZE; y++)
        {
            FUZZ_REQUIRE(logic->BoundaryLegoMap[x][y] <= 1);
            FUZZ_REQUIRE(logic->PelletMap[x][y] <= 2);
            FUZZ_REQUIRE(logic->ReturnMap[x][y] < NUMBER_OF_RETURN_CODES_READ);
            if (logic->PelletMap[x][y] != 0) pellets++;
        }
    if (!game->FatalError) FUZZ_REQUIRE(pellets == logic->PelletsLeftOnBoard);
    if (game->FatalError) FUZZ_REQUIRE(logic->PelletsLeftOnBoard == 0);
    return 0;
}
