// SPDX-License-Identifier: MIT
#include "output/speed_chart.h"

#include "base/number_format.h"
#include "base/number_text.h"
#include "base/results_columns.h"
#include "base/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <tuple>

namespace output {

namespace {

namespace run = base::horse_column;
namespace offspring = base::progeny_column;

const char kLineBreak = '\r';

std::optional<double> finiteNumber(std::string_view text) {
    const auto value = base::parseNumber(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

// The subject of the last search as the caption of `frainfo` names it: the part before
// the earnings, or before the offspring count of a progeny search.
std::string subjectOf(std::string_view caption) {
    static constexpr std::string_view prefix = "Statistics for ";
    std::string_view subject = caption.starts_with(prefix) ? caption.substr(prefix.size()) : caption;
    for (const char* end : {";", "  ("}) subject = subject.substr(0, subject.find(end));
    return std::string(subject);
}

std::string runTooltip(const base::GridModel& grid, int row) {
    const auto& track = grid.text(row, run::kTrack);
    return grid.text(row, run::kName) + kLineBreak + "Race " + grid.text(row, run::kRace) +
           (track.empty() ? "" : " at " + track) + kLineBreak + "Class " + grid.text(row, run::kType) + ", distance " +
           grid.text(row, run::kDistance) + kLineBreak + "Finish " + grid.text(row, run::kPlace) + ", odds " +
           grid.text(row, run::kOdds);
}

// The series of the six colour key classes, in the key's order, and the one of runs
// outside them.
std::vector<SpeedSeries> emptySeries(const ChartSource& source) {
    std::vector<SpeedSeries> series;
    const auto& key = source.colourKey;
    for (int r = key.fixedRows(); r < key.rows(); ++r)
        if (const auto& colour = key.cell(r, 0).foreColour) series.push_back({key.text(r, 0), *colour, {}});
    series.push_back({kOtherRuns, source.results.foreColour(), {}});
    return series;
}

// Runs of one week whose speeds chain within `near` of each other would hide each
// other's markers; they stand side by side across the week, in order of speed.
void spreadNearRuns(std::vector<SpeedSeries>& series, double near) {
    std::map<double, std::vector<SpeedPoint*>> byWeek;
    for (auto& each : series)
        for (auto& point : each.points) byWeek[point.week].push_back(&point);
    for (auto& [week, points] : byWeek) {
        std::ranges::sort(points, [](const SpeedPoint* a, const SpeedPoint* b) {
            return std::tie(a->speed, a->row) < std::tie(b->speed, b->row);
        });
        for (std::size_t first = 0; first < points.size();) {
            std::size_t end = first + 1;
            while (end < points.size() && points[end]->speed - points[end - 1]->speed < near) ++end;
            const auto count = static_cast<double>(end - first);
            const double step = count > 1 ? std::min(kSpreadStep, 2 * kSpreadReach / (count - 1)) : 0;
            for (std::size_t i = first; i < end; ++i)
                points[i]->x = week + (static_cast<double>(i - first) - (count - 1) / 2) * step;
            first = end;
        }
    }
}

void addRuns(const ChartSource& source, SpeedChart& chart) {
    const auto& grid = source.results;
    auto series = emptySeries(source);
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        const auto race = finiteNumber(grid.text(row, run::kRace));
        const auto speed = finiteNumber(grid.text(row, run::kSpeed));
        if (!race || !speed) continue;
        // Printing reads a row's colour class back from its race number cell; so does the chart.
        const auto& colour = grid.cell(row, run::kRace).foreColour;
        auto target = std::find_if(series.begin(), series.end() - 1,
                                   [&](const SpeedSeries& s) { return colour && s.colour == *colour; });
        const double week = std::trunc(*race);
        target->points.push_back({week, week, *speed, grid.text(row, run::kPlace) == "1", row});
    }
    std::erase_if(series, [](const SpeedSeries& s) { return s.points.empty(); });
    // A box the search would refuse draws no line.
    const auto threshold = finiteNumber(source.threshold);
    if (threshold && std::abs(*threshold) <= std::numeric_limits<std::int32_t>::max())
        chart.threshold = static_cast<int>(base::roundHalfEven(*threshold));
    double lowest = chart.threshold ? *chart.threshold : INFINITY;
    double highest = chart.threshold ? *chart.threshold : -INFINITY;
    for (const auto& each : series)
        for (const auto& point : each.points) {
            lowest = std::min(lowest, point.speed);
            highest = std::max(highest, point.speed);
        }
    spreadNearRuns(series, std::max(highest - lowest, kLeastSpan) * kNearShare);
    chart.series = std::move(series);
}

double bestOf(const base::GridModel& grid, int row, int firstColumn) {
    double best = 0;
    for (int c = firstColumn; c < firstColumn + offspring::kBands && c < grid.cols(); ++c)
        best = std::max(best, finiteNumber(grid.text(row, c)).value_or(0));
    return best;
}

void addOffspring(const base::GridModel& grid, SpeedChart& chart) {
    std::map<std::string, int> namesSeen;
    for (int row = grid.fixedRows(); row < grid.rows(); ++row)
        if (!grid.text(row, offspring::kName).empty()) ++namesSeen[grid.text(row, offspring::kName)];
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        const auto& name = grid.text(row, offspring::kName);
        if (name.empty()) continue;
        const auto& number = grid.text(row, offspring::kHorseNumber);
        OffspringSpeeds offspring{namesSeen[name] > 1 ? name + " (" + number + ")" : name,
                                  bestOf(grid, row, offspring::kDirtBest),
                                  bestOf(grid, row, offspring::kTurfBest),
                                  {}};
        const auto& races = grid.text(row, offspring::kRaces);
        offspring.tooltip = name + " (" + number + ")" + kLineBreak + "Races " + (races.empty() ? "0" : races) +
                            kLineBreak + kBestOnDirt + " " + base::shortestText(offspring.bestDirt) + kLineBreak +
                            kBestOnTurf + " " + base::shortestText(offspring.bestTurf);
        chart.offspring.push_back(std::move(offspring));
    }
}

}  // namespace

std::string SpeedChart::tooltipAt(const base::GridModel& grid, double x, double speed) const {
    std::string text;
    for (const auto& each : series)
        for (const auto& point : each.points)
            if (point.x == x && point.speed == speed && point.row < grid.rows())
                text += (text.empty() ? "" : std::string(2, kLineBreak)) + runTooltip(grid, point.row);
    return text;
}

int SpeedChart::runCount() const {
    int count = 0;
    for (const auto& each : series) count += static_cast<int>(each.points.size());
    return count;
}

SpeedChart speedChartOf(const ChartSource& source) {
    SpeedChart chart;
    const std::string subject = subjectOf(source.caption);
    const std::string named = subject.empty() ? "" : ": " + subject;
    if (source.horseLayout) {
        addRuns(source, chart);
        chart.kind = SpeedChart::Kind::Runs;
        chart.title = "Speed figures" + named;
    } else {
        addOffspring(source.results, chart);
        chart.kind = SpeedChart::Kind::Progeny;
        chart.title = "Best speeds" + named;
    }
    if (chart.runCount() == 0 && chart.offspring.empty())
        return {SpeedChart::Kind::Nothing, kNothingToShow, {}, {}, {}};
    return chart;
}

std::string thresholdCaption(int threshold) { return "Speed threshold " + std::to_string(threshold); }

double roundTickStep(double span, int maxTicks) {
    if (!(span > 0) || maxTicks < 1) return 1;
    const double least = span / maxTicks;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= least) return factor * power;
    return 10 * power;
}

}  // namespace output
