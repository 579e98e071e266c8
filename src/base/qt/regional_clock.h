// SPDX-License-Identifier: MIT
// The machine's clock and the user's regional short date form, for the core's date texts.
#pragma once

#include "base/calendar.h"

#include <optional>
#include <string>

namespace base {

// The machine's date, or a day fixed for the whole run, and dates in the short form of
// the user's regional settings.
class RegionalClock : public Clock {
public:
    explicit RegionalClock(std::optional<int> fixedToday = std::nullopt) : fixedToday_(fixedToday) {}
    int today() const override;
    std::string shortDate(int dayNumber) const override;

    // The day number of an ISO date YYYY-MM-DD, or nothing when it is none.
    static std::optional<int> dayOf(const std::string& isoDate);

private:
    std::optional<int> fixedToday_;
};

}  // namespace base
