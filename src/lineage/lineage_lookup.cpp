// SPDX-License-Identifier: MIT
#include "lineage/lineage_lookup.h"

#include "shell/base/busy_pointer.h"
#include "shell/base/empty_grid.h"
#include "shell/base/results_columns.h"

#include <utility>

namespace lineage {

namespace {

// Both layouts keep the horse's name and number in the same columns.
using shell::horse_column::kHorseNumber;
using shell::horse_column::kName;

// Shows in the status label which horse the window waits for, and gives the label its
// text back however the wait ends, so the last search's summary is not lost.
class WaitingStatus {
public:
    WaitingStatus(shell::MainFinder& window, const std::string& id)
        : window_(window), saved_(std::exchange(window.lblprogress.caption, "Fetching the page of horse " + id + "...")) {
        window_.dialogs().repaintNow();
    }
    ~WaitingStatus() { window_.lblprogress.caption = std::move(saved_); }
    WaitingStatus(const WaitingStatus&) = delete;
    WaitingStatus& operator=(const WaitingStatus&) = delete;

private:
    shell::MainFinder& window_;
    std::string saved_;
};

// The row whose horse is asked for: the selection's end row, row 1 when the header row
// is selected. None before any search has filled the grid.
std::optional<int> requestedRow(shell::MainFinder& window) {
    shell::GridModel& grid = window.MSFlexGrid1;
    if (shell::isEmptyGrid(grid)) return std::nullopt;
    if (grid.rowSel() == 0) {
        grid.setRow(1);
        grid.setRowSel(1);
    }
    return grid.rowSel();
}

}  // namespace

std::optional<LineageInfo> getlineage_Click(shell::MainFinder& window, PageFetcher& Inet, const std::string& server) {
    shell::UserDialogs& dialogs = window.dialogs();
    const auto row = requestedRow(window);
    if (!row) {
        dialogs.message(kNoSearchYet, shell::kAppTitle);
        return std::nullopt;
    }
    const std::string gridName = window.MSFlexGrid1.text(*row, kName);
    const std::string id = window.MSFlexGrid1.text(*row, kHorseNumber);
    std::string page;
    {
        const shell::BusyPointer busy(dialogs);
        const WaitingStatus status(window, id);
        page = GetHTMLPage(Inet, horsePageAddress(server, id));
    }
    if (page.empty()) {
        dialogs.message(connectionFailedMessage(Inet), shell::kAppTitle);
        return std::nullopt;
    }
    LineageInfo info{"", parseHorsePage(page)};
    if (!sameHorse(info.page.name, gridName) && !dialogs.askYesNo(kHorseNoLongerExists, shell::kAppTitle))
        return std::nullopt;
    info.title = lineageTitle(info.page.name, id);
    return info;
}

}  // namespace lineage
