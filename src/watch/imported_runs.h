// SPDX-License-Identifier: MIT
// Which watched horses and stables ran and won in the weeks of an import, and the status line that tells it.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace store {
class Database;
}

namespace watch {

// Which watched horses and stables ran in the weeks of one import, and which of them won
// (a stable wins with any of its horses). Stable names are kept as the watch list spells them.
struct ImportedRuns {
    int watchedHorses = 0;
    int watchedStables = 0;
    std::set<std::int64_t> horsesRan;
    std::set<std::int64_t> horsesWon;
    std::set<std::string> stablesRan;
    std::set<std::string> stablesWon;
};

// Reads them from the store; nothing watched when the store has no watch list.
ImportedRuns importedRuns(store::Database& db, const std::vector<int>& weeks);

// The status line after an import, such as "4 watched horses ran; 1 won.", a sentence for
// horses and one for stables, each only when some are watched; empty when none are.
std::string importSummary(const ImportedRuns& runs);

}  // namespace watch
