// SPDX-License-Identifier: MIT
// Names compared without regard to letter case, as SQL compares them.
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

// Stored names compare as the store's NOCASE collation compares them: ASCII letters
// without regard to case, every other byte as it is, whatever the program's locale.
constexpr char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Negative, 0 or positive as `a` sorts before, with or after `b` in NOCASE order.
constexpr int compareNames(std::string_view a, std::string_view b) {
    const auto [x, y] = std::ranges::mismatch(a, b, [](char p, char q) { return foldAscii(p) == foldAscii(q); });
    if (x == a.end()) return y == b.end() ? 0 : -1;
    if (y == b.end()) return 1;
    return static_cast<unsigned char>(foldAscii(*x)) < static_cast<unsigned char>(foldAscii(*y)) ? -1 : 1;
}

constexpr bool nameBeginsWith(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() && compareNames(name.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace store
