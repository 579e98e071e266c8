// SPDX-License-Identifier: MIT
#include "sample_store.h"
#include "search/criteria_panel.h"
#include "search/gethorse.h"
#include "store/database.h"
#include "store/race_weeks.h"
#include "store/race_writer.h"
#include "store/run_query.h"
#include "store/run_read_ahead.h"
#include "store/second_connection.h"
#include "store/store_error.h"
#include "store/transaction.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using search::gethorse;
using Strings = std::vector<std::string>;

const std::string kNothingFound = "No horses under the search criteria were found.";

class Gethorse : public testing_support::SampleStore {};

TEST_F(Gethorse, HorseByNameListsEveryRunNewestFirstWithWholeRows) {
    ASSERT_TRUE(gethorse(window, search::kHorseByName, "black dasher", ""));
    EXPECT_EQ(window.MSFlexGrid1.rows(), 7);
    EXPECT_EQ(row(0), (Strings{"Name", "H.ID.", "Race #", "Age", "Tr", "Typ", "Dis", "S", "Sp", "PL", "FD", "PP",
                               "Purse", "Odds", "Earn.", "Owner", "Clm", "St"}));
    // 312.3006: Turf, Good, 6 furlongs, Claiming $25,000, purse $39,300, "Fillies 2 year
    // olds. Non-Winners of FOUR races since last year except stakes."; fifth of six with
    // 56.87 + 7 - 3 speed, start 0.42, odds base 0.008123, post -51 + 49 + 7.
    EXPECT_EQ(row(1), (Strings{"Black Dasher", "742503", "312.3006", "F-2", "", "C4y", "6", "T", "60.9", "5", "6",
                               "5", "39300", "99.90", "786", "Reid Thoroughbreds", "25000", "42"}));
    EXPECT_EQ(column(2), (Strings{"312.3006", "311.3014", "311.3010", "311.3001", "310.3004", "310.3003"}));
    window.MSFlexGrid1.select(1, 2, 1, 2);
    EXPECT_EQ(window.MSFlexGrid1.cellForeColour(), base::kTurfGood);
    EXPECT_EQ(window.MSFlexGrid1.effectiveAlignment(0, 1), base::Alignment::RightCenter);
    EXPECT_EQ(window.MSFlexGrid1.effectiveAlignment(0, 0), base::Alignment::General);
    EXPECT_EQ(window.frainfo.caption.rfind("Statistics for Black Dasher;", 0), 0u);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Gethorse, NamesMatchWithoutRegardToCaseAndShowCapitalised) {
    ASSERT_TRUE(gethorse(window, search::kHorseByName, "quiet duke", ""));
    EXPECT_EQ(column(0), (Strings{"Quiet Duke", "Quiet Duke", "Quiet Duke"}));
    ASSERT_TRUE(gethorse(window, search::kHorseByName, "Crimson Queen Of Wetherby", ""));
    EXPECT_EQ(window.MSFlexGrid1.text(1, 1), "531");
}

TEST_F(Gethorse, NameAndNumberTellTwoHorsesOfOneNameApart) {
    ASSERT_TRUE(gethorse(window, search::kHorseByName, "Breeze's Dasher", ""));
    EXPECT_EQ(window.MSFlexGrid1.rows(), 4);
    ASSERT_TRUE(gethorse(window, search::kHorseByNameAndNumber, "Breeze's Dasher", "811426"));
    EXPECT_EQ(column(1), (Strings{"811426", "811426"}));
    ASSERT_TRUE(gethorse(window, search::kHorseByNumber, "", "6546555.5"));  // rounds half to even
    EXPECT_EQ(column(1), (Strings{"6546556"}));
}

