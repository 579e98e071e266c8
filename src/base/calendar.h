// SPDX-License-Identifier: MIT
// Weeks and day numbers as calendar dates, and the date forms the program shows them in.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace base {

// Day numbers count days since 30 December 1899 (day 35997 is 21 July 1998). The
// simulation's week W is taken as day 35997 + W.
constexpr int kFirstWeekDay = 35997;

std::chrono::year_month_day dateOfDay(int dayNumber);
int dayNumberOf(std::chrono::year_month_day date);
// YYYY-MM-DD, the short date form of the command line tool.
std::string isoDate(int dayNumber);

// Dates are shown from 1 January 100 to 31 December 9999; beyond them a short date form
// has no meaning.
constexpr int kFirstCalendarDay = -657434;
constexpr int kLastCalendarDay = 2958465;
constexpr bool isCalendarDay(long long dayNumber) {
    return dayNumber >= kFirstCalendarDay && dayNumber <= kLastCalendarDay;
}

// The week that a week's date is shown for: every week before 587 is taken one earlier,
// so the dates of weeks 586 and 587 are two days apart (27 February 2000 has no week).
constexpr long long weekDateWeek(long long week) { return week < 587 ? week - 1 : week; }
// Day number of the date shown for week `week` (week 586 is 26 February 2000, week 587
// 28 February 2000), or nothing when it lies outside the calendar.
std::optional<int> weekDateDay(long long week);

// The calendar as the machine knows it: today's day number and the system's short date
// form. The window uses the user's regional settings, the command line tool ISO dates
// and a day given with --today, tests a fixed day.
class Clock {
public:
    virtual ~Clock() = default;
    virtual int today() const = 0;
    virtual std::string shortDate(int dayNumber) const = 0;
};

// The real date, written YYYY-MM-DD.
class SystemClock : public Clock {
public:
    int today() const override;
    std::string shortDate(int dayNumber) const override { return isoDate(dayNumber); }
};

// A fixed day, written YYYY-MM-DD.
class FixedClock : public Clock {
public:
    explicit FixedClock(int dayNumber) : today_(dayNumber) {}
    int today() const override { return today_; }
    std::string shortDate(int dayNumber) const override { return isoDate(dayNumber); }

private:
    int today_;
};

}  // namespace base
