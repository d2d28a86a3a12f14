#include <gtest/gtest.h>

#include <SDL.h>
#include <unistd.h>

#include <functional>

#include "game/game.h"
#include "logic/logic.h"
#include "support/boards.h"
#include "support/data_folder.h"
#include "support/game_objects.h"
#include "support/pictures.h"
#include "support/test_environment.h"

namespace {

// Where a BMP's fields are: the file header's, then the info header's.
const size_t PIXEL_OFFSET_AT = 10;
const size_t WIDTH_AT = 18;
const size_t HEIGHT_AT = 22;
const size_t BIT_COUNT_AT = 28;
const size_t COMPRESSION_AT = 30;

void PutLittleEndian(std::string& bitmap, size_t at, uint32_t value, int bytes = 4)
{
    for (int i = 0; i < bytes; i++) bitmap[at + i] = (char)(value >> 8 * i);
}

size_t LittleEndianAt(const std::string& bitmap, size_t at)
{
    size_t value = 0;
    for (int i = 3; i >= 0; i--) value = value << 8 | (uint8_t)bitmap[at + i];
    return value;
}

// Level 1's board as a 27 x 27 image of pellets, changed.
void EditedBoard(const std::function<void(std::string&)>& edit)
{
    ASSERT_TRUE(WriteIndexedPicture("data/boards/Level1.bmp", 27, 27, std::vector<uint8_t>(27 * 27, 11)));
    std::string bitmap = ReadWholeFile("data/boards/Level1.bmp");
    edit(bitmap);
    WriteWholeFile("data/boards/Level1.bmp", bitmap);
}

void EditedBoard(size_t at, uint32_t value, int bytes = 4)
{
    EditedBoard([=](std::string& bitmap) { PutLittleEndian(bitmap, at, value, bytes); });
}

class Playfield : public GameTest
{
protected:
    Playfield() : GameTest(CREATE_OBJECTS, false) {}

    bool MapsAreAllWall() const
    {
        for (int x = 0; x < BOARD_SIZE; x++)
            for (int y = 0; y < BOARD_SIZE; y++)
                if (logic->BoundaryLegoMap[x][y] != 1 || logic->PelletMap[x][y] != 0 || logic->ReturnMap[x][y] != 0)
                    return false;
        return logic->PelletsLeftOnBoard == 0;
    }
};

TEST_F(Playfield, BoardImageGivesWallsPelletsAndCount)
{
    Picture board = WalledBoard();
    board[1][2] = '.';
    board[3][4] = 'o';
    board[5][6] = '#';
    board[25][25] = '.';
    ASSERT_TRUE(SaveBoardPair("Level1", board));

    logic->LoadTilePlayfield();

    EXPECT_EQ(3, logic->PelletsLeftOnBoard);
    EXPECT_EQ(1, logic->PelletMap[2][1]);  // [x][y]
    EXPECT_EQ(2, logic->PelletMap[4][3]);
    EXPECT_EQ(1, logic->PelletMap[25][25]);
    EXPECT_EQ(1, logic->BoundaryLegoMap[6][5]);
    EXPECT_EQ(0, logic->BoundaryLegoMap[6][6]);
    EXPECT_EQ(0, logic->BoundaryLegoMap[2][1]);
    EXPECT_EQ(1, logic->BoundaryLegoMap[0][13]);
    EXPECT_EQ(1, logic->BoundaryLegoMap[26][26]);
    EXPECT_EQ(0, game->FatalError);
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Tile map BMPtoARRAY loaded", "Return tile map BMPtoARRAY loaded"}));
}

TEST_F(Playfield, ReturnImageGivesWaysHomeAndTenIsMarkedWithoutAWay)
{
    Picture routes = NoRoutes();
    routes[2][1] = 'U';
    routes[2][2] = 'D';
    routes[2][3] = 'L';
    routes[2][4] = 'R';
    routes[2][5] = 'x';
    ASSERT_TRUE(SaveBoardPair("Level1", WalledBoard(), routes));

    logic->LoadTilePlayfield();

    EXPECT_EQ(1, logic->ReturnMap[1][2]);
    EXPECT_EQ(2, logic->ReturnMap[2][2]);
    EXPECT_EQ(3, logic->ReturnMap[3][2]);
    EXPECT_EQ(4, logic->ReturnMap[4][2]);
    EXPECT_EQ(5, logic->ReturnMap[5][2]);
    EXPECT_EQ(0, logic->ReturnMap[6][2]);
}

TEST_F(Playfield, EachLevelReadsItsOwnImagesAndTheRestReadTheLastBoard)
{
    ASSERT_TRUE(SaveBoardsOfRisingPellets());

    const int levels[] = {1, 2, 3, 4, 5, 0, 6, 7, 200};
    const int pellets[] = {1, 2, 3, 4, 5, 5, 5, 5, 5};
    for (int i = 0; i < 9; i++)
    {
        logic->Level = levels[i];
        logic->LoadTilePlayfield();
        EXPECT_EQ(pellets[i], logic->PelletsLeftOnBoard) << "level " << levels[i];
    }
    EXPECT_EQ(0, game->FatalError);
}

TEST_F(Playfield, OnlyTheTopLeftCornerOfALargerImageIsRead)
{
    std::vector<uint8_t> pixels(30 * 30, 11);
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 0; x < BOARD_SIZE; x++) pixels[y * 30 + x] = 0;
    pixels[0] = 10;
    ASSERT_TRUE(SaveBoardPair("Level1", WalledBoard()));
    ASSERT_TRUE(WriteIndexedPicture("data/boards/Level1.bmp", 30, 30, pixels));

