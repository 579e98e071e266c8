// SPDX-License-Identifier: MIT
#pragma once

namespace store {

class Database;

// The races of week W are those with W < racenum < W + 1.

// Whether the store holds any race at all.
bool hasAnyRace(Database& db);
// Whether a race with exactly this race number is stored.
bool raceExists(Database& db, double racenum);
// Deletes every runner of week `week`, then every race of it.
void deleteWeek(Database& db, int week);

}  // namespace store