TEST_F(Gethorse, PatternsUseStarAndQuestionMark) {
    ASSERT_TRUE(gethorse(window, search::kHorseByName, "black d?sher", ""));
    EXPECT_EQ(window.MSFlexGrid1.rows(), 7);
    ASSERT_TRUE(gethorse(window, search::kHorseByNumber, "", "74250*"));
    EXPECT_EQ(window.MSFlexGrid1.rows(), 7);
    EXPECT_FALSE(gethorse(window, search::kHorseByName, "100%", ""));  // % is no wildcard
}

TEST_F(Gethorse, OwnerSearchesMatchNamesAsTheyStand) {
    ASSERT_TRUE(gethorse(window, search::kOwner, "Harrow Bloodstock, Ltd.", ""));
    EXPECT_EQ(window.MSFlexGrid1.rows(), 4);
    dialogs.messages.clear();
    EXPECT_FALSE(gethorse(window, search::kOwner, "*computer", ""));  // exact, not a pattern
    EXPECT_FALSE(gethorse(window, search::kOwner, "Reid \" OR 1=1 --", ""));
    EXPECT_EQ(dialogs.messages, (Strings{kNothingFound, kNothingFound}));
    EXPECT_EQ(window.MSFlexGrid1.rows(), 4);  // the earlier listing stays
}

// Horse names are stored with at most 25 characters, owner names whole.
TEST_F(Gethorse, TheNameBoxSearchesAnOwnersWholeNameAndAHorsesFirst25Characters) {
    const std::string longOwner = "Midnight Treasure Thoroughbreds";
    store::Database::open(window.raceStorePath())
        .exec("UPDATE tblhorsedata SET oname = '" + longOwner + "' WHERE oname = 'Team Young'");
    search::optowner_Click(window);
    window.txthorse.caption = longOwner;
    search::cmdgethorse_click(window);
    ASSERT_GT(window.MSFlexGrid1.rows(), 1);
    for (const auto& owner : column(15)) EXPECT_EQ(owner, longOwner);
    search::opthorse_Click(window);
    window.txthorse.caption = "Crimson Queen Of Wetherby Cannon";
    search::cmdgethorse_click(window);
    EXPECT_EQ(window.MSFlexGrid1.text(1, 1), "531");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Gethorse, SeveralStablesAtOnce) {
    ASSERT_TRUE(gethorse(window, search::kOwner, "Harrow Bloodstock, Ltd.\" OR oname=\"Team Young", ""));
    for (const auto& owner : column(15)) EXPECT_TRUE(owner == "Harrow Bloodstock, Ltd." || owner == "Team Young");
    EXPECT_EQ(window.frainfo.caption.rfind("Statistics for Special: Harrow Bloodstock, Ltd.;", 0), 0u);
}

TEST_F(Gethorse, RaceSearchListsInFinishingOrder) {
    dialogs.status = &window.lblprogress.caption;
    ASSERT_TRUE(gethorse(window, search::kRace, "", "312.0501"));
    EXPECT_EQ(dialogs.statusTexts, Strings{"Searching..."});  // painted before the work
    const auto places = column(9);
    for (std::size_t i = 0; i < places.size(); ++i) EXPECT_EQ(places[i], std::to_string(i + 1));
    EXPECT_EQ(window.lblprogress.caption, "");
    EXPECT_FALSE(gethorse(window, search::kRace, "", "312.0500"));  // sent as 312.05, which holds no race
}

struct BoundsCase {
    const char* horse;
    const char* firstWeek;
    const char* lastWeek;
    bool currentOwnerOnly;
    Strings races;  // the listed race numbers; none when nothing is found
};

