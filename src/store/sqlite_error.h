// SPDX-License-Identifier: MIT
// The user's messages for the database engine's failures, for the store's own sources only.
#pragma once

// Only the store's own sources include this header: it brings in the engine's API.
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace store {

// A path as the messages show it, in double quotes so that blanks stay visible.
std::string quoted(const std::filesystem::path& path);

// The message for a file that is something other than a database.
std::string notADatabase(const std::filesystem::path& path);

// The message for a store whose pages fail the engine's checks, with `why` in the
// engine's words, and how to recover what can still be read.
std::string damagedStore(const std::filesystem::path& path, std::string_view why);

// Throws the StoreError for the failed call that returned rc on db. action completes the
// sentence "Could not ... the race store": "open", "read", "write to", ...
[[noreturn]] void throwSqliteError(sqlite3* db, int rc, std::string_view action);

// Throws as above unless rc is SQLITE_OK.
inline void checkSqlite(sqlite3* db, int rc, std::string_view action) {
    if (rc != SQLITE_OK) throwSqliteError(db, rc, action);
}

}  // namespace store
