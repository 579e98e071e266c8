// SPDX-License-Identifier: MIT
#include "store/watch_tables.h"

#include "store/database.h"

#include <cmath>

namespace store {

namespace {

// A week's races have race numbers strictly between the week and the next one.
constexpr const char* kInWeek = "h.racenum > ?1 AND h.racenum < ?1 + 1";

std::vector<WatchedRun> runsInWeek(Database& db, const std::string& sql, bool byName, int week) {
    Statement select = db.prepare(sql);
    select.bind(1, week);
    std::vector<WatchedRun> runs;
    while (select.step()) {
        WatchedRun run;
        if (byName) run.name = select.text(0);
        else run.hid = select.integer(0);
        run.won = select.integer(1) != 0;
        runs.push_back(std::move(run));
    }
    return runs;
}

bool changedOne(Statement& statement, Database& db) {
    statement.step();
    return db.changes() > 0;
}

}  // namespace

bool hasWatchTables(Database& db) {
    Statement select = db.prepare(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('watchedhorses', 'watchedstables')");
    select.step();
    return select.integer(0) == 2;
}

void createWatchTables(Database& db) {
    db.exec(
        "CREATE TABLE IF NOT EXISTS watchedhorses (hid INTEGER PRIMARY KEY, hname TEXT NOT NULL, "
        "note TEXT NOT NULL DEFAULT '', added INTEGER NOT NULL, addedweek INTEGER NOT NULL);"
        "CREATE TABLE IF NOT EXISTS watchedstables (oname TEXT COLLATE NOCASE PRIMARY KEY, "
        "note TEXT NOT NULL DEFAULT '', added INTEGER NOT NULL, addedweek INTEGER NOT NULL);");
}

void watchHorse(Database& db, std::int64_t hid, std::string_view name, const std::optional<std::string>& note,
                WatchAdded added) {
    Statement insert = db.prepare(
        "INSERT INTO watchedhorses (hid, hname, note, added, addedweek) VALUES (?1, ?2, coalesce(?3, ''), ?4, ?5) "
        "ON CONFLICT (hid) DO UPDATE SET hname = excluded.hname, note = coalesce(?3, note)");
    insert.bind(1, hid).bind(2, name).bind(4, added.day).bind(5, added.week);
    if (note) insert.bind(3, std::string_view(*note));
    insert.step();
}

void watchStable(Database& db, std::string_view oname, const std::optional<std::string>& note, WatchAdded added) {
    Statement insert = db.prepare(
        "INSERT INTO watchedstables (oname, note, added, addedweek) VALUES (?1, coalesce(?2, ''), ?3, ?4) "
        "ON CONFLICT (oname) DO UPDATE SET note = coalesce(?2, note)");
    insert.bind(1, oname).bind(3, added.day).bind(4, added.week);
    if (note) insert.bind(2, std::string_view(*note));
    insert.step();
}

bool unwatchHorse(Database& db, std::int64_t hid) {
    Statement remove = db.prepare("DELETE FROM watchedhorses WHERE hid = ?1");
    remove.bind(1, hid);
    return changedOne(remove, db);
}

bool unwatchStable(Database& db, std::string_view oname) {
    Statement remove = db.prepare("DELETE FROM watchedstables WHERE oname = ?1");
    remove.bind(1, oname);
    return changedOne(remove, db);
}

bool setHorseNote(Database& db, std::int64_t hid, std::string_view note) {
    Statement update = db.prepare("UPDATE watchedhorses SET note = ?2 WHERE hid = ?1");
    update.bind(1, hid).bind(2, note);
    return changedOne(update, db);
}

bool setStableNote(Database& db, std::string_view oname, std::string_view note) {
    Statement update = db.prepare("UPDATE watchedstables SET note = ?2 WHERE oname = ?1");
    update.bind(1, oname).bind(2, note);
    return changedOne(update, db);
}

std::optional<std::string> storedHorseName(Database& db, std::int64_t hid) {
    Statement select = db.prepare("SELECT hname FROM tblhorsedata WHERE hid = ?1 ORDER BY racenum DESC LIMIT 1");
    select.bind(1, hid);
    if (!select.step()) return std::nullopt;
    return select.text(0);
}

std::optional<std::string> storedOwnerName(Database& db, std::string_view oname) {
    Statement select = db.prepare("SELECT oname FROM tblhorsedata WHERE oname = ?1 ORDER BY racenum DESC LIMIT 1");
    select.bind(1, oname);
    if (!select.step()) return std::nullopt;
    return select.text(0);
}

int newestRunWeek(Database& db) {
    Statement select = db.prepare("SELECT max(racenum) FROM tblhorsedata");
    select.step();
    return select.isNull(0) ? 0 : static_cast<int>(std::floor(select.real(0)));
}

// The newest run comes through the number index, newest race first, one probe a horse;
// the runs since added are counted in the same index.
std::vector<WatchedHorseRow> watchedHorses(Database& db) {
    Statement select = db.prepare(
        "SELECT w.hid, coalesce(r.hname, w.hname) AS name, r.oname, r.racenum, r.fin, r.sp, w.note, w.added, "
        "(SELECT count(*) FROM tblhorsedata c WHERE c.hid = w.hid AND c.racenum > w.addedweek + 1) AS since "
        "FROM watchedhorses w LEFT JOIN tblhorsedata r ON r.rowid = "
        "(SELECT x.rowid FROM tblhorsedata x WHERE x.hid = w.hid ORDER BY x.racenum DESC LIMIT 1) "
        "ORDER BY name COLLATE NOCASE, w.hid");
    std::vector<WatchedHorseRow> rows;
    while (select.step()) {
        WatchedHorseRow row;
        row.hid = select.integer(0);
        row.name = select.text(1);
        row.owner = select.text(2);
        row.hasRuns = !select.isNull(3);
        row.lastRace = select.real(3);
        row.lastFinish = static_cast<int>(select.integer(4));
        row.lastSpeed = select.real(5);
        row.note = select.text(6);
        row.addedDay = static_cast<int>(select.integer(7));
        row.runsSinceAdded = static_cast<int>(select.integer(8));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<WatchedStableRow> watchedStables(Database& db, int newestWeek) {
    Statement select = db.prepare(std::string("SELECT s.oname, s.note, s.added, "
                                              "(SELECT count(*) FROM tblhorsedata h WHERE h.oname = s.oname AND ") +
                                  kInWeek + "), (SELECT count(*) FROM tblhorsedata h WHERE h.oname = s.oname AND " +
                                  kInWeek + " AND h.fin = 1) FROM watchedstables s ORDER BY s.oname");
    select.bind(1, newestWeek);
    std::vector<WatchedStableRow> rows;
    while (select.step()) {
        rows.push_back({select.text(0), static_cast<int>(select.integer(3)), static_cast<int>(select.integer(4)),
                        select.text(1), static_cast<int>(select.integer(2))});
    }
    return rows;
}

std::vector<WatchedNote> watchedHorseNotes(Database& db) {
    Statement select = db.prepare("SELECT hid, note FROM watchedhorses");
    std::vector<WatchedNote> notes;
    while (select.step()) notes.push_back({select.integer(0), "", select.text(1)});
    return notes;
}

std::vector<WatchedNote> watchedStableNotes(Database& db) {
    Statement select = db.prepare("SELECT oname, note FROM watchedstables");
    std::vector<WatchedNote> notes;
    while (select.step()) notes.push_back({0, select.text(0), select.text(1)});
    return notes;
}

std::optional<WatchedNote> findWatchedHorse(Database& db, std::int64_t hid) {
    Statement select = db.prepare("SELECT hname, note FROM watchedhorses WHERE hid = ?1");
    select.bind(1, hid);
    if (!select.step()) return std::nullopt;
    return WatchedNote{hid, select.text(0), select.text(1)};
}

std::optional<WatchedNote> findWatchedStable(Database& db, std::string_view oname) {
    Statement select = db.prepare("SELECT oname, note FROM watchedstables WHERE oname = ?1");
    select.bind(1, oname);
    if (!select.step()) return std::nullopt;
    return WatchedNote{0, select.text(0), select.text(1)};
}

std::vector<WatchedRun> watchedHorseRunsInWeek(Database& db, int week) {
    return runsInWeek(db,
                      std::string("SELECT w.hid, max(h.fin = 1) FROM watchedhorses w JOIN tblhorsedata h "
                                  "ON h.hid = w.hid WHERE ") +
                          kInWeek + " GROUP BY w.hid",
                      false, week);
}

std::vector<WatchedRun> watchedStableRunsInWeek(Database& db, int week) {
    return runsInWeek(db,
                      std::string("SELECT s.oname, max(h.fin = 1) FROM watchedstables s JOIN tblhorsedata h "
                                  "ON h.oname = s.oname WHERE ") +
                          kInWeek + " GROUP BY s.oname",
                      true, week);
}

}  // namespace store
