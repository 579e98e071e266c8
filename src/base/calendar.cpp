// SPDX-License-Identifier: MIT
#include "base/calendar.h"

#include <cstdio>

namespace base {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr sys_days kDayZero = sys_days{std::chrono::year{1899} / std::chrono::December / 30};

}  // namespace

std::chrono::year_month_day dateOfDay(int dayNumber) { return kDayZero + days{dayNumber}; }

int dayNumberOf(std::chrono::year_month_day date) {
    return static_cast<int>((sys_days{date} - kDayZero).count());
}

std::string isoDate(int dayNumber) {
    const auto date = dateOfDay(dayNumber);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::optional<int> weekDateDay(long long week) {
    // Far outside the calendar either way; keeps the sum clear of overflow.
    if (week < -kLastCalendarDay || week > kLastCalendarDay) return std::nullopt;
    const long long day = kFirstWeekDay + weekDateWeek(week);
    if (!isCalendarDay(day)) return std::nullopt;
    return static_cast<int>(day);
}

int SystemClock::today() const {
    const auto now = std::chrono::floor<days>(std::chrono::system_clock::now());
    return static_cast<int>((now - kDayZero).count());
}

}  // namespace base
