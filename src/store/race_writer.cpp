// SPDX-License-Identifier: MIT
#include "store/race_writer.h"

#include "store/database.h"

namespace store {

RaceWriter::RaceWriter(Database& db)
    : insertRace_(db.prepare("INSERT INTO tblraces (racenum, surf, restr, cond, dist, size, "
                             "purse, cprice, age) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)",
                             Reuse::Repeated)),
      insertRunner_(db.prepare("INSERT INTO tblhorsedata (hname, hid, racenum, fin, ppos, sp, "
                               "start, odds, oname) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)",
                               Reuse::Repeated)) {}

void RaceWriter::addRace(const RaceRow& race) {
    insertRace_.reset();
    insertRace_.bind(1, race.racenum)
        .bind(2, race.surf)
        .bind(3, race.restr)
        .bind(4, race.cond)
        .bind(5, race.dist)
        .bind(6, race.size)
        .bind(7, race.purse)
        .bind(8, race.cprice)
        .bind(9, race.age);
    insertRace_.step();
}

void RaceWriter::addRunner(const RunnerRow& runner) {
    insertRunner_.reset();
    insertRunner_.bind(1, runner.hname)
        .bind(2, runner.hid)
        .bind(3, runner.racenum)
        .bind(4, runner.fin)
        .bind(5, runner.ppos)
        .bind(6, runner.sp)
        .bind(7, runner.start)
        .bind(8, runner.odds)
        .bind(9, runner.oname);
    insertRunner_.step();
}

}  // namespace store
