// SPDX-License-Identifier: MIT
#pragma once

#include "store/database.h"

#include <filesystem>

namespace store {

// The file that older versions built a compaction in, beside the store: horses.mdb gives
// horsestemp.mdb. A leftover one is removed before each compaction.
std::filesystem::path compactionFile(const std::filesystem::path& store);

// Compacts the race store at `store` in place, without its free pages, while other
// programs may have it open. The whole rewrite is one write transaction of the engine:
// other writers wait for it (up to their busy time-out, then they report the store in
// use), readers go on reading, and a commit that any program has reported is never
// undone by it. Any failure, a store busy for longer than `settings.busyTimeout`
// included, throws a StoreError that says the store is unchanged, and it is: the engine
// rolls an unfinished rewrite back, even after a crash.
void compactRaceStore(const std::filesystem::path& store, const ConnectionSettings& settings = {});

}  // namespace store
