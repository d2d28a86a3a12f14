#include <stdio.h>

#include "game/game.h"

// A rule broken once is likely broken every frame: the log keeps the first
// few, and the count goes on.
const int BROKEN_RULES_LOGGED = 20;

int BrokenRules = 0;

bool RuleBroken(const char* file, int line, const char* rule)
{
    BrokenRules++;
    if (BrokenRules <= BROKEN_RULES_LOGGED) printf("ERROR: %s:%d: %s\n", file, line, rule);
    if (BrokenRules == BROKEN_RULES_LOGGED) printf("ERROR: Rules broken from now on are not logged\n");
    return false;
}
