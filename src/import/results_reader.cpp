// SPDX-License-Identifier: MIT
#include "import/results_reader.h"

#include "import/number_forms.h"
#include "base/number_format.h"
#include "import/race_conditions_classifier.h"
#include "import/race_number.h"
#include "import/results_file_error.h"
#include "base/utf8_text.h"
#include "store/stored_name.h"

#include <algorithm>
#include <cmath>

namespace import {

namespace {

constexpr std::string_view kEndMarker = "*99999";

// A purse or claiming price once its leading characters are gone: a decimal amount,
// rounded to a 32-bit whole number.
std::int64_t amount(std::string_view text, const char* what) {
    const auto value = parseAmount(text);
    if (!value) throw ResultsFileError(std::string(what) + " is not an amount of money");
    const auto whole = roundToInteger32(*value);
    if (!whole) throw ResultsFileError(std::string(what) + (*value < 0 ? " is too small" : " is too large"));
    return *whole;
}

std::int64_t purse(std::string_view text) { return amount(base::withoutFirstCharacters(text, 1), "the purse"); }

// "0" or "" for no claiming price; "$5,000", or "($5,000)" for an optional claim.
std::int64_t claimingPrice(std::string_view text) {
    if (base::characterCount(text) < 4) return 0;
    if (text.find('(') != std::string_view::npos) {
        return amount(base::withoutLastCharacters(base::withoutFirstCharacters(text, 2), 1), "the claiming price");
    }
    return amount(base::withoutFirstCharacters(text, 1), "the claiming price");
}

// The first and last digit of a horse number's shortest form code its speed figure and
// post position.
struct HorseDigits {
    int first = 0;
    int last = 0;
};

HorseDigits horseDigits(float horse) {
    // A whole number from 0 to 9,999,999 has its plain digits as its shortest form: read
    // them without formatting the number, as this runs for every runner.
    if (!std::signbit(horse) && horse < 1e7f && horse == std::trunc(horse)) {
        auto number = static_cast<std::uint32_t>(horse);
        const int last = static_cast<int>(number % 10);
        while (number >= 10) number /= 10;
        return {static_cast<int>(number), last};
    }
    const std::string form = base::shortestText(horse);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!isDigit(form.front()) || !isDigit(form.back())) {
        throw ResultsFileError("the horse's number " + form + " is not a whole number in plain digits");
    }
    return {form.front() - '0', form.back() - '0'};
}

std::int16_t integer16(double value, const char* what) {
    const auto whole = roundToInteger16(value);
    if (!whole) throw ResultsFileError(std::string(what) + (value < 0 ? " is too small" : " is too large"));
    return *whole;
}

// The fields of a runner's second record that are stored, single precision as read.
struct RunnerFigures {
    float speed = 0;
    float start = 0;
    float oddsBase = 0;
    float postPosition = 0;
};

// Speed, start and post position are single-precision sums and products, as their
// fields are singles; the odds are double precision, against the double constant 0.82.
void convertFigures(const RunnerFigures& figures, float horse, store::RunnerRow& row) {
    const HorseDigits digits = horseDigits(horse);
    const auto hid = roundToInteger64(horse);
    if (!hid) throw ResultsFileError("the horse's number is too large");
    row.hid = *hid;

    const float postDigit = digits.first == 9 ? 0.0f : static_cast<float>(digits.first);
    row.ppos = integer16((figures.postPosition + 49.0f) + postDigit, "the post position");

    const float speed = (figures.speed + static_cast<float>(digits.first)) - static_cast<float>(digits.last);
    row.sp = std::nearbyint(static_cast<double>(speed) * 100.0) / 100.0;  // exact: 24 + 7 bits

    row.start = integer16(figures.start * 100.0f, "the start figure");

    if (figures.oddsBase == 0) throw ResultsFileError("the odds figure is 0");
    const double base = figures.oddsBase;
    row.odds = std::trunc((0.82 - base) / base * 10.0) / 10.0;  // one decimal, truncated
    if (row.odds < 0.1) row.odds = 0.1;
}

}  // namespace

// A runner's two records as read, before their values are converted.
struct ResultsReader::RunnerFields {
    std::string name;
    float horse = 0;
    RunnerFigures figures;
    std::string owner;
};

double ResultsReader::firstRaceNumber() {
    if (state_ == State::NotStarted) {
        state_ = State::Failed;  // until the first record has been read whole
        // The header and the first race marker: the marker's value is never used, so an
        // end marker here is taken as a race marker.
        fields_.skipText(2);
        current_ = readFirstRecord();
        try {
            week_ = weekOfRaceNumber(current_.number);
        } catch (const ResultsFileError& error) {
            throw located(error, "");
        }
        firstRaceNumber_ = current_.number;
        state_ = State::InRace;
    }
    if (state_ == State::Failed) throw ResultsFileError("results file already failed");
    return firstRaceNumber_;
}

