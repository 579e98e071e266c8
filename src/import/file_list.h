// SPDX-License-Identifier: MIT
// The results files that the user chose in the import's file dialog, from the dialog's answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace import {

// How many single characters of `sFiles` equal `vSearchChar`. A search text of more or
// fewer than one character never equals a single character, so it counts 0. Length and
// count are 16-bit: a longer text is refused with std::length_error.
std::int16_t countDelimiters(std::string_view sFiles, std::string_view vSearchChar);

// One file to import: its full path, and its name as messages show it.
struct ChosenFile {
    std::string path;
    std::string name;
    bool operator==(const ChosenFile&) const = default;
};

// The files of a file-open dialog's answer, in the dialog's order. For one file the
// answer is its full path; for several it is the folder, then each name, all separated
// by a character 0. A file in a root folder keeps the root's separator.
std::vector<ChosenFile> fileListFromDialogAnswer(std::string answer, char separator);

}  // namespace import
