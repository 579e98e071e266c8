// SPDX-License-Identifier: MIT
// Compacts the race store in place, safely while other programs have it open.
#pragma once

#include "store/database.h"

#include <cstdint>
#include <filesystem>

namespace store {

// Compacts the race store at `store` in place, without its free pages, while other
// programs may have it open. No other file is made or removed: the engine keeps its
// working copy in a temporary file of its own. The store is checked first (a file that
// is not a race store, or whose pages fail the engine's quick check, is refused as it
// is). The whole rewrite is one write transaction of the engine: other writers wait for
// it (up to their busy time-out, then they report the store in use), readers go on
// reading, and a commit that any program has reported is never undone by it. Any
// failure, a store busy for longer than `settings.busyTimeout` included, throws a
// StoreError that says the store is unchanged, and it is: the engine rolls an
// unfinished rewrite back, even after a crash.
// Returns the store's size in bytes (its pages, as the engine counts them) before and after.
struct Compacted {
    std::int64_t before = 0;
    std::int64_t after = 0;
};
Compacted compactRaceStore(const std::filesystem::path& store, const ConnectionSettings& settings = {});

}  // namespace store