std::int16_t ResultsReader::week() {
    firstRaceNumber();
    return week_;
}

bool ResultsReader::inResultsLayout() {
    try {
        firstRaceNumber();
    } catch (const ResultsFileError&) { return false; }
    state_ = State::Done;  // the first race is read here, not stored
    try {
        readSecondRecord();
        for (int fin = 1; fin <= current_.size; ++fin) readRunnerFields();
        fields_.nextText();  // the next race marker, or the end marker
    } catch (const ResultsFileError&) { return fields_.exhausted(); }
    return true;
}

std::optional<ParsedRace> ResultsReader::nextRace() {
    firstRaceNumber();
    if (state_ == State::Done) return std::nullopt;
    const State before = state_;
    state_ = State::Failed;  // until this race has been read whole
    if (before == State::BetweenRaces) {
        if (fields_.nextText() == kEndMarker) {
            state_ = State::Done;
            return std::nullopt;
        }
        current_ = readFirstRecord();
    }
    const SecondRecord second = readSecondRecord();
    if (current_.number == 0) {
        state_ = State::Done;
        return std::nullopt;
    }
    try {
        ParsedRace parsed = race(second);
        state_ = State::BetweenRaces;
        return parsed;
    } catch (const ResultsFileError& error) {
        throw located(error, "race " + base::shortestText(current_.number) + ": ");
    }
}

ResultsFileError ResultsReader::located(const ResultsFileError& error, const std::string& prefix) const {
    // A value found wrong after its fields were read lies on the line last read.
    return ResultsFileError(prefix + error.reason(), error.line().value_or(fields_.line()));
}

ResultsReader::FirstRecord ResultsReader::readFirstRecord() {
    FirstRecord record;
    record.number = fields_.nextDouble("the race number");
    fields_.skipText();  // track name
    record.surface = nextText();
    record.condition = nextText();
    record.distance = fields_.nextSingle("the distance");
    record.size = fields_.nextInteger16("the number of runners");
    fields_.skipText();  // winning time
    return record;
}

ResultsReader::SecondRecord ResultsReader::readSecondRecord() {
    SecondRecord record;
    record.raceType = nextText();
    record.claimingPrice = nextText();
    fields_.skipText();  // race name
    record.purse = nextText();
    record.conditions = nextText();
    return record;
}

ParsedRace ResultsReader::race(const SecondRecord& second) {
    ParsedRace parsed;
    parsed.raceNumberAsRead = current_.number;
    parsed.progressText = progressText(week_, current_.number);
    store::RaceRow& row = parsed.race;
    row.racenum = storedRaceNumber(current_.number, week_);
    row.surf = base::firstCharacters(current_.surface, 1);
    row.cond = base::firstCharacters(current_.condition, 1);
    row.dist = current_.distance;
    row.size = current_.size;
    row.purse = purse(second.purse);
    row.cprice = claimingPrice(second.claimingPrice);
    RaceClass raceClass = classifier_.classify(second.raceType, second.conditions);
    row.age = std::move(raceClass.age);
    row.restr = std::move(raceClass.restr);
    // A negative runner count reads no runner blocks; the count itself is kept as read.
    parsed.runners.reserve(std::clamp<int>(row.size, 0, 64));
    for (int fin = 1; fin <= row.size; ++fin) parsed.runners.push_back(readRunner(row.racenum, fin));
    return parsed;
}

ResultsReader::RunnerFields ResultsReader::readRunnerFields() {
    RunnerFields runner;
    runner.name = nextText();
    runner.horse = fields_.nextSingle("the horse's number");
    runner.figures.speed = fields_.nextSingle("the speed figure");
    runner.figures.start = fields_.nextSingle("the start figure");
    for (int unused = 0; unused < 6; ++unused) fields_.nextSingle("one of the runner's figures");
    runner.figures.oddsBase = fields_.nextSingle("the odds figure");
    runner.figures.postPosition = fields_.nextSingle("the post position");
    fields_.skipText();  // comment
    runner.owner = nextText();
    return runner;
}

store::RunnerRow ResultsReader::readRunner(double racenum, int fin) {
    RunnerFields runner = readRunnerFields();
    store::RunnerRow row;
    row.hname = std::move(runner.name);
    row.hname.resize(store::storedHorseName(row.hname).size());
    row.oname = std::move(runner.owner);
    row.racenum = racenum;
    row.fin = fin;
    convertFigures(runner.figures, runner.horse, row);
    return row;
}

}  // namespace import
