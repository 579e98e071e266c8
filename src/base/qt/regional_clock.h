// SPDX-License-Identifier: MIT
// The machine's clock and the user's regional short date form, for the core's date texts.
#pragma once

#include "base/calendar.h"

namespace base {

// The machine's date, and dates in the short form of the user's regional settings.
class RegionalClock : public Clock {
public:
    int today() const override;
    std::string shortDate(int dayNumber) const override;
};

}  // namespace base
