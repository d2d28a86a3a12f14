#include "logic/logic.h"

Logic* logic = nullptr;

Logic::Logic()
{
    GameMode = 1;
    Score = 0;
    Level = 1;
    SeedRandomGenerator(1);
}

Logic::~Logic()
{
}