    logic->LoadTilePlayfield();

    EXPECT_EQ(1, logic->PelletsLeftOnBoard);
    EXPECT_EQ(2, logic->PelletMap[0][0]);
    EXPECT_EQ(1, logic->BoundaryLegoMap[26][26]);
}

TEST_F(Playfield, ReloadingRestoresEatenPelletsAndABoardWithoutPelletsCountsNone)
{
    Picture board = WalledBoard();
    board[10][10] = '.';
    board[11][10] = 'o';
    ASSERT_TRUE(SaveBoardPair("Level1", board));
    ASSERT_TRUE(SaveBoardPair("Level2", WalledBoard()));

    logic->LoadTilePlayfield();
    logic->PelletMap[10][10] = 0;
    logic->PelletsLeftOnBoard = 1;
    logic->LoadTilePlayfield();
    EXPECT_EQ(1, logic->PelletMap[10][10]);
    EXPECT_EQ(2, logic->PelletsLeftOnBoard);

    logic->Level = 2;
    logic->LoadTilePlayfield();
    EXPECT_EQ(0, logic->PelletsLeftOnBoard);
    EXPECT_EQ(0, game->FatalError);
}

// Rows stored from the top, and the old OS/2 header with its 3-byte colours,
// read as the usual image.
TEST_F(Playfield, RowsFromTheTopAndTheOldCoreHeaderReadAsTheUsualImage)
{
    Picture board = WalledBoard();
    board[1][2] = '.';
    board[24][3] = 'o';
    ASSERT_TRUE(SaveBoardPair("Level1", board));
    const std::string usual = ReadWholeFile("data/boards/Level1.bmp");
    const size_t pixels = LittleEndianAt(usual, PIXEL_OFFSET_AT);
    const size_t rowBytes = 28;

    std::string topDown = usual;
    PutLittleEndian(topDown, HEIGHT_AT, (uint32_t)-BOARD_SIZE);
    for (int row = 0; row < BOARD_SIZE; row++)
        topDown.replace(pixels + row * rowBytes, rowBytes, usual, pixels + (BOARD_SIZE - 1 - row) * rowBytes, rowBytes);

    // The old header: its size, 16-bit sides, one plane, 8 bits; then 3-byte colours.
    std::string core = usual.substr(0, 26);
    const uint32_t coreHeader[][2] = {{14, 12}, {18, BOARD_SIZE}, {20, BOARD_SIZE}, {22, 1}, {24, 8}};
    for (const auto& field : coreHeader) PutLittleEndian(core, field[0], field[1], field[0] == 14 ? 4 : 2);
    for (size_t colour = 54; colour < pixels; colour += 4) core += usual.substr(colour, 3);
    PutLittleEndian(core, PIXEL_OFFSET_AT, core.size());
    core += usual.substr(pixels);

    const std::pair<const char*, std::string> images[] = {{"from the top", topDown}, {"core header", core}};
    for (const auto& image : images)
    {
        WriteWholeFile("data/boards/Level1.bmp", image.second);
        game->FatalError = 0;
        logic->LoadTilePlayfield();
        EXPECT_EQ(0, game->FatalError) << image.first;
        EXPECT_EQ(2, logic->PelletsLeftOnBoard) << image.first;
        EXPECT_EQ(1, logic->PelletMap[2][1]) << image.first;
        EXPECT_EQ(2, logic->PelletMap[3][24]) << image.first;
    }
}

