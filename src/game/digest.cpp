#include <string.h>

#include "game/game.h"

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
