// SPDX-License-Identifier: MIT
#include "store/search_indexes.h"

#include "store/database.h"
#include "store/schema.h"
#include "store/store_error.h"
#include "store/transaction.h"

#include <algorithm>
#include <cerrno>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace store {

namespace {

// A listing selects by name, number, owner or race and lists newest race first, the
// runners of one race in the order they were stored (finishing order). The composite
// indexes keep exactly that order, race number descending and then the row number every
// index entry ends with, so their rows need no sort (which matters for a stable with
// 15,000 runs) and come in the same order whichever index the engine walks. The
// race-number indexes serve the join, the week checks and the week deletions;
// statecodes(num) the track lookups. The horse-number index also carries each run's
// speed, finish and odds, so the finder reads the form of thousands of horses from the
// index alone instead of looking up each run's row. The placed runners' index holds the
// winners and third-placed runners alone, race by race with their speed, so the class pars
// read every winner of a decade from a fiftieth of the runs.
//
// Without statistics the query planner guesses, and for a name pattern listed newest
// first it guesses a walk through every run in race order. The figures describe a store
// of some 600 weeks (2,400,000 runs, about 20 per horse and 400 per stable, 10 per
// race); the planner goes by their proportions, which hold for a store of any age.
struct SearchIndex {
    std::string_view name;
    std::string_view table;
    std::string_view columns;
    std::string_view statistics;  // rows, then rows per distinct value of each leading column
    bool droppedForBulkLoad;
    std::string_view where{};  // the rows a partial index holds; empty: all
};

constexpr std::array kSearchIndexes{
    SearchIndex{"ix_tblraces_racenum", "tblraces", "racenum", "240000 1", false},
    SearchIndex{"ix_tblhorsedata_racenum", "tblhorsedata", "racenum", "2400000 10", false},
    SearchIndex{"ix_tblhorsedata_hname_newest", "tblhorsedata", "hname, racenum DESC", "2400000 20 1", true},
    SearchIndex{"ix_tblhorsedata_hid_form", "tblhorsedata", "hid, racenum DESC, sp, fin, odds", "2400000 20 1 1 1 1",
                true},
    SearchIndex{"ix_tblhorsedata_oname_newest", "tblhorsedata", "oname, racenum DESC", "2400000 400 1", true},
    SearchIndex{"ix_statecodes_num", "statecodes", "num", "100 1", false},
    SearchIndex{"ix_tblhorsedata_placed", "tblhorsedata", "racenum, fin, sp", "480000 2 1 1", false, "fin IN (1, 3)"},
};

// Indexes of stores made by earlier builds, which their successors above replace: three in
// race order ascending (walked backwards they gave a race's runners last finisher first)
// and the horse-number index without the runs' form.
constexpr std::array<std::string_view, 4> kRetiredIndexes{"ix_tblhorsedata_hname", "ix_tblhorsedata_hid",
                                                          "ix_tblhorsedata_oname", "ix_tblhorsedata_hid_newest"};

void dropIndex(Database& db, std::string_view name) {
    // Names come from the tables above, never from outside.
    db.exec("DROP INDEX IF EXISTS " + std::string(name));
}

bool indexExists(Database& db, std::string_view name) {
    return db.prepare("SELECT 1 FROM sqlite_schema WHERE type = 'index' AND name = ?1").bind(1, name).step();
}

void createIndex(Database& db, const SearchIndex& index) {
    // Names come from the table above, never from outside.
    db.exec("CREATE INDEX IF NOT EXISTS " + std::string(index.name) + " ON " + std::string(index.table) + " (" +
            std::string(index.columns) + ")" + (index.where.empty() ? "" : " WHERE " + std::string(index.where)));
    db.exec("ANALYZE sqlite_schema");  // makes sure the statistics table exists
    db.prepare("DELETE FROM sqlite_stat1 WHERE idx = ?1").bind(1, index.name).step();
    db.prepare("INSERT INTO sqlite_stat1 (tbl, idx, stat) VALUES (?1, ?2, ?3)")
        .bind(1, index.table)
        .bind(2, index.name)
        .bind(3, index.statistics)
        .step();
}

}  // namespace

bool searchIndexesMissing(Database& db) {
    return std::ranges::any_of(kSearchIndexes, [&](const SearchIndex& index) { return !indexExists(db, index.name); });
}

void ensureSearchIndexes(Database& db) {
    if (!searchIndexesMissing(db)) return;
    const bool own = !db.inTransaction();
    std::optional<Transaction> transaction;
    if (own) transaction.emplace(db);
    for (const auto& index : kSearchIndexes)
        if (!indexExists(db, index.name)) createIndex(db, index);
    for (const auto name : kRetiredIndexes) dropIndex(db, name);
    if (transaction) transaction->commit();
}

namespace {

std::filesystem::path bulkLoadLockFile(const std::filesystem::path& store) { return store.string() + "-import"; }

}  // namespace

bool bulkLoadUnderway(const std::filesystem::path& store) {
    // Only looks: a missing lock file means no bulk load, and none is made here.
    const int fd = ::open(bulkLoadLockFile(store).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

bool ensureSearchIndexesUnlessBulkLoad(Database& db) {
    if (!searchIndexesMissing(db)) return true;
    Transaction transaction(db);
    if (bulkLoadUnderway(db.path())) return false;
    ensureSearchIndexes(db);
    transaction.commit();
    return true;
}

bool restoreSearchIndexes(Database& reader) {
    if (!searchIndexesMissing(reader)) return true;
    if (bulkLoadUnderway(reader.path())) return false;
    try {
        auto writer = openRaceStoreForWriting(reader.path());
        ensureSearchIndexes(writer);
        return true;
    } catch (const StoreError&) { return false; }
}

BulkLoad::BulkLoad(Database& db) : db_(db) {
    // Without the lock (a folder that cannot take the file) the load goes on unannounced:
    // other programs' searches then build the indexes as they did before.
    lock_ = ::open(bulkLoadLockFile(db_.path()).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (lock_ >= 0 && ::flock(lock_, LOCK_EX | LOCK_NB) != 0) release();
    try {
        Transaction transaction(db_);
        for (const auto& index : kSearchIndexes)
            if (index.droppedForBulkLoad) dropIndex(db_, index.name);
        for (const auto name : kRetiredIndexes) dropIndex(db_, name);
        transaction.commit();
    } catch (...) {
        release();
        throw;
    }
}

BulkLoad::~BulkLoad() { release(); }

void BulkLoad::release() noexcept {
    if (lock_ >= 0) ::close(lock_);
    lock_ = -1;
}

void BulkLoad::finish() {
    ensureSearchIndexes(db_);
    release();
}

}  // namespace store
