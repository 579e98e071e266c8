// SPDX-License-Identifier: MIT
#include "watch/watch_change.h"

#include "base/busy_pointer.h"
#include "shell/window_session.h"
#include "store/database.h"
#include "store/schema.h"
#include "store/store_error.h"
#include "store/transaction.h"

namespace watch {

namespace {

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

}  // namespace

bool changeWatchList(shell::WindowSession& window,
                     const std::function<std::optional<std::string>(store::Database&)>& change) {
    std::optional<std::string> refusal;
    try {
        // A store that another program holds is waited for, up to its busy time-out.
        const base::BusyPointer busy(window.dialogs());
        window.releaseReaders();  // so that this change's close removes the store's log
        auto db = store::openRaceStoreForWriting(window.raceStorePath());
        store::Transaction transaction(db);
        store::createWatchTables(db);
        refusal = change(db);
        if (!refusal) {
            transaction.commit();
            window.storeChanged(db);
        }
    } catch (const store::StoreError& error) {
        refusal = "The watch list could not be changed: " + sentence(error.what()) + " The watch list is unchanged.";
    }
    if (refusal) {
        window.dialogs().message(*refusal, base::kAppTitle);
        return false;
    }
    return true;
}

store::WatchAdded addedNow(const shell::WindowSession& window, store::Database& db) {
    return {window.clock().today(), store::newestRunWeek(db)};
}

}  // namespace watch
