// SPDX-License-Identifier: MIT
#include "base/earnings.h"

#include <gtest/gtest.h>

namespace {

using base::earningsOf;

TEST(Earnings, SharesOfThePurseForTheFirstFivePlaces) {
    EXPECT_EQ(earningsOf(10000, 1), 6000);
    EXPECT_EQ(earningsOf(10000, 2), 2500);
    EXPECT_EQ(earningsOf(10000, 3), 800);
    EXPECT_EQ(earningsOf(10000, 4), 500);
    EXPECT_EQ(earningsOf(10000, 5), 200);
    for (const int fin : {6, 7, 16, 0, -1}) EXPECT_EQ(earningsOf(10000, fin), 0) << fin;
    EXPECT_EQ(earningsOf(0, 1), 0);
}

TEST(Earnings, RoundsHalvesToEven) {
    EXPECT_EQ(earningsOf(10, 2), 2);   // 2.5
    EXPECT_EQ(earningsOf(30, 2), 8);   // 7.5
    EXPECT_EQ(earningsOf(10, 4), 0);   // 0.5
    EXPECT_EQ(earningsOf(30, 4), 2);   // 1.5
    EXPECT_EQ(earningsOf(25, 5), 0);   // 0.5
    EXPECT_EQ(earningsOf(75, 5), 2);   // 1.5
    EXPECT_EQ(earningsOf(1000010, 4), 50000);          // 50000.5
    EXPECT_EQ(earningsOf(2000000025, 5), 40000000);    // 40000000.5
    EXPECT_EQ(earningsOf(1, 1), 1);    // 0.6
    EXPECT_EQ(earningsOf(1, 3), 0);    // 0.08
}

TEST(Earnings, LargestPurseFits) {
    EXPECT_EQ(earningsOf(2147483647, 1), 1288490188);  // 1288490188.2
}

}  // namespace
