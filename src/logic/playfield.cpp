#include <stdio.h>

#include "game/game.h"
#include "logic/logic.h"
#include "rules.h"

// The board and return images of each level; 0 and 6 read the last board.
static const char* const BOARD_IMAGE_FOR_LEVEL[NUMBER_OF_LEVELS] = {
    "data/boards/Original.bmp", "data/boards/Level1.bmp", "data/boards/Level2.bmp", "data/boards/Level3.bmp",
    "data/boards/Level4.bmp",   "data/boards/Original.bmp", "data/boards/Original.bmp",
};
static const char* const RETURN_IMAGE_FOR_LEVEL[NUMBER_OF_LEVELS] = {
    "data/boards/Original_Return.bmp", "data/boards/Level1_Return.bmp",   "data/boards/Level2_Return.bmp",
    "data/boards/Level3_Return.bmp",   "data/boards/Level4_Return.bmp",   "data/boards/Original_Return.bmp",
    "data/boards/Original_Return.bmp",
};

// Palette indices of the images; every other index reads as 0 below.
const int CODED_PIXEL_VALUES = 16;
const uint32_t BOARD_WALL_PIXEL = 0;
static const uint8_t PELLET_BY_PIXEL[CODED_PIXEL_VALUES] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 0, 0, 0, 0};
// 9 up, 11 down, 6 left, 14 right; 10 is marked without a direction.
static const uint8_t RETURN_CODE_BY_PIXEL[CODED_PIXEL_VALUES] = {0, 0, 0, 0, 0, 0, 3, 0, 0, 1, 5, 2, 0, 0, 4, 0};

// The bytes of every board and return image the levels read, in level order;
// a missing image counts as such.
uint64_t DigestOfBoardImages()
{
    static const char* const* const TABLES[2] = {BOARD_IMAGE_FOR_LEVEL, RETURN_IMAGE_FOR_LEVEL};
    Digest digest;
    for (const char* const* table : TABLES)
    {
        for (int level = 0; level < NUMBER_OF_LEVELS; level++)
        {
            FILE* file = fopen(table[level], "rb");
            digest.AddNumber(file != nullptr);
            if (!file) continue;
            uint8_t buffer[4096];
            size_t count;
            while ((count = fread(buffer, 1, sizeof(buffer), file)) > 0) digest.AddBytes(buffer, count);
            fclose(file);
        }
    }
    return digest.Value;
}

static const char* ImageForLevel(const char* const table[NUMBER_OF_LEVELS], uint8_t level)
{
    return level < NUMBER_OF_LEVELS ? table[level] : table[NUMBER_OF_LEVELS - 1];
}

static uint8_t Coded(const uint8_t table[CODED_PIXEL_VALUES], uint32_t pixel)
{
    return pixel < (uint32_t)CODED_PIXEL_VALUES ? table[pixel] : 0;
}

// Only the top-left 27 x 27 pixels are read; a larger image is allowed up to
// this side, far below a size whose pixels could exhaust memory.
const int LARGEST_BOARD_IMAGE_SIDE = 1024;
const int BITMAP_CORE_HEADER_SIZE = 12;  // the old OS/2 header, with 16-bit sizes

static uint32_t LittleEndian(const uint8_t* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; i--) value = value << 8 | bytes[i];
    return value;
}

// Reads the size the bitmap's header declares, before any decoder allocates
// its pixels, and leaves the stream where it was. A header too short to read
// is left to the decoder to refuse.
static bool DeclaresAnAbsurdSize(SDL_RWops* stream, int32_t& width, int32_t& height)
{
    uint8_t header[26];
    const bool read = SDL_RWread(stream, header, sizeof header, 1) == 1;
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    if (!read || header[0] != 'B' || header[1] != 'M') return false;

    const bool core = LittleEndian(header + 14, 4) == BITMAP_CORE_HEADER_SIZE;
    // The old header's sizes are unsigned 16-bit, the newer ones signed 32-bit.
    width = core ? LittleEndian(header + 18, 2) : (int32_t)LittleEndian(header + 18, 4);
    height = core ? LittleEndian(header + 20, 2) : (int32_t)LittleEndian(header + 22, 4);
    // A negative height marks a top-down image; its side is the same.
    const int64_t side = height < 0 ? -(int64_t)height : height;
    return width > LARGEST_BOARD_IMAGE_SIDE || side > LARGEST_BOARD_IMAGE_SIDE;
}

