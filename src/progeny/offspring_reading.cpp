// SPDX-License-Identifier: MIT
#include "progeny/offspring_reading.h"

#include "store/second_connection.h"

#include <future>
#include <string>
#include <utility>

namespace progeny {

namespace {

using OffspringRunLists = std::vector<std::vector<store::OffspringRun>>;

// The runs of each offspring from `first` on, read on the second connection.
std::future<OffspringRunLists> readRunsBeside(store::SecondConnection& beside, const std::vector<Offspring>& offspring,
                                              std::size_t first) {
    std::vector<std::pair<std::string, std::int32_t>> horses;
    for (std::size_t i = first; i < offspring.size(); ++i) horses.emplace_back(offspring[i].name, offspring[i].number);
    return beside.run([horses = std::move(horses)](store::Database& db) {
        store::OffspringRuns query(db);
        OffspringRunLists lists(horses.size());
        for (std::size_t i = 0; i < horses.size(); ++i) query.read(horses[i].first, horses[i].second, lists[i]);
        return lists;
    });
}

}  // namespace

void readOffspringRuns(store::Database& db, store::SecondConnection* beside, const std::vector<Offspring>& offspring,
                       const std::function<void(std::size_t, const std::vector<store::OffspringRun>&)>& visit) {
    const std::size_t half = beside ? offspring.size() / 2 : offspring.size();
    std::future<OffspringRunLists> laterHalf;
    if (beside) laterHalf = readRunsBeside(*beside, offspring, half);
    store::OffspringRuns query(db);
    std::vector<store::OffspringRun> runs;
    for (std::size_t i = 0; i < half; ++i) {
        query.read(offspring[i].name, offspring[i].number, runs);
        visit(i, runs);
    }
    if (!beside) return;
    const OffspringRunLists later = laterHalf.get();
    for (std::size_t i = half; i < offspring.size(); ++i) visit(i, later[i - half]);
}

}  // namespace progeny
