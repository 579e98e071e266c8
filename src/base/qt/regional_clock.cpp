// SPDX-License-Identifier: MIT
#include "base/qt/regional_clock.h"

#include <QDate>
#include <QLocale>

namespace base {

namespace {

const QDate kDayZero(1899, 12, 30);

}  // namespace

int RegionalClock::today() const {
    return fixedToday_ ? *fixedToday_ : static_cast<int>(kDayZero.daysTo(QDate::currentDate()));
}

std::optional<int> RegionalClock::dayOf(const std::string& isoDate) {
    const QDate date = QDate::fromString(QString::fromStdString(isoDate), Qt::ISODate);
    if (!date.isValid()) return std::nullopt;
    return static_cast<int>(kDayZero.daysTo(date));
}

std::string RegionalClock::shortDate(int dayNumber) const {
    return QLocale::system().toString(kDayZero.addDays(dayNumber), QLocale::ShortFormat).toStdString();
}

}  // namespace base
