// SPDX-License-Identifier: MIT
#include "base/qt/regional_clock.h"

#include <QDate>
#include <QLocale>

namespace base {

namespace {

const QDate kDayZero(1899, 12, 30);

}  // namespace

int RegionalClock::today() const { return static_cast<int>(kDayZero.daysTo(QDate::currentDate())); }

std::string RegionalClock::shortDate(int dayNumber) const {
    return QLocale::system().toString(kDayZero.addDays(dayNumber), QLocale::ShortFormat).toStdString();
}

}  // namespace base
