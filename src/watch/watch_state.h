// SPDX-License-Identifier: MIT
// What the window keeps of the watch list between commands: the marks and who ran in the last import.
#pragma once

#include "shell/store_follower.h"
#include "watch/imported_runs.h"
#include "watch/watch_marks.h"

#include <string>
#include <vector>

namespace store {
class Database;
}

namespace watch {

// What the window keeps of the watch list between commands: the marks that the listings
// show, and who ran in the last import (marked in the watch list until the next one).
// `revision` grows with every change, so the windows know when to repaint.
struct WatchState : shell::StoreFollower {
    WatchMarks marks;
    ImportedRuns lastImport;
    int revision = 0;

    // Reads the marks of the store again; a store that cannot be read leaves none, as its
    // listings cannot show anything either.
    void reload(const std::string& storePath);
    void reload(store::Database& db);
    // After an import of `weeks`: who of the list ran, and the status line that says so
    // (empty when nothing is watched). The import is stored whatever happens here, so a
    // failure to read the list only leaves the line empty.
    std::string afterImport(store::Database& db, const std::vector<int>& weeks);

    void storeChanged(store::Database& db) override { reload(db); }
    std::string weeksImported(store::Database& db, const std::vector<int>& weeks) override {
        return afterImport(db, weeks);
    }
};

}  // namespace watch
