// SPDX-License-Identifier: MIT
#include "search/gethorse.h"

#include "base/earnings.h"
#include "search/race_listing.h"
#include "search/search_request.h"
#include "search/search_statistics.h"
#include "base/busy_pointer.h"
#include "shell/restore_search_indexes.h"
#include "store/database.h"
#include "store/run_read_ahead.h"
#include "store/store_error.h"
#include "store/track_list.h"

#include <algorithm>
#include <map>

namespace search {

namespace {

constexpr std::int64_t kAskAbove = 8000;
constexpr std::int64_t kMostListed = 15000;

const char* const kNothingFound = "No horses under the search criteria were found.";

// What a search came to. That nothing was found is told once the search has let go of
// the store's connections, so that a message left open holds none of them.
enum class Outcome { Listed, NothingFound, Declined };

// Asks before listing a large result. False when the user declined.
bool agreedToList(shell::MainFinder& window, std::int64_t count) {
    return count <= kAskAbove ||
           window.dialogs().askYesNo("There are " + std::to_string(count) +
                                         " horses that match this query.  Proceed anyway?\rNote: the actual number of "
                                         "horses listed may be less than this amount, and also that the maximum number "
                                         "of horses that can be listed is 15,000 in this version.",
                                     base::kAppTitle);
}

// Sets up the results grid for `rows` listed runs, with its settings and captions. Each
// listed row is cleared as it is filled, while it is at hand, and the rows of an earlier
// listing beyond the new one are dropped at its end.
void prepareGrid(shell::MainFinder& window, RaceListing& listing, std::int64_t rows) {
    base::GridModel& grid = window.MSFlexGrid1;
    grid.setRows(static_cast<int>(rows) + 1);
    grid.clearRow(0);
    // The widths in effect are kept in the settings file; they are already the grid's, so
    // nothing is read back.
    window.msfgridsavesettings();
    window.msfgridcaption();
    listing.prepare();
}

// Walks the result from the last-week bound on, filling a grid row and the statistics
// per run, and stops where the listing ends: at the first race under another owner
// ("Current Owner Only"), before the first week, or after 15,000 rows. The first listed
// row obeys those bounds too, so a span of weeks without a run lists nothing; the
// subject horse and current owner stay those of the whole result. The runs go from the
// read ahead straight into the grid, which is only cleared once the first of them has
// been read: a search that lists nothing leaves the earlier listing. False when nothing
// was listed.
bool listRuns(shell::MainFinder& window, store::Database& db, store::RunReadAhead& runs, std::int64_t count,
              const store::RunRecord& subject, const SearchRequest& request, SearchKind opt) {
    base::GridModel& grid = window.MSFlexGrid1;
    std::map<int, std::string> codes;
    for (auto& track : store::listTracks(db)) codes.emplace(track.num, std::move(track.stcode));
    RaceListing listing(grid, std::move(codes));
    SearchStatistics statistics;
    statistics.setSubject(subject.hname, subject.hid, subject.oname);
    const bool currentOwnerOnly = window.chkowner.checked;
    const int today = window.clock().today();
    int listed = 0;
    const auto visit = [&](store::RunRecord&& run) {
        if (currentOwnerOnly && run.oname != subject.oname) return false;
        if (request.firstWeek && run.racenum < *request.firstWeek) return false;
        if (listed == 0) prepareGrid(window, listing, std::min(count, kMostListed));
        // More rows than counted only where a race number is stored twice.
        if (++listed >= grid.rows()) grid.setRows(listed + 1);
        const std::int32_t earnings = base::earningsOf(run.purse, run.fin);
        ListedRun listedRun{std::move(run), earnings};
        statistics.add(listedRun, request.threshold, today);
        listing.fillRow(listed, std::move(listedRun), earnings);
        return listed < kMostListed;
    };
    try {
        // Newest first, the runs below the last-week bound are the rest of the result
        // from the first of them on, so the query applies that bound itself.
        runs.forEach(visit);
    } catch (const store::StoreError&) {
        if (listed > 0) grid.setRows(listed + 1);  // the rows read before the failure
        throw;
    }
    // No run between the week bounds, or none under the current owner there.
    if (listed == 0) return false;
    grid.setRows(listed + 1);  // a listing that ended early
    grid.select(1, base::horse_column::kName, 1, base::horse_column::kName);
    statistics.report({window.MSFWGrid, window.MSFSGrid, window.frainfo.caption, window.lblprogress.caption}, opt,
                      request.title, window.clock());
    return true;
}

// Runs the search over the window's race store.
Outcome search(shell::MainFinder& window, const SearchRequest& request, SearchKind opt) {
    // Bounds the wrong way round hold no week: nothing to count or ask about.
    if (request.firstWeek && request.lastRaceBelow && *request.firstWeek >= *request.lastRaceBelow)
        return Outcome::NothingFound;
    const auto readers = window.readers();
    auto& [db, beside] = *readers;
    shell::restoreSearchIndexes(window, db);
    // The runs are read from here on, while they are counted and the user is asked.
    store::RunReadAhead runs(beside, request.criteria, request.lastRaceBelow);
    store::RunQuery query(db, request.criteria);
    const std::int64_t count = query.count();
    // The subject horse of the statistics: the first run of the whole result.
    const auto subject = count > 0 ? query.first() : std::nullopt;
    if (!subject) return Outcome::NothingFound;
    if (!agreedToList(window, count)) return Outcome::Declined;
    return listRuns(window, db, runs, count, *subject, request, opt) ? Outcome::Listed : Outcome::NothingFound;
}

}  // namespace

bool gethorse(shell::MainFinder& window, SearchKind opt, const std::string& name, const std::string& txtid) {
    const auto request = makeSearchRequest(
        {opt, name, txtid, window.txtfirstweek.caption, window.txtlastweek.caption, window.txtinjury.caption});
    if (const auto* problem = std::get_if<std::string>(&request)) {
        window.dialogs().message(*problem, base::kAppTitle);
        return false;
    }
    base::BusyPointer busy(window.dialogs());
    base::GridModel& grid = window.MSFlexGrid1;
    const base::RedrawOff redrawOff(grid);
    if (window.MSFSRGrid.visible()) window.showHorseLayout();
    window.lblprogress.caption = "Searching...";
    window.dialogs().repaintNow();
    Outcome outcome = Outcome::Declined;
    try {
        outcome = search(window, std::get<SearchRequest>(request), opt);
    } catch (const store::StoreError& error) { window.dialogs().message(error.what(), base::kAppTitle); }
    if (outcome != Outcome::Listed) window.lblprogress.caption.clear();
    if (outcome == Outcome::NothingFound) window.dialogs().message(kNothingFound, base::kAppTitle);
    return outcome == Outcome::Listed;
}

}  // namespace search
