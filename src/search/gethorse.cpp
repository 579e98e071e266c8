// SPDX-License-Identifier: MIT
#include "search/gethorse.h"

#include "search/earnings.h"
#include "search/race_listing.h"
#include "search/search_request.h"
#include "search/search_statistics.h"
#include "shell/busy_pointer.h"
#include "shell/restore_search_indexes.h"
#include "store/database.h"
#include "store/store_error.h"

#include <map>
#include <vector>

namespace search {

namespace {

constexpr std::int64_t kAskAbove = 8000;
constexpr std::size_t kMostListed = 15000;

const char* const kNothingFound = "No horses under the search criteria were found.";

// The runs a search lists, in listing order, and the subject horse of its statistics.
struct Listing {
    std::vector<store::RunRecord> runs;
    store::RunRecord subject;
    std::map<int, std::string> trackCodes;
};

// Walks the result from the last-week bound on and stops where the listing ends: at
// the first race under another owner ("Current Owner Only"), before the first week, or
// after 15,000 rows. The first listed row is never tested against those bounds.
std::vector<store::RunRecord> listedRuns(store::RunQuery& query, const SearchRequest& request, bool currentOwnerOnly,
                                         const std::string& currentOwner) {
    std::vector<store::RunRecord> runs;
    // Newest-first searches apply the last-week bound in the query; a race search, in
    // stored order, starts at the first run below it.
    const bool boundInQuery = request.criteria.key != store::RunCriteria::Key::Race;
    query.forEach(boundInQuery ? request.lastRaceBelow : std::nullopt, [&](const store::RunRecord& run) {
        if (runs.empty()) {
            if (!boundInQuery && request.lastRaceBelow && !(run.racenum < *request.lastRaceBelow)) return true;
        } else {
            if (currentOwnerOnly && run.oname != currentOwner) return false;
            if (request.firstWeek && run.racenum < *request.firstWeek) return false;
        }
        runs.push_back(run);
        return runs.size() < kMostListed;
    });
    return runs;
}

// Counts, asks when the result is large, and reads the runs to list. Nothing when the
// user declined or nothing is to be listed (the user has been told).
std::optional<Listing> readListing(shell::MainFinder& window, const SearchRequest& request) {
    auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
    shell::restoreSearchIndexes(window, db);
    store::RunQuery query(db, request.criteria);
    const std::int64_t count = query.count();
    const auto subject = count > 0 ? query.first() : std::nullopt;
    if (!subject) {
        window.dialogs().message(kNothingFound, shell::kAppTitle);
        return std::nullopt;
    }
    if (count > kAskAbove &&
        !window.dialogs().askYesNo("There are " + std::to_string(count) +
                                       " horses that match this query.  Proceed anyway?\rNote: the actual number of "
                                       "horses listed may be less than this amount, and also that the maximum number "
                                       "of horses that can be listed is 15,000 in this version.",
                                   shell::kAppTitle))
        return std::nullopt;
    Listing listing{listedRuns(query, request, window.chkowner.checked, subject->oname), *subject, {}};
    if (listing.runs.empty()) {
        // A last-week bound that no run meets.
        window.dialogs().message(kNothingFound, shell::kAppTitle);
        return std::nullopt;
    }
    for (auto& [num, code] : store::trackCodes(db)) listing.trackCodes.emplace(num, std::move(code));
    return listing;
}

// From the progeny layout back to the horse layout, with the results grid's own columns.
void switchToHorseLayout(shell::MainFinder& window) {
    window.MSFSRGrid.setVisible(false);
    window.MSFSGrid.setVisible(true);
    window.MSFWGrid.setVisible(true);
    for (auto* control : {&window.fraspeedstats, &window.framaxspeedstats, &window.lblinjurytest, &window.txtinjury})
        control->visible = true;
    window.MSFlexGrid1.setCols(shell::MainFinder::kHorseLayoutColumns);
    window.msfgridgetsettings();
    window.MSFmaxgrid.setVisible(false);
    window.lblfastest.visible = false;
    window.cmdprint.enabled = true;
    window.cmdprintpreview.enabled = true;  // the preview shows what printing would print
}

// Fills the results grid and the statistics from the listed runs.
void showListing(shell::MainFinder& window, const Listing& listing, const SearchRequest& request, int opt) {
    shell::GridModel& grid = window.MSFlexGrid1;
    grid.clear();
    grid.setRows(static_cast<int>(listing.runs.size()) + 1);
    window.msfgridsavesettings();
    window.msfgridgetsettings();
    window.msfgridcaption();
    RaceListing rows(grid, listing.trackCodes);
    rows.prepare();
    SearchStatistics statistics;
    statistics.reset();
    statistics.setSubject(listing.subject.hname, listing.subject.hid, listing.subject.oname);
    const int today = window.clock().today();
    for (std::size_t i = 0; i < listing.runs.size(); ++i) {
        const auto& run = listing.runs[i];
        const std::int32_t earnings = earningsOf(run.purse, run.fin);
        rows.fillRow(static_cast<int>(i) + 1, run, earnings);
        statistics.add(ListedRun{run, earnings}, request.threshold, today);
    }
    grid.select(1, 0, 1, 0);
    statistics.report(window, opt, request.title, window.clock());
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
    grid.setRedraw(false);
    if (window.MSFSRGrid.visible()) switchToHorseLayout(window);
    window.lblprogress.caption = "Searching...";
    window.dialogs().repaintNow();
    bool listed = false;
    try {
        if (const auto listing = readListing(window, std::get<SearchRequest>(request))) {
            showListing(window, *listing, std::get<SearchRequest>(request), opt);
            listed = true;
        } else {
            window.lblprogress.caption.clear();
        }
    } catch (const store::StoreError& error) {
        window.dialogs().message(error.what(), shell::kAppTitle);
        window.lblprogress.caption.clear();
    }
    grid.setRedraw(true);
    return listed;
}

}  // namespace search
