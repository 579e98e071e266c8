// SPDX-License-Identifier: MIT
#include "shell/date_calculator.h"

#include <algorithm>
#include <optional>
#include <string>

namespace shell {

namespace {

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// The typed text as a week number: digits only, from the first week to the last the
// store can keep. Nothing for any other text.
std::optional<int> typedWeek(const std::string& text) {
    constexpr std::size_t kMostDigits = 5;
    if (text.empty() || text.size() > kMostDigits || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    const int week = std::stoi(text);
    if (week < DateCalculator::kFirstWeek || week > DateCalculator::kLastWeek) return std::nullopt;
    return week;
}

}  // namespace

void DateCalculator::cmdgetdate_Click() {
    const auto week = typedWeek(txtdate.caption);
    // Every 16-bit week has a date; the check keeps the rule's range in one place.
    const auto day = week ? base::weekDateDay(*week) : std::nullopt;
    if (!day) {
        // An old answer beside a refused week would read as its date.
        lbldateinfo.caption.clear();
        dialogs_.message(kNoWeek, base::kAppTitle);
        return;
    }
    lbldateinfo.caption = "Week " + txtdate.caption + "\r=\r" + clock_.shortDate(*day);
}

int DateCalculator::txtdate_Keypress(int KeyAscii) {
    if (KeyAscii == kEnter) cmdgetdate_Click();
    return isDigit(KeyAscii) || KeyAscii == kEnter || KeyAscii == kBackspace ? KeyAscii : 0;
}

std::vector<std::pair<std::string_view, base::Control*>> DateCalculator::controls() {
    return {{"lblenterdate", &lblenterdate}, {"txtdate", &txtdate}, {"cmdgetdate", &cmdgetdate},
            {"lbldateinfo", &lbldateinfo}};
}

}  // namespace shell
