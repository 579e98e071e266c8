// SPDX-License-Identifier: MIT
// The race store's tables and indexes: making a new store, and checking that a file is one.
#pragma once

#include "store/database.h"
#include "store/stored_name.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace store {

struct FieldDefinition {
    std::string_view name;
    std::string_view declaration;  // column type, and the collation of name fields
};

struct TableDefinition {
    std::string_view name;
    std::span<const FieldDefinition> fields;
};

// The three tables of a race store, tblraces, tblhorsedata and statecodes, with the
// fields that every reader and writer relies on.
std::span<const TableDefinition> raceStoreTables();

// Makes a new, empty race store at path: the three tables and the indexes that the
// searches need. The store is built in a temporary file beside path and moved into
// place when complete, so a failure never leaves a half-made store. Refuses with a
// StoreError when path exists: an existing store is never replaced.
void createRaceStore(const std::filesystem::path& path);

// Whether the file at path is a race store the program can work with: a readable,
// complete database file holding the three tables with their fields. Returns nothing
// when it is, otherwise one sentence for the user that names the problem. Only reads
// the file (the engine may leave its side files beside a store in WAL mode), and reads
// little of it, so it stays fast on a store of any size.
std::optional<std::string> raceStoreProblem(const std::filesystem::path& path);

// Opens the race store at path for reading, after the check above made on the very
// connection returned; refuses with a StoreError naming the problem.
Database openRaceStoreForReading(const std::filesystem::path& path);

// Opens the race store at path for a command that writes to it, after the check above,
// made on the very connection returned: a file that is not a race store, or one that
// cannot be written now (readOnlyReason), is refused with a StoreError naming the
// problem, before anything (not even the journal mode) is written to it. Once per opened
// store, so the reads after it pay nothing.
Database openRaceStoreForWriting(const std::filesystem::path& path, const ConnectionSettings& settings = {});

}  // namespace store
