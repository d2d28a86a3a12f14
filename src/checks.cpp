#include "checks.h"

#include <stdio.h>
#include <string.h>

// A rule broken once is likely broken every frame: each rule (each place that
// checks one) logs its first few breaks, so that one rule broken all the time
// hides no other, and the count goes on up to its ceiling.
const int LINES_PER_RULE = 5;
// More places than check rules in the whole game; any beyond share the last.
const int RULES_KEPT = 64;

struct BrokenRule
{
    const char* File;
    int Line;
    int LinesLogged;
};

static BrokenRule brokenRules[RULES_KEPT];
static int rulesKept = 0;

int BrokenRules = 0;

// The rule checked at file:line, found or kept anew.
static BrokenRule& RuleAt(const char* file, int line)
{
    for (int index = 0; index < rulesKept; index++)
    {
        BrokenRule& rule = brokenRules[index];
        if (rule.Line == line && strcmp(rule.File, file) == 0) return rule;
    }
    if (rulesKept == RULES_KEPT) return brokenRules[RULES_KEPT - 1];
    brokenRules[rulesKept] = BrokenRule{file, line, 0};
    return brokenRules[rulesKept++];
}

bool RuleBroken(const char* file, int line, const char* rule)
{
    if (BrokenRules < BROKEN_RULES_CEILING) BrokenRules++;
    BrokenRule& broken = RuleAt(file, line);
    if (broken.LinesLogged == LINES_PER_RULE) return false;
    broken.LinesLogged++;
    printf("ERROR: %s:%d: %s\n", file, line, rule);
    if (broken.LinesLogged == LINES_PER_RULE) printf("ERROR: %s:%d: broken again, from now on not logged\n", file, line);
    return false;
}

void ForgetBrokenRules()
{
    rulesKept = 0;
}
