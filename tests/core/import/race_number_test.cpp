// SPDX-License-Identifier: MIT
#include "import/race_number.h"
#include "import/results_file_error.h"

#include <gtest/gtest.h>

namespace {

struct RaceNumberCase {
    double asRead;
    std::int16_t week;
    double stored;
    const char* progress;
};

class ImportRaceNumber : public testing::TestWithParam<RaceNumberCase> {};

TEST_P(ImportRaceNumber, IsStoredAndShownAsTheWeekAndFourDigits) {
    const RaceNumberCase& c = GetParam();
    EXPECT_EQ(import::storedRaceNumber(c.asRead, c.week), c.stored);
    EXPECT_EQ(import::progressText(c.week, c.asRead), c.progress);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportRaceNumber,
    testing::Values(
        RaceNumberCase{312.0507, 312, 312.0507, "312.0507"},
        RaceNumberCase{312.05, 312, 312.05, "312.0500"},
        RaceNumberCase{311.301, 311, 311.301, "311.3010"},
        RaceNumberCase{312.05071, 312, 312.0507, "312.0507"},   // cut to four digits
        RaceNumberCase{312.05076, 312, 312.0508, "312.0508"},   // rounded to four digits
        RaceNumberCase{313.0101, 312, 312.0101, "312.0101"},    // the week replaces the whole part
        // Old style, below 26: the index first, then the track.
        RaceNumberCase{12.07, 312, 312.0712, "312.0700"},
        RaceNumberCase{5.12, 312, 312.125, "312.1200"},
        RaceNumberCase{5.1, 312, 312.15, "312.1000"},
        RaceNumberCase{12.0712345, 312, 312.0712, "312.0712"},  // two index characters only
        RaceNumberCase{25, 312, 312.25, "312.0000"},            // nothing after a point: track only
        RaceNumberCase{25.99, 312, 312.9925, "312.9900"},
        RaceNumberCase{0.5, 312, 312.5, "312.5000"},
        // Weeks 579 and 586: a number run ahead into a later week moves the index on.
        RaceNumberCase{580.0123, 579, 579.0124, "579.0123"},
        RaceNumberCase{579.0123, 579, 579.0123, "579.0123"},
        RaceNumberCase{588.0005, 586, 586.0007, "586.0005"},
        RaceNumberCase{587.9999, 586, 586.1, "586.9999"},       // index 10000: five digits
        RaceNumberCase{12.07, 586, 586.0712, "586.0700"},
        RaceNumberCase{580.0123, 580, 580.0123, "580.0123"}));

TEST(ImportRaceNumber, FailsWhereAFormCannotBeReadBack) {
    for (const auto& [number, week] : std::initializer_list<std::pair<double, std::int16_t>>{
             {312, 312},          // 26 or more without a fraction
             {1e6, 312},          // shortest form 1e+06: no point
             {578.0001, 579},     // index 0 after moving back: 579 has no fraction
             {577.0001, 579},     // index -1
             {-5.12, 312},        // old style with a sign inside the text
             {1e-7, 312},         // old style giving 312.000
             {1e300, 579},        // too far ahead to move
         }) {
        EXPECT_THROW(import::storedRaceNumber(number, week), import::ResultsFileError) << number;
    }
}

TEST(ImportRaceNumber, WeekIsTheWholePartOfTheFirstNumber) {
    EXPECT_EQ(import::weekOfRaceNumber(312.0501), 312);
    EXPECT_EQ(import::weekOfRaceNumber(0), 0);
    EXPECT_EQ(import::weekOfRaceNumber(32767.9), 32767);
    EXPECT_THROW(import::weekOfRaceNumber(32768.0001), import::ResultsFileError);
    EXPECT_THROW(import::weekOfRaceNumber(-1e10), import::ResultsFileError);
}

}  // namespace
