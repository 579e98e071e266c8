// SPDX-License-Identifier: MIT
#pragma once

#include "shell/base/calendar.h"

namespace shell {

// The machine's date, and dates in the short form of the user's regional settings.
class RegionalClock : public Clock {
public:
    int today() const override;
    std::string shortDate(int dayNumber) const override;
};

}  // namespace shell
