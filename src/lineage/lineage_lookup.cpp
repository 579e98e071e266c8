// SPDX-License-Identifier: MIT
#include "lineage/lineage_lookup.h"

#include "base/busy_pointer.h"
#include "base/empty_grid.h"
#include "base/results_columns.h"

#include <utility>

namespace lineage {

namespace {

// Both layouts keep the horse's name and number in the same columns.
using base::horse_column::kHorseNumber;
using base::horse_column::kName;

// Shows in the status label which horse the window waits for, and gives the label its
// text back however the wait ends, so the last search's summary is not lost.
class WaitingStatus {
public:
    WaitingStatus(shell::ResultsArea& window, const std::string& id)
        : window_(window),
          saved_(std::exchange(window.lblprogress.caption, "Fetching the page of horse " + id + "...")) {
        window_.dialogs().repaintNow();
    }
    ~WaitingStatus() { window_.lblprogress.caption = std::move(saved_); }
    WaitingStatus(const WaitingStatus&) = delete;
    WaitingStatus& operator=(const WaitingStatus&) = delete;

private:
    shell::ResultsArea& window_;
    std::string saved_;
};

// The row whose horse is asked for: the row right-clicked last, else the selection's
// end row; row 1 when that is the header row. None before any search has filled the grid.
std::optional<int> requestedRow(shell::ResultsArea& window) {
    base::GridModel& grid = window.MSFlexGrid1;
    if (base::isEmptyGrid(grid)) return std::nullopt;
    if (grid.commandRow() == 0) {
        grid.setRow(1);
        grid.setRowSel(1);
    }
    return grid.commandRow();
}

}  // namespace

std::optional<LineageInfo> getlineage_Click(shell::ResultsArea& window, PageFetcher& Inet, const std::string& server) {
    base::UserDialogs& dialogs = window.dialogs();
    const auto row = requestedRow(window);
    if (!row) {
        dialogs.message(kNoSearchYet, base::kAppTitle);
        return std::nullopt;
    }
    const std::string gridName = window.MSFlexGrid1.text(*row, kName);
    const std::string id = window.MSFlexGrid1.text(*row, kHorseNumber);
    std::string page;
    {
        const base::BusyPointer busy(dialogs);
        const WaitingStatus status(window, id);
        page = GetHTMLPage(Inet, horsePageAddress(server, id));
    }
    if (page.empty()) {
        dialogs.message(connectionFailedMessage(Inet), base::kAppTitle);
        return std::nullopt;
    }
    LineageInfo info{"", parseHorsePage(page)};
    if (!sameHorse(info.page.name, gridName) && !dialogs.askYesNo(kHorseNoLongerExists, base::kAppTitle))
        return std::nullopt;
    info.title = lineageTitle(info.page.name, id);
    return info;
}

}  // namespace lineage