// Opens one image into BoardSurface, locked; a missing, damaged, not 8-bit,
// too small or absurdly large image would have the maps read garbage or past
// its end, or the decoder ask for more memory than there is.
bool Logic::LoadBoardImage(const char* path)
{
    SDL_RWops* const stream = SDL_RWFromFile(path, "rb");
    if (!stream)
    {
        printf("ERROR: Could not open board image %s: %s\n", path, SDL_GetError());
        return false;
    }

    int32_t width = 0, height = 0;
    if (DeclaresAnAbsurdSize(stream, width, height))
    {
        printf("ERROR: Board image %s declares %d x %d pixels, more than the %d x %d a board image may have\n", path,
               (int)width, (int)height, LARGEST_BOARD_IMAGE_SIDE, LARGEST_BOARD_IMAGE_SIDE);
        SDL_RWclose(stream);
        return false;
    }

    BoardSurface = SDL_LoadBMP_RW(stream, 1);
    if (!BoardSurface)
    {
        printf("ERROR: SDL could not load image %s: %s\n", path, SDL_GetError());
        return false;
    }

    // A damaged header can leave fewer bits per pixel than bytes, and rows
    // shorter than the width: both are read a byte per pixel below.
    const SDL_PixelFormat* const format = BoardSurface->format;
    const bool bytePerPixel = format->BytesPerPixel == 1 && format->BitsPerPixel == 8;
    if (!bytePerPixel || BoardSurface->pitch < BoardSurface->w || BoardSurface->w < BOARD_SIZE ||
        BoardSurface->h < BOARD_SIZE)
    {
        printf("ERROR: Board image %s is not an 8-bit image of at least %d x %d pixels\n", path, BOARD_SIZE,
               BOARD_SIZE);
        UnloadBoardImage();
        return false;
    }

    SDL_LockSurface(BoardSurface);
    return true;
}

void Logic::UnloadBoardImage()
{
    if (!BoardSurface) return;
    SDL_UnlockSurface(BoardSurface);
    SDL_FreeSurface(BoardSurface);
    BoardSurface = nullptr;
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
    UnloadBoardImage();
    printf("Tile map BMPtoARRAY loaded\n");

    if (!LoadBoardImage(ImageForLevel(RETURN_IMAGE_FOR_LEVEL, Level)))
    {
        AbandonPlayfield();
        return;
    }
    ReadReturnImage();
    UnloadBoardImage();
    printf("Return tile map BMPtoARRAY loaded\n");
}

void Logic::ReadBoardImage()
{
    PelletsLeftOnBoard = 0;
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 0; x < BOARD_SIZE; x++)
        {
            const uint32_t pixel = GetPixel(BoardSurface, x, y);
            BoundaryLegoMap[x][y] = pixel == BOARD_WALL_PIXEL ? 1 : 0;
            PelletMap[x][y] = Coded(PELLET_BY_PIXEL, pixel);
            if (PelletMap[x][y] != 0) PelletsLeftOnBoard++;
        }
}

void Logic::ReadReturnImage()
{
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 0; x < BOARD_SIZE; x++) ReturnMap[x][y] = Coded(RETURN_CODE_BY_PIXEL, GetPixel(BoardSurface, x, y));
}

// The raw value of one pixel, little-endian whatever its size; the caller locks.
uint32_t Logic::GetPixel(SDL_Surface* surface, int x, int y) const
{
    const int bytesPerPixel = surface->format->BytesPerPixel;
    const uint8_t* const pixel = (const uint8_t*)surface->pixels + y * surface->pitch + x * bytesPerPixel;

    switch (bytesPerPixel)
    {
        case 1:
            return pixel[0];
        case 2:
            return *(const uint16_t*)pixel;
        case 3:
            return pixel[0] | pixel[1] << 8 | pixel[2] << 16;
        case 4:
            return *(const uint32_t*)pixel;
        default:
            return 0;
    }
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
