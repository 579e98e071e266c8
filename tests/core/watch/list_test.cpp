// SPDX-License-Identifier: MIT
// The watch list in the race store: made on first use, kept by week removal, compaction
// and import, refused changes leaving it as it was, and the line an import adds.
#include "import/import_driver.h"
#include "shell/compact_database.h"
#include "store/database.h"
#include "store/race_weeks.h"
#include "store/schema.h"
#include "store/transaction.h"
#include "watch/watch_commands.h"
#include "watch/watch_list.h"
#include "watch/watch_state.h"

#include "ordinary_user.h"
#include "sample_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr std::int64_t kLemonDiamond = 9948;     // won its only race, in week 312, for Webb, A.
constexpr std::int64_t kScarletArrow = 5426737;  // ran for Webb, A. in all three weeks, won in 311 and 312

class WatchListStore : public testing_support::SampleStore {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SampleStore::SetUp());
        window.follow(watching);
        watching.reload(window.raceStorePath());
    }

    std::filesystem::path storePath() const { return window.raceStorePath(); }
    watch::WatchList list() const { return watch::readWatchList(window.raceStorePath()); }
    std::vector<std::string> horseNames() const {
        std::vector<std::string> names;
        for (const auto& horse : list().horses) names.push_back(horse.name);
        return names;
    }
    void removeWeek(int week) {
        auto db = store::Database::open(storePath());
        store::Transaction transaction(db);
        store::deleteWeek(db, week);
        transaction.commit();
    }
    bool hasTables() {
        auto db = store::Database::open(storePath(), store::Access::ReadOnly);
        return store::hasWatchTables(db);
    }

    watch::WatchState watching;
};

TEST_F(WatchListStore, FirstWatchMakesTheTablesWhichTheStartUpCheckAccepts) {
    EXPECT_FALSE(hasTables());
    EXPECT_TRUE(list().horses.empty());
    ASSERT_TRUE(watch::watchHorse(window, kLemonDiamond, std::string("first look")));
    ASSERT_TRUE(watch::watchStable(window, "webb, a."));
    EXPECT_TRUE(hasTables());
    EXPECT_EQ(store::raceStoreProblem(storePath()), std::nullopt);

    const auto watched = list();
    ASSERT_EQ(watched.horses.size(), 1U);
    EXPECT_THAT(watch::horseCells(watched.horses[0], clock),
                ElementsAre("Lemon Diamond", "9948", "Webb, A.", "312", "312.0501", "1", "92.9", "0", "first look",
                            clock.shortDate(clock.today())));
    ASSERT_EQ(watched.stables.size(), 1U);
    EXPECT_THAT(watch::stableCells(watched.stables[0], clock),
                ElementsAre("Webb, A.", "3", "2", "", clock.shortDate(clock.today())));
    EXPECT_TRUE(watching.marks.horseNote(kLemonDiamond));
    EXPECT_TRUE(watching.marks.stableNote("WEBB, A."));

    // Watching again keeps the note unless one is given; the context menu's command undoes.
    ASSERT_TRUE(watch::watchHorse(window, kLemonDiamond));
    EXPECT_EQ(list().horses[0].note, "first look");
    ASSERT_TRUE(watch::watchHorse(window, kLemonDiamond, std::string("second look")));
    EXPECT_EQ(list().horses[0].note, "second look");
    ASSERT_TRUE(watch::stopWatchingHorse(window, kLemonDiamond));
    EXPECT_TRUE(list().horses.empty());
    EXPECT_FALSE(watching.marks.horseNote(kLemonDiamond));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WatchListStore, NotesAreStoredAndReadBackAsTyped) {
    const std::string notes[] = {
        "tab\tand\r\nline breaks\n",
        "quotes \" ' and '); DROP TABLE watchedhorses; --",
        "<b>not markup</b> & ünïcödé",
        std::string(1000, 'x'),
        [] {
            std::string text;
            for (int i = 0; i < 1000; ++i) text += "é";
            return text;
        }(),
        "",
    };
    for (const auto& note : notes) {
        ASSERT_TRUE(watch::watchHorse(window, kLemonDiamond, note)) << note;
        EXPECT_EQ(list().horses.at(0).note, note);
        EXPECT_EQ(*watching.marks.horseNote(kLemonDiamond), note);
        ASSERT_TRUE(watch::watchStable(window, "Webb, A.", note));
        EXPECT_EQ(list().stables.at(0).note, note);
    }
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(watch::oneLine("a\tb\r\nc"), "a b  c");
}

TEST_F(WatchListStore, RefusalsSayWhyAndLeaveTheListUnchanged) {
    ASSERT_TRUE(watch::watchHorse(window, kLemonDiamond, std::string("kept")));
    dialogs.messages.clear();
    const struct {
        std::function<bool()> change;
        std::string message;
    } refusals[] = {
        {[&] { return watch::watchHorse(window, 999999999); },
         "There is no horse number 999999999 in the race store. The watch list is unchanged."},
        {[&] { return watch::watchStable(window, "Nobody Stables"); },
         "There is no stable \"Nobody Stables\" in the race store. The watch list is unchanged."},
        {[&] { return watch::stopWatchingHorse(window, kScarletArrow); },
         "Horse number 5426737 is not on the watch list."},
        {[&] { return watch::stopWatchingStable(window, "Webb, A."); },
         "The stable \"Webb, A.\" is not on the watch list."},
        {[&] { return watch::setHorseNote(window, kLemonDiamond, std::string(1001, 'x')); },
         "A note holds at most 1,000 characters; this one has 1,001. The watch list is unchanged."},
    };
    for (const auto& refusal : refusals) {
        dialogs.messages.clear();
        EXPECT_FALSE(refusal.change());
        EXPECT_THAT(dialogs.messages, ElementsAre(refusal.message));
        EXPECT_THAT(horseNames(), ElementsAre("Lemon Diamond"));
        EXPECT_EQ(list().horses[0].note, "kept");
    }
}

