// SPDX-License-Identifier: MIT
// Reads a weekly results file race by race into the rows that the import stores.
#pragma once

#include "import/field_reader.h"
#include "import/results_file_error.h"
#include "base/utf8_text.h"
#include "store/race_writer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace import {

class RaceConditionsClassifier;

// One race of a results file, with the rows that the import stores for it.
struct ParsedRace {
    double raceNumberAsRead = 0;
    store::RaceRow race;
    std::vector<store::RunnerRow> runners;  // in finishing order, `fin` from 1
    std::string progressText;                // the status text while it is stored
};

// Reads a weekly results file (bytes in, rows out), race by race, so that the import
// can check the week before it reads on and store each race as it comes:
//
//     ResultsReader reader(bytes, classifier);
//     const double first = reader.firstRaceNumber();   // week check with `first`
//     while (auto race = reader.nextRace()) { ... store it ... }
//
// Every failure throws ResultsFileError; the reader must not be used after one. It views
// `bytes` and uses `classifier`, which must outlive it; the classifier carries the
// non-winner count from race to race and is meant to serve a whole import.
class ResultsReader {
public:
    ResultsReader(std::string_view bytes, RaceConditionsClassifier& classifier)
        : fields_(bytes), classifier_(classifier) {}

    // The first race number as read, after reading the header, the first race marker
    // and the first race's first record (only the first call reads).
    double firstRaceNumber();
    // The file's week: the whole part of its first race number.
    std::int16_t week();

    // Whether the bytes, the start of a file, are in the layout of a results file: the
    // heading, then the first race's two records and runner blocks, every number field a
    // number. A file may end anywhere after its first race number (one cut short is a
    // results file that fails). Reads the first race without converting its values, so a
    // bad purse or odds base still counts as a results file; after it the reader tells
    // only firstRaceNumber() and week().
    bool inResultsLayout();

    // The next race to store, or nothing when the file is done: after the end marker
    // "*99999" in the place of a race marker, or at a race whose number is 0 (its
    // second record is still read, the race is not stored, nothing after it is read).
    std::optional<ParsedRace> nextRace();

private:
    // Texts are held as UTF-8 (see utf8Text), so every cut counts the same characters.
    struct FirstRecord {
        double number = 0;
        std::string surface;
        std::string condition;
        float distance = 0;
        std::int16_t size = 0;
    };
    struct SecondRecord {
        std::string raceType;
        std::string claimingPrice;
        std::string purse;
        std::string conditions;
    };
    enum class State { NotStarted, InRace, BetweenRaces, Done, Failed };

    std::string nextText() { return base::utf8Text(fields_.nextText()); }
    // The error with its reason led by `prefix` and with the line it concerns.
    ResultsFileError located(const ResultsFileError& error, const std::string& prefix) const;
    FirstRecord readFirstRecord();
    SecondRecord readSecondRecord();
    ParsedRace race(const SecondRecord& second);
    struct RunnerFields;
    RunnerFields readRunnerFields();
    store::RunnerRow readRunner(double racenum, int fin);

    FieldReader fields_;
    RaceConditionsClassifier& classifier_;
    State state_ = State::NotStarted;
    FirstRecord current_;
    double firstRaceNumber_ = 0;
    std::int16_t week_ = 0;
};

}  // namespace import
