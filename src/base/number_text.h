// SPDX-License-Identifier: MIT
// Whether a text reads as a number (sign, digits, point, fraction, exponent), and its value.
#pragma once

#include <optional>
#include <string_view>

namespace base {

// The value of a text as a general number parser reads it: optional sign, digits, an
// optional decimal point and fraction, an optional exponent, blanks around it allowed.
// Anything else (empty text included) is not a number.
std::optional<double> parseNumber(std::string_view text);

inline bool isNumeric(std::string_view text) { return parseNumber(text).has_value(); }

}  // namespace base
