#include "logic/logic.h"

// The game draws its chances from its own additive-feedback generator, the
// one behind the C library's rand(): a seed gives the same sequence as
// srand() there, and the whole state is Logic's to copy, save or replay.

// r[i] = r[i - 31] + r[i - 3]; the ring holds the last 31 words.
const int RANDOM_SHORT_LAG = 3;

// The seed words come from the minimal standard generator, 16807 r mod
// (2^31 - 1), split by Schrage's method so that no product overflows.
const int32_t SEED_MULTIPLIER = 16807;
const int32_t SEED_MODULUS = 2147483647;
const int32_t SEED_QUOTIENT = 127773;   // SEED_MODULUS / SEED_MULTIPLIER
const int32_t SEED_REMAINDER = 2836;    // SEED_MODULUS % SEED_MULTIPLIER

// Words 31..33 repeat words 0..2, which the ring already holds; the first
// output is word 34, and the 310 after seeding are thrown away.
const int FIRST_SUMMED_WORD = 34;
const int RANDOM_WARM_UP_DRAWS = 310;

void Logic::SeedRandomGenerator(uint32_t seed)
{
    int32_t word = seed == 0 ? 1 : (int32_t)seed;
    RandomWords[0] = (uint32_t)word;
    for (int index = 1; index < RANDOM_WORDS; index++)
    {
        const int32_t high = word / SEED_QUOTIENT;
        const int32_t low = word % SEED_QUOTIENT;
        word = SEED_MULTIPLIER * low - SEED_REMAINDER * high;
        if (word < 0) word += SEED_MODULUS;
        RandomWords[index] = (uint32_t)word;
    }
    RandomIndex = FIRST_SUMMED_WORD % RANDOM_WORDS;
    for (int draw = 0; draw < RANDOM_WARM_UP_DRAWS; draw++) RandomNumber();
}

int32_t Logic::RandomNumber()
{
    const int shortLagIndex = (RandomIndex + RANDOM_WORDS - RANDOM_SHORT_LAG) % RANDOM_WORDS;
    RandomWords[RandomIndex] += RandomWords[shortLagIndex];
    const uint32_t sum = RandomWords[RandomIndex];
    RandomIndex = (RandomIndex + 1) % RANDOM_WORDS;
    return (int32_t)(sum >> 1);
}
