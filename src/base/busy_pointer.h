// SPDX-License-Identifier: MIT
// The busy pointer shown while a command works, restored however the command ends.
#pragma once

#include "base/user_dialogs.h"

namespace base {

// Shows the busy pointer while a command works and restores the normal one however the
// command ends; a progress bar it opened closes with it.
class BusyPointer {
public:
    explicit BusyPointer(UserDialogs& dialogs) : dialogs_(dialogs) { dialogs_.setBusy(true); }
    ~BusyPointer() {
        dialogs_.endProgress();
        dialogs_.setBusy(false);
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    UserDialogs& dialogs_;
};

}  // namespace base
