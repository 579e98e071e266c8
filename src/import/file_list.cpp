// SPDX-License-Identifier: MIT
#include "import/file_list.h"

#include "base/one_line.h"

#include <limits>
#include <stdexcept>

namespace import {

std::int16_t countDelimiters(std::string_view sFiles, std::string_view vSearchChar) {
    if (sFiles.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        throw std::length_error("The list of chosen files is too long.");
    if (vSearchChar.size() != 1) return 0;
    std::int16_t count = 0;
    for (const char c : sFiles)
        if (c == vSearchChar.front()) ++count;
    return count;
}

std::vector<ChosenFile> fileListFromDialogAnswer(std::string answer, char separator) {
    answer += '\0';
    const std::string_view nul("\0", 1);
    std::string folder;
    std::size_t start = 0;
    if (countDelimiters(answer, nul) == 1) {
        const std::size_t lastSeparator = answer.rfind(separator);
        start = lastSeparator == std::string::npos ? 0 : lastSeparator + 1;
        const bool rootFolder = countDelimiters(answer, std::string_view(&separator, 1)) == 1;
        folder = answer.substr(0, rootFolder ? start : (start == 0 ? 0 : start - 1));
    } else {
        const std::size_t firstNul = answer.find('\0');
        folder = answer.substr(0, firstNul);
        start = firstNul + 1;
    }
    std::vector<ChosenFile> files;
    for (std::size_t end = answer.find('\0', start); end != std::string::npos; end = answer.find('\0', start)) {
        std::string name = answer.substr(start, end - start);
        files.push_back({folder + separator + name, base::oneLine(name)});
        start = end + 1;
    }
    return files;
}

}  // namespace import
