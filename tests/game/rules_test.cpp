#include <gtest/gtest.h>

#include "rules.h"
#include "support/test_environment.h"

namespace {

// Breaks the rule checked on this line as often as asked.
void BreakRuleOnThisLine(int times)
{
    for (int time = 0; time < times; time++) (void)RULE_HOLDS(times < 0);
}

// A rule broken every frame keeps its few lines, hides no other rule's, and
// the count never wraps into a negative that would log again.
TEST(Rules, EachRuleLogsItsFirstBreaksAndTheCountStopsAtItsCeiling)
{
    CapturedOutput output;
    BreakRuleOnThisLine(1000);
    bool other = RULE_HOLDS(1 + 1 == 3);
    EXPECT_FALSE(other);
    EXPECT_EQ(1001, TakeBrokenRules());
    const std::string log = output.Text();
    EXPECT_EQ(5, CountOccurrences(log, ": times < 0\n")) << log;
    EXPECT_EQ(1, CountOccurrences(log, ": broken again, from now on not logged\n")) << log;
    EXPECT_EQ(1, CountOccurrences(log, ": 1 + 1 == 3\n")) << log;

    const int broken = BrokenRules;
    BrokenRules = BROKEN_RULES_CEILING - 1;
    BreakRuleOnThisLine(3);
    EXPECT_EQ(BROKEN_RULES_CEILING, BrokenRules);
    EXPECT_EQ(5, CountOccurrences(output.Text(), ": times < 0\n"));
    BrokenRules = broken;
}

}  // namespace
