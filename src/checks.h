#ifndef WOBBLER_CHECKS_H
#define WOBBLER_CHECKS_H

// A rule the code relies on, checked in every build (assert is gone from a
// release): when it does not hold, an "ERROR: <file>:<line>: <rule>" line and
// false, so that the caller takes its safe path. Used as
// `if (!RULE_HOLDS(index < COUNT)) return;`. Every module may include this
// header, as it would <assert.h>.
#define RULE_HOLDS(rule) ((rule) || RuleBroken(__FILE__, __LINE__, #rule))
bool RuleBroken(const char* file, int line, const char* rule);

// Rules broken since the start, up to BROKEN_RULES_CEILING; the tests fail
// any test that breaks one.
extern int BrokenRules;
const int BROKEN_RULES_CEILING = 1000000000;

// Gives every rule its log lines back, as at the start.
void ForgetBrokenRules();

#endif
