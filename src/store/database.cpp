// SPDX-License-Identifier: MIT
#include "store/database.h"

#include "base/regular_file.h"
#include "store/sql_trace.h"
#include "store/sqlite_error.h"
#include "store/store_error.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include <sys/statvfs.h>
#include <unistd.h>

namespace store {

namespace {

// Connection settings, chosen for a desktop tool that must never lose a stored week.
//
// Journal: WAL. A search can read while an import writes, a commit appends to one file
// instead of copying pages to a rollback journal, and the mode is kept in the file, so
// makedb sets it once and every read-write open re-asserts it for stores made elsewhere.
// (WAL needs a local disk; the store lives beside the program.)
//
// synchronous: FULL. One imported file is one transaction of about 400 races and 4,000
// runners, so FULL costs one extra sync of the log per file; with NORMAL a power cut
// could lose the last imported week after the import had reported success. Measured
// with bench/store_pragmas_bench.cpp, one week committed (mean of 3 x 20, ext4 on a
// virtual disk whose sync takes 0.07 ms):
//                   empty store   store of 50 weeks
//   WAL + FULL        22 ms           112 ms
//   WAL + NORMAL      26 ms           128 ms
//   DELETE + FULL     29 ms           122 ms
// The differences are within the noise (standard deviations up to 18 ms): the work is
// in the index inserts, not the syncs. With the disk busy with other work the same run
// gave 51/186, 43/167 and 51/176 ms: FULL then cost up to 19 ms (about 10%) per file.
// A desktop disk that takes 1 to 10 ms per sync adds that once per imported file.
//
// Page cache: 64 MiB, so the name, owner and number indexes of a large store stay in
// memory through an import and the searches after it. Temporary sort tables stay in memory.
//
// Locks: a statement waits up to ConnectionSettings::busyTimeout (5 s) for another
// program's write, then fails with a message saying that the store is in use.
constexpr const char* kCacheSize = "PRAGMA cache_size = -65536";
constexpr const char* kTempStore = "PRAGMA temp_store = MEMORY";

const char* journalModePragma(JournalMode mode) {
    return mode == JournalMode::Wal ? "PRAGMA journal_mode = WAL" : "PRAGMA journal_mode = DELETE";
}

const char* synchronousPragma(Synchronous mode) {
    return mode == Synchronous::Full ? "PRAGMA synchronous = FULL" : "PRAGMA synchronous = NORMAL";
}

// SQLite's allocation statistics take a lock around every allocation, which an import
// making millions of index records pays for; nothing here reads them. This must happen
// before SQLite's first use in the process, and is a no-op if that has passed.
void configureSqliteOnce() {
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    (void)configured;
}

}  // namespace

// The folder of a store must take the engine's log and shared-memory files for any
// program to write it in WAL mode (and the rollback journal otherwise).
std::optional<std::string> readOnlyReason(const std::filesystem::path& path) {
    const std::filesystem::path file = std::filesystem::absolute(path);
    struct statvfs disk {};
    if (::statvfs(file.c_str(), &disk) == 0 && (disk.f_flag & ST_RDONLY) != 0) return "its disk is read-only";
    if (::access(file.parent_path().c_str(), W_OK) != 0)
        return "its folder " + quoted(file.parent_path()) + " cannot be written";
    if (::access(file.c_str(), W_OK) != 0) return "the file cannot be written";
    return std::nullopt;
}

namespace {

// Whether no program can write the store now, so that it may be read as an unchanging
// file: a read-only disk, or a folder that cannot take the log, and no log that holds
// pages not yet in the file (the engine would not see them then).
bool unchanging(const std::filesystem::path& file) {
    struct statvfs disk {};
    const bool readOnlyDisk = ::statvfs(file.c_str(), &disk) == 0 && (disk.f_flag & ST_RDONLY) != 0;
    if (!readOnlyDisk && ::access(file.parent_path().c_str(), W_OK) == 0) return false;
    std::error_code error;
    const auto log = std::filesystem::file_size(file.string() + "-wal", error);
    return error || log == 0;
}

// The file as the engine's URI, which carries the immutable parameter.
std::string immutableUri(const std::filesystem::path& file) {
    std::string uri = "file:";
    for (const char c : file.string()) {
        if (c == '%' || c == '?' || c == '#') {
            constexpr const char* kHex = "0123456789ABCDEF";
            uri += '%';
            uri += kHex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            uri += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

}  // namespace

Database::Database(sqlite3* db, std::filesystem::path path) : db_(db), path_(std::move(path)) {}

Database::Database(Database&& other) noexcept : db_(std::exchange(other.db_, nullptr)), path_(std::move(other.path_)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

Database::~Database() { close(); }

void Database::close() noexcept {
    // close_v2 waits for statements still alive instead of failing.
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

namespace {

// Refuses at once what is not a regular file: the engine's open of a FIFO would wait for
// a writer, and a link would put another file, with its log, in the store's place.
void refuseAllButARegularFile(const std::filesystem::path& file) {
    const base::FileLook look = base::lookAtFile(file);
    switch (look.problem) {
    case base::FileProblem::None:
        return;
    case base::FileProblem::Missing:
        throw StoreError("The race store " + quoted(file) + " does not exist.");
    case base::FileProblem::Link:
        throw StoreError(quoted(file) + " is a link; the race store must be the file itself, not a link to it.");
    case base::FileProblem::NotRegular:
        if (std::filesystem::is_directory(std::filesystem::symlink_status(file)))
            throw StoreError(quoted(file) + " is a folder, not a race store.");
        throw StoreError(quoted(file) + " is a pipe, device or socket, not a race store.");
    default:
        throw StoreError("The race store " + quoted(file) + " cannot be read: " + std::strerror(look.error) + ".");
    }
}

}  // namespace

Database Database::open(const std::filesystem::path& path, Access access, const ConnectionSettings& settings,
                        const Check& check) {
    // An absolute path, because a relative one beginning "file:" would be read as a URI.
    const std::filesystem::path file = std::filesystem::absolute(path);
    refuseAllButARegularFile(file);

    configureSqliteOnce();
    sqlite3* handle = nullptr;
    // A connection and its statements are only ever used by the thread that opened them,
    // so SQLite need not take its mutex on every call (a fifth of a large listing's time).
    int flags = (access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    std::string name = reinterpret_cast<const char*>(file.u8string().c_str());
    if (access == Access::ReadOnly && unchanging(file)) {
        name = immutableUri(file);
        flags |= SQLITE_OPEN_URI;
    }
    const int rc = sqlite3_open_v2(name.c_str(), &handle, flags, nullptr);
    Database db(handle, file);
    if (rc != SQLITE_OK)
        throw StoreError("The race store " + quoted(file) +
                         " cannot be opened: " + (handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc)) + ".");
    traceSqlIfAsked(handle);
    db.configure(access, settings, check);
    return db;
}

void Database::configure(Access access, const ConnectionSettings& settings, const Check& check) {
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, static_cast<int>(settings.busyTimeout.count()));
    // Before the pragmas, which read the file's schema.
    if (check) {
        try {
            check(*this);
        } catch (...) {
            sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
            throw;
        }
    }
    exec(kCacheSize);
    exec(kTempStore);
    if (access == Access::ReadWrite) {
        // Setting the mode the file already has changes nothing in it.
        exec(journalModePragma(settings.journalMode));
        exec(synchronousPragma(settings.synchronous));
    }
}

void Database::exec(std::string_view sql) {
    const std::string text(sql);
    checkSqlite(db_, sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr), "write to");
}

Statement Database::prepare(std::string_view sql, Reuse reuse) {
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    const unsigned flags = reuse == Reuse::Repeated ? SQLITE_PREPARE_PERSISTENT : 0;
    const int rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), flags, &statement, &tail);
    Statement result(statement);
    checkSqlite(db_, rc, "read");
    const std::string_view rest(tail, static_cast<std::size_t>(sql.data() + sql.size() - tail));
    if (!statement || rest.find_first_not_of(" \t\r\n;") != std::string_view::npos)
        throw std::logic_error("Not exactly one SQL statement: \"" + std::string(sql) + "\".");
    return result;
}

Database::FileStart Database::fileStart(std::size_t count) {
    sqlite3_file* file = nullptr;
    sqlite3_int64 size = 0;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file || !file->pMethods ||
        file->pMethods->xFileSize(file, &size) != SQLITE_OK)
        throw StoreError("The race store " + quoted(path_) + " cannot be read.");
    FileStart start;
    start.size = size;
    start.bytes.resize(static_cast<std::size_t>(std::min<std::int64_t>(start.size, static_cast<std::int64_t>(count))));
    const int rc = file->pMethods->xRead(file, start.bytes.data(), static_cast<int>(start.bytes.size()), 0);
    if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ)
        throw StoreError("The race store " + quoted(path_) + " cannot be read.");
    return start;
}

std::int64_t Database::changes() const { return sqlite3_changes64(db_); }

std::string Database::lastError() const { return sqlite3_errmsg(db_); }

bool Database::inTransaction() const { return sqlite3_get_autocommit(db_) == 0; }

}  // namespace store
