// SPDX-License-Identifier: MIT
#pragma once

#include <iostream>

namespace cli {

// Writes a JSON value, indented, to standard output. A text the store or a page holds
// in bytes that are not UTF-8 prints with those bytes replaced (U+FFFD), so no stored
// text can keep a listing from being read.
template <class Json>
void printJson(const Json& value) {
    std::cout << value.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace cli
