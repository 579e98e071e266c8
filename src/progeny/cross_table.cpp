// SPDX-License-Identifier: MIT
#include "progeny/cross_table.h"

#include "progeny/breeding_file_reader.h"
#include "progeny/offspring_reading.h"
#include "store/stored_name.h"
#include "base/earnings.h"
#include "base/capitalise.h"
#include "base/number_format.h"
#include "store/offspring_runs.h"
#include "store/text_compare.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>
#include <map>
#include <tuple>

namespace progeny {

namespace {

constexpr const char* kSpeedMask = "#0.0";
constexpr const char* kPercentageMask = "#0.0";
constexpr const char* kIndexMask = "#0.00";
constexpr const char* kEarningsMask = "#0";

// What one offspring's runs add up to.
struct OffspringFigures {
    int starts = 0;
    int wins = 0;
    std::optional<float> bestDirt, bestTurf;
    std::int64_t earnings = 0;
};

void keepBest(std::optional<float>& best, float speed) {
    if (!best || *best < speed) best = speed;
}

// Dirt and turf bests as the progeny statistics take them: a speed above 0 on "D" or "T".
OffspringFigures figuresOf(const std::vector<store::OffspringRun>& runs) {
    OffspringFigures figures;
    for (const auto& run : runs) {
        ++figures.starts;
        if (run.fin == 1) ++figures.wins;
        figures.earnings += base::earningsOf(run.purse, static_cast<int>(run.fin));
        if (run.sp <= 0) continue;
        if (run.surf == "D") keepBest(figures.bestDirt, run.sp);
        if (run.surf == "T") keepBest(figures.bestTurf, run.sp);
    }
    return figures;
}

// The best speeds of one surface over a group's offspring.
struct SurfaceBests {
    std::optional<float> best;
    double sum = 0;
    int count = 0;

    void add(const std::optional<float>& speed) {
        if (!speed) return;
        keepBest(best, *speed);
        sum += *speed;
        ++count;
    }
    std::optional<double> average() const { return count > 0 ? std::optional<double>(sum / count) : std::nullopt; }
};

std::optional<double> share(double part, double whole) {
    return whole > 0 ? std::optional<double>(100.0 * part / whole) : std::nullopt;
}

// A group's figures while its offspring are added.
struct Tally {
    std::string name;
    int offspring = 0, starters = 0, winners = 0, wins = 0, starts = 0;
    SurfaceBests dirt, turf;
    std::int64_t earnings = 0;

    void add(const OffspringFigures& figures) {
        ++offspring;
        if (figures.starts == 0) return;
        ++starters;
        if (figures.wins > 0) ++winners;
        wins += figures.wins;
        starts += figures.starts;
        dirt.add(figures.bestDirt);
        turf.add(figures.bestTurf);
        earnings += figures.earnings;
    }

