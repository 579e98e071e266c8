// SPDX-License-Identifier: MIT
#include "store/schema.h"

#include "base/atomic_file.h"
#include "store/database.h"
#include "store/layout_mark.h"
#include "store/search_indexes.h"
#include "store/sqlite_error.h"
#include "store/store_error.h"
#include "store/text_compare.h"
#include "store/transaction.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include <unistd.h>

namespace store {

namespace {

// Name fields compare without regard to letter case, as the searches expect, and their
// indexes use the same collation, so = and a LIKE prefix both find rows by index.
constexpr std::array kRaceFields{
    FieldDefinition{"racenum", "REAL"},  FieldDefinition{"surf", "TEXT"},      FieldDefinition{"restr", "TEXT"},
    FieldDefinition{"cond", "TEXT"},     FieldDefinition{"dist", "REAL"},      FieldDefinition{"size", "INTEGER"},
    FieldDefinition{"purse", "INTEGER"}, FieldDefinition{"cprice", "INTEGER"}, FieldDefinition{"age", "TEXT"},
};
constexpr std::array kRunnerFields{
    FieldDefinition{"hname", "TEXT COLLATE NOCASE"},
    FieldDefinition{"hid", "INTEGER"},
    FieldDefinition{"racenum", "REAL"},
    FieldDefinition{"fin", "INTEGER"},
    FieldDefinition{"ppos", "INTEGER"},
    FieldDefinition{"sp", "REAL"},
    FieldDefinition{"start", "INTEGER"},
    FieldDefinition{"odds", "REAL"},
    FieldDefinition{"oname", "TEXT COLLATE NOCASE"},
};
constexpr std::array kTrackFields{
    FieldDefinition{"num", "INTEGER"},
    FieldDefinition{"stcode", "TEXT"},
};
constexpr std::array kTables{
    TableDefinition{"tblraces", kRaceFields},
    TableDefinition{"tblhorsedata", kRunnerFields},
    TableDefinition{"statecodes", kTrackFields},
};

std::string createTableSql(const TableDefinition& table) {
    std::string sql = "CREATE TABLE " + std::string(table.name) + " (";
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        if (i > 0) sql += ", ";
        sql += std::string(table.fields[i].name) + " " + std::string(table.fields[i].declaration);
    }
    return sql + ");";
}

void removeWithSideFiles(const std::filesystem::path& file) {
    std::error_code ignored;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix, ignored);
}

// The new store is built under a temporary name and put in place once complete.
std::filesystem::path createEmptyFileBeside(const std::filesystem::path& target) {
    const base::NewFile file = base::createNewFile(target);
    if (file.fd < 0) throw StoreError("Could not create a file in the folder " + quoted(target.parent_path()) + ".");
    ::close(file.fd);
    return file.path;
}

void buildTables(const std::filesystem::path& file) {
    // Built with a rollback journal, so that the committed tables are in the file itself
    // when the connection closes; WAL is then recorded in the file for every later open.
    Database db = Database::open(file, Access::ReadWrite, {.journalMode = JournalMode::Delete});
    Transaction transaction(db);
    for (const TableDefinition& table : kTables) db.exec(createTableSql(table));
    ensureSearchIndexes(db);
    markLayout(db);
    transaction.commit();
    db.exec("PRAGMA journal_mode = WAL");
}

[[noreturn]] void refuseExisting(const std::filesystem::path& target) {
    throw StoreError(quoted(target) +
                     " already exists. A race store is only made as a new file, so nothing"
                     " was changed.");
}

// A hard link puts the file in place only if nothing is there, even if another program
// created the target meanwhile; file systems without links get a plain rename.
void moveIntoPlace(const std::filesystem::path& temp, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::create_hard_link(temp, target, error);
    if (!error) {
        std::filesystem::remove(temp, error);
        return;
    }
    if (std::filesystem::exists(target)) refuseExisting(target);
    std::filesystem::rename(temp, target, error);
    if (error) throw StoreError("Could not create the race store " + quoted(target) + ": " + error.message() + ".");
}

}  // namespace

std::span<const TableDefinition> raceStoreTables() { return kTables; }

void createRaceStore(const std::filesystem::path& path) {
    const std::filesystem::path target = std::filesystem::absolute(path);
    if (std::filesystem::exists(std::filesystem::symlink_status(target))) refuseExisting(target);
    if (!std::filesystem::is_directory(target.parent_path()))
        throw StoreError("The folder " + quoted(target.parent_path()) + " does not exist.");
    const std::filesystem::path temp = createEmptyFileBeside(target);
    try {
        buildTables(temp);
        moveIntoPlace(temp, target);
    } catch (...) {
        removeWithSideFiles(temp);
        throw;
    }
}

