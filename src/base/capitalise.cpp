// SPDX-License-Identifier: MIT
#include "base/capitalise.h"

namespace base {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string capitaliseWords(std::string text) {
    bool wordStart = true;
    for (char& c : text) {
        if (isBlank(c)) {
            wordStart = true;
            continue;
        }
        c = wordStart ? upper(c) : lower(c);
        wordStart = false;
    }
    return text;
}

}  // namespace base