TEST_F(WatchListStore, WeekRemovalAndCompactionKeepTheList) {
    ASSERT_TRUE(watch::watchHorse(window, kLemonDiamond, std::string("note")));
    ASSERT_TRUE(watch::watchHorse(window, kScarletArrow));
    ASSERT_TRUE(watch::watchStable(window, "Webb, A."));
    removeWeek(312);
    ASSERT_TRUE(shell::cmdcompact_Click(window));

    const auto kept = list();
    EXPECT_THAT(horseNames(), ElementsAre("Lemon Diamond", "Storm Scarlet Arrow"));
    EXPECT_FALSE(kept.horses[0].hasRuns);
    EXPECT_EQ(watch::horseCells(kept.horses[0], clock)[3], watch::kNoRunsStored);
    EXPECT_EQ(kept.horses[0].note, "note");
    EXPECT_EQ(watch::horseCells(kept.horses[1], clock)[3], "311");
    ASSERT_EQ(kept.stables.size(), 1U);
    // The newest week is 311 now: one run there, a win.
    EXPECT_EQ(kept.stables[0].runsNewestWeek, 1);
    EXPECT_EQ(kept.stables[0].winsNewestWeek, 1);
    // A horse no longer in the store can still be taken off the list.
    EXPECT_TRUE(watch::stopWatchingHorse(window, kLemonDiamond));
}

TEST_F(WatchListStore, ReadOnlyStoreIsRefusedWithTheListUnchanged) {
    ASSERT_TRUE(watch::watchHorse(window, kLemonDiamond, std::string("kept")));
    if (::geteuid() == 0) ASSERT_EQ(::chown(folder.path().c_str(), 65534, 65534), 0);
    std::filesystem::permissions(storePath(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                                  std::filesystem::perms::others_read);
    const auto before = testing_support::FileSnapshot::of(storePath());
    const int status = testing_support::runAsOrdinaryUser([&] {
        dialogs.messages.clear();
        const bool refused =
            !watch::setHorseNote(window, kLemonDiamond, "changed") && !watch::watchHorse(window, kScarletArrow);
        testing_support::writeBytes(folder / "report.txt", dialogs.messages.empty() ? "" : dialogs.messages[0]);
        return refused && dialogs.messages.size() == 2 ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_THAT(testing_support::readBytes(folder / "report.txt"),
                ::testing::AllOf(::testing::StartsWith("The watch list could not be changed: "), HasSubstr("read-only"),
                                 ::testing::EndsWith(" The watch list is unchanged.")));
    EXPECT_EQ(testing_support::FileSnapshot::of(storePath()), before);
    EXPECT_THAT(horseNames(), ElementsAre("Lemon Diamond"));
    EXPECT_EQ(list().horses[0].note, "kept");
}

TEST_F(WatchListStore, ImportSaysWhoOfTheListRanAndKeepsTheList) {
    removeWeek(312);
    ASSERT_TRUE(watch::watchHorse(window, kScarletArrow, std::string("note")));
    ASSERT_TRUE(watch::watchStable(window, "Webb, A."));
    const std::vector<import::ChosenFile> week312{{testing_support::kSamplesDir + "/raceout312.txt", "raceout312.txt"}};
    ASSERT_EQ(import::importFiles(window, window.raceStorePath(), week312), import::ImportResult::Done);
    EXPECT_EQ(window.lblprogress.caption, "1 watched horse ran; 1 won. 1 watched stable ran; 1 won.");
    EXPECT_EQ(watching.lastImport.horsesRan, std::set<std::int64_t>{kScarletArrow});
    EXPECT_EQ(list().horses.at(0).runsSinceAdded, 1);
    EXPECT_EQ(list().horses.at(0).note, "note");
}

TEST(ImportSummary, WordsEachCase) {
    const struct {
        watch::ImportedRuns runs;
        std::string line;
    } cases[] = {
        {{}, ""},
        {{.watchedHorses = 6, .horsesRan = {1, 2, 3, 4}, .horsesWon = {2}}, "4 watched horses ran; 1 won."},
        {{.watchedHorses = 2}, "No watched horse ran."},
        {{.watchedStables = 3, .stablesRan = {"A", "B"}}, "2 watched stables ran; none won."},
        {{.watchedHorses = 1, .watchedStables = 1, .horsesRan = {7}, .horsesWon = {7}},
         "1 watched horse ran; 1 won. No watched stable ran."},
    };
    for (const auto& c : cases) EXPECT_EQ(watch::importSummary(c.runs), c.line);
}

}  // namespace
