// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>

namespace store {

class Database;

// The rows of the three tables, which a compacted copy must carry over whole.
struct StoreRows {
    std::int64_t races = 0;
    std::int64_t runners = 0;
    std::int64_t tracks = 0;
    bool operator==(const StoreRows&) const = default;
};
StoreRows countRows(Database& db);

// Why `copy` cannot replace a store that held `expected`: it is no race store (a copy
// cut short is not), or rows are missing. Nothing when it can. Counting the rows costs
// a few tens of milliseconds on a 600-week store where the engine's page-by-page check
// (quick_check) costs over a second, a third of the copy itself; the copy is written by
// the engine, which reports its own write failures, so what is left to catch is a copy
// that is incomplete or of a store changed meanwhile.
std::optional<std::string> compactedCopyProblem(const std::filesystem::path& copy, const StoreRows& expected);

// Moves `from` over `to` in one step; returns what went wrong, or no error.
using RenameFile = std::function<std::error_code(const std::filesystem::path& from, const std::filesystem::path& to)>;

// The platform's atomic rename, replacing `to`.
std::error_code renameReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// The temporary file that a compaction of `store` builds beside it: horses.mdb gives
// horsestemp.mdb.
std::filesystem::path compactionFile(const std::filesystem::path& store);

// Compacts the race store at `store`: copies it, without its free pages, into the
// temporary file beside it, checks the copy, makes it durable, and then replaces the
// store by it in one rename. No connection to the store may be open meanwhile. Any
// failure throws a StoreError that says the store is unchanged, and it is: the
// original is only ever replaced whole by a checked copy. `rename` is the move, open
// to tests.
void compactRaceStore(const std::filesystem::path& store, const RenameFile& rename = renameReplacing);

}  // namespace store
