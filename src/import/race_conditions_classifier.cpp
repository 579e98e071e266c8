// SPDX-License-Identifier: MIT
#include "import/race_conditions_classifier.h"

#include "import/results_file_error.h"
#include "base/utf8_text.h"

#include <array>
#include <utility>

namespace import {

namespace {

constexpr auto npos = std::string_view::npos;

bool contains(std::string_view text, std::string_view word) { return text.find(word) != npos; }

// "O-" or "F-", the age digit (the character two before the first "year", as in
// "3 year olds"), then "+" when older horses may run too.
std::string ageCode(std::string_view conditions) {
    std::string code = conditions.starts_with("All") ? "O-" : "F-";
    const std::size_t year = conditions.find("year");
    if (year != npos) {
        const std::string_view before = conditions.substr(0, year);
        const std::size_t characters = base::characterCount(before);
        if (characters < 2) throw ResultsFileError("conditions text has \"year\" at its start");
        code += base::firstCharacters(base::withoutFirstCharacters(before, characters - 2), 1);
    }
    if (contains(conditions, "and up")) code += '+';
    return code;
}

// The class named by a CPU value: the text from 14 characters after "CPU value" up to
// the next comma; a one-character value is a maiden value and gets an "M".
std::string cpuValueCode(std::string_view conditions, std::size_t at) {
    const std::string_view rest = base::withoutFirstCharacters(conditions.substr(at), 14);
    const std::size_t comma = rest.find(',');
    if (comma == npos) throw ResultsFileError("CPU value without a comma after it");
    std::string value(rest.substr(0, comma));
    if (base::characterCount(value) < 2) value += 'M';
    return value;
}

}  // namespace

RaceClass RaceConditionsClassifier::classify(std::string_view raceType, std::string_view conditions) {
    RaceClass result;
    result.age = ageCode(conditions);
    result.restr = classCode(raceType, conditions);
    return result;
}

std::string RaceConditionsClassifier::classCode(std::string_view raceType, std::string_view conditions) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kFixedCodes{{
        {"Maiden Special Weight", "MS"},
        {"Maiden Claiming", "MC"},
        {"Starter Allowance", "Str"},
        {"Stakes", "Stk"},
        {"Grade I", "GI"},
        {"Grade II", "G2"},
        {"Grade III", "G3"},
    }};
    if (raceType == "Allowance") return allowanceCode('A', raceType, conditions);
    if (raceType == "Claiming") return allowanceCode('C', raceType, conditions);
    for (const auto& [type, code] : kFixedCodes) {
        if (raceType == type) return std::string(code);
    }
    return std::string(raceType);
}

std::string RaceConditionsClassifier::allowanceCode(char letter, std::string_view raceType,
                                                    std::string_view conditions) {
    if (contains(conditions, "Non-Winner")) return nonWinnerCode(letter, raceType, conditions);
    if (letter == 'A') {
        const std::size_t cpuValue = conditions.find("CPU value");
        if (cpuValue != npos) return cpuValueCode(conditions, cpuValue);
    }
    const std::string prefix = std::string(1, letter);
    if (contains(conditions, "track")) return prefix + "-T";
    if (contains(conditions, "player created")) return prefix + "-H";
    return letter == 'A' ? "Alw" : "Clm";
}

// Non-winners races: the letter, the count of wins, and what the wins are counted over.
// The tests run in order and a later match replaces an earlier code.
std::string RaceConditionsClassifier::nonWinnerCode(char letter, std::string_view raceType,
                                                    std::string_view conditions) {
    static constexpr std::array<std::string_view, 4> kCountWords{"ONE", "TWO", "THREE", "FOUR"};
    for (std::size_t i = 0; i < kCountWords.size(); ++i) {
        if (contains(conditions, kCountWords[i])) nonWinnerCount_ = static_cast<std::int16_t>(i + 1);
    }
    const std::string_view fromNonWinner = conditions.substr(conditions.find("Non-Winner"));
    const std::string stem = letter + std::to_string(nonWinnerCount_);
    std::string code(raceType);
    if (contains(conditions, "except")) code = stem + "x";
    if (contains(conditions, "Lifetime")) code = stem + "L";
    if (contains(conditions, "months")) {
        if (contains(fromNonWinner, "3")) code = stem + "t";
        if (contains(fromNonWinner, "6")) code = stem + "s";
        if (contains(fromNonWinner, "9")) code = stem + "n";
    } else if (contains(fromNonWinner, "year")) {
        code = stem + "y";
    }
    return code;
}

}  // namespace import
