// SPDX-License-Identifier: MIT
// The number fields of a results file read and converted, and the text forms of stored numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace import {

// Text forms and conversions of the numbers in a results file. Whole-number conversions
// round to the nearest, an exact half to the even neighbour.

// The shortest text of a number is base::shortestText.
// Rounded to four decimals, always showing four: 312.0500, 12.0700.
std::string fourDecimalForm(double value);

// A number field's value, read straight to the type of `value`: blanks around it, then
// an optional sign, digits, and an optional point and decimals. Empty (or blank) reads
// as 0. False for any other text or a value beyond the type's range; a value too small
// for the type reads as 0.
bool parseNumber(std::string_view text, double& value);
bool parseNumber(std::string_view text, float& value);
// A money amount without its currency sign: like a number field, but digit-grouping
// commas may stand in the whole part (167,600). Empty is no amount.
std::optional<double> parseAmount(std::string_view text);
// A whole text that reads completely as a double (as the race number's derived texts).
std::optional<double> readBackDouble(std::string_view text);

std::optional<std::int16_t> roundToInteger16(double value);
std::optional<std::int32_t> roundToInteger32(double value);
std::optional<std::int64_t> roundToInteger64(double value);

}  // namespace import
