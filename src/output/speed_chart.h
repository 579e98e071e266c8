// SPDX-License-Identifier: MIT
// The speed chart's points and series: each listed run's speed by week, or each offspring's best speeds.
#pragma once

#include "base/colour.h"
#include "base/grid_model.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace output {

// One run of the listing as the speed chart plots it.
struct SpeedPoint {
    double week = 0;      // the whole part of the row's race number
    // Where the run is plotted across: its week, moved aside from the runs of that week
    // with nearly the same speed, so that every run shows and can be pointed at.
    double x = 0;
    double speed = 0;     // the row's speed figure
    bool won = false;     // finished first
    int row = 0;          // the grid row it stands for
    bool operator==(const SpeedPoint&) const = default;
};

// The runs of one row colour, named as the colour key names it.
struct SpeedSeries {
    std::string name;
    base::Colour colour = base::kBlack;
    std::vector<SpeedPoint> points;
    bool operator==(const SpeedSeries&) const = default;
};

// One offspring of a progeny listing: its best speed on each surface, over all distances.
struct OffspringSpeeds {
    std::string label;  // the offspring's name, with its number when two share the name
    double bestDirt = 0;
    double bestTurf = 0;
    std::string tooltip;
    bool operator==(const OffspringSpeeds&) const = default;
};

// What the speed chart shows for the results grid as it stands (sorted and filtered
// too): the runs of a horse, owner or race listing by week and speed figure, or the
// best speeds of each offspring of a progeny listing, or nothing.
struct SpeedChart {
    enum class Kind { Nothing, Runs, Progeny };

    Kind kind = Kind::Nothing;
    std::string title;
    // Runs: one series per row colour that has runs, in the colour key's order, then
    // the runs of no colour class.
    std::vector<SpeedSeries> series;
    // Runs: the speed a run must beat to count in the averages of the statistics.
    std::optional<int> threshold;
    // Progeny: one entry per offspring row, in the grid's order.
    std::vector<OffspringSpeeds> offspring;

    // The tooltip of the run plotted at (x, speed), read from the results grid `grid` the
    // chart was made of; of every run there, one after the other, should two coincide.
    // A tooltip names the horse, race, track, class, distance, finish and odds.
    std::string tooltipAt(const base::GridModel& grid, double x, double speed) const;
    int runCount() const;
    bool operator==(const SpeedChart&) const = default;
};

inline const std::string kNothingToShow = "Nothing to show: the results grid lists no runs.";
inline const std::string kOtherRuns = "Other";
inline const std::string kWonRuns = "Won";
inline const std::string kBestOnDirt = "Best on dirt";
inline const std::string kBestOnTurf = "Best on turf";

// What the chart is made of: the results grid and what the main window shows beside it.
struct ChartSource {
    const base::GridModel& results;     // `MSFlexGrid1`
    const base::GridModel& colourKey;   // `MSFColorGridKey`, which names the row colours
    bool horseLayout = true;            // false while the progeny layout is showing
    std::string_view caption;           // of `frainfo`, which names the subject
    std::string_view threshold;         // of `txtinjury`
};

// The chart of the results grid in its current layout.
SpeedChart speedChartOf(const ChartSource& source);

// The legend text of the threshold line.
std::string thresholdCaption(int threshold);

// Runs of one week closer in speed than this share of the chart's speed range (the runs
// and the threshold, at least kLeastSpan) would cover each other's markers; they are moved
// apart across the week.
inline constexpr double kNearShare = 1.0 / 25;
inline constexpr double kLeastSpan = 25;
// How far apart such runs stand, in weeks, and how far from their week they may go.
inline constexpr double kSpreadStep = 0.2;
inline constexpr double kSpreadReach = 0.4;

// A round distance between an axis's ticks: 1, 2 or 5 times a power of ten, the
// smallest that divides `span` into at most `maxTicks` steps.
double roundTickStep(double span, int maxTicks);

}  // namespace output
