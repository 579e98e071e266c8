// SPDX-License-Identifier: MIT
// The weeks of the race store: which are stored, how many runs, and removing whole weeks.
#pragma once

#include <cstdint>
#include <vector>

namespace store {

class Database;

// The races of week W are those with W < racenum < W + 1.

// Whether the store holds any race at all.
bool hasAnyRace(Database& db);
// About how many runs the store holds, without counting them: the highest row id of the
// runs (0 for none), read from the end of the table.
std::int64_t storedRunsEstimate(Database& db);
// Whether a race with exactly this race number is stored.
bool raceExists(Database& db, double racenum);

// The week check of every import, by the first race number of a results file as read: its
// first race is stored (the file is the week's, imported before), or only other races of
// its week are (the week came partly from another file), or none.
enum class StoredWeek { None, OtherRaces, FirstRace };
StoredWeek storedWeek(Database& db, double firstRace, int week);
// The race numbers stored in week `week`, from the race-number index.
std::vector<double> weekRaceNumbers(Database& db, int week);
// Deletes every runner of week `week`, then every race of it.
void deleteWeek(Database& db, int week);
// The weeks that hold races, newest first. Asks the race-number index once per week
// instead of reading every race, so a store of 600 weeks lists in about a millisecond.
std::vector<int> raceWeeks(Database& db);

}  // namespace store
