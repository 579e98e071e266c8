// SPDX-License-Identifier: MIT
// The weeks the player removed, with the results folder's files they came from, so that the folder's checks leave them
// out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace store {

class Database;

// A results file of the folder kept in step, as a removal found it: its week, its name,
// and its size and modification time (the file clock's count), which tell whether it
// changed since.
struct WeekFile {
    int week = 0;
    std::string file;
    std::int64_t size = 0;
    std::int64_t time = 0;

    bool operator==(const WeekFile&) const = default;
};

// Marks `week` as removed by the player, with `files` (its files in the results folder,
// none when it has none there) in place of what was marked for it before. Makes the
// table removedweeks when the store lacks it; a race store is complete without it.
void markWeekRemoved(Database& db, int week, const std::vector<WeekFile>& files);
// Clears the mark of `week`: it is stored again.
void clearRemovedWeek(Database& db, int week);
// The files of the weeks marked removed; none for a store without the table.
std::vector<WeekFile> removedWeekFiles(Database& db);

}  // namespace store
