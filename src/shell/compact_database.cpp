// SPDX-License-Identifier: MIT
#include "shell/compact_database.h"

#include "base/busy_pointer.h"
#include "base/size_text.h"
#include "store/compaction.h"
#include "store/store_error.h"

namespace shell {

std::string compactedStatus(std::int64_t before, std::int64_t after) {
    if (after >= before)
        return "Compacted the race store: it had no free space to give back (" + base::sizeText(after) + ").";
    return "Compacted the race store: freed " + base::sizeText(before - after) + ", from " + base::sizeText(before) +
           " to " + base::sizeText(after) + ".";
}

bool cmdcompact_Click(MainFinder& window) {
    base::BusyPointer busy(window.dialogs());
    window.lblprogress.caption = "Compacting Database ...\r\rThis may take several minutes.";
    window.dialogs().repaintNow();
    try {
        window.releaseReaders();  // so that the compaction's close removes the store's log
        const store::Compacted sizes = store::compactRaceStore(window.raceStorePath());
        window.lblprogress.caption = compactedStatus(sizes.before, sizes.after);
        return true;
    } catch (const store::StoreError& error) {
        window.lblprogress.caption.clear();
        window.dialogs().message(error.what(), base::kAppTitle);
        return false;
    }
}

}  // namespace shell
