#include <stdio.h>
#include <string.h>

#include "demos/demos.h"
#include "logic/logic.h"

const uint64_t FNV_PRIME = 1099511628211ull;

void Digest::AddBytes(const void* bytes, size_t count)
{
    const uint8_t* const byte = static_cast<const uint8_t*>(bytes);
    for (size_t index = 0; index < count; index++) Value = (Value ^ byte[index]) * FNV_PRIME;
}

void Digest::AddNumber(int64_t number)
{
    uint8_t bytes[8];
    for (int index = 0; index < 8; index++) bytes[index] = (uint8_t)((uint64_t)number >> (8 * index));
    AddBytes(bytes, sizeof(bytes));
}

void Digest::AddFloat(float number)
{
    uint32_t bits = 0;
    memcpy(&bits, &number, sizeof(bits));
    AddNumber(bits);
}

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
