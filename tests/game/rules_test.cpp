#include <gtest/gtest.h>

#include "rules.h"
#include "support/test_environment.h"

namespace {

// A rule broken every frame keeps its few lines and hides no other rule's;
// the count stops at its ceiling rather than wrap and log again.
TEST(Rules, EachRuleLogsItsFirstBreaksAndTheCountStopsAtItsCeiling)
{
    CapturedOutput output;
    for (int time = 0; time < 1000; time++) (void)RULE_HOLDS(time < 0);
    EXPECT_FALSE(RULE_HOLDS(1 + 1 == 3));
    EXPECT_EQ(1001, TakeBrokenRules());
    EXPECT_EQ(5, CountOccurrences(output.Text(), ": time < 0\n"));
    EXPECT_EQ(1, CountOccurrences(output.Text(), ": broken again, from now on not logged\n"));
    EXPECT_EQ(1, CountOccurrences(output.Text(), ": 1 + 1 == 3\n"));

    const int broken = BrokenRules;
    BrokenRules = BROKEN_RULES_CEILING;
    (void)RULE_HOLDS(broken < 0);
    EXPECT_EQ(BROKEN_RULES_CEILING, BrokenRules);
    BrokenRules = broken;
}

}  // namespace
