// SPDX-License-Identifier: MIT
#include "shell/compact_database.h"

#include "base/busy_pointer.h"
#include "store/compaction.h"
#include "store/store_error.h"

namespace shell {

namespace {

// "512 KB", "3.4 MB", "1.2 GB": one decimal from a megabyte on.
std::string sizeText(std::int64_t bytes) {
    constexpr double kKilo = 1024.0;
    if (bytes < 1024 * 1024) return std::to_string((bytes + 1023) / 1024) + " KB";
    const bool giga = bytes >= 1024LL * 1024 * 1024;
    const double value = static_cast<double>(bytes) / (giga ? kKilo * kKilo * kKilo : kKilo * kKilo);
    std::string text = std::to_string(static_cast<std::int64_t>(value * 10 + 0.5));
    text.insert(text.size() - 1, ".");
    return text + (giga ? " GB" : " MB");
}

}  // namespace

std::string compactedStatus(std::int64_t before, std::int64_t after) {
    if (after >= before)
        return "Compacted the race store: it had no free space to give back (" + sizeText(after) + ").";
    return "Compacted the race store: freed " + sizeText(before - after) + ", from " + sizeText(before) + " to " +
           sizeText(after) + ".";
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
