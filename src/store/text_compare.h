// SPDX-License-Identifier: MIT
// Table and field names compared without regard to letter case, as SQL compares them.
#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace store {

// Table and field names compare as SQL compares them: without regard to letter case.
inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

}  // namespace store
