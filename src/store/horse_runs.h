// SPDX-License-Identifier: MIT
// The race store's reads of horses' form: every active horse's runs, one horse's runs, the class codes.
#pragma once

#include "store/run_query.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace store {

class Database;

// The form of every horse that ran in week `firstWeek` or later (of every horse when no
// week is given), one horse number at a time: `visit` gets all runs of one horse,
// newest race first, and answers false to stop. Each run holds its race, speed, finish
// and odds; the name, owner, post position and start only the newest run holds.
void forEachActiveHorse(Database& db, std::optional<int> firstWeek,
                        const std::function<bool(std::vector<RunRecord>&)>& visit);

// All runs of horse number `hid`, newest race first.
std::vector<RunRecord> runsOfHorse(Database& db, std::int64_t hid);

// The race class codes (`restr`) the store holds, in order.
std::vector<std::string> raceClassCodes(Database& db);

// The finder's "active, dirt, best speed at least" count done by the engine alone, as a
// yardstick for the finder's speed: horses that ran in week `firstWeek` or later whose
// best dirt speed is at least `minSpeed`.
std::int64_t countFastDirtHorsesInSql(Database& db, int firstWeek, double minSpeed);

}  // namespace store
