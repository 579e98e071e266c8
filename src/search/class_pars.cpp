// SPDX-License-Identifier: MIT
#include "search/class_pars.h"

#include "base/number_format.h"
#include "search/horse_finder.h"
#include "store/database.h"
#include "store/transaction.h"
#include "store/watch_tables.h"

#include <algorithm>
#include <limits>
#include <mutex>

namespace search {

namespace {

// A race of week W has a race number strictly between W and W + 1.
struct RaceBounds {
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();
};

RaceBounds boundsOf(const ParOptions& options) {
    RaceBounds bounds;
    if (options.firstWeek) bounds.low = *options.firstWeek;
    if (options.lastWeek) bounds.high = *options.lastWeek + 1.0;
    return bounds;
}

bool before(const ParRow& a, const ParRow& b) {
    if (a.par != b.par) return a.par > b.par;
    return a.key < b.key;  // class code, claiming price, surface
}

std::string surfaceText(const std::string& surface) {
    if (surface == "D") return "Dirt";
    if (surface == "T") return "Turf";
    return surface;
}

}  // namespace

std::optional<double> median(std::vector<std::int32_t> tenths) {
    if (tenths.empty()) return std::nullopt;
    const auto middle = tenths.begin() + static_cast<std::ptrdiff_t>(tenths.size() / 2);
    std::nth_element(tenths.begin(), middle, tenths.end());
    if (tenths.size() % 2 == 1) return *middle / 10.0;
    const std::int32_t below = *std::max_element(tenths.begin(), middle);
    // Halves in tenths divided once, so that 87.65 is the double nearest 87.65.
    return (static_cast<double>(below) + *middle) / 20.0;
}

std::vector<ParRow> classPars(store::Database& db, const ParOptions& options) {
    const RaceBounds bounds = boundsOf(options);
    std::vector<ParRow> table;
    for (auto& [key, figures] : store::classFigures(db, bounds.low, bounds.high)) {
        if (options.surface && key.surface != *options.surface) continue;
        if (static_cast<int>(figures.winners.size()) < options.minRaces) continue;
        table.push_back({key, static_cast<int>(figures.winners.size()), *median(std::move(figures.winners)),
                         median(std::move(figures.thirds))});
    }
    std::ranges::sort(table, before);
    return table;
}

std::vector<ParRow> everyWeekPars(store::Database& db) {
    struct Kept {
        std::string path;
        std::int64_t generation = -1;
        std::int64_t pages = -1;
        std::vector<ParRow> table;
    };
    static std::mutex mutex;
    static Kept kept;
    store::ReadTransaction oneState(db);
    auto pageCount = db.prepare("PRAGMA page_count");
    pageCount.step();
    const std::int64_t pages = pageCount.integer(0);
    const std::lock_guard lock(mutex);
    if (kept.path != db.path().string() || kept.generation != oneState.generation() || kept.pages != pages)
        kept = {db.path().string(), oneState.generation(), pages, classPars(db, {})};
    return kept.table;
}

Placement placeHorse(store::Database& db, std::int64_t id, const ParOptions& options) {
    const RaceBounds bounds = boundsOf(options);
    store::ReadTransaction oneState(db);
    Placement horse;
    horse.id = id;
    const auto name = store::storedHorseName(db, id);
    if (!name) throw FindError("The race store holds no run of horse " + std::to_string(id) + ".");
    horse.name = *name;
    std::vector<std::int32_t> figures;
    for (const auto& run : store::newestFigures(db, id, bounds.low, bounds.high, kFormRuns))
        figures.push_back(run.speed);
    horse.runs = static_cast<int>(figures.size());
    horse.form = median(std::move(figures));
    horse.surfaces = store::surfacesRun(db, id, bounds.low, bounds.high);
    return horse;
}

std::optional<double> margin(const Placement& horse, const ParRow& row) {
    if (!horse.form) return std::nullopt;
    return *horse.form - row.par;
}

bool fits(const Placement& horse, const ParRow& row) {
    const auto m = margin(horse, row);
    return m && *m >= 0 && std::ranges::find(horse.surfaces, row.key.surface) != horse.surfaces.end();
}

std::optional<ParRow> bestFit(const Placement& horse, const std::vector<ParRow>& table, const std::string& surface) {
    for (const auto& row : table)  // highest par first
        if (row.key.surface == surface && fits(horse, row)) return row;
    return std::nullopt;
}

std::string classText(const store::ClassKey& key) {
    return key.claim > 0 ? key.restr + " " + std::to_string(key.claim) : key.restr;
}

std::string figureText(double figure) { return base::formatNumber(figure, "0.00"); }

std::vector<std::vector<std::string>> parTableText(const std::vector<ParRow>& table, const Placement* horse) {
    std::vector<std::vector<std::string>> rows{{"Class", "Claim", "Surface", "Races", "Par", "Board"}};
    if (horse) rows[0].insert(rows[0].end(), {"Form", "Margin"});
    for (const auto& row : table) {
        rows.push_back({row.key.restr, std::to_string(row.key.claim), surfaceText(row.key.surface),
                        std::to_string(row.races), figureText(row.par), row.board ? figureText(*row.board) : ""});
        if (!horse) continue;
        const auto m = margin(*horse, row);
        rows.back().push_back(horse->form ? figureText(*horse->form) : "");
        rows.back().push_back(m ? figureText(*m) : "");
    }
    return rows;
}

}  // namespace search
