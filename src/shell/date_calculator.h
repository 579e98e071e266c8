// SPDX-License-Identifier: MIT
// The date calculator's state: the calendar date of a typed week number.
#pragma once

#include "base/calendar.h"
#include "base/control.h"
#include "base/user_dialogs.h"

#include <string_view>
#include <utility>
#include <vector>

namespace shell {

// The date calculator `frmdatecalculator` as state: the user types a week number and
// reads the calendar date that the simulation gives that week. The window shows these
// controls and forwards the user's events; nothing is kept besides them.
class DateCalculator {
public:
    static constexpr const char* kCaption = "Date Calculator";
    static constexpr int kClientWidth = 2790;   // twips
    static constexpr int kClientHeight = 1620;  // twips
    static constexpr int kEnter = 13;           // the key code of Enter

    DateCalculator(base::UserDialogs& dialogs, const base::Clock& clock) : dialogs_(dialogs), clock_(clock) {}

    // "Get Date": the typed week's date into `lbldateinfo`, as "Week ", the text as
    // typed, "=" and the date on three lines. Text that is not a week number gets a
    // message and leaves the last result in place.
    void cmdgetdate_Click();
    // A key typed into `txtdate`: Enter converts as the button does. No key is refused;
    // the box handles each one as usual.
    void txtdate_Keypress(int KeyAscii);

    std::vector<std::pair<std::string_view, base::Control*>> controls();

    base::Control lblenterdate{"Enter Date:"};
    base::Control txtdate{"", true, true, false, 6};  // every 16-bit week number
    base::Control cmdgetdate{"Get Date"};
    base::Control lbldateinfo{""};

private:
    base::UserDialogs& dialogs_;
    const base::Clock& clock_;
};

}  // namespace shell
