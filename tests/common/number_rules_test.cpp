#include "common/number_rules.h"

#include <gtest/gtest.h>

TEST(Number_Rules, Whole_Numbers)
{
    EXPECT_EQ(Round_Half_Even(63.5L), 64);
    EXPECT_EQ(Round_Half_Even(190.5L), 190);
    EXPECT_EQ(Round_Half_Even(-2.5L), -2);
    EXPECT_EQ(Round_Half_Even(0.39L), 0);
    EXPECT_EQ(Round_Half_Away(2.5L), 3);
    EXPECT_EQ(Round_Half_Away(-2.5L), -3);
    EXPECT_EQ(Trunc(-99.9L), -99);
    EXPECT_EQ(Trunc(99.9L), 99);
}
