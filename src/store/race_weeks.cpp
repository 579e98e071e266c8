// SPDX-License-Identifier: MIT
#include "store/race_weeks.h"

#include "store/database.h"

namespace store {

bool hasAnyRace(Database& db) { return db.prepare("SELECT 1 FROM tblraces LIMIT 1").step(); }

bool raceExists(Database& db, double racenum) {
    return db.prepare("SELECT 1 FROM tblraces WHERE racenum = ?1 LIMIT 1").bind(1, racenum).step();
}

void deleteWeek(Database& db, int week) {
    const auto next = static_cast<std::int64_t>(week) + 1;
    db.prepare("DELETE FROM tblhorsedata WHERE racenum < ?1 AND racenum > ?2").bind(1, next).bind(2, week).step();
    db.prepare("DELETE FROM tblraces WHERE racenum < ?1 AND racenum > ?2").bind(1, next).bind(2, week).step();
}

}  // namespace store
