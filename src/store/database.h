// SPDX-License-Identifier: MIT
// A connection to a race store file, with the settings that keep the store safe.
#pragma once

#include "store/statement.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;

namespace store {

enum class Access { ReadWrite, ReadOnly };
enum class JournalMode { Wal, Delete };
enum class Synchronous { Full, Normal };

// How a read-write connection keeps the store safe. The defaults are the program's
// choice (database.cpp gives the measurements behind it); other values exist so that
// the benchmarks can compare them.
struct ConnectionSettings {
    JournalMode journalMode = JournalMode::Wal;
    Synchronous synchronous = Synchronous::Full;
    // How long a statement waits for another program's lock before it fails.
    std::chrono::milliseconds busyTimeout{5000};
};

// Why no program can change the store at `path` now, in words that complete "The race
// store is read-only: ...": its disk is mounted read-only, its folder or the file itself
// cannot be written by this program. Nothing when it can be written.
std::optional<std::string> readOnlyReason(const std::filesystem::path& path);

// An open connection to a race store file. Opening never creates a file: the store is
// made once (createRaceStore) and a missing file is an error, as is anything but a
// regular file in its place: a folder, a pipe (never waited on), a device, a socket or a
// link (not followed). A read-only connection to a store that no program can write (its
// disk is read-only, or its folder cannot be written and it has no log beside it) reads
// the file as it is, without the engine's shared-memory file, which could not be made there.
class Database {
public:
    // Runs on a new connection before anything is written through it, not even its
    // journal mode: a check that throws refuses the file, which is then closed without
    // the engine's log beside it being written into it.
    using Check = std::function<void(Database&)>;

    static Database open(const std::filesystem::path& path, Access access = Access::ReadWrite,
                         const ConnectionSettings& settings = {}, const Check& check = {});

    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Runs one or more statements that return no rows and take no values.
    void exec(std::string_view sql);
    // Prepares exactly one statement.
    Statement prepare(std::string_view sql, Reuse reuse = Reuse::Once);

    // Rows inserted, changed or deleted by the last statement.
    std::int64_t changes() const;
    // The engine's text for the last failure on this connection.
    std::string lastError() const;
    bool inTransaction() const;
    const std::filesystem::path& path() const { return path_; }

    // The file's size and its first `count` bytes (fewer in a shorter file), read through
    // the connection's own descriptor: closing a descriptor of another reader on the file
    // would release the engine's locks on it.
    struct FileStart {
        std::int64_t size = 0;
        std::string bytes;
    };
    FileStart fileStart(std::size_t count);

private:
    friend class PageCopy;
    Database(sqlite3* db, std::filesystem::path path);
    void configure(Access access, const ConnectionSettings& settings, const Check& check);
    void close() noexcept;

    sqlite3* db_ = nullptr;
    std::filesystem::path path_;
};

}  // namespace store
