// The board images are 8-bit BMPs whose palette indices code the maps. They
// are read here with plain stdio, the same on every build: a browser's SDL
// decodes a BMP to 32-bit colour, losing the indices.
#include <errno.h>
#include <stdio.h>
#include <string.h>

#include "logic/logic.h"

// Only the top-left 27 x 27 pixels are read; a larger image is allowed up to
// this side, and a header that declares more is damaged, not a board.
const int LARGEST_BOARD_IMAGE_SIDE = 1024;

const int FILE_HEADER_SIZE = 14;         // "BM", the file's size, the pixels' offset
const int BITMAP_CORE_HEADER_SIZE = 12;  // the old OS/2 header, with 16-bit sizes
const int BITMAP_INFO_HEADER_SIZE = 40;  // every later header starts as this one
const int HEADER_SIZE_BYTES = 4;         // each header starts with its own size
const int PIXEL_OFFSET_AT = 10;          // in the file header
// The fields, from the start of the header after the file header.
const int CORE_WIDTH_AT = 4, CORE_HEIGHT_AT = 6, CORE_BIT_COUNT_AT = 10;
const int INFO_WIDTH_AT = 4, INFO_HEIGHT_AT = 8, INFO_BIT_COUNT_AT = 14, INFO_COMPRESSION_AT = 16;
const uint32_t INDEXED_BITS_PER_PIXEL = 8;
const uint32_t UNCOMPRESSED = 0;  // BI_RGB; the RLE and bit-field kinds are not ours
const int ROW_ALIGNMENT = 4;      // every row is padded to a multiple of 4 bytes

// What a board image's headers declare, before any pixel is read.
struct BitmapLayout
{
    uint32_t HeaderSize;
    int64_t Width;
    int64_t Height;  // negative when the rows run from the top
    uint32_t BitsPerPixel;
    uint32_t Compression;
    uint32_t PixelOffset;
};

static uint32_t LittleEndian(const uint8_t* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; i--) value = value << 8 | bytes[i];
    return value;
}

static bool Damaged(const char* path, const char* why)
{
    printf("ERROR: Board image %s is damaged: %s\n", path, why);
    return false;
}

// Reads both headers from the file's start into layout.
static bool ReadLayout(FILE* file, const char* path, BitmapLayout& layout)
{
    uint8_t bytes[FILE_HEADER_SIZE + BITMAP_INFO_HEADER_SIZE];
    const size_t count = fread(bytes, 1, sizeof bytes, file);
    if (count < 2 || bytes[0] != 'B' || bytes[1] != 'M') return Damaged(path, "it is not a BMP image");
    if (count < (size_t)(FILE_HEADER_SIZE + HEADER_SIZE_BYTES)) return Damaged(path, "its header is cut short");

    const uint8_t* const header = bytes + FILE_HEADER_SIZE;
    layout.HeaderSize = LittleEndian(header, HEADER_SIZE_BYTES);
    const bool core = layout.HeaderSize == BITMAP_CORE_HEADER_SIZE;
    if (!core && layout.HeaderSize < (uint32_t)BITMAP_INFO_HEADER_SIZE)
    {
        char why[96];
        snprintf(why, sizeof why, "its header of %u bytes is neither the old one of %d nor one of %d or more",
                 (unsigned)layout.HeaderSize, BITMAP_CORE_HEADER_SIZE, BITMAP_INFO_HEADER_SIZE);
        return Damaged(path, why);
    }
    if (count < (size_t)FILE_HEADER_SIZE + (core ? BITMAP_CORE_HEADER_SIZE : BITMAP_INFO_HEADER_SIZE))
        return Damaged(path, "its header is cut short");

    layout.PixelOffset = LittleEndian(bytes + PIXEL_OFFSET_AT, 4);
    if (core)
    {
        // Unsigned 16-bit sizes, rows always from the bottom, no compression.
        layout.Width = LittleEndian(header + CORE_WIDTH_AT, 2);
        layout.Height = LittleEndian(header + CORE_HEIGHT_AT, 2);
        layout.BitsPerPixel = LittleEndian(header + CORE_BIT_COUNT_AT, 2);
        layout.Compression = UNCOMPRESSED;
        return true;
    }
    layout.Width = (int32_t)LittleEndian(header + INFO_WIDTH_AT, 4);
    layout.Height = (int32_t)LittleEndian(header + INFO_HEIGHT_AT, 4);
    layout.BitsPerPixel = LittleEndian(header + INFO_BIT_COUNT_AT, 2);
    layout.Compression = LittleEndian(header + INFO_COMPRESSION_AT, 4);
    return true;
}

