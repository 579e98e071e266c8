// SPDX-License-Identifier: MIT
// A race number of a results file turned into the stored race number of its week, track and race.
#pragma once

#include <cstdint>
#include <string>

namespace import {

// The race number as the results file writes it is turned into the stored `racenum`
// (week, point, four-digit race index) by rewriting its text forms; these functions
// throw ResultsFileError where a form cannot be read back as a number.

// The week W of a file: the whole part of its first race number, a 16-bit integer.
std::int16_t weekOfRaceNumber(double firstRaceNumber);

// The stored `racenum` of a race read as `number` in a file of week `week`:
// - a number below 26 gives the race within its track first and the track after the
//   point: 12.07 in week 312 is race 12 at track 07, 312.0712;
// - in weeks 579 and 586 a number whose whole part runs ahead of the week moves the race
//   index on by the difference: 580.0123 in week 579 is 579.0124;
// - finally the week replaces the whole part and the fraction is cut to four digits.
double storedRaceNumber(double number, std::int16_t week);

// The progress text shown while a race is stored: the week, then the four-decimal
// fraction of the number as read (12.07 in week 312 shows 312.0700).
std::string progressText(std::int16_t week, double number);

}  // namespace import
