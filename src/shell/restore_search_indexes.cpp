// SPDX-License-Identifier: MIT
#include "shell/restore_search_indexes.h"

#include "base/busy_pointer.h"
#include "store/database.h"
#include "store/search_indexes.h"
#include "store/store_error.h"

namespace shell {

void restoreSearchIndexes(WindowSession& window, store::Database& reader) {
    // Another program's import that holds them dropped builds them itself at its end.
    if (!store::searchIndexesMissing(reader) || store::bulkLoadUnderway(reader.path()) ||
        store::readOnlyReason(reader.path()))
        return;
    base::BusyPointer busy(window.dialogs());
    const std::string status = window.lblprogress.caption;  // a search's "Searching..."
    window.lblprogress.caption = kRestoringIndexes;
    window.dialogs().repaintNow();
    store::restoreSearchIndexes(reader);  // else searched without them this time
    window.lblprogress.caption = status;
    window.dialogs().repaintNow();
}

void restoreSearchIndexes(WindowSession& window) {
    try {
        window.releaseReaders();  // so that the building's close removes the store's log
        auto reader = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
        restoreSearchIndexes(window, reader);
    } catch (const store::StoreError&) {
        // A store that cannot be opened is reported by whatever opens it next.
    }
}

}  // namespace shell
