// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <iostream>

namespace cli {

// Speeds are stored in single precision with one decimal; printed as that decimal.
inline double speedValue(double speed) { return std::round(speed * 10) / 10; }

// Writes a JSON value, indented, to standard output. A text the store or a page holds
// in bytes that are not UTF-8 prints with those bytes replaced (U+FFFD), so no stored
// text can keep a listing from being read.
template <class Json>
void printJson(const Json& value) {
    std::cout << value.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace cli
