// SPDX-License-Identifier: MIT
#include "import/race_conditions_classifier.h"
#include "import/results_file_error.h"

#include <gtest/gtest.h>

namespace {

struct ClassCase {
    const char* raceType;
    const char* conditions;
    std::int16_t countBefore;
    const char* age;
    const char* restr;
    std::int16_t countAfter;
};

void PrintTo(const ClassCase& c, std::ostream* out) { *out << c.raceType << " / " << c.conditions; }

class ImportRaceConditionsClassifier : public testing::TestWithParam<ClassCase> {};

TEST_P(ImportRaceConditionsClassifier, GivesAgeAndClassCodes) {
    const ClassCase& c = GetParam();
    import::RaceConditionsClassifier classifier(c.countBefore);
    EXPECT_EQ(classifier.classify(c.raceType, c.conditions), (import::RaceClass{c.age, c.restr}));
    EXPECT_EQ(classifier.nonWinnerCount(), c.countAfter);
}

INSTANTIATE_TEST_SUITE_P(
    AgeCodes, ImportRaceConditionsClassifier,
    testing::Values(
        ClassCase{"Stakes", "All 3 year olds and up.", 0, "O-3+", "Stk", 0},
        ClassCase{"Stakes", "Fillies 2 year olds.", 0, "F-2", "Stk", 0},
        ClassCase{"Stakes", "all 3 year olds", 0, "F-3", "Stk", 0},     // case-sensitive
        ClassCase{"Stakes", "Allowed and up", 0, "O-+", "Stk", 0},      // no "year": no digit
        ClassCase{"Stakes", "", 0, "F-", "Stk", 0},
        ClassCase{"Stakes", "All 3 year olds, 4 year olds", 0, "O-3", "Stk", 0},  // first "year"
        ClassCase{"Stakes", "ab year", 0, "F-b", "Stk", 0},            // two places before
        ClassCase{"Stakes", "Fillies é year", 0, "F-é", "Stk", 0},     // a whole character
        ClassCase{"Stakes", "All 3 yearlings", 0, "O-3", "Stk", 0}));  // inside a longer word

INSTANTIATE_TEST_SUITE_P(
    FixedCodes, ImportRaceConditionsClassifier,
    testing::Values(ClassCase{"Maiden Special Weight", "All 2 year olds", 0, "O-2", "MS", 0},
                    ClassCase{"Maiden Claiming", "All 2 year olds", 0, "O-2", "MC", 0},
                    ClassCase{"Starter Allowance", "Non-Winners of TWO", 0, "F-", "Str", 0},
                    ClassCase{"Stakes", "x", 0, "F-", "Stk", 0},
                    ClassCase{"Grade I", "x", 0, "F-", "GI", 0},
                    ClassCase{"Grade II", "x", 0, "F-", "G2", 0},
                    ClassCase{"Grade III", "x", 0, "F-", "G3", 0},
                    ClassCase{"Handicap", "x", 0, "F-", "Handicap", 0},
                    ClassCase{"allowance", "x", 0, "F-", "allowance", 0},  // exact type only
                    ClassCase{"Grade IV", "x", 0, "F-", "Grade IV", 0},
                    ClassCase{"", "x", 0, "F-", "", 0}));

INSTANTIATE_TEST_SUITE_P(
    NonWinners, ImportRaceConditionsClassifier,
    testing::Values(
        ClassCase{"Allowance", "Non-Winners of TWO races except maiden.", 0, "F-", "A2x", 2},
        ClassCase{"Claiming", "Non-Winners of ONE race Lifetime.", 0, "F-", "C1L", 1},
        ClassCase{"Claiming", "Non-Winners of ONE race Lifetime except maiden.", 0, "F-", "C1L", 1},
        ClassCase{"Allowance", "Non-Winners of ONE race in the last 3 months.", 0, "F-", "A1t", 1},
        ClassCase{"Allowance", "Non-Winners of ONE race in the last 6 months.", 0, "F-", "A1s", 1},
        ClassCase{"Allowance", "Non-Winners of ONE race in 9 months or 3 starts.", 0, "F-", "A1n", 1},
        ClassCase{"Allowance", "Non-Winners of ONE race in 3 or 6 months.", 0, "F-", "A1s", 1},
        // The months digits count only from Non-Winner on; "months" anywhere.
        ClassCase{"Allowance", "3 months. Non-Winners of ONE race.", 0, "F-", "Allowance", 1},
        ClassCase{"Allowance", "Non-Winners of ONE race except in 3 months.", 0, "F-", "A1t", 1},
        ClassCase{"Allowance", "Non-Winners of ONE race in twelve months.", 0, "F-", "Allowance", 1},
        ClassCase{"Allowance", "All 3 year olds. Non-Winners of THREE races in a year.", 0, "O-3", "A3y", 3},
        ClassCase{"Allowance", "All 3 year olds. Non-Winners of THREE races.", 0, "O-3", "Allowance", 3},
        ClassCase{"Allowance", "Non-Winners of THREE in 3 months, a year.", 0, "F-a", "A3t", 3},
        ClassCase{"Allowance", "Non-Winner", 0, "F-", "Allowance", 0},
        ClassCase{"Claiming", "Non-Winners of FOUR races since last year except stakes.", 0, "F-t", "C4y", 4},
        // The count words are tested in order and the last match wins.
        ClassCase{"Allowance", "Non-Winners of FOUR, TWO or ONE except", 0, "F-", "A4x", 4},
        ClassCase{"Allowance", "Non-Winners of NONE except", 0, "F-", "A1x", 1},
        ClassCase{"Allowance", "Non-Winners of two except", 2, "F-", "A2x", 2},  // lower case: no count
        // No count word: the count of an earlier race stands.
        ClassCase{"Allowance", "Non-Winners of a race except maiden.", 3, "F-", "A3x", 3},
        ClassCase{"Allowance", "non-winners except", 3, "F-", "Alw", 3},  // case-sensitive
        ClassCase{"Maiden Claiming", "Non-Winners of FOUR", 2, "F-", "MC", 2}));  // only A and C count

INSTANTIATE_TEST_SUITE_P(
    OtherAllowancesAndClaimers, ImportRaceConditionsClassifier,
    testing::Values(
        ClassCase{"Allowance", "Restricted to horses stabled at this track.", 0, "F-", "A-T", 0},
        ClassCase{"Claiming", "Restricted to horses stabled at this track.", 0, "F-", "C-T", 0},
        ClassCase{"Allowance", "Open to player created horses only.", 0, "F-", "A-H", 0},
        ClassCase{"Claiming", "Open to player created horses only.", 0, "F-", "C-H", 0},
        ClassCase{"Allowance", "Weight 122 lbs.", 0, "F-", "Alw", 0},
        ClassCase{"Claiming", "Weight 122 lbs.", 0, "F-", "Clm", 0},
        ClassCase{"Allowance", "track, player created", 0, "F-", "A-T", 0},
        // A CPU value names the class of an allowance, and only of an allowance.
        ClassCase{"Allowance", "All 2 year olds. CPU value max 57, weight 122 lbs.", 0, "O-2", "57", 0},
        ClassCase{"Allowance", "CPU value max 5, at this track", 0, "F-", "5M", 0},
        ClassCase{"Allowance", "CPU value max ,", 0, "F-", "M", 0},
        ClassCase{"Allowance", "CPU value max é, x", 0, "F-", "éM", 0},
        ClassCase{"Allowance", "CPU value ofxé57, x", 0, "F-", "57", 0},  // 14 characters, not bytes
        ClassCase{"Claiming", "CPU value max 57, at this track", 0, "F-", "C-T", 0},
        ClassCase{"Claiming", "CPU value max 57, weight", 0, "F-", "Clm", 0},
        ClassCase{"Allowance", "Non-Winners of TWO. CPU value max 5", 0, "F-", "Allowance", 2}));

TEST(ImportRaceConditionsFailures, YearWithoutTwoCharactersBeforeIt) {
    for (const char* conditions : {"year olds", "3year olds", "éyear", "year and 3 year olds"}) {
        import::RaceConditionsClassifier classifier;
        EXPECT_THROW(classifier.classify("Stakes", conditions), import::ResultsFileError) << conditions;
    }
}

TEST(ImportRaceConditionsFailures, CpuValueWithoutAComma) {
    for (const char* conditions : {"CPU value max 57.", "CPU value", "All, CPU value max 5", "CPU value max"}) {
        import::RaceConditionsClassifier classifier;
        EXPECT_THROW(classifier.classify("Allowance", conditions), import::ResultsFileError) << conditions;
    }
}

TEST(ImportRaceConditionsState, CountCarriesFromRaceToRace) {
    import::RaceConditionsClassifier classifier;
    EXPECT_EQ(classifier.classify("Allowance", "Non-Winners except").restr, "A0x");
    EXPECT_EQ(classifier.classify("Claiming", "Non-Winners of THREE races Lifetime").restr, "C3L");
    EXPECT_EQ(classifier.classify("Allowance", "Weight 122 lbs.").restr, "Alw");
    EXPECT_EQ(classifier.classify("Allowance", "Non-Winners of a race except maiden.").restr, "A3x");
}

}  // namespace
