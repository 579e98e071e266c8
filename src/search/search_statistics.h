// SPDX-License-Identifier: MIT
// The statistics of a horse, owner or race search, shown in the two statistics grids.
#pragma once

#include "search/listed_run.h"
#include "search/run_classes.h"
#include "search/search_kind.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace base {
class Clock;
class GridModel;
}  // namespace base

namespace search {

// Where the statistics of a search are shown: the two statistics grids and the texts of
// the frame above them and of the status label.
struct StatisticsDisplay {
    base::GridModel& maxSpeedGrid;       // `MSFWGrid`
    base::GridModel& averageSpeedGrid;   // `MSFSGrid`
    std::string& caption;                // of `frainfo`
    std::string& summary;                // of `lblprogress`
};

// The statistics of one horse, owner or race search, gathered over exactly the runs it
// lists: best speeds, starts and win-place-show counts by surface and distance, average
// speeds by surface and sprint or route, finishes, earnings, recent wins, fast runs and
// the claiming tag. `gethorse` resets it, names the subject, adds each listed run and
// has it write the statistics grids and summary texts at the end.
class SearchStatistics {
public:
    // The claiming tag before any claiming race has set it.
    static constexpr std::int32_t kNoTag = ClaimingTag::kNoTag;
    // Tags above this are not shown as a tag.
    static constexpr std::int32_t kHighestShownTag = ClaimingTag::kHighestShownTag;

    SearchStatistics() { reset(); }

    // Everything back to zero, the subject forgotten and the tag at kNoTag.
    void reset();
    // The subject horse and current owner: the first run of the whole result. Runs that
    // match all three are the horse's runs under its current owner.
    void setSubject(std::string hname, std::int64_t hid, std::string oname);
    // Adds one listed run. `threshold` is the speed a run must beat to count in the
    // averages; `today` is today's day number (days since 30 December 1899).
    void add(const ListedRun& run, int threshold, int today);

    // Writes the whole of `display` for a search of kind `opt` titled `title`; the clock gives the short date form of
    // the tag's last week.
    void report(const StatisticsDisplay& display, SearchKind opt, const std::string& title,
                const base::Clock& clock) const;

    int listedRuns() const;

private:
    static constexpr std::size_t kClasses = 3;  // dirt-fast, turf-firm, off-track
    static constexpr std::size_t kBuckets = 8;  // "4-5", "6" ... "11", "12+"
    static constexpr std::size_t kBands = 2;    // sprint, route
    static constexpr std::size_t kPlaces = 5;   // win, place, show, 4th, 5th
    static constexpr std::array<int, 4> kRecentDays{84, 175, 266, 371};

    template <typename T>
    using ByClass = std::array<T, kClasses>;
    template <typename T>
    using ByBucket = std::array<T, kBuckets>;

    struct Tallies {
        ByClass<ByBucket<int>> starts{};
        ByClass<ByBucket<float>> best{};
        ByClass<std::array<ByBucket<int>, 3>> wps{};  // win, place, show
        ByClass<int> races{};
        std::array<ByClass<int>, kBands> speedCount{};
        std::array<ByClass<float>, kBands> speedSum{};
        std::array<int, kPlaces> finishes{};
        std::array<int, kPlaces> sameHorseFinishes{};
        int sameHorseStarts = 0;
        // Kept wider than the 32 bits a search could need, so no listing can overflow.
        std::int64_t totalEarnings = 0;
        std::int64_t sameHorseEarnings = 0;
        std::array<int, kRecentDays.size()> recentWins{};
        int over110 = 0;
        int over100 = 0;
        int over90 = 0;
        ClaimingTag tag;
    };

    bool isSameHorse(const ListedRun& run) const;
    void addToTables(const ListedRun& run, int threshold);
    void addFinish(const ListedRun& run, bool sameHorse, int week, int today);
    void fillMaxSpeedGrid(base::GridModel& grid) const;
    void fillAverageSpeedGrid(base::GridModel& grid) const;
    // The average of one class (kClasses: all) over one band (kBands: both).
    std::string averageSpeedCell(std::size_t surfaceClass, std::size_t band) const;
    std::string captionText(const std::string& title) const;
    std::string horseSummary(const std::string& title, const base::Clock& clock) const;
    std::string ownerSummary(const std::string& title) const;

    std::string subjectName_;
    std::int64_t subjectId_ = 0;
    std::string subjectOwner_;
    Tallies tallies_;
};

}  // namespace search
