#include <stdio.h>

#include "checks.h"
#include "game/game.h"
#include "logic/logic.h"

// The board and return images of each level; 0 and 6 read the last board.
const char* const BOARD_IMAGE_FOR_LEVEL[NUMBER_OF_LEVELS] = {
    "data/boards/Original.bmp", "data/boards/Level1.bmp", "data/boards/Level2.bmp", "data/boards/Level3.bmp",
    "data/boards/Level4.bmp",   "data/boards/Original.bmp", "data/boards/Original.bmp",
};
const char* const RETURN_IMAGE_FOR_LEVEL[NUMBER_OF_LEVELS] = {
    "data/boards/Original_Return.bmp", "data/boards/Level1_Return.bmp",   "data/boards/Level2_Return.bmp",
    "data/boards/Level3_Return.bmp",   "data/boards/Level4_Return.bmp",   "data/boards/Original_Return.bmp",
    "data/boards/Original_Return.bmp",
};

// Palette indices of the images; every other index reads as 0 below.
const int CODED_PIXEL_VALUES = 16;
const uint8_t BOARD_WALL_PIXEL = 0;
static const uint8_t PELLET_BY_PIXEL[CODED_PIXEL_VALUES] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 0, 0, 0, 0};
// 9 up, 11 down, 6 left, 14 right; 10 is marked without a direction.
static const uint8_t RETURN_CODE_BY_PIXEL[CODED_PIXEL_VALUES] = {0, 0, 0, 0, 0, 0, 3, 0, 0, 1, 5, 2, 0, 0, 4, 0};

static const char* ImageForLevel(const char* const table[NUMBER_OF_LEVELS], uint8_t level)
{
    return level < NUMBER_OF_LEVELS ? table[level] : table[NUMBER_OF_LEVELS - 1];
}

static uint8_t Coded(const uint8_t table[CODED_PIXEL_VALUES], uint8_t pixel)
{
    return pixel < CODED_PIXEL_VALUES ? table[pixel] : 0;
}

// A board that could not be read is all wall: nothing moves, nothing is eaten.
void Logic::FillPlayfieldWithWalls()
{
    for (int x = 0; x < BOARD_SIZE; x++)
        for (int y = 0; y < BOARD_SIZE; y++)
        {
            BoundaryLegoMap[x][y] = 1;
            PelletMap[x][y] = 0;
            ReturnMap[x][y] = 0;
        }
    PelletsLeftOnBoard = 0;
}

void Logic::AbandonPlayfield()
{
    FillPlayfieldWithWalls();
    game->FatalError = 1;
}

void Logic::LoadTilePlayfield()
{
    if (!LoadBoardImage(ImageForLevel(BOARD_IMAGE_FOR_LEVEL, Level)))
    {
        AbandonPlayfield();
        return;
    }
    ReadBoardImage();
    printf("Tile map BMPtoARRAY loaded\n");

    if (!LoadBoardImage(ImageForLevel(RETURN_IMAGE_FOR_LEVEL, Level)))
    {
        AbandonPlayfield();
        return;
    }
    ReadReturnImage();
    printf("Return tile map BMPtoARRAY loaded\n");
}

void Logic::ReadBoardImage()
{
    PelletsLeftOnBoard = 0;
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 0; x < BOARD_SIZE; x++)
        {
            const uint8_t pixel = BoardImage[x][y];
            BoundaryLegoMap[x][y] = pixel == BOARD_WALL_PIXEL ? 1 : 0;
            PelletMap[x][y] = Coded(PELLET_BY_PIXEL, pixel);
            if (PelletMap[x][y] != 0) PelletsLeftOnBoard++;
        }
}

void Logic::ReadReturnImage()
{
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 0; x < BOARD_SIZE; x++) ReturnMap[x][y] = Coded(RETURN_CODE_BY_PIXEL, BoardImage[x][y]);
}

// Outside the grid counts as wall, so no actor ever reads past the maps.
bool Logic::IsOpenTile(int x, int y) const
{
    if (x < 0 || y < 0 || x >= BOARD_SIZE || y >= BOARD_SIZE) return false;
    return BoundaryLegoMap[x][y] == 0;
}

bool Logic::IsOpenNeighbour(int x, int y, uint8_t direction) const
{
    if (!RULE_HOLDS(direction < NUMBER_OF_DIRECTION_VALUES)) return false;
    const int deltaX = DIRECTION_DELTA_X[direction];
    const int deltaY = DIRECTION_DELTA_Y[direction];
    if (deltaX == 0 && deltaY == 0) return false;
    return IsOpenTile(x + deltaX, y + deltaY);
}

// One step of an actor between centres; the tile changes one step after
// the offset reaches a whole tile, which is the frame spent at the centre.
void Logic::StepTowardNextCentre(int8_t& offset, uint8_t& tile, int sign, int speed)
{
    if (sign < 0)
    {
        if (offset <= -TILE_SIZE)
        {
            offset = 0;
            tile--;
        }
        else
            offset -= speed;
        return;
    }

    if (offset >= TILE_SIZE)
    {
        offset = 0;
        tile++;
    }
    else
        offset += speed;
}