namespace {

constexpr std::size_t kHeaderSize = 100;
constexpr std::string_view kMagic{"SQLite format 3\0", 16};

std::uint32_t bigEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | bytes[i];
    return value;
}

// A store in WAL mode whose log still holds pages is whole only together with its log.
bool hasPendingLog(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file.string() + "-wal", error);
    return !error && size > 0;
}

std::string truncated(const std::filesystem::path& file) {
    return "The race store " + quoted(file) + " is truncated: part of the file is missing.";
}

// Checks the 100-byte file header, read through the connection: the engine's signature,
// and a file as long as the page count recorded in it (a copy or download cut short).
std::optional<std::string> headerProblem(Database& db) {
    const std::filesystem::path& file = db.path();
    const Database::FileStart start = db.fileStart(kHeaderSize);
    if (start.size == 0) return quoted(file) + " is an empty file, not a race store.";
    const auto* header = reinterpret_cast<const unsigned char*>(start.bytes.data());
    const std::size_t length = start.bytes.size();
    if (length < kMagic.size() || std::string_view(start.bytes.data(), kMagic.size()) != kMagic)
        return notADatabase(file);
    if (length < kHeaderSize) return truncated(file);
    const std::uint32_t rawPageSize = bigEndian(&header[16], 2);
    const std::uint64_t pageSize = rawPageSize == 1 ? 65536 : rawPageSize;
    const std::uint32_t pageCount = bigEndian(&header[28], 4);
    // The count is only kept up to date by writers that also copy the change counter.
    const bool countValid = pageCount != 0 && bigEndian(&header[92], 4) == bigEndian(&header[24], 4);
    const auto size = static_cast<std::uint64_t>(start.size);
    if (countValid && size < pageSize * pageCount && !hasPendingLog(file)) return truncated(file);
    return std::nullopt;
}

std::optional<std::string> tablesProblem(Database& db) {
    const std::filesystem::path& file = db.path();
    Statement fields = db.prepare("SELECT name FROM pragma_table_info(?1)", Reuse::Repeated);
    for (const TableDefinition& table : kTables) {
        fields.reset();
        fields.bind(1, table.name);
        std::vector<std::string> present;
        while (fields.step()) present.push_back(fields.text(0));
        if (present.empty()) return "The race store " + quoted(file) + " has no table " + std::string(table.name) + ".";
        for (const FieldDefinition& field : table.fields) {
            if (std::ranges::none_of(present,
                                     [&](const std::string& name) { return equalsIgnoringCase(name, field.name); }))
                return "The table " + std::string(table.name) + " of the race store " + quoted(file) +
                       " has no field " + std::string(field.name) + ".";
        }
    }
    return std::nullopt;
}

// The check on the connection that will work on the store: what it reads is the file it
// writes, whatever is put in the path's place meanwhile.
void refuseAllButARaceStore(Database& db, bool forWriting) {
    if (auto problem = headerProblem(db)) throw StoreError(*problem);
    if (auto problem = layoutProblem(db.path(), readLayoutMark(db), forWriting)) throw StoreError(*problem);
    if (auto problem = tablesProblem(db)) throw StoreError(*problem);
}

void refuseAllButARaceStoreToRead(Database& db) { refuseAllButARaceStore(db, false); }
void refuseAllButARaceStoreToWrite(Database& db) { refuseAllButARaceStore(db, true); }

}  // namespace

std::optional<std::string> raceStoreProblem(const std::filesystem::path& path) {
    try {
        Database::open(path, Access::ReadOnly, {}, refuseAllButARaceStoreToRead);
    } catch (const StoreError& e) { return e.what(); }
    return std::nullopt;
}

Database openRaceStoreForReading(const std::filesystem::path& path) {
    return Database::open(path, Access::ReadOnly, {}, refuseAllButARaceStoreToRead);
}

Database openRaceStoreForWriting(const std::filesystem::path& path, const ConnectionSettings& settings) {
    if (const auto reason = readOnlyReason(path)) {
        if (const auto problem = raceStoreProblem(path)) throw StoreError(*problem);
        throw StoreError("The race store " + quoted(std::filesystem::absolute(path)) + " is read-only: " + *reason +
                         ". It can be searched but not changed; allow changes to it and try again.");
    }
    Database db = Database::open(path, Access::ReadWrite, settings, refuseAllButARaceStoreToWrite);
    markLayout(db);  // an older store, or one made by another tool, takes the mark on its first write
    return db;
}

}  // namespace store
