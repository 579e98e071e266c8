// SPDX-License-Identifier: MIT
#include "output/speed_chart.h"

#include "shell/number_format.h"
#include "shell/number_text.h"
#include "shell/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>

namespace output {

namespace {

// Columns of the horse layout that the chart reads.
enum RunColumn { kName = 0, kRace = 2, kTrack = 4, kClass = 5, kDistance = 6, kSpeed = 8, kPlace = 9, kOdds = 13 };
// Columns of the progeny layout that the chart reads.
enum OffspringColumn { kNumber = 1, kRaces = 6, kDirtBest = 11, kTurfBest = 15 };
constexpr int kBands = 4;  // best speeds per surface, one per distance band

const char kLineBreak = '\r';

std::optional<double> finiteNumber(const std::string& text) {
    const auto value = shell::parseNumber(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

// The subject of the last search as the caption of `frainfo` names it: the part before
// the earnings, or before the offspring count of a progeny search.
std::string subjectOf(const std::string& caption) {
    static const std::string prefix = "Statistics for ";
    std::string subject = caption.rfind(prefix, 0) == 0 ? caption.substr(prefix.size()) : caption;
    for (const char* end : {";", "  ("}) subject = subject.substr(0, subject.find(end));
    return subject;
}

std::string runTooltip(const shell::GridModel& grid, int row) {
    const auto& track = grid.text(row, kTrack);
    return grid.text(row, kName) + kLineBreak + "Race " + grid.text(row, kRace) +
           (track.empty() ? "" : " at " + track) + kLineBreak + "Class " + grid.text(row, kClass) + ", distance " +
           grid.text(row, kDistance) + kLineBreak + "Finish " + grid.text(row, kPlace) + ", odds " +
           grid.text(row, kOdds);
}

// The series of the six colour key classes, in the key's order, and the one of runs
// outside them.
std::vector<SpeedSeries> emptySeries(const shell::MainFinder& window) {
    std::vector<SpeedSeries> series;
    const auto& key = window.MSFColorGridKey;
    for (int r = key.fixedRows(); r < key.rows(); ++r)
        if (const auto& colour = key.cell(r, 0).foreColour) series.push_back({key.text(r, 0), *colour, {}});
    series.push_back({kOtherRuns, window.MSFlexGrid1.foreColour(), {}});
    return series;
}

void addRuns(const shell::MainFinder& window, SpeedChart& chart) {
    const auto& grid = window.MSFlexGrid1;
    auto series = emptySeries(window);
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        const auto race = finiteNumber(grid.text(row, kRace));
        const auto speed = finiteNumber(grid.text(row, kSpeed));
        if (!race || !speed) continue;
        // Printing reads a row's colour class back from its race number cell; so does the chart.
        const auto& colour = grid.cell(row, kRace).foreColour;
        auto target = std::find_if(series.begin(), series.end() - 1,
                                   [&](const SpeedSeries& s) { return colour && s.colour == *colour; });
        target->points.push_back({std::trunc(*race), *speed, grid.text(row, kPlace) == "1", row});
    }
    std::erase_if(series, [](const SpeedSeries& s) { return s.points.empty(); });
    chart.series = std::move(series);
    // A box the search would refuse draws no line.
    const auto threshold = finiteNumber(window.txtinjury.caption);
    if (threshold && std::abs(*threshold) <= std::numeric_limits<std::int32_t>::max())
        chart.threshold = static_cast<int>(shell::roundHalfEven(*threshold));
}

double bestOf(const shell::GridModel& grid, int row, int firstColumn) {
    double best = 0;
    for (int c = firstColumn; c < firstColumn + kBands && c < grid.cols(); ++c)
        best = std::max(best, finiteNumber(grid.text(row, c)).value_or(0));
    return best;
}

void addOffspring(const shell::GridModel& grid, SpeedChart& chart) {
    std::map<std::string, int> namesSeen;
    for (int row = grid.fixedRows(); row < grid.rows(); ++row)
        if (!grid.text(row, kName).empty()) ++namesSeen[grid.text(row, kName)];
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        const auto& name = grid.text(row, kName);
        if (name.empty()) continue;
        const auto& number = grid.text(row, kNumber);
        OffspringSpeeds offspring{namesSeen[name] > 1 ? name + " (" + number + ")" : name, bestOf(grid, row, kDirtBest),
                                  bestOf(grid, row, kTurfBest), {}};
        const auto& races = grid.text(row, kRaces);
        offspring.tooltip = name + " (" + number + ")" + kLineBreak + "Races " + (races.empty() ? "0" : races) +
                            kLineBreak + kBestOnDirt + " " + shell::shortestText(offspring.bestDirt) + kLineBreak +
                            kBestOnTurf + " " + shell::shortestText(offspring.bestTurf);
        chart.offspring.push_back(std::move(offspring));
    }
}

}  // namespace

std::string SpeedChart::tooltipAt(const shell::GridModel& grid, double week, double speed) const {
    std::string text;
    for (const auto& each : series)
        for (const auto& point : each.points)
            if (point.week == week && point.speed == speed && point.row < grid.rows())
                text += (text.empty() ? "" : std::string(2, kLineBreak)) + runTooltip(grid, point.row);
    return text;
}

int SpeedChart::runCount() const {
    int count = 0;
    for (const auto& each : series) count += static_cast<int>(each.points.size());
    return count;
}

SpeedChart speedChartOf(const shell::MainFinder& window) {
    SpeedChart chart;
    const std::string subject = subjectOf(window.frainfo.caption);
    const std::string named = subject.empty() ? "" : ": " + subject;
    if (window.horseLayoutShowing()) {
        addRuns(window, chart);
        chart.kind = SpeedChart::Kind::Runs;
        chart.title = "Speed figures" + named;
    } else {
        addOffspring(window.MSFlexGrid1, chart);
        chart.kind = SpeedChart::Kind::Progeny;
        chart.title = "Best speeds" + named;
    }
    if (chart.runCount() == 0 && chart.offspring.empty())
        return {SpeedChart::Kind::Nothing, kNothingToShow, {}, {}, {}};
    return chart;
}

std::string thresholdCaption(int threshold) { return "Speed threshold " + std::to_string(threshold); }

}  // namespace output