    CrossGroup group() const {
        CrossGroup g{.name = name,
                     .offspring = offspring,
                     .starters = starters,
                     .winners = winners,
                     .wins = wins,
                     .starts = starts,
                     .winnersPct = share(winners, starters),
                     .winPct = share(wins, starts),
                     .bestDirt = dirt.best,
                     .bestTurf = turf.best,
                     .avgBestDirt = dirt.average(),
                     .avgBestTurf = turf.average(),
                     .earningsPerStarter = std::nullopt,
                     .index = std::nullopt};
        if (starters > 0) g.earningsPerStarter = static_cast<double>(earnings) / starters;
        return g;
    }
};

// Names group without regard to letter case, as the breeding file's names compare.
std::string groupKey(const std::string& name) {
    std::string key = name;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

bool ofChosenAge(const Offspring& horse, CrossAges ages) {
    switch (ages) {
    case CrossAges::TwoYearOlds:
        return horse.age < 3;
    case CrossAges::Older:
        return horse.age > 2;
    case CrossAges::All:
        break;
    }
    return true;
}

// The offspring of the cross, as the progeny search finds them: by the sire when one is
// given (then only those whose dam-sire is the one given too), else by the dam-sire.
BreedingSelection crossOffspring(TextSource& breeding, const CrossRequest& request) {
    const std::string sire = std::string(store::storedHorseName(request.sire));
    const std::string damSire = std::string(store::storedHorseName(request.damSire));
    if (sire.empty()) return selectOffspring(breeding, damSire, Ancestor::DamSire);
    BreedingSelection selection = selectOffspring(breeding, sire, Ancestor::Sire);
    if (!damSire.empty())
        std::erase_if(selection.offspring,
                      [&](const Offspring& horse) { return !store::equalsIgnoringCase(horse.damSire, damSire); });
    return selection;
}

CrossHorse crossHorse(const Offspring& horse, const OffspringFigures& figures) {
    return {base::capitaliseWords(horse.name),
            horse.number,
            figures.starts,
            figures.wins,
            figures.bestDirt,
            figures.bestTurf};
}

std::string optionalText(const std::optional<double>& value, const char* mask) {
    return value ? base::formatNumber(*value, mask) : std::string();
}

std::string speedText(const std::optional<float>& speed) {
    return speed ? base::formatNumber(*speed, kSpeedMask) : std::string();
}

// The figure that the text shows, read back without regard to the locale.
double rounded(double value, const char* mask) {
    const std::string text = base::formatNumber(value, mask);
    double shown = 0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

}  // namespace

CrossMode crossModeOf(const CrossRequest& request) {
    if (request.sire.empty()) return CrossMode::BySire;
    return request.damSire.empty() ? CrossMode::ByDamSire : CrossMode::Offspring;
}

CrossTable crossTable(TextSource& breeding, store::Database& db, const CrossRequest& request,
                      store::SecondConnection* beside) {
    CrossTable table;
    table.mode = crossModeOf(request);
    const BreedingSelection selection = crossOffspring(breeding, request);
    table.problem = selection.problem;

    std::vector<Offspring> chosen;
    std::ranges::copy_if(selection.offspring, std::back_inserter(chosen),
                         [&](const Offspring& horse) { return ofChosenAge(horse, request.ages); });
    Tally baseline;
    baseline.name = base::capitaliseWords(table.mode == CrossMode::BySire ? request.damSire : request.sire);
    std::vector<Tally> tallies;
    std::map<std::string, std::size_t> tallyOf;
    readOffspringRuns(db, beside, chosen, [&](std::size_t i, const std::vector<store::OffspringRun>& runs) {
        const Offspring& horse = chosen[i];
        const OffspringFigures figures = figuresOf(runs);
        baseline.add(figures);
        if (table.mode == CrossMode::Offspring) {
            table.horses.push_back(crossHorse(horse, figures));
            return;
        }
        const std::string& name = table.mode == CrossMode::ByDamSire ? horse.damSire : horse.sire;
        const auto [found, added] = tallyOf.try_emplace(groupKey(name), tallies.size());
        if (added) {
            tallies.emplace_back();
            tallies.back().name = base::capitaliseWords(name);
        }
        tallies[found->second].add(figures);
    });

    table.baseline = baseline.group();
    const auto& usual = table.baseline;
    for (const Tally& tally : tallies) {
        CrossGroup group = tally.group();
        if (group.starters >= request.minStarters && group.starters > 0 && usual.winners > 0)
            group.index = (static_cast<double>(group.winners) / group.starters) /
                          (static_cast<double>(usual.winners) / usual.starters);
        table.groups.push_back(std::move(group));
    }
    std::ranges::sort(table.groups, [](const CrossGroup& a, const CrossGroup& b) {
        return std::tuple(b.starters, groupKey(a.name)) < std::tuple(a.starters, groupKey(b.name));
    });
    std::ranges::sort(table.horses, [](const CrossHorse& a, const CrossHorse& b) {
        return std::tuple(b.starts, groupKey(a.name), a.id) < std::tuple(a.starts, groupKey(b.name), b.id);
    });
    return table;
}

std::vector<std::string> crossColumns(CrossMode mode) {
    if (mode == CrossMode::Offspring) return {"Horse Name", "H.ID.", "Starts", "Wins", "Best Dirt", "Best Turf"};
    return {mode == CrossMode::ByDamSire ? "Dam-Sire" : "Sire",
            "Offspring",
            "Starters",
            "Winners",
            "Wins",
            "Starts",
            "Winners %",
            "Wins %",
            "Best Dirt",
            "Avg Dirt",
            "Best Turf",
            "Avg Turf",
            "Earnings/Starter",
            "Index"};
}

std::vector<std::vector<std::string>> crossCells(const CrossTable& table) {
    std::vector<std::vector<std::string>> rows;
    for (const CrossHorse& horse : table.horses)
        rows.push_back({horse.name, std::to_string(horse.id), std::to_string(horse.starts), std::to_string(horse.wins),
                        speedText(horse.bestDirt), speedText(horse.bestTurf)});
    for (const CrossGroup& g : table.groups)
        rows.push_back({g.name, std::to_string(g.offspring), std::to_string(g.starters), std::to_string(g.winners),
                        std::to_string(g.wins), std::to_string(g.starts), optionalText(g.winnersPct, kPercentageMask),
                        optionalText(g.winPct, kPercentageMask), speedText(g.bestDirt),
                        optionalText(g.avgBestDirt, kSpeedMask), speedText(g.bestTurf),
                        optionalText(g.avgBestTurf, kSpeedMask), optionalText(g.earningsPerStarter, kEarningsMask),
                        optionalText(g.index, kIndexMask)});
    return rows;
}

double shownSpeed(double speed) { return rounded(speed, kSpeedMask); }
double shownPercentage(double percentage) { return rounded(percentage, kPercentageMask); }
double shownIndex(double index) { return rounded(index, kIndexMask); }

}  // namespace progeny
