// SPDX-License-Identifier: MIT
#include "base/capitalise.h"

#include <gtest/gtest.h>

namespace {

using base::capitaliseWords;

TEST(CapitaliseWords, EveryWordFirstLetterUpperRestLower) {
    EXPECT_EQ(capitaliseWords("RAPID WATER"), "Rapid Water");
    EXPECT_EQ(capitaliseWords("rapid water"), "Rapid Water");
    EXPECT_EQ(capitaliseWords("rAPID wATER"), "Rapid Water");
    EXPECT_EQ(capitaliseWords("blue river"), "Blue River");
    EXPECT_EQ(capitaliseWords("x"), "X");
    EXPECT_EQ(capitaliseWords(""), "");
}

TEST(CapitaliseWords, OnlyBlanksSeparateWords) {
    EXPECT_EQ(capitaliseWords("o'brien"), "O'brien");
    EXPECT_EQ(capitaliseWords("EXPRESS'S CANNON"), "Express's Cannon");
    EXPECT_EQ(capitaliseWords("mary-jane SMITH"), "Mary-jane Smith");
    EXPECT_EQ(capitaliseWords("harrow bloodstock, ltd."), "Harrow Bloodstock, Ltd.");
    EXPECT_EQ(capitaliseWords("fisher & harris"), "Fisher & Harris");
    EXPECT_EQ(capitaliseWords("one\ttwo"), "One\tTwo");
}

TEST(CapitaliseWords, BlanksAndNonLettersStayWhereTheyAre) {
    EXPECT_EQ(capitaliseWords("  two  blanks "), "  Two  Blanks ");
    EXPECT_EQ(capitaliseWords("2ND CHANCE"), "2nd Chance");
    EXPECT_EQ(capitaliseWords("(DUKE)"), "(duke)");
}

TEST(CapitaliseWords, OtherBytesOfUtf8TextAreLeftWhole) {
    EXPECT_EQ(capitaliseWords("\xC3\x89""CLAIR DU NORD"), "\xC3\x89""clair Du Nord");     // ÉCLAIR
    EXPECT_EQ(capitaliseWords("caf\xC3\xA9 ROYAL"), "Caf\xC3\xA9 Royal");                // café
    EXPECT_EQ(capitaliseWords("CAF\xC3\x89 ROYAL"), "Caf\xC3\x89 Royal");                 // CAFÉ
    EXPECT_EQ(capitaliseWords("\xE2\x80\x9Cquoted\xE2\x80\x9D"), "\xE2\x80\x9Cquoted\xE2\x80\x9D");
}

}  // namespace
