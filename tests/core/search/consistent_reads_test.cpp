// SPDX-License-Identifier: MIT
// The finder and the comparison while another connection removes and stores a week again,
// over and over: every answer is that of one state of the store, never a mix of two.
#include "sample_store.h"
#include "search/horse_comparison.h"
#include "search/horse_finder.h"
#include "store/database.h"
#include "store/race_weeks.h"
#include "store/second_connection.h"
#include "store/transaction.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr int kWeek = 312;  // the newest sample week, removed and stored again

// What the tests compare of a find: every listed horse's number, name, owner and starts.
std::vector<std::string> summary(const search::FindResult& result) {
    std::vector<std::string> lines{std::to_string(result.count)};
    for (const auto& horse : result.rows)
        lines.push_back(std::to_string(horse.id) + "|" + horse.name + "|" + horse.owner + "|" +
                        std::to_string(horse.starts));
    return lines;
}

std::vector<std::string> summary(const std::vector<search::ComparisonRow>& rows) {
    std::vector<std::string> lines;
    for (const auto& row : rows) {
        std::string line = row.caption;
        for (const auto& cell : row.cells) line += "|" + cell;
        lines.push_back(line);
    }
    return lines;
}

// Takes the week out and puts it back, each in a transaction of its own, as a removal and
// a new import of the week would.
class WeekToggle {
public:
    explicit WeekToggle(const std::string& path) : db_(store::Database::open(path)) {
        db_.exec("CREATE TEMP TABLE keptraces AS SELECT * FROM tblraces WHERE racenum > 312 AND racenum < 313");
        db_.exec("CREATE TEMP TABLE keptruns AS SELECT * FROM tblhorsedata WHERE racenum > 312 AND racenum < 313");
    }
    void remove() {
        store::Transaction removal(db_);
        store::deleteWeek(db_, kWeek);
        removal.commit();
    }
    void restore() {
        store::Transaction import(db_);
        db_.exec("INSERT INTO tblraces SELECT * FROM temp.keptraces");
        db_.exec("INSERT INTO tblhorsedata SELECT * FROM temp.keptruns");
        import.commit();
    }

private:
    store::Database db_;
};

class ConsistentReads : public testing_support::SampleStore {
protected:
    template <typename Answer>
    void expectOneStateAtATime(const Answer& answer) {
        auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
        WeekToggle toggle(window.raceStorePath());
        const auto withWeek = answer(db);
        toggle.remove();
        const auto withoutWeek = answer(db);
        toggle.restore();
        ASSERT_NE(withWeek, withoutWeek);
        std::atomic<bool> stop = false;
        std::thread churning([&] {
            while (!stop) {
                toggle.remove();
                toggle.restore();
            }
        });
        int mixed = 0;
        for (int i = 0; i < 300; ++i) {
            const auto seen = answer(db);
            if (seen != withWeek && seen != withoutWeek) ++mixed;
        }
        stop = true;
        churning.join();
        EXPECT_EQ(mixed, 0) << "answers that mixed two states of the store, of 300";
    }
};

TEST_F(ConsistentReads, FinderAndComparisonAnswerFromOneState) {
    search::FindCriteria criteria;
    criteria.activeWeeks = 1;
    const auto today = clock.today();
    // The second connection is kept from one search to the next, as the window keeps it.
    store::SecondConnection beside(window.raceStorePath());
    expectOneStateAtATime(
        [&](store::Database& db) { return summary(search::findHorses(db, beside, criteria, today)); });
    auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
    const auto found = search::findHorses(db, beside, criteria, today).rows;
    ASSERT_GE(found.size(), 2U);
    const std::vector<std::int64_t> ids{found[0].id, found[1].id};
    expectOneStateAtATime([&](store::Database& db) { return summary(search::compareHorses(db, ids, today).rows); });
}

}  // namespace
