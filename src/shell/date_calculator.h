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
    static constexpr int kBackspace = 8;
    // Weeks count from 1; the store keeps a week number in 16 bits.
    static constexpr int kFirstWeek = 1;
    static constexpr int kLastWeek = 32767;
    static constexpr const char* kNoWeek = "You must enter a week number from 1 to 32767 in the text box.";

    DateCalculator(base::UserDialogs& dialogs, const base::Clock& clock) : dialogs_(dialogs), clock_(clock) {}

    // "Get Date": the typed week's date into `lbldateinfo`, as "Week ", the text as
    // typed, "=" and the date on three lines. Text that is not a week number gets a
    // message naming the range, and the last result goes.
    void cmdgetdate_Click();
    // A key typed into `txtdate`: Enter converts as the button does. Returns the key, or
    // 0 for a key the box refuses: only digits, Backspace and Enter are typed.
    int txtdate_Keypress(int KeyAscii);

    std::vector<std::pair<std::string_view, base::Control*>> controls();

    base::Control lblenterdate{"Enter Date:"};
    base::Control txtdate{"", true, true, false, 5};  // every week number
    base::Control cmdgetdate{"Get Date"};
    base::Control lbldateinfo{""};

private:
    base::UserDialogs& dialogs_;
    const base::Clock& clock_;
};

}  // namespace shell