TEST_F(Gethorse, EveryListedRunObeysTheWeekAndOwnerBounds) {
    const BoundsCase cases[] = {
        {"Black Dasher", "311", "311", false, {"311.3014", "311.3010", "311.3001"}},
        {"Black Dasher", "", "300", false, {}},     // every run later than the last week
        {"Velvet Hawk", "311", "311", false, {}},   // runs in weeks 310 and 312 only
        {"Black Dasher", "312", "311", false, {}},  // the bounds the wrong way round
        {"Western Jewel", "", "", true, {"312.1504"}},
        // The current owner is the one of the newest run, before the last-week bound.
        {"Western Jewel", "", "311", true, {}},
    };
    ASSERT_TRUE(gethorse(window, search::kHorseByName, "Rebel's Hunter", ""));
    for (const BoundsCase& c : cases) {
        SCOPED_TRACE(std::string(c.horse) + " " + c.firstWeek + "-" + c.lastWeek);
        dialogs.messages.clear();
        window.txtfirstweek.caption = c.firstWeek;
        window.txtlastweek.caption = c.lastWeek;
        window.chkowner.checked = c.currentOwnerOnly;
        const auto before = column(2);
        EXPECT_EQ(gethorse(window, search::kHorseByName, c.horse, ""), !c.races.empty());
        if (c.races.empty()) {
            EXPECT_EQ(dialogs.messages, Strings{kNothingFound});
            EXPECT_EQ(column(2), before);  // the earlier listing stays
        } else {
            EXPECT_EQ(column(2), c.races);
            EXPECT_EQ(window.frainfo.caption.rfind(std::string("Statistics for ") + c.horse, 0), 0u);
        }
    }
}

TEST_F(Gethorse, BoxesThatHoldNoNumberAreRefusedBeforeSearching) {
    window.lblprogress.caption = "kept";
    EXPECT_FALSE(gethorse(window, search::kHorseByNumber, "", ""));
    EXPECT_FALSE(gethorse(window, search::kRace, "", "abc"));
    window.txtinjury.caption.clear();
    EXPECT_FALSE(gethorse(window, search::kHorseByName, "Black Dasher", ""));
    window.txtinjury.caption = "30";
    window.txtfirstweek.caption = "40000";  // no 16-bit week: refused, never cut to fit
    EXPECT_FALSE(gethorse(window, search::kHorseByName, "Black Dasher", ""));
    EXPECT_EQ(dialogs.messages.back(), "The First Week # box must hold a week number.");
    EXPECT_EQ(dialogs.messages.size(), 4u);
    EXPECT_EQ(window.lblprogress.caption, "kept");
    EXPECT_EQ(window.MSFlexGrid1.rows(), 2);
}

TEST_F(Gethorse, TrackCodesComeFromTheRaceNumbersDigits) {
    {
        auto db = store::Database::open(window.raceStorePath());
        db.exec("INSERT INTO statecodes (num, stcode) VALUES (5, 'HD'), (30, 'KP')");
    }
    ASSERT_TRUE(gethorse(window, search::kHorseByName, "Black Dasher", ""));
    EXPECT_EQ(column(4), (Strings{"KP", "KP", "KP", "KP", "KP", "KP"}));
    ASSERT_TRUE(gethorse(window, search::kRace, "", "310.0501"));
    EXPECT_EQ(window.MSFlexGrid1.text(1, 4), "HD");
}

TEST_F(Gethorse, ProgenyLayoutSwitchesBackToTheHorseLayout) {
    window.MSFSRGrid.setVisible(true);
    window.MSFmaxgrid.setVisible(true);
    window.MSFSGrid.setVisible(false);
    window.MSFWGrid.setVisible(false);
    window.MSFlexGrid1.setCols(19);
    window.cmdprint.enabled = false;
    ASSERT_TRUE(gethorse(window, search::kHorseByName, "Black Dasher", ""));
    EXPECT_TRUE(window.horseLayoutShowing());
    EXPECT_FALSE(window.MSFSRGrid.visible());
    EXPECT_EQ(window.MSFlexGrid1.cols(), 18);
    EXPECT_TRUE(window.cmdprint.enabled);
}

