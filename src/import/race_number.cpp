// SPDX-License-Identifier: MIT
#include "import/race_number.h"

#include "import/number_forms.h"
#include "base/number_format.h"
#include "import/results_file_error.h"

#include <cmath>

namespace import {

namespace {

// `text` from `position` on, at most `count` characters; empty past its end.
std::string part(const std::string& text, std::size_t position, std::size_t count) {
    return position < text.size() ? text.substr(position, count) : std::string();
}

double readBack(const std::string& text) {
    const auto value = readBackDouble(text);
    if (!value) throw ResultsFileError("the race number cannot be read: " + text);
    return *value;
}

// The whole part written as a whole number ("0" for a negative fraction too).
std::string wholePartText(double number) {
    const std::string fixed = fourDecimalForm(std::trunc(number) + 0.0);  // + 0.0: no "-0"
    return fixed.substr(0, fixed.size() - 5);
}

// Race within the track before the point, track after it: 12.07 is race 12 at track 07.
// The text keeps the first two characters after the point (one when there is only one).
double fromOldStyle(double number, std::int16_t week) {
    const std::string shortest = base::shortestText(number);
    const std::size_t point = shortest.find('.');
    const std::string track = point == std::string::npos ? std::string() : part(shortest, point + 1, 2);
    return readBack(std::to_string(week) + "." + track + wholePartText(number));
}

// The race index counts on by 1 for every week that the number runs ahead of the file's
// (and back for every week behind it).
double fromNextWeek(double number, std::int16_t week) {
    const std::string fixed = fourDecimalForm(number);
    const double wholePart = std::trunc(number);
    if (std::fabs(wholePart) > 1e15)
        throw ResultsFileError("the race number " + base::shortestText(number) + " is too large");
    const std::size_t point = fixed.find('.');
    const long long index = std::stoll(fixed.substr(point + 1, 4)) + static_cast<long long>(wholePart) - week;
    std::string digits = std::to_string(index < 0 ? -index : index);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return readBack(std::to_string(week) + "." + (index < 0 ? "-" : "") + digits);
}

}  // namespace

std::int16_t weekOfRaceNumber(double firstRaceNumber) {
    const auto week = roundToInteger16(std::trunc(firstRaceNumber));
    if (!week)
        throw ResultsFileError("the race number " + base::shortestText(firstRaceNumber) +
                               " lies outside the weeks -32768 to 32767");
    return *week;
}

double storedRaceNumber(double number, std::int16_t week) {
    if (number < 26) number = fromOldStyle(number, week);
    if (week == 579 || week == 586) number = fromNextWeek(number, week);
    // The point is found in the shortest form but the digits are taken from the
    // four-decimal form at that place, so a number without a fraction cannot be read.
    const std::size_t point = base::shortestText(number).find('.');
    if (point == std::string::npos) {
        throw ResultsFileError("the race number " + base::shortestText(number) + " has no decimal part");
    }
    return readBack(std::to_string(week) + "." + part(fourDecimalForm(number), point + 1, 4));
}

std::string progressText(std::int16_t week, double number) {
    const std::string fixed = fourDecimalForm(number);
    return std::to_string(week) + fixed.substr(fixed.find('.'));
}

}  // namespace import
