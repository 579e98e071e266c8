// SPDX-License-Identifier: MIT
#include "shell/date_calculator.h"

#include "base/number_text.h"
#include "base/rounding.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace shell {

namespace {

// The typed text as a week number: a 16-bit whole number, a fraction rounded to the
// nearest and a half to the even neighbour. Nothing for text that is not a number or
// whose value does not fit (9e99 fits in four characters).
std::optional<int> typedWeek(const std::string& text) {
    const auto value = base::parseNumber(text);
    constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
    if (!value || !(*value > kLowest - 1 && *value < kHighest + 1)) return std::nullopt;
    const auto week = base::roundHalfEven(*value);
    if (week < kLowest || week > kHighest) return std::nullopt;
    return static_cast<int>(week);
}

}  // namespace

void DateCalculator::cmdgetdate_Click() {
    const auto week = typedWeek(txtdate.caption);
    // Every 16-bit week has a date; the check keeps the rule's range in one place.
    const auto day = week ? base::weekDateDay(*week) : std::nullopt;
    if (!day) {
        dialogs_.message("You must enter a week number in the text box.", base::kAppTitle);
        return;
    }
    lbldateinfo.caption = "Week " + txtdate.caption + "\r=\r" + clock_.shortDate(*day);
}

void DateCalculator::txtdate_Keypress(int KeyAscii) {
    if (KeyAscii == kEnter) cmdgetdate_Click();
}

std::vector<std::pair<std::string_view, base::Control*>> DateCalculator::controls() {
    return {{"lblenterdate", &lblenterdate}, {"txtdate", &txtdate}, {"cmdgetdate", &cmdgetdate},
            {"lbldateinfo", &lbldateinfo}};
}

}  // namespace shell