TEST_F(Gethorse, PanelChoosesTheKindOfSearch) {
    window.txthorse.caption = "Black Dasher";
    window.chkname.checked = false;
    window.chkid.checked = false;
    search::cmdgethorse_click(window);  // neither box checked: by name
    EXPECT_EQ(window.MSFlexGrid1.rows(), 7);
    search::optrace_Click(window);
    EXPECT_FALSE(window.chkname.enabled);
    EXPECT_TRUE(window.chkid.checked);
    window.txtid.caption = "312.0501";
    EXPECT_EQ(search::txtid_KeyPress(window, search::kEnter), 0);
    EXPECT_EQ(window.MSFlexGrid1.text(1, 2), "312.0501");
    EXPECT_EQ(search::txtid_KeyPress(window, 'x'), 0);
    EXPECT_EQ(search::txtweekOrNumber_KeyPress(window, search::kEnter), 0);
    EXPECT_EQ(search::txtweekOrNumber_KeyPress(window, '7'), '7');
    EXPECT_EQ(dialogs.beeps, 2);
}

TEST_F(Gethorse, AHorseListedElsewhereIsInTheFormForGoToRepeat) {
    search::optrace_Click(window);
    window.txtid.caption = "312.0501";
    ASSERT_TRUE(search::listHorse(window, "Breeze's Dasher", "811426"));
    const auto listed = column(2);
    EXPECT_TRUE(window.opthorse.checked);
    EXPECT_FALSE(window.optrace.checked);
    EXPECT_EQ(window.txthorse.caption, "Breeze's Dasher");
    EXPECT_EQ(window.txtid.caption, "811426");
    ASSERT_TRUE(gethorse(window, search::kRace, "", "312.0501"));
    search::cmdgethorse_click(window);
    EXPECT_EQ(column(2), listed);
}

// A store of one stable with `runs` runs, one per race.
void fillStable(const std::string& path, int runs) {
    auto db = store::Database::open(path);
    store::Transaction transaction(db);
    store::RaceWriter writer(db);
    for (int i = 0; i < runs; ++i) {
        const double racenum = 400 + i / 100 + (i % 100 + 1) / 10000.0;
        writer.addRace({racenum, "D", "Alw", "F", 6, 1, 1000, 0, "O-3+"});
        writer.addRunner({"Horse " + std::to_string(i), i + 1, racenum, 1, 1, 80, 50, 2.5, "Big Stable"});
    }
    transaction.commit();
}

// Races whose runners are stored in finishing order under names, numbers and owners that
// sort the other way, so that no index of the store gives the finishing order by itself.
// The older race is stored first.
void fillSharedRaces(const std::string& path) {
    struct Runner {
        double racenum;
        const char* name;
        int hid;
        const char* owner;
    };
    const Runner runners[] = {
        {400.0101, "Quill Xenon", 10, "Stable A"},  {400.0101, "Quill Zephyr", 30, "Stable B"},
        {401.0101, "Quill Zephyr", 30, "Stable B"}, {401.0101, "Quill Yarrow", 20, "Stable A"},
        {401.0101, "Quill Xenon", 10, "Stable B"},  {401.0101, "Other Horse", 40, "Stable C"},
    };
    auto db = store::Database::open(path);
    store::Transaction transaction(db);
    store::RaceWriter writer(db);
    int fin = 0;
    for (std::size_t i = 0; i < std::size(runners); ++i) {
        const Runner& runner = runners[i];
        if (i == 0 || runners[i - 1].racenum != runner.racenum) {
            writer.addRace({runner.racenum, "D", "Alw", "F", 6, 4, 1000, 0, "O-3+"});
            fin = 0;
        }
        writer.addRunner({runner.name, runner.hid, runner.racenum, ++fin, fin, 80, 50, 2.5, runner.owner});
    }
    transaction.commit();
}

