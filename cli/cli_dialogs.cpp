// SPDX-License-Identifier: MIT
#include "cli_dialogs.h"

#include <algorithm>
#include <iostream>

namespace cli {

void writeMessage(std::string text) {
    std::ranges::replace(text, '\r', '\n');
    std::cerr << text << '\n';
}

void CliDialogs::message(const std::string& text, const std::string&) { writeMessage(text); }

bool CliDialogs::askYesNo(const std::string& text, const std::string&) {
    const auto given = answers_.find(text);
    const bool yes = given != answers_.end() ? given->second : answerYes_;
    writeMessage(text);
    writeMessage(yes ? "Answered: Yes" : "Answered: No");
    return yes;
}

void CliDialogs::repaintNow() {
    if (!status_ || *status_ == lastStatus_) return;
    lastStatus_ = *status_;
    if (!lastStatus_.empty()) writeMessage(lastStatus_);
}

}  // namespace cli
