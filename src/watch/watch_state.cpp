// SPDX-License-Identifier: MIT
#include "watch/watch_state.h"

#include "store/database.h"
#include "store/store_error.h"

namespace watch {

void WatchState::reload(const std::string& storePath) {
    try {
        auto db = store::Database::open(storePath, store::Access::ReadOnly);
        reload(db);
    } catch (const store::StoreError&) {
        marks.clear();
        ++revision;
    }
}

void WatchState::reload(store::Database& db) {
    ++revision;
    try {
        marks.load(db);
    } catch (const store::StoreError&) { marks.clear(); }
}

std::string WatchState::afterImport(store::Database& db, const std::vector<int>& weeks) {
    try {
        lastImport = importedRuns(db, weeks);
    } catch (const store::StoreError&) { lastImport = {}; }
    reload(db);
    return importSummary(lastImport);
}

}  // namespace watch