TEST_F(Gethorse, EveryKindListsNewestRaceFirstAndOneRaceInFinishingOrder) {
    fillSharedRaces(window.raceStorePath());
    struct Case {
        search::SearchKind kind;
        std::string name;
        std::string txtid;
        Strings races;  // race number and place of each listed row
    };
    const Case cases[] = {
        {search::kOwner, "Stable B", "", {"401.0101 1", "401.0101 3", "400.0101 2"}},
        {search::kOwner, "stable a\" OR oname=\"Stable B", "",
         {"401.0101 1", "401.0101 2", "401.0101 3", "400.0101 1", "400.0101 2"}},
        {search::kOwner, "Stable ?", "", {"401.0101 1", "401.0101 2", "401.0101 3", "401.0101 4", "400.0101 1",
                                          "400.0101 2"}},
        {search::kHorseByName, "Quill*", "", {"401.0101 1", "401.0101 2", "401.0101 3", "400.0101 1", "400.0101 2"}},
        {search::kHorseByNumber, "", "?0", {"401.0101 1", "401.0101 2", "401.0101 3", "401.0101 4", "400.0101 1",
                                            "400.0101 2"}},
        {search::kRace, "", "40?.0101", {"401.0101 1", "401.0101 2", "401.0101 3", "401.0101 4", "400.0101 1",
                                         "400.0101 2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + c.txtid);
        ASSERT_TRUE(gethorse(window, c.kind, c.name, c.txtid));
        Strings races;
        for (int r = 1; r < window.MSFlexGrid1.rows(); ++r)
            races.push_back(window.MSFlexGrid1.text(r, 2) + " " + window.MSFlexGrid1.text(r, 9));
        EXPECT_EQ(races, c.races);
    }
    // The subject of the statistics is the first row's horse, the winner: first and second.
    ASSERT_TRUE(gethorse(window, search::kHorseByName, "Quill*", ""));
    EXPECT_NE(window.lblprogress.caption.find("W-P-S-4-5:  1-1-0-0-0=2/2"), std::string::npos);
}

// The count before the large-result question reads the runners alone; the import and
// the week removal keep every run with its race, so it counts exactly the listed runs.
TEST_F(Gethorse, CountMatchesTheListedRunsAfterImportAndRemoval) {
    auto db = store::Database::open(window.raceStorePath());
    {
        store::Transaction transaction(db);
        store::deleteWeek(db, 311);
        transaction.commit();
    }
    std::vector<std::string> owners;
    for (auto names = db.prepare("SELECT DISTINCT oname FROM tblhorsedata"); names.step();)
        owners.push_back(names.text(0));
    ASSERT_GT(owners.size(), 20u);
    for (const auto& owner : owners) {
        store::RunCriteria criteria;
        criteria.key = store::RunCriteria::Key::Owner;
        criteria.names = {{owner, false}};
        store::RunQuery query(db, criteria);
        std::int64_t listed = 0;
        query.forEach(std::nullopt, [&](store::RunRecord&&) { return ++listed > 0; });
        EXPECT_EQ(query.count(), listed) << owner;
    }
}

TEST_F(Gethorse, LargeResultsAskAndListAtMost15000) {
    fillStable(window.raceStorePath(), 15001);
    dialogs.answers = {false, true};
    EXPECT_FALSE(gethorse(window, search::kOwner, "Big Stable", ""));
    EXPECT_EQ(dialogs.questions.front(),
              "There are 15001 horses that match this query.  Proceed anyway?\rNote: the actual number of horses "
              "listed may be less than this amount, and also that the maximum number of horses that can be listed "
              "is 15,000 in this version.");
    EXPECT_EQ(window.MSFlexGrid1.rows(), 2);
    EXPECT_EQ(window.lblprogress.caption, "");
    ASSERT_TRUE(gethorse(window, search::kOwner, "Big Stable", ""));
    EXPECT_EQ(window.MSFlexGrid1.rows(), 15001);
    EXPECT_EQ(window.MSFlexGrid1.text(1, 0), "Horse 15000");  // newest first
}

TEST_F(Gethorse, EightThousandListWithoutAQuestion) {
    fillStable(window.raceStorePath(), 8000);
    ASSERT_TRUE(gethorse(window, search::kOwner, "Big Stable", ""));
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(window.MSFlexGrid1.rows(), 8001);
}

// The listing reads its runs on a second thread: it gets exactly what the walk on one
// thread gets, in its order, and on a damaged store the same runs before the same error.
TEST_F(Gethorse, RunsReadAheadAreTheWalksRunsUpToTheSameFailure) {
    fillStable(window.raceStorePath(), 6000);
    store::RunCriteria criteria;
    criteria.key = store::RunCriteria::Key::Owner;
    criteria.names = {{"Big Stable", false}};
    using Walk = std::function<void(const std::function<bool(store::RunRecord &&)>&)>;
    const auto seenIn = [](const Walk& walk) {
        Strings seen;
        try {
            walk([&](store::RunRecord&& run) {
                seen.push_back(run.hname);
                return true;
            });
        } catch (const store::StoreError& error) { seen.push_back(std::string("error: ") + error.what()); }
        return seen;
    };
    const auto readBothWays = [&] {
        auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
        store::RunQuery query(db, criteria);
        const Strings alone = seenIn([&](const auto& visit) { query.forEach(std::nullopt, visit); });
        store::SecondConnection beside(window.raceStorePath());
        store::RunReadAhead ahead(beside, criteria, std::nullopt);
        EXPECT_EQ(seenIn([&](const auto& visit) { ahead.forEach(visit); }), alone);
        return alone;
    };
    EXPECT_EQ(readBothWays().size(), 6000u);

    store::Database::open(window.raceStorePath()).exec("PRAGMA wal_checkpoint(TRUNCATE)");
    const auto size = std::filesystem::file_size(window.raceStorePath());
    std::fstream file(window.raceStorePath(), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(size / 2 / 4096 * 4096));
    file << std::string(4 * 4096, '\xff');
    file.close();
    const Strings damaged = readBothWays();
    ASSERT_GT(damaged.size(), 1u);
    EXPECT_LT(damaged.size(), 6000u);
    EXPECT_NE(damaged.back().find("error: "), std::string::npos) << damaged.back();
}

}  // namespace

// The window keeps its connections from one search to the next; a store put in the old
// one's place, or written over by another tool, is read anew all the same.
TEST_F(Gethorse, AStorePutInPlaceOfTheSearchedOneIsReadAnew) {
    const std::filesystem::path store = window.raceStorePath();
    const auto sampleStore = folder / "sample.mdb";
    const auto emptyStore = folder / "empty.mdb";
    store::Database::open(store).exec("PRAGMA wal_checkpoint(TRUNCATE)");
    std::filesystem::copy_file(store, sampleStore);
    // The sample under another horse's name, a file of the same size.
    const auto renamedStore = folder / "renamed.mdb";
    std::filesystem::copy_file(store, renamedStore);
    store::Database::open(renamedStore)
        .exec("UPDATE tblhorsedata SET hname = 'Black Dashes' WHERE hname = 'black dasher'");
    ASSERT_EQ(std::filesystem::file_size(renamedStore), std::filesystem::file_size(store));
    const std::vector<std::pair<const char*, std::function<void()>>> replacements{
        {"moved in", [&] { std::filesystem::rename(emptyStore, store); }},
        {"written over",
         [&] { std::filesystem::copy_file(emptyStore, store, std::filesystem::copy_options::overwrite_existing); }},
        {"written over keeping its size and time", [&] {
             struct stat before {};
             ASSERT_EQ(::stat(store.c_str(), &before), 0);
             std::filesystem::copy_file(renamedStore, store, std::filesystem::copy_options::overwrite_existing);
             const std::array<timespec, 2> times{before.st_atim, before.st_mtim};
             ASSERT_EQ(::utimensat(AT_FDCWD, store.c_str(), times.data(), 0), 0);
         }}};
    for (const auto& [how, replace] : replacements) {
        SCOPED_TRACE(how);
        std::filesystem::copy_file(sampleStore, store, std::filesystem::copy_options::overwrite_existing);
        ASSERT_TRUE(gethorse(window, search::kHorseByName, "black dasher", ""));
        store::createRaceStore(emptyStore);
        replace();
        dialogs.messages.clear();
        EXPECT_FALSE(gethorse(window, search::kHorseByName, "black dasher", ""));
        EXPECT_EQ(dialogs.messages, (Strings{kNothingFound}));
        std::filesystem::remove(emptyStore);
    }
}

// A store put in place of the searched one after a write meets nothing of the old store's
// log: the window holds no connection at the writer's close, which so removes the log.
// "No horses found" left open while another program writes: the window is idle all the
// same, so the writer's log is gone before the box is closed.
TEST_F(Gethorse, AMessageLeftOpenHoldsNoConnectionToTheStore) {
    const std::string store = window.raceStorePath();
    bool logLeft = true;
    dialogs.whileMessageShows = [&] {
        store::Database::open(store).exec("INSERT INTO statecodes (num, stcode) VALUES (98, 'ZY')");
        window.releaseIdleReaders(store::KeptConnections::Clock::now() + store::KeptConnections::kIdleTime);
        logLeft = std::filesystem::exists(store + "-wal");
    };
    for (const auto* firstWeek : {"", "320"}) {  // nothing matches; nothing within the week bounds
        SCOPED_TRACE(firstWeek);
        window.txtfirstweek.caption = firstWeek;
        dialogs.messages.clear();
        EXPECT_FALSE(gethorse(window, search::kHorseByName, *firstWeek ? "black dasher" : "no such horse", ""));
        EXPECT_EQ(dialogs.messages, (Strings{kNothingFound}));
        EXPECT_FALSE(logLeft);
    }
}

TEST_F(Gethorse, AStorePutInPlaceAfterAWriteMeetsNothingOfTheOldOnesLog) {
    const std::filesystem::path store = window.raceStorePath();
    const std::filesystem::path log = store.string() + "-wal";
    const auto sampleStore = folder / "sample.mdb";
    const auto newStore = folder / "new.mdb";
    store::Database::open(store).exec("PRAGMA wal_checkpoint(TRUNCATE)");
    std::filesystem::copy_file(store, sampleStore);
    store::createRaceStore(newStore);
    const std::vector<std::pair<const char*, std::function<void()>>> writes{
        {"the window's own import",
         [&] {
             dialogs.answers.push_back(true);  // the week is replaced
             EXPECT_EQ(import::importFiles(window, store,
                                           {{testing_support::kSamplesDir + "/raceout312.txt", "raceout312.txt"}}),
                       import::ImportResult::Done);
         }},
        {"another program's write, the window then idle", [&] {
             store::Database::open(store).exec("INSERT INTO statecodes (num, stcode) VALUES (99, 'ZZ')");
             EXPECT_TRUE(std::filesystem::exists(log));  // its close was not the last
             window.releaseIdleReaders(store::KeptConnections::Clock::now() + store::KeptConnections::kIdleTime);
         }}};
    for (const auto& [how, write] : writes) {
        SCOPED_TRACE(how);
        std::filesystem::copy_file(sampleStore, store, std::filesystem::copy_options::overwrite_existing);
        ASSERT_TRUE(gethorse(window, search::kHorseByName, "black dasher", ""));
        write();
        EXPECT_FALSE(std::filesystem::exists(log));
        std::filesystem::copy_file(newStore, store, std::filesystem::copy_options::overwrite_existing);
        dialogs.messages.clear();
        EXPECT_FALSE(gethorse(window, search::kHorseByName, "black dasher", ""));
        EXPECT_EQ(dialogs.messages, (Strings{kNothingFound}));
        auto reader = store::Database::open(store, store::Access::ReadOnly);
        auto check = reader.prepare("PRAGMA integrity_check");
        ASSERT_TRUE(check.step());
        EXPECT_EQ(check.text(0), "ok");
    }
}
