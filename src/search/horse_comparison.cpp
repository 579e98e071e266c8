// SPDX-License-Identifier: MIT
#include "search/horse_comparison.h"

#include "base/earnings.h"
#include "search/class_pars.h"
#include "search/flat_bet.h"
#include "search/horse_finder.h"
#include "search/race_listing.h"
#include "search/run_classes.h"
#include "base/grid_model.h"
#include "shell/main_finder.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "store/database.h"
#include "store/store_error.h"
#include "store/track_list.h"
#include "store/horse_runs.h"
#include "store/transaction.h"

#include <algorithm>
#include <array>
#include <functional>

namespace search {

namespace {

using Runs = std::vector<store::RunRecord>;

enum class Better { Higher, Lower, None };

// Best and average speed over the runs a filter picks.
struct SpeedFigures {
    std::optional<float> best;
    std::optional<float> average;
};

SpeedFigures speedsOf(const Runs& runs, const std::function<bool(const store::RunRecord&)>& picks) {
    float best = 0;
    float sum = 0;
    int count = 0;
    for (const auto& run : runs) {
        if (!picks(run)) continue;
        best = std::max(best, run.sp);
        sum += run.sp;
        ++count;
    }
    if (count == 0) return {};
    return {best, sum / static_cast<float>(count)};
}

class RowsBuilder {
public:
    // A row of values, shown by `text`, nothing where a horse has none.
    void add(const std::string& caption, const std::vector<std::optional<double>>& values, Better better,
             const std::function<std::string(double)>& text) {
        ComparisonRow row{caption, {}, std::nullopt};
        for (const auto& value : values) row.cells.push_back(value ? text(*value) : "");
        row.best = bestOf(values, better);
        rows_.push_back(std::move(row));
    }
    void addTexts(const std::string& caption, std::vector<std::string> cells) {
        rows_.push_back({caption, std::move(cells), std::nullopt});
    }
    std::vector<ComparisonRow> take() { return std::move(rows_); }

private:
    std::optional<std::size_t> bestOf(const std::vector<std::optional<double>>& values, Better better) const {
        if (better == Better::None) return std::nullopt;
        std::optional<std::size_t> best;
        bool tied = false;
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (!values[i]) continue;
            if (!best) {
                best = i;
                continue;
            }
            const double a = *values[i];
            const double b = *values[*best];
            if (a == b) tied = true;
            if (better == Better::Higher ? a > b : a < b) {
                best = i;
                tied = false;
            }
        }
        return tied ? std::nullopt : best;
    }

    std::vector<ComparisonRow> rows_;
};

std::string speedText(double speed) { return base::formatNumber(speed, "#0.0"); }

template <typename Figure>
std::vector<std::optional<double>> perHorse(const std::vector<Runs>& horses, Figure figure) {
    std::vector<std::optional<double>> values;
    for (const auto& runs : horses) values.push_back(figure(runs));
    return values;
}

void addSpeedRows(RowsBuilder& rows, const std::vector<Runs>& horses, const std::string& name,
                  const std::function<bool(const store::RunRecord&)>& picks) {
    std::vector<SpeedFigures> figures;
    for (const auto& runs : horses) figures.push_back(speedsOf(runs, picks));
    std::vector<std::optional<double>> best, average;
    for (const auto& f : figures) {
        best.push_back(f.best ? std::optional<double>(*f.best) : std::nullopt);
        average.push_back(f.average ? std::optional<double>(*f.average) : std::nullopt);
    }
    rows.add("Best " + name, best, Better::Higher, speedText);
    rows.add("Average " + name, average, Better::Higher, speedText);
}

std::string runText(const store::RunRecord& run, const std::map<int, std::string>& trackCodes) {
    const auto track = trackCodes.find(trackNumberOf(run.racenum));
    return "Wk " + std::to_string(weekOf(run.racenum)) + " " + (track == trackCodes.end() ? "" : track->second) + " " +
           run.restr + " " + base::shortestText(run.dist) + run.surf + " " + run.cond + " " +
           base::formatNumber(run.sp, "00.0") + " " + std::to_string(run.fin);
}

void addRecordRows(RowsBuilder& rows, const std::vector<Runs>& horses) {
    std::vector<std::string> names, numbers, owners, records;
    for (const auto& runs : horses) {
        names.push_back(runs.front().hname);
        numbers.push_back(std::to_string(runs.front().hid));
        owners.push_back(runs.front().oname);
        std::array<int, 3> wps{};
        for (const auto& run : runs)
            if (run.fin >= 1 && run.fin <= 3) ++wps[static_cast<std::size_t>(run.fin - 1)];
        records.push_back(std::to_string(runs.size()) + "-" + std::to_string(wps[0]) + "-" + std::to_string(wps[1]) +
                          "-" + std::to_string(wps[2]));
    }
    rows.addTexts("Name", names);
    rows.addTexts("H.ID.", numbers);
    rows.addTexts("Owner", owners);
    rows.addTexts("Record", records);
    rows.add("Earnings",
             perHorse(horses,
                      [](const Runs& runs) -> std::optional<double> {
                          std::int64_t sum = 0;
                          for (const auto& run : runs) sum += base::earningsOf(run.purse, run.fin);
                          return static_cast<double>(sum);
                      }),
             Better::Higher, [](double v) { return base::formatNumber(v, "$#,##0"); });
}

void addReturnAndTag(RowsBuilder& rows, const std::vector<Runs>& horses, int today) {
    rows.add("Flat Bet %",
             perHorse(horses,
                      [](const Runs& runs) {
                          FlatBet bet;
                          for (const auto& run : runs) bet.add(run.fin, run.odds);
                          return bet.percent();
                      }),
             Better::Higher, [](double v) { return base::formatNumber(v, "#0.0"); });
    rows.add("Tag",
             perHorse(horses,
                      [today](const Runs& runs) -> std::optional<double> {
                          ClaimingTag tag;
                          for (const auto& run : runs) tag.add(run.racenum, run.restr, run.cprice, today);
                          if (const auto shown = tag.shown()) return *shown;
                          return std::nullopt;
                      }),
             Better::Lower, [](double v) { return base::formatNumber(v, "$#,##0"); });
}

}  // namespace

