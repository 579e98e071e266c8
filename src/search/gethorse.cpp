// SPDX-License-Identifier: MIT
#include "search/gethorse.h"

#include "search/earnings.h"
#include "search/race_listing.h"
#include "search/search_request.h"
#include "search/search_statistics.h"
#include "shell/base/busy_pointer.h"
#include "shell/restore_search_indexes.h"
#include "store/database.h"
#include "store/store_error.h"

#include <algorithm>
#include <filesystem>
#include <future>
#include <map>
#include <vector>

namespace search {

namespace {

constexpr std::int64_t kAskAbove = 8000;
constexpr std::int64_t kMostListed = 15000;

const char* const kNothingFound = "No horses under the search criteria were found.";

// Asks before listing a large result; false when the user declined.
bool agreesToList(shell::MainFinder& window, std::int64_t count) {
    return count <= kAskAbove ||
           window.dialogs().askYesNo("There are " + std::to_string(count) +
                                         " horses that match this query.  Proceed anyway?\rNote: the actual number of "
                                         "horses listed may be less than this amount, and also that the maximum number "
                                         "of horses that can be listed is 15,000 in this version.",
                                     shell::kAppTitle);
}

// Counts the result on a connection of its own while the search reads the runs it lists:
// a large stable's count reads tens of thousands of index entries.
std::future<std::int64_t> countAside(const std::filesystem::path& store, const store::RunCriteria& criteria) {
    return std::async(std::launch::async, [store, criteria] {
        auto db = store::Database::open(store, store::Access::ReadOnly);
        return store::RunQuery(db, criteria).count();
    });
}

// The runs the listing shows: the result from the last-week bound on, up to where the
// listing ends: at the first race under another owner ("Current Owner Only"), before
// the first week, or after 15,000 rows. The first run is never tested against those
// bounds. They are read before the grid is touched, so that a search that lists nothing,
// is declined or fails leaves the earlier listing.
std::vector<store::RunRecord> listedRuns(store::RunQuery& query, const store::RunRecord& subject,
                                         const SearchRequest& request, bool currentOwnerOnly) {
    std::vector<store::RunRecord> runs;
    // Newest first, the runs below the last-week bound are the rest of the result from
    // the first of them on, so the query applies that bound itself.
    query.forEach(request.lastRaceBelow, [&](store::RunRecord&& run) {
        if (!runs.empty()) {
            if (currentOwnerOnly && run.oname != subject.oname) return false;
            if (request.firstWeek && run.racenum < *request.firstWeek) return false;
        }
        runs.push_back(std::move(run));
        return runs.size() < static_cast<std::size_t>(kMostListed);
    });
    return runs;
}

// Sets up the results grid for `rows` listed runs, with its settings and captions. Each
// listed row is cleared as it is filled, while it is at hand, and the rows of an earlier
// listing beyond the new one are dropped.
void prepareGrid(shell::MainFinder& window, RaceListing& listing, std::size_t rows) {
    shell::GridModel& grid = window.MSFlexGrid1;
    grid.setRows(static_cast<int>(rows) + 1);
    grid.clearRow(0);
    window.msfgridsavesettings();
    window.msfgridgetsettings();
    window.msfgridcaption();
    listing.prepare();
}

// Fills a grid row and the statistics per run.
void listRuns(shell::MainFinder& window, store::Database& db, std::vector<store::RunRecord>&& runs,
              const store::RunRecord& subject, const SearchRequest& request, int opt) {
    std::map<int, std::string> codes;
    for (auto& [num, code] : store::trackCodes(db)) codes.emplace(num, std::move(code));
    RaceListing rows(window.MSFlexGrid1, std::move(codes));
    prepareGrid(window, rows, runs.size());
    SearchStatistics statistics;
    statistics.setSubject(subject.hname, subject.hid, subject.oname);
    const int today = window.clock().today();
    int row = 0;
    for (auto& run : runs) {
        const std::int32_t earnings = earningsOf(run.purse, run.fin);
        ListedRun listedRun{std::move(run), earnings};
        statistics.add(listedRun, request.threshold, today);
        rows.fillRow(++row, std::move(listedRun), earnings);
    }
    window.MSFlexGrid1.select(1, shell::horse_column::kName, 1, shell::horse_column::kName);
    statistics.report({window.MSFWGrid, window.MSFSGrid, window.frainfo.caption, window.lblprogress.caption}, opt,
                      request.title, window.clock());
}

// Runs the search over the window's race store. True when it listed runs.
bool search(shell::MainFinder& window, const SearchRequest& request, int opt) {
    auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
    shell::restoreSearchIndexes(window, db);
    auto counting = countAside(window.raceStorePath(), request.criteria);
    store::RunQuery query(db, request.criteria);
    // The subject of the statistics: the first run of the whole result.
    const auto subject = query.first();
    auto runs =
        subject ? listedRuns(query, *subject, request, window.chkowner.checked) : std::vector<store::RunRecord>();
    const std::int64_t count = counting.get();
    if (subject && !agreesToList(window, count)) return false;
    if (runs.empty()) {
        // Nothing matches, or a last-week bound that no run meets.
        window.dialogs().message(kNothingFound, shell::kAppTitle);
        return false;
    }
    listRuns(window, db, std::move(runs), *subject, request, opt);
    return true;
}

}  // namespace

bool gethorse(shell::MainFinder& window, int opt, const std::string& name, const std::string& txtid) {
    const auto request = makeSearchRequest(
        {opt, name, txtid, window.txtfirstweek.caption, window.txtlastweek.caption, window.txtinjury.caption});
    if (const auto* problem = std::get_if<std::string>(&request)) {
        window.dialogs().message(*problem, shell::kAppTitle);
        return false;
    }
    shell::BusyPointer busy(window.dialogs());
    shell::GridModel& grid = window.MSFlexGrid1;
    const shell::RedrawOff redrawOff(grid);
    if (window.MSFSRGrid.visible()) window.showHorseLayout();
    window.lblprogress.caption = "Searching...";
    window.dialogs().repaintNow();
    bool listed = false;
    try {
        listed = search(window, std::get<SearchRequest>(request), opt);
    } catch (const store::StoreError& error) {
        window.dialogs().message(error.what(), shell::kAppTitle);
    }
    if (!listed) window.lblprogress.caption.clear();
    return listed;
}

}  // namespace search
