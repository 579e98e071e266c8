// SPDX-License-Identifier: MIT
#include "store/page_copy.h"

#include "store/database.h"
#include "store/sqlite_error.h"
#include "store/transaction.h"

#include <utility>

namespace store {

namespace {

// Pages per step: 16 MiB of 4 KiB pages, so progress shows often enough and the steps'
// own cost stays small beside the pages'.
constexpr int kPagesPerStep = 4096;

// The engine caps the map at its own largest size (2 GiB unless built otherwise); pages
// beyond it are read as usual.
constexpr const char* kReadMapped = "PRAGMA mmap_size = 17179869184";
constexpr const char* kSmallCache = "PRAGMA cache_size = -2048";

// The backup object, finished however the copy ends: an unfinished one rolls `to` back.
class Backup {
public:
    Backup(sqlite3* to, sqlite3* from) : backup_(sqlite3_backup_init(to, "main", from, "main")) {}
    ~Backup() { finish(); }
    Backup(const Backup&) = delete;
    Backup& operator=(const Backup&) = delete;
    sqlite3_backup* get() const { return backup_; }
    int finish() { return backup_ ? sqlite3_backup_finish(std::exchange(backup_, nullptr)) : SQLITE_OK; }

private:
    sqlite3_backup* backup_;
};

}  // namespace

void readMapped(Database& db) { db.exec(kReadMapped); }

bool PageCopy::copy(Database& from, Database& to, const Report& report, const Report& beforeCommit) {
    // Read through a memory map, so a page costs no read call, and written through a small
    // cache: a large one only delays the writes, which the copy's pages pass through once.
    // (Measured on the 600-week store: a backup in 0.72 s instead of 1.01 s.)
    readMapped(from);
    to.exec(kSmallCache);
    // A read transaction held across the steps keeps the engine from starting the copy
    // over when another connection commits, and makes every step read the same state.
    ReadTransaction oneMoment(from);
    Backup backup(to.db_, from.db_);
    if (!backup.get()) throwSqliteError(to.db_, sqlite3_errcode(to.db_), "write to");
    int rc = SQLITE_OK;
    bool asked = !beforeCommit;
    for (bool first = true; rc == SQLITE_OK; first = false) {
        const std::int64_t remaining = sqlite3_backup_remaining(backup.get());
        if (!first && !asked && remaining <= kPagesPerStep) {
            asked = true;
            const std::int64_t total = sqlite3_backup_pagecount(backup.get());
            if (!beforeCommit({total - remaining, total})) return false;
        }
        rc = sqlite3_backup_step(backup.get(), first && !asked ? 1 : kPagesPerStep);
        const std::int64_t total = sqlite3_backup_pagecount(backup.get());
        const CopyProgress progress{total - sqlite3_backup_remaining(backup.get()), total};
        // The last step has committed `to`: it can no longer be stopped.
        if (rc == SQLITE_OK && report && !report(progress)) return false;
        if (rc == SQLITE_DONE && report) report(progress);
    }
    const int finished = backup.finish();
    if (rc != SQLITE_DONE) throwSqliteError(to.db_, rc, "write to");
    checkSqlite(to.db_, finished, "write to");
    return true;
}

}  // namespace store
