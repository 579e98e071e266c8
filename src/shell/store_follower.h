// SPDX-License-Identifier: MIT
// What follows the race store beside the window's own controls, told by the window's commands.
#pragma once

#include <string>
#include <vector>

namespace store {
class Database;
}  // namespace store

namespace shell {

// State kept beside the window's controls that must follow the race store (the watch list's
// marks). The program's assembly hands the window its followers; the window's commands tell
// them what they changed, so nothing below the subsystems needs to know them.
class StoreFollower {
public:
    virtual ~StoreFollower() = default;
    // A command changed what the store holds (a week removed, the watch list changed).
    virtual void storeChanged(store::Database& db) = 0;
    // `weeks` were imported; the line the status text ends with, empty for none.
    virtual std::string weeksImported(store::Database& db, const std::vector<int>& weeks) = 0;
};

}  // namespace shell
