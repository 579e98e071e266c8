// SPDX-License-Identifier: MIT
// An import killed in the middle of a bulk load leaves the name, number and owner indexes
// dropped; the next start-up (the window calls this once shown) or search builds them
// again and says so meanwhile.
#include "sample_store.h"
#include "search/gethorse.h"
#include "shell/restore_search_indexes.h"
#include "store/database.h"
#include "store/search_indexes.h"
#include "shell/main_finder.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <optional>
#include <functional>

namespace {

class RestoreSearchIndexes : public testing_support::SampleStore {
protected:
    // What a kill leaves: the bulk load began and never finished.
    void killBulkLoad() {
        auto db = store::Database::open(window.raceStorePath());
        store::BulkLoad unfinished(db);
    }
    bool missing() {
        auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
        return store::searchIndexesMissing(db);
    }
};

TEST_F(RestoreSearchIndexes, StartUpAndEachSearchRebuildThemOnceWithTheBusyPointer) {
    const std::vector<std::pair<const char*, std::function<void(shell::MainFinder&)>>> openings{
        {"start-up", [](shell::MainFinder& w) { shell::restoreSearchIndexes(w); }},
        {"horse search", [](shell::MainFinder& w) { search::gethorse(w, search::kHorseByName, "black dasher", ""); }},
    };
    for (const auto& [name, open] : openings) {
        SCOPED_TRACE(name);
        killBulkLoad();
        ASSERT_TRUE(missing());
        testing_support::ScriptedDialogs seen;
        shell::MainFinder fresh(seen);
        fresh.setUpControls();
        fresh.useRaceStore(window.raceStorePath());
        fresh.setClock(clock);
        seen.status = &fresh.lblprogress.caption;
        open(fresh);
        EXPECT_FALSE(missing());
        const auto shown = std::ranges::find(seen.statusTexts, shell::kRestoringIndexes);
        ASSERT_NE(shown, seen.statusTexts.end());
        ASSERT_NE(shown + 1, seen.statusTexts.end());
        EXPECT_EQ(shown[1], shown == seen.statusTexts.begin() ? "" : shown[-1]) << "the status before it, back";
        EXPECT_EQ(seen.busyDepth, 0);
        seen.statusTexts.clear();
        open(fresh);  // nothing missing: nothing to say
        EXPECT_THAT(seen.statusTexts, ::testing::Not(::testing::Contains(shell::kRestoringIndexes)));
    }
}

// While another program's import holds the indexes dropped, searches list without them
// and leave them to that import; once it has died, the next search builds them.
TEST_F(RestoreSearchIndexes, ASearchLeavesThemToAnImportUnderway) {
    std::optional<store::Database> importer(store::Database::open(window.raceStorePath()));
    std::optional<store::BulkLoad> bulkLoad(std::in_place, *importer);
    ASSERT_TRUE(store::bulkLoadUnderway(window.raceStorePath()));
    dialogs.status = &window.lblprogress.caption;
    search::gethorse(window, search::kHorseByName, "black dasher", "");
    EXPECT_GT(window.MSFlexGrid1.rows(), 1) << "listed without the indexes";
    EXPECT_TRUE(missing());
    EXPECT_THAT(dialogs.statusTexts, ::testing::Not(::testing::Contains(shell::kRestoringIndexes)));
    bulkLoad.reset();  // as when the importing program dies: its lock goes with it
    EXPECT_FALSE(store::bulkLoadUnderway(window.raceStorePath()));
    search::gethorse(window, search::kHorseByName, "black dasher", "");
    EXPECT_FALSE(missing());
}

}  // namespace
