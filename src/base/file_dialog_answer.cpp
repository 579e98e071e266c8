// SPDX-License-Identifier: MIT
#include "base/file_dialog_answer.h"

namespace base {

std::string dialogAnswerFor(const std::vector<std::string>& paths, char separator) {
    if (paths.size() == 1) return paths.front();
    std::string answer;
    for (const auto& path : paths) {
        const std::size_t cut = path.rfind(separator);
        if (answer.empty()) answer = path.substr(0, cut == std::string::npos ? 0 : cut);
        answer += '\0';
        answer += cut == std::string::npos ? path : path.substr(cut + 1);
    }
    return answer;
}

}  // namespace base
