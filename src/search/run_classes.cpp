// SPDX-License-Identifier: MIT
#include "search/run_classes.h"

#include "base/calendar.h"

namespace search {

void ClaimingTag::add(double racenum, std::string_view restr, std::int64_t cprice, int today) {
    const int runWeek = weekOf(racenum);
    const bool recent = base::kFirstWeekDay + runWeek + kDays > today;
    if (recent && isClaimingRace(restr) && cprice < price) {
        price = static_cast<std::int32_t>(cprice);
        week = runWeek;
    }
}

}  // namespace search