// The indices of the image's top-left corner, [x][y], from its headers on.
static bool ReadIndices(FILE* file, const char* path, uint8_t (&image)[BOARD_SIZE][BOARD_SIZE])
{
    BitmapLayout layout;
    if (!ReadLayout(file, path, layout)) return false;

    // A negative height marks rows from the top; its side is the same.
    const int64_t rows = layout.Height < 0 ? -layout.Height : layout.Height;
    if (layout.Width > LARGEST_BOARD_IMAGE_SIDE || rows > LARGEST_BOARD_IMAGE_SIDE)
    {
        printf("ERROR: Board image %s declares %lld x %lld pixels, more than the %d x %d a board image may have\n",
               path, (long long)layout.Width, (long long)layout.Height, LARGEST_BOARD_IMAGE_SIDE,
               LARGEST_BOARD_IMAGE_SIDE);
        return false;
    }
    if (layout.BitsPerPixel != INDEXED_BITS_PER_PIXEL || layout.Width < BOARD_SIZE || rows < BOARD_SIZE)
    {
        printf("ERROR: Board image %s is not an 8-bit image of at least %d x %d pixels\n", path, BOARD_SIZE,
               BOARD_SIZE);
        return false;
    }
    if (layout.Compression != UNCOMPRESSED) return Damaged(path, "it is compressed");

    if (fseek(file, 0, SEEK_END) != 0) return Damaged(path, "its size cannot be told");
    const int64_t fileSize = ftell(file);
    if (fileSize < 0) return Damaged(path, "its size cannot be told");

    char why[128];
    if (layout.PixelOffset < (int64_t)FILE_HEADER_SIZE + layout.HeaderSize)
    {
        snprintf(why, sizeof why, "its pixels start at byte %u, within its headers", (unsigned)layout.PixelOffset);
        return Damaged(path, why);
    }
    // Every row whole, padding and all, whether or not its pixels are read.
    const int64_t rowBytes = (layout.Width + ROW_ALIGNMENT - 1) / ROW_ALIGNMENT * ROW_ALIGNMENT;
    const int64_t end = layout.PixelOffset + rowBytes * rows;
    if (end > fileSize)
    {
        snprintf(why, sizeof why, "its %lld rows of %lld bytes end at byte %lld, past its %lld bytes", (long long)rows,
                 (long long)rowBytes, (long long)end, (long long)fileSize);
        return Damaged(path, why);
    }

    for (int y = 0; y < BOARD_SIZE; y++)
    {
        const int64_t row = layout.Height < 0 ? y : rows - 1 - y;
        uint8_t indices[BOARD_SIZE];
        if (fseek(file, (long)(layout.PixelOffset + row * rowBytes), SEEK_SET) != 0 ||
            fread(indices, 1, BOARD_SIZE, file) != (size_t)BOARD_SIZE)
            return Damaged(path, "its pixels cannot be read");
        for (int x = 0; x < BOARD_SIZE; x++) image[x][y] = indices[x];
    }
    return true;
}

// Opens one image into BoardImage; a missing, damaged, not 8-bit, too small
// or absurdly large image would have the maps read garbage or past its end.
bool Logic::LoadBoardImage(const char* path)
{
    FILE* const file = fopen(path, "rb");
    if (!file)
    {
        printf("ERROR: Could not open board image %s: %s\n", path, strerror(errno));
        return false;
    }
    const bool loaded = ReadIndices(file, path, BoardImage);
    fclose(file);
    return loaded;
}
