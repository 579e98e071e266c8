// SPDX-License-Identifier: MIT
#include "store/removed_weeks.h"

#include "store/database.h"

namespace store {

namespace {

bool hasRemovedWeeksTable(Database& db) {
    return db.prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'removedweeks'").step();
}

}  // namespace

// A week removed with no file in the folder keeps one row of an empty name, so that the
// mark is there; no file of the folder has that name.
void markWeekRemoved(Database& db, int week, const std::vector<WeekFile>& files) {
    db.exec(
        "CREATE TABLE IF NOT EXISTS removedweeks (week INTEGER NOT NULL, file TEXT NOT NULL, "
        "size INTEGER NOT NULL, mtime INTEGER NOT NULL, PRIMARY KEY (week, file))");
    clearRemovedWeek(db, week);
    Statement insert =
        db.prepare("INSERT OR REPLACE INTO removedweeks (week, file, size, mtime) VALUES (?1, ?2, ?3, ?4)");
    const auto add = [&](const std::string& file, std::int64_t size, std::int64_t time) {
        insert.reset();
        insert.bind(1, week).bind(2, std::string_view(file)).bind(3, size).bind(4, time);
        insert.step();
    };
    if (files.empty()) add("", -1, 0);
    for (const WeekFile& file : files) add(file.file, file.size, file.time);
}

void clearRemovedWeek(Database& db, int week) {
    if (!hasRemovedWeeksTable(db)) return;
    db.prepare("DELETE FROM removedweeks WHERE week = ?1").bind(1, week).step();
}

std::vector<WeekFile> removedWeekFiles(Database& db) {
    std::vector<WeekFile> files;
    if (!hasRemovedWeeksTable(db)) return files;
    Statement select = db.prepare("SELECT week, file, size, mtime FROM removedweeks WHERE file <> ''");
    while (select.step())
        files.push_back({static_cast<int>(select.integer(0)), select.text(1), select.integer(2), select.integer(3)});
    return files;
}

}  // namespace store
