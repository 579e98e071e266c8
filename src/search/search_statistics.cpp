// SPDX-License-Identifier: MIT
#include "search/search_statistics.h"

#include "base/calendar.h"
#include "base/capitalise.h"
#include "base/grid_model.h"
#include "base/number_format.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <string_view>

namespace search {

namespace {

constexpr std::size_t kDirtFast = 0;
constexpr std::size_t kTurfFirm = 1;
constexpr std::size_t kOffTrack = 2;
constexpr std::size_t kSprint = 0;
constexpr std::size_t kRoute = 1;
// Longest distance still run as a sprint, compared in single precision like the distance.
constexpr float kLongestSprint = 7.9f;
constexpr char kLineBreak = '\r';

std::size_t surfaceClassOf(const ListedRun& run) {
    if (run.cond != "F") return kOffTrack;
    return run.surf == "T" ? kTurfFirm : kDirtFast;
}

bool withinDays(int week, int days, int today) { return base::kFirstWeekDay + week + days > today; }

template <typename Counts>
std::string joined(const Counts& counts, std::string_view separator) {
    std::string text;
    for (const auto count : counts) {
        if (!text.empty()) text += separator;
        text += std::to_string(count);
    }
    return text;
}

// The special stable search passes its whole owner condition as the title; only the
// first owner's name is shown.
std::string shownTitle(const std::string& title) {
    if (title.find("oname=") == std::string::npos) return base::capitaliseWords(title);
    return base::capitaliseWords("Special: " + title.substr(0, title.find('"')));
}

std::string percentOf(int count, int runs) {
    const float share = runs > 0 ? static_cast<float>(count) / static_cast<float>(runs) : 0.0f;
    return base::formatNumber(share, "#0.0%");
}

}  // namespace

void SearchStatistics::reset() {
    subjectName_.clear();
    subjectId_ = 0;
    subjectOwner_.clear();
    tallies_ = Tallies{};
}

void SearchStatistics::setSubject(std::string hname, std::int64_t hid, std::string oname) {
    subjectName_ = std::move(hname);
    subjectId_ = hid;
    subjectOwner_ = std::move(oname);
}

int SearchStatistics::listedRuns() const {
    return std::accumulate(tallies_.races.begin(), tallies_.races.end(), 0);
}

bool SearchStatistics::isSameHorse(const ListedRun& run) const {
    return run.hid == subjectId_ && run.hname == subjectName_ && run.oname == subjectOwner_;
}

void SearchStatistics::add(const ListedRun& run, int threshold, int today) {
    Tallies& t = tallies_;
    const int week = weekOf(run.racenum);
    t.tag.add(run.racenum, run.restr, run.cprice, today);
    const bool sameHorse = isSameHorse(run);
    addToTables(run, threshold);
    if (run.sp >= 90) ++t.over90;
    if (run.sp >= 100) ++t.over100;
    if (run.sp >= 110) ++t.over110;
    addFinish(run, sameHorse, week, today);
    if (sameHorse) ++t.sameHorseStarts;
    t.totalEarnings += run.earnings;
}

void SearchStatistics::addToTables(const ListedRun& run, int threshold) {
    Tallies& t = tallies_;
    const std::size_t c = surfaceClassOf(run);
    ++t.races[c];
    if (const auto b = distanceBucketOf(run.dist)) {
        ++t.starts[c][*b];
        t.best[c][*b] = std::max(t.best[c][*b], run.sp);
        if (run.fin >= 1 && run.fin <= 3) ++t.wps[c][static_cast<std::size_t>(run.fin - 1)][*b];
    }
    if (run.sp > static_cast<float>(threshold)) {
        const std::size_t band = run.dist <= kLongestSprint ? kSprint : kRoute;
        ++t.speedCount[band][c];
        t.speedSum[band][c] += run.sp;
    }
}

void SearchStatistics::addFinish(const ListedRun& run, bool sameHorse, int week, int today) {
    Tallies& t = tallies_;
    if (run.fin < 1 || run.fin > static_cast<int>(kPlaces)) return;
    const auto place = static_cast<std::size_t>(run.fin - 1);
    ++t.finishes[place];
    if (sameHorse) {
        ++t.sameHorseFinishes[place];
        t.sameHorseEarnings += run.earnings;
    }
    if (run.fin != 1) return;
    for (std::size_t i = 0; i < kRecentDays.size(); ++i) {
        if (withinDays(week, kRecentDays[i], today)) ++t.recentWins[i];
    }
}

void SearchStatistics::report(const StatisticsDisplay& display, SearchKind opt, const std::string& title,
                              const base::Clock& clock) const {
    fillMaxSpeedGrid(display.maxSpeedGrid);
    fillAverageSpeedGrid(display.averageSpeedGrid);
    display.caption = captionText(title);
    if (opt == kHorseByNameAndNumber || opt == kHorseByName || opt == kHorseByNumber) {
        display.summary = horseSummary(title, clock);
    } else if (opt == kOwner) {
        display.summary = ownerSummary(title);
    } else {
        display.summary.clear();
    }
}

void SearchStatistics::fillMaxSpeedGrid(base::GridModel& grid) const {
    const Tallies& t = tallies_;
    const base::RedrawOff redrawOff(grid);
    for (int row = 1; row <= 6; ++row) {
        for (int col = 1; col <= 9; ++col) grid.setText(row, col, "");
    }
    for (std::size_t c = 0; c < kClasses; ++c) {
        const int speedRow = static_cast<int>(c) + 1;
        const int placeRow = static_cast<int>(c) + 4;
        std::array<int, 3> placings{};  // over all buckets
        for (std::size_t b = 0; b < kBuckets; ++b) {
            const std::array<int, 3> bucketPlacings{t.wps[c][0][b], t.wps[c][1][b], t.wps[c][2][b]};
            for (std::size_t p = 0; p < 3; ++p) placings[p] += bucketPlacings[p];
            if (t.starts[c][b] == 0) continue;
            const int col = static_cast<int>(b) + 1;
            grid.setText(speedRow, col,
                         std::to_string(t.starts[c][b]) + "-" + base::formatNumber(t.best[c][b], "#0.0"));
            grid.setText(placeRow, col, joined(bucketPlacings, "-"));
        }
        const float best = *std::max_element(t.best[c].begin(), t.best[c].end());
        const std::string races = "/" + std::to_string(t.races[c]);
        grid.setText(speedRow, 9, base::formatNumber(best, "#0.0") + races);
        grid.setText(placeRow, 9, joined(placings, "-") + races);
    }
}

std::string SearchStatistics::averageSpeedCell(std::size_t surfaceClass, std::size_t band) const {
    const bool allClasses = surfaceClass == kClasses;
    const bool bothBands = band == kBands;
    int count = 0;
    float sum = 0;
    for (std::size_t c = allClasses ? 0 : surfaceClass; c < (allClasses ? kClasses : surfaceClass + 1); ++c) {
        for (std::size_t b = bothBands ? 0 : band; b < (bothBands ? kBands : band + 1); ++b) {
            count += tallies_.speedCount[b][c];
            sum += tallies_.speedSum[b][c];
        }
    }
    if (count == 0) return "0 (0)";
    return base::formatNumber(sum / static_cast<float>(count), "#0.0") + " (" + std::to_string(count) + ")";
}

void SearchStatistics::fillAverageSpeedGrid(base::GridModel& grid) const {
    const base::RedrawOff redrawOff(grid);
    for (std::size_t c = 0; c <= kClasses; ++c) {
        for (std::size_t b = 0; b <= kBands; ++b) {
            grid.setText(static_cast<int>(c) + 1, static_cast<int>(b) + 1, averageSpeedCell(c, b));
        }
    }
}

std::string SearchStatistics::captionText(const std::string& title) const {
    const Tallies& t = tallies_;
    const int placed = std::accumulate(t.finishes.begin(), t.finishes.end(), 0);
    return "Statistics for " + shownTitle(title) + ";     $" + base::formatNumber(t.totalEarnings, "#,##0") + ";  " +
           joined(t.finishes, " - ") + " = " + std::to_string(placed) + " / " + std::to_string(listedRuns());
}

std::string SearchStatistics::horseSummary(const std::string& title, const base::Clock& clock) const {
    const Tallies& t = tallies_;
    const int placed = std::accumulate(t.sameHorseFinishes.begin(), t.sameHorseFinishes.end(), 0);
    std::string text = "Statistics for " + shownTitle(title) + kLineBreak;
    text += "Under trainer:  " + subjectOwner_ + kLineBreak;
    text += "Earnings: " + base::formatNumber(t.sameHorseEarnings, "$#,##0") + kLineBreak;
    text += "W-P-S-4-5:  " + joined(t.sameHorseFinishes, "-") + "=" + std::to_string(placed) + "/" +
            std::to_string(t.sameHorseStarts) + kLineBreak;
    if (const auto tag = t.tag.shown()) {
        const int lastWeek = t.tag.week + ClaimingTag::kDays;
        text += "Current Tag: " + base::formatNumber(*tag, "$0,000") + kLineBreak;
        text += "Last Week of Tag:  Week " + std::to_string(lastWeek) + "  (" +
                clock.shortDate(base::kFirstWeekDay + lastWeek) + ")";
    } else {
        text += "This horse has no tag.";
    }
    text += std::string(2, kLineBreak);
    text += "Last 3, 6, 9, 12 mths: " + joined(t.recentWins, "-") + kLineBreak;
    text += "110+: " + std::to_string(t.over110) + "     100+: " + std::to_string(t.over100) +
            "     90+: " + std::to_string(t.over90);
    return text;
}

std::string SearchStatistics::ownerSummary(const std::string& title) const {
    const Tallies& t = tallies_;
    const int runs = listedRuns();
    const double perRace = runs > 0 ? static_cast<double>(t.totalEarnings) / runs : 0.0;
    std::string text = "Statistics for " + shownTitle(title) + kLineBreak;
    text += "Earnings = " + base::formatNumber(t.totalEarnings, "$#,##0") + " = " +
            base::formatNumber(perRace, "$#,##0") + " / race" + kLineBreak;
    text += "W:  " + std::to_string(t.finishes[0]) + " = " + percentOf(t.finishes[0], runs) + kLineBreak;
    text += "P:  " + std::to_string(t.finishes[1]) + " = " + percentOf(t.finishes[1], runs) + kLineBreak;
    text += "S:  " + std::to_string(t.finishes[2]) + " = " + percentOf(t.finishes[2], runs) + kLineBreak;
    text += kLineBreak;
    text += "110+:  " + std::to_string(t.over110) + " = " + percentOf(t.over110, runs) + kLineBreak;
    text += "100+:  " + std::to_string(t.over100) + " = " + percentOf(t.over100, runs) + kLineBreak;
    text += " 90+:  " + std::to_string(t.over90) + " = " + percentOf(t.over90, runs);
    return text;
}

}  // namespace search
