// SPDX-License-Identifier: MIT
#include "store/race_weeks.h"

#include "store/database.h"

#include <cmath>
#include <limits>

namespace store {

bool hasAnyRace(Database& db) { return db.prepare("SELECT 1 FROM tblraces LIMIT 1").step(); }

std::int64_t storedRunsEstimate(Database& db) {
    auto last = db.prepare("SELECT max(rowid) FROM tblhorsedata");
    last.step();
    return last.isNull(0) ? 0 : last.integer(0);
}

bool raceExists(Database& db, double racenum) {
    return db.prepare("SELECT 1 FROM tblraces WHERE racenum = ?1 LIMIT 1").bind(1, racenum).step();
}

StoredWeek storedWeek(Database& db, double firstRace, int week) {
    if (!hasAnyRace(db)) return StoredWeek::None;
    if (raceExists(db, firstRace)) return StoredWeek::FirstRace;
    const auto next = static_cast<std::int64_t>(week) + 1;
    const bool other = db.prepare("SELECT 1 FROM tblraces WHERE racenum > ?1 AND racenum < ?2 LIMIT 1")
                           .bind(1, week)
                           .bind(2, next)
                           .step();
    return other ? StoredWeek::OtherRaces : StoredWeek::None;
}

std::vector<double> weekRaceNumbers(Database& db, int week) {
    const auto next = static_cast<std::int64_t>(week) + 1;
    auto races = db.prepare("SELECT racenum FROM tblraces WHERE racenum > ?1 AND racenum < ?2");
    races.bind(1, week).bind(2, next);
    std::vector<double> numbers;
    while (races.step()) numbers.push_back(races.real(0));
    return numbers;
}

void deleteWeek(Database& db, int week) {
    const auto next = static_cast<std::int64_t>(week) + 1;
    db.prepare("DELETE FROM tblhorsedata WHERE racenum < ?1 AND racenum > ?2").bind(1, next).bind(2, week).step();
    db.prepare("DELETE FROM tblraces WHERE racenum < ?1 AND racenum > ?2").bind(1, next).bind(2, week).step();
}

std::vector<int> raceWeeks(Database& db) {
    Statement below =
        db.prepare("SELECT racenum FROM tblraces WHERE racenum < ?1 ORDER BY racenum DESC LIMIT 1", Reuse::Repeated);
    std::vector<int> weeks;
    double bound = std::numeric_limits<double>::infinity();
    for (;;) {
        below.reset();
        if (!below.bind(1, bound).step()) return weeks;
        const double racenum = below.real(0);
        bound = std::floor(racenum);
        // A race number equal to a whole week number falls in no week.
        if (racenum != bound) weeks.push_back(static_cast<int>(bound));
    }
}

}  // namespace store
