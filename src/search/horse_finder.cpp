// SPDX-License-Identifier: MIT
#include "search/horse_finder.h"

#include "base/earnings.h"
#include "search/flat_bet.h"
#include "search/run_classes.h"
#include "base/number_format.h"
#include "store/horse_runs.h"
#include "store/race_weeks.h"
#include "store/text_compare.h"
#include "store/transaction.h"

#include <algorithm>

namespace search {

namespace {

bool isCounting(const FindCriteria& criteria, const store::RunRecord& run) {
    if (criteria.surface == Surface::Dirt && run.surf != "D") return false;
    if (criteria.surface == Surface::Turf && run.surf != "T") return false;
    if (criteria.minDist && run.dist < *criteria.minDist) return false;
    if (criteria.maxDist && run.dist > *criteria.maxDist) return false;
    return true;
}

// The conditions on the newest run of all.
bool lastRunFits(const FindCriteria& criteria, const store::RunRecord& last) {
    if (!criteria.classes.empty() && std::ranges::none_of(criteria.classes, [&](const std::string& code) {
            return store::equalsIgnoringCase(code, last.restr);
        }))
        return false;
    if (criteria.maxClaim && (last.cprice <= 0 || last.cprice > *criteria.maxClaim)) return false;
    if (criteria.age && !store::equalsIgnoringCase(*criteria.age, last.age)) return false;
    return std::ranges::none_of(criteria.excludedOwners,
                                [&](const std::string& owner) { return store::equalsIgnoringCase(owner, last.oname); });
}

void keepBest(std::optional<float>& best, float speed) {
    if (!best || speed > *best) best = speed;
}

// Record, earnings, speeds and return of the counting runs; best speeds and tag of all.
void addUp(FoundHorse& horse, const FindCriteria& criteria, const std::vector<store::RunRecord>& runs, int today) {
    const int lastK = criteria.lastRuns.value_or(kDefaultLastRuns);
    FlatBet bet;
    ClaimingTag tag;
    float best = 0;
    float recentSum = 0;
    int recent = 0;
    for (const auto& run : runs) {
        tag.add(run.racenum, run.restr, run.cprice, today);
        if (run.surf == "D") keepBest(horse.bestDirt, run.sp);
        if (run.surf == "T") keepBest(horse.bestTurf, run.sp);
        if (!isCounting(criteria, run)) continue;
        ++horse.starts;
        horse.wins += run.fin == 1;
        horse.places += run.fin == 2;
        horse.shows += run.fin == 3;
        horse.earnings += base::earningsOf(run.purse, run.fin);
        bet.add(run.fin, run.odds);
        best = std::max(best, run.sp);
        if (recent < lastK) {
            recentSum += run.sp;
            ++recent;
        }
    }
    horse.lastAverage = recent > 0 ? recentSum / static_cast<float>(recent) : 0;
    horse.speed = criteria.lastRuns ? horse.lastAverage : best;
    horse.flatBetReturn = bet.percent().value_or(0);
    horse.claimingTag = tag.shown();
}

bool recordFits(const FindCriteria& criteria, const FoundHorse& horse) {
    if (horse.starts == 0) return false;
    if (criteria.minSpeed && horse.speed < *criteria.minSpeed) return false;
    if (criteria.minStarts && horse.starts < *criteria.minStarts) return false;
    return !(criteria.maxWins && horse.wins > *criteria.maxWins);
}

std::string speedText(std::optional<float> speed) { return speed ? base::formatNumber(*speed, "#0.0") : ""; }

}  // namespace

std::vector<CriteriaProblem> criteriaProblems(const FindCriteria& criteria) {
    std::vector<CriteriaProblem> problems;
    if (criteria.activeWeeks && *criteria.activeWeeks < 1)
        problems.push_back({"txtactive", "The number of weeks must be 1 or more."});
    if (criteria.lastRuns && *criteria.lastRuns < 1)
        problems.push_back({"txtlast", "The number of runs must be 1 or more."});
    if (criteria.minDist && criteria.maxDist && *criteria.minDist > *criteria.maxDist)
        problems.push_back({"txtmaxdist", "The distance to must not be less than the distance from."});
    return problems;
}

std::optional<FoundHorse> judgeHorse(const FindCriteria& criteria, const std::vector<store::RunRecord>& runs,
                                     int newestWeek, int today) {
    if (runs.empty()) return std::nullopt;
    const store::RunRecord& last = runs.front();
    if (criteria.activeWeeks && weekOf(last.racenum) < newestWeek - *criteria.activeWeeks + 1) return std::nullopt;
    if (!lastRunFits(criteria, last)) return std::nullopt;
    FoundHorse horse;
    horse.id = last.hid;
    horse.name = last.hname;
    horse.owner = last.oname;
    horse.lastWeek = weekOf(last.racenum);
    horse.lastClass = last.restr;
    horse.lastClaim = last.cprice;
    addUp(horse, criteria, runs, today);
    if (!recordFits(criteria, horse)) return std::nullopt;
    return horse;
}

FindResult findHorses(store::Database& db, store::SecondConnection& beside, const FindCriteria& criteria, int today) {
    const store::ReadTransaction snapshot(db);  // the newest week and the runs of one state
    const std::vector<int> weeks = store::raceWeeks(db);
    if (weeks.empty()) throw FindError("The race store holds no races.");
    const int newestWeek = weeks.front();
    std::optional<int> firstWeek;
    if (criteria.activeWeeks) firstWeek = newestWeek - *criteria.activeWeeks + 1;
    FindResult result;
    store::forEachActiveHorse(db, beside, firstWeek, [&](std::vector<store::RunRecord>& runs) {
        if (auto horse = judgeHorse(criteria, runs, newestWeek, today)) result.rows.push_back(std::move(*horse));
        return true;
    });
    result.count = static_cast<std::int64_t>(result.rows.size());
    const auto newestFirst = [](const FoundHorse& a, const FoundHorse& b) {
        return a.lastWeek != b.lastWeek ? a.lastWeek > b.lastWeek : a.id < b.id;
    };
    if (result.rows.size() > kMostFoundRows) {
        std::ranges::partial_sort(result.rows, result.rows.begin() + kMostFoundRows, newestFirst);
        result.rows.resize(kMostFoundRows);
    } else {
        std::ranges::sort(result.rows, newestFirst);
    }
    return result;
}

std::vector<std::string> foundColumns(const FindCriteria& criteria) {
    const int lastK = criteria.lastRuns.value_or(kDefaultLastRuns);
    return {"Name",       "H.ID.",  "Owner", "Last Week", "Class",     "Clm",       "Starts",
            "Wins",       "Places", "Shows", "Earnings",  "Best Dirt", "Best Turf", "Avg Last " + std::to_string(lastK),
            "Flat Bet %", "Tag"};
}

std::vector<std::string> foundCells(const FoundHorse& horse) {
    return {horse.name,
            std::to_string(horse.id),
            horse.owner,
            std::to_string(horse.lastWeek),
            horse.lastClass,
            horse.lastClaim > 0 ? std::to_string(horse.lastClaim) : "",
            std::to_string(horse.starts),
            std::to_string(horse.wins),
            std::to_string(horse.places),
            std::to_string(horse.shows),
            std::to_string(horse.earnings),
            speedText(horse.bestDirt),
            speedText(horse.bestTurf),
            speedText(horse.lastAverage),
            base::formatNumber(horse.flatBetReturn, "#0.0"),
            horse.claimingTag ? std::to_string(*horse.claimingTag) : ""};
}

}  // namespace search
