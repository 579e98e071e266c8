// SPDX-License-Identifier: MIT
// The text a file-open dialog answers with for the files the user chose.
#pragma once

#include <string>
#include <vector>

namespace base {

// The answer a file-open dialog gives for these full paths, all in one folder: the path
// itself for one file; for several, the folder, then each name, separated by a
// character 0.
std::string dialogAnswerFor(const std::vector<std::string>& paths, char separator);

}  // namespace base
