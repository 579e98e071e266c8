// SPDX-License-Identifier: MIT
#include "lineage/lineage_lookup.h"

#include "import/utf8_text.h"
#include "shell/base/busy_pointer.h"
#include "shell/base/empty_grid.h"
#include "shell/base/results_columns.h"

#include <cstdio>
#include <utility>

namespace lineage {

namespace {

// Both layouts keep the horse's name and number in the same columns.
using shell::horse_column::kHorseNumber;
using shell::horse_column::kName;
// How many characters of a horse's name the race store keeps.
constexpr std::size_t kStoredNameCharacters = 25;

bool unreservedInQuery(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

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

std::string horsePageAddress(std::string_view server, std::string_view id) {
    while (!server.empty() && server.back() == '/') server.remove_suffix(1);
    std::string address = std::string(server) + std::string(kHorsePagePath);
    for (const char c : id) {
        if (unreservedInQuery(static_cast<unsigned char>(c))) {
            address += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            address += escaped;
        }
    }
    return address;
}

std::string connectionFailedMessage(const PageFetcher& Inet) {
    const std::string reason = Inet.failureReason();
    return kConnectionFailed + "\r" + (reason.empty() ? "The server's answer was empty." : reason);
}

std::string GetHTMLPage(PageFetcher& Inet, const std::string& URL) {
    return Inet.fetch(URL, kRequestTimeout).value_or(std::string());
}

bool sameHorse(std::string_view pageName, std::string_view gridName) {
    return pageName == gridName || import::firstCharacters(pageName, kStoredNameCharacters) == gridName;
}

std::string lineageTitle(std::string_view name, std::string_view id) {
    return "Lineage of '" + std::string(name) + "'  (" + std::string(id) + ")";
}

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
