// SPDX-License-Identifier: MIT
#include "store/sqlite_error.h"

#include "store/store_error.h"

#include "base/one_line.h"

namespace store {

std::string quoted(const std::filesystem::path& path) { return "\"" + base::oneLine(path.string()) + "\""; }

std::string notADatabase(const std::filesystem::path& path) { return quoted(path) + " is not a database file."; }

std::string damagedStore(const std::filesystem::path& path, std::string_view why) {
    return "The race store " + quoted(path) + " is damaged (" + std::string(why) +
           "): part of it cannot be read. Keep a copy of the file and recover what can be read: the sqlite3"
           " program's \".recover\" command copies the readable rows into a new file, or a new store"
           " (harrowdex-cli makedb) takes the weekly results files again.";
}

void throwSqliteError(sqlite3* db, int rc, std::string_view action) {
    const char* name = db ? sqlite3_db_filename(db, "main") : nullptr;
    const std::filesystem::path file = name ? name : "";
    const std::string where = quoted(file);
    const std::string why = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw StoreError("The race store " + where +
                         " is in use by another program. Close that program and try again.");
    case SQLITE_NOTADB:
        throw StoreError(notADatabase(file));
    case SQLITE_CORRUPT:
        throw StoreError(damagedStore(file, why));
    case SQLITE_READONLY:
        throw StoreError("The race store " + where + " is read-only. Allow changes to it and try again.");
    case SQLITE_FULL:
        throw NoRoomError("The disk holding the race store " + where + " is full.");
    default:
        throw StoreError("Could not " + std::string(action) + " the race store " + where + ": " + why + ".");
    }
}

}  // namespace store