// A board that cannot be read leaves no map to walk out of.
TEST_F(Playfield, UnusableBoardImagesStopTheGameWithOneErrorAndSafeMaps)
{
    struct Damage
    {
        const char* what;
        const char* refusal;  // the check that must catch it, as its line says
        void (*make)();
    };
    const Damage damages[] = {
        {"missing", "Could not open", [] { ASSERT_EQ(0, remove("data/boards/Level1.bmp")); }},
        {"not a bitmap", "header is cut short", [] { WriteWholeFile("data/boards/Level1.bmp", "BM this is no picture"); }},
        {"too narrow", "is not an 8-bit image",
         [] { ASSERT_TRUE(WriteIndexedPicture("data/boards/Level1.bmp", 26, 27, std::vector<uint8_t>(26 * 27, 11))); }},
        {"too short", "is not an 8-bit image",
         [] { ASSERT_TRUE(WriteIndexedPicture("data/boards/Level1.bmp", 27, 26, std::vector<uint8_t>(27 * 26, 11))); }},
        {"not 8-bit", "is not an 8-bit image", [] { ASSERT_TRUE(WritePicture("data/boards/Level1.bmp", 27, 27, 0x0B0B0B)); }},
        // SDL once took a bit count of 8193 as one bit per pixel yet one byte
        // per pixel (found by fuzzing).
        {"bit count 8193", "is not an 8-bit image", [] { EditedBoard(BIT_COUNT_AT, 8193, 2); }},
        // Refused from the header alone, before anything is sized by it.
        {"declares 1 million x 27", "declares 1000000 x 27 pixels", [] { EditedBoard(WIDTH_AT, 1000000); }},
        {"declares 2^31 rows from the top", "declares 27 x -2147483648 pixels",
         [] { EditedBoard(HEIGHT_AT, 1u << 31); }},
        {"compressed", "it is compressed", [] { EditedBoard(COMPRESSION_AT, 1); }},
        {"pixels within the headers", "its pixels start at byte 20", [] { EditedBoard(PIXEL_OFFSET_AT, 20); }},
        {"pixels past the end", "end at byte 2756, past its 1834 bytes", [] { EditedBoard(PIXEL_OFFSET_AT, 2000); }},
        // Even the last row's padding, which no pixel is read from.
        {"last row cut short", "past its 1833 bytes",
         [] { EditedBoard([](std::string& bitmap) { bitmap.pop_back(); }); }},
    };
    Picture board = WalledBoard();
    board[5][5] = '.';

    for (const Damage& damage : damages)
    {
        ASSERT_TRUE(SaveBoardPair("Level1", board));
        damage.make();
        game->FatalError = 0;
        CapturedOutput log;

        logic->LoadTilePlayfield();

        const std::string text = log.Text();
        EXPECT_EQ(1, CountOccurrences(text, "ERROR: ")) << damage.what << ": " << text;
        EXPECT_EQ(0u, text.find("ERROR: ")) << damage.what;
        EXPECT_NE(std::string::npos, text.find("data/boards/Level1.bmp")) << damage.what;
        EXPECT_NE(std::string::npos, text.find(damage.refusal)) << damage.what << ": " << text;
        EXPECT_EQ(std::string::npos, text.find("loaded")) << damage.what;
        EXPECT_EQ(1, game->FatalError) << damage.what;
        EXPECT_TRUE(MapsAreAllWall()) << damage.what;
    }
}

TEST_F(Playfield, UnusableReturnImageAlsoStopsTheGame)
{
    Picture board = WalledBoard();
    board[5][5] = '.';
    ASSERT_TRUE(SaveBoardPair("Level1", board));
    ASSERT_TRUE(WriteIndexedPicture("data/boards/Level1_Return.bmp", 20, 20, std::vector<uint8_t>(400, 9)));

    logic->LoadTilePlayfield();

    const std::string text = output->Text();
    EXPECT_TRUE(AppearInOrder(text, {"Tile map BMPtoARRAY loaded"}));
    EXPECT_EQ(1, CountOccurrences(text, "ERROR: "));
    EXPECT_NE(std::string::npos, text.find("data/boards/Level1_Return.bmp"));
    EXPECT_EQ(std::string::npos, text.find("Return tile map BMPtoARRAY loaded"));
    EXPECT_EQ(1, game->FatalError);
    EXPECT_TRUE(MapsAreAllWall());
}

// The boards that ship with the game, read the way the game reads them (their
// shape, routes and open start and home are checked by test_boards.py).
TEST_F(Playfield, TheShippedBoardsAllLoadWithPelletsAndMatchTheirImages)
{
    ASSERT_TRUE(LinkDataWithout(directory->path));

    for (int level = 1; level <= 5; level++)
    {
        const std::string path = ProjectRoot() + "/data/boards/" + BOARD_NAMES[level - 1] + ".bmp";
        SDL_Surface* const image = SDL_LoadBMP(path.c_str());
        ASSERT_NE(nullptr, image) << path;
        ASSERT_EQ(1, image->format->BytesPerPixel) << path;

        logic->Level = level;
        logic->LoadTilePlayfield();
        EXPECT_EQ(0, game->FatalError) << path;
        EXPECT_GT(logic->PelletsLeftOnBoard, 0) << path;

        int pellets = 0;
        for (int y = 0; y < BOARD_SIZE; y++)
            for (int x = 0; x < BOARD_SIZE; x++)
            {
                const uint8_t value = ((const uint8_t*)image->pixels)[y * image->pitch + x];
                EXPECT_EQ(value == 0 ? 1 : 0, logic->BoundaryLegoMap[x][y]) << path << " " << x << "," << y;
                EXPECT_EQ(value == 11 ? 1 : value == 10 ? 2 : 0, logic->PelletMap[x][y]) << path;
                if (value == 10 || value == 11) pellets++;
            }
        EXPECT_EQ(pellets, logic->PelletsLeftOnBoard) << path;
        SDL_FreeSurface(image);
    }
}

}  // namespace
