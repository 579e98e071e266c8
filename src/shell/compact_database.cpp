// SPDX-License-Identifier: MIT
#include "shell/compact_database.h"

#include "base/busy_pointer.h"
#include "store/compaction.h"
#include "store/store_error.h"

namespace shell {

bool cmdcompact_Click(MainFinder& window) {
    base::BusyPointer busy(window.dialogs());
    window.lblprogress.caption = "Compacting Database ...\r\rThis may take several minutes.";
    window.dialogs().repaintNow();
    bool compacted = true;
    try {
        window.releaseReaders();  // so that the compaction's close removes the store's log
        store::compactRaceStore(window.raceStorePath());
    } catch (const store::StoreError& error) {
        compacted = false;
        window.dialogs().message(error.what(), base::kAppTitle);
    }
    window.lblprogress.caption.clear();
    return compacted;
}

}  // namespace shell
