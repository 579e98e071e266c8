// SPDX-License-Identifier: MIT
#include "shell/qt_clock.h"

#include <QDate>
#include <QLocale>

namespace shell {

namespace {

const QDate kDayZero(1899, 12, 30);

}  // namespace

int QtClock::today() const { return static_cast<int>(kDayZero.daysTo(QDate::currentDate())); }

std::string QtClock::shortDate(int dayNumber) const {
    return QLocale::system().toString(kDayZero.addDays(dayNumber), QLocale::ShortFormat).toStdString();
}

}  // namespace shell