std::vector<ComparisonRow> compareHorses(const std::vector<Runs>& horses, const std::map<int, std::string>& trackCodes,
                                         int today) {
    RowsBuilder rows;
    addRecordRows(rows, horses);
    addSpeedRows(rows, horses, "Dirt", [](const store::RunRecord& run) { return run.surf == "D"; });
    addSpeedRows(rows, horses, "Turf", [](const store::RunRecord& run) { return run.surf == "T"; });
    for (std::size_t b = 0; b < kDistanceBuckets.size(); ++b)
        addSpeedRows(rows, horses, std::string(kDistanceBuckets[b]),
                     [b](const store::RunRecord& run) { return distanceBucketOf(run.dist) == b; });
    for (int i = 0; i < kComparedRuns; ++i) {
        std::vector<std::string> cells;
        for (const auto& runs : horses)
            cells.push_back(static_cast<std::size_t>(i) < runs.size()
                                ? runText(runs[static_cast<std::size_t>(i)], trackCodes)
                                : "");
        rows.addTexts("Run " + std::to_string(i + 1), cells);
    }
    addReturnAndTag(rows, horses, today);
    return rows.take();
}

namespace {

// "Clm 5000 (83.00)": the class a horse fits best on one surface, with its par.
ComparisonRow fitsRow(store::Database& db, const std::vector<std::int64_t>& ids, const std::vector<ParRow>& pars,
                      const std::string& caption, const std::string& surface) {
    ComparisonRow row{caption, {}, std::nullopt};
    for (const std::int64_t id : ids) {
        const auto best = bestFit(placeHorse(db, id, {}), pars, surface);
        row.cells.push_back(best ? classText(best->key) + " (" + figureText(best->par) + ")" : "");
    }
    return row;
}

std::vector<HeadToHead> meetingsOf(store::Database& db, const std::vector<std::int64_t>& ids,
                                   const std::vector<Runs>& horses) {
    std::vector<HeadToHead> pairs;
    for (std::size_t a = 0; a < ids.size(); ++a)
        for (std::size_t b = a + 1; b < ids.size(); ++b) {
            const auto met = store::meetings(db, ids[a], ids[b]);
            pairs.push_back(
                {ids[a], ids[b], met.races, met.firstAhead, horses[a].front().hname, horses[b].front().hname});
        }
    return pairs;
}

}  // namespace

Comparison compareHorses(store::Database& db, const std::vector<std::int64_t>& ids, int today) {
    if (ids.size() < kFewestCompared || ids.size() > kMostCompared)
        throw FindError("Choose two to four horses to compare.");
    const store::ReadTransaction snapshot(db);  // every horse as of one state of the store
    std::vector<Runs> horses;
    for (const std::int64_t id : ids) {
        horses.push_back(store::runsOfHorse(db, id));
        if (horses.back().empty()) throw FindError("No horse has the number " + std::to_string(id) + ".");
    }
    Comparison comparison;
    std::map<int, std::string> codes;
    for (auto& track : store::listTracks(db)) codes.emplace(track.num, std::move(track.stcode));
    comparison.rows = compareHorses(horses, codes, today);
    const auto pars = everyWeekPars(db);
    comparison.rows.push_back(fitsRow(db, ids, pars, "Fits (dirt)", "D"));
    comparison.rows.push_back(fitsRow(db, ids, pars, "Fits (turf)", "T"));
    comparison.headToHead = meetingsOf(db, ids, horses);
    return comparison;
}

std::vector<std::string> headToHeadLines(const Comparison& comparison) {
    std::vector<std::string> lines;
    for (const auto& met : comparison.headToHead)
        lines.push_back(met.races == 0
                            ? met.firstName + " and " + met.secondName + " never met"
                            : met.firstName + " ahead of " + met.secondName + " in " + std::to_string(met.firstAhead) +
                                  " of " + std::to_string(met.races) + (met.races == 1 ? " race" : " races"));
    return lines;
}

std::optional<Comparison> compareHorses(shell::MainFinder& window, const std::vector<std::int64_t>& ids) {
    try {
        auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
        return compareHorses(db, ids, window.clock().today());
    } catch (const FindError& e) {
        window.dialogs().message(e.what(), base::kAppTitle);
    } catch (const store::StoreError& e) { window.dialogs().message(e.what(), base::kAppTitle); }
    return std::nullopt;
}

std::vector<std::int64_t> selectedHorseIds(const base::GridModel& grid, int column) {
    std::vector<std::int64_t> ids;
    for (const int r : grid.selectedDataRows()) {
        const auto id = base::parseNumber(grid.text(r, column));
        if (id && std::ranges::find(ids, static_cast<std::int64_t>(*id)) == ids.end())
            ids.push_back(static_cast<std::int64_t>(*id));
    }
    return ids;
}

std::vector<std::vector<std::string>> comparisonTable(const Comparison& comparison) {
    std::vector<std::vector<std::string>> table;
    for (const auto& row : comparison.rows) {
        table.push_back({row.caption});
        table.back().insert(table.back().end(), row.cells.begin(), row.cells.end());
    }
    table.emplace_back();
    for (const auto& line : headToHeadLines(comparison)) table.push_back({line});
    return table;
}

}  // namespace search
