// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <functional>
#include <system_error>

namespace store {

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
