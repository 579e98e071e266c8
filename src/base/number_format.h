// SPDX-License-Identifier: MIT
// Numbers formatted through the display masks of the program's grids and labels.
#pragma once

#include <concepts>
#include <string>
#include <string_view>

namespace base {

// Numbers as the program shows them, through the masks of its displays: "#0.0000",
// "00.0", "#0.00", "#0.0", "##0.0", "#,##0", "$#,##0", "$0,000", "#0.0%".
//
// A mask is literal text around one number field. In the field, "0" is a digit always
// shown, "#" a digit shown only when significant, "," groups the whole part by
// thousands and "." starts the decimals; "%" after the field multiplies by 100 and
// shows itself. The value is rounded to the mask's last decimal as its shortest decimal
// text reads (so a single 96.35 rounds as 96.35, not as its binary value 96.3499985),
// halves away from zero. A negative value that does not round to zero gets a leading
// "-". A mask outside that grammar throws std::invalid_argument.
std::string formatNumber(double value, std::string_view mask);
std::string formatNumber(float value, std::string_view mask);

// The same for a number given as decimal text: [-]digits[.digits][e[+|-]digits], as
// std::to_chars writes it. Throws std::invalid_argument for any other text.
std::string formatDecimalText(std::string_view decimalText, std::string_view mask);

template <std::integral Whole>
std::string formatNumber(Whole value, std::string_view mask) {
    return formatDecimalText(std::to_string(value), mask);
}

// The "as stored" text of a number: the shortest text that reads back to the same
// value, whole numbers without a decimal part (8, 8.5, 312.05, 100000). Plain digits
// below 10^7 for a single and 10^15 for a double, the exponent form beyond, where the
// plain form would show digits the value does not hold.
std::string shortestText(double value);
std::string shortestText(float value);

}  // namespace base
