// SPDX-License-Identifier: MIT
// Works out a race's age and class codes from its type and conditions text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace import {

// The two codes stored for a race: `age` (age and sex, e.g. O-3+) and `restr` (class).
struct RaceClass {
    std::string age;
    std::string restr;
    bool operator==(const RaceClass&) const = default;
};

// Turns a race's type and conditions text into its age and class codes. All keyword
// searches are exact and case-sensitive and also match inside longer words.
//
// The non-winner count is state: a conditions text without a count word (ONE ... FOUR)
// reuses the count of an earlier race, so one classifier must serve a whole import,
// across all its files.
class RaceConditionsClassifier {
public:
    explicit RaceConditionsClassifier(std::int16_t nonWinnerCount = 0) : nonWinnerCount_(nonWinnerCount) {}

    // Throws ResultsFileError when "year" stands too close to the start of the
    // conditions to name an age, or a CPU value has no comma after it.
    RaceClass classify(std::string_view raceType, std::string_view conditions);

    std::int16_t nonWinnerCount() const { return nonWinnerCount_; }

private:
    std::string classCode(std::string_view raceType, std::string_view conditions);
    std::string allowanceCode(char letter, std::string_view raceType, std::string_view conditions);
    std::string nonWinnerCode(char letter, std::string_view raceType, std::string_view conditions);

    std::int16_t nonWinnerCount_;
};

}  // namespace import
