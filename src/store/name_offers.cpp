// SPDX-License-Identifier: MIT
#include "store/name_offers.h"

#include "store/database.h"
#include "store/race_weeks.h"
#include "store/statement.h"
#include "store/text_compare.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_set>
#include <utility>

namespace store {

namespace {

// A prefix as a range of the NOCASE name indexes: every name that begins with it sorts at
// or after it and before it followed by the byte 0xFF, which no UTF-8 text holds. A range
// takes the prefix's quotes, % and _ as plain characters, as a LIKE pattern would not.
std::string upperBound(std::string_view prefix) { return std::string(prefix) + '\xFF'; }

bool offeredBefore(const HorseNameOffer& a, const HorseNameOffer& b) {
    if (a.lastRace != b.lastRace) return a.lastRace > b.lastRace;
    if (const int order = compareNames(a.name, b.name)) return order < 0;
    return a.hid < b.hid;
}

std::vector<HorseNameOffer> firstOffers(std::vector<HorseNameOffer> offers, std::size_t limit) {
    std::ranges::sort(offers, offeredBefore);
    if (offers.size() > limit) offers.resize(limit);
    return offers;
}

// The newest runs read for a common prefix before its offers are looked for by name instead.
constexpr int kMostNewestRuns = 100000;

// A run read newest race first costs about three index entries read under the prefix, and
// for a prefix of R runs among N the newest races hold `limit` offers within some
// limit * N / R runs: reading by name is the cheaper while R * R < 3 * limit * N.
std::int64_t evenCostRuns(Database& db, std::size_t limit) {
    const auto runs = static_cast<double>(storedRunsEstimate(db));
    return static_cast<std::int64_t>(std::sqrt(3.0 * static_cast<double>(limit) * runs)) + 1;
}

bool commonPrefix(Database& db, std::string_view prefix, std::int64_t commonPrefixRuns) {
    Statement count =
        db.prepare("SELECT count(*) FROM (SELECT 1 FROM tblhorsedata WHERE hname >= ?1 AND hname < ?2 LIMIT ?3)");
    count.bind(1, prefix).bind(2, upperBound(prefix)).bind(3, commonPrefixRuns).step();
    return count.integer(0) >= commonPrefixRuns;
}

// Walks the runs newest race first: a horse's first run met is its newest. Done once
// `limit` horses are offered and the race of the last one is over; nothing when the walk
// gives up first.
std::optional<std::vector<HorseNameOffer>> offersOfNewestRuns(Database& db, std::string_view prefix,
                                                              std::size_t limit) {
    Statement runs = db.prepare("SELECT hid, hname, racenum FROM tblhorsedata ORDER BY racenum DESC");
    std::unordered_set<std::int64_t> seen;
    std::vector<HorseNameOffer> offers;
    for (int read = 1; runs.step(); ++read) {
        if (read > kMostNewestRuns) return std::nullopt;
        const double race = runs.real(2);
        if (offers.size() >= limit && race < offers[limit - 1].lastRace) return firstOffers(std::move(offers), limit);
        if (!seen.insert(runs.integer(0)).second) continue;
        if (nameBeginsWith(runs.textView(1), prefix)) offers.push_back({runs.text(1), runs.integer(0), race});
    }
    return firstOffers(std::move(offers), limit);
}

// The names under the prefix with the newest race run under each, newest first: read
// from the name index alone.
std::vector<std::pair<std::string, double>> namesUnder(Database& db, std::string_view prefix) {
    Statement names =
        db.prepare("SELECT hname, max(racenum) FROM tblhorsedata WHERE hname >= ?1 AND hname < ?2 GROUP BY hname");
    names.bind(1, prefix).bind(2, upperBound(prefix));
    std::vector<std::pair<std::string, double>> found;
    while (names.step()) found.emplace_back(names.text(0), names.real(1));
    std::ranges::sort(found, [](const auto& a, const auto& b) { return a.second > b.second; });
    return found;
}

// Looks for the offers name by name, newest name first, until no name left can hold a
// horse newer than the last one offered. Each horse is offered under its newest run,
// which its newest name's newest race is.
std::vector<HorseNameOffer> offersByName(Database& db, std::string_view prefix, std::size_t limit) {
    Statement horses = db.prepare("SELECT DISTINCT hid FROM tblhorsedata WHERE hname = ?1", Reuse::Repeated);
    Statement newest = db.prepare(
        "SELECT hname, racenum FROM tblhorsedata WHERE hid = ?1 ORDER BY racenum DESC LIMIT 1", Reuse::Repeated);
    std::unordered_set<std::int64_t> seen;
    std::vector<HorseNameOffer> offers;
    for (const auto& [name, newestRace] : namesUnder(db, prefix)) {
        if (offers.size() >= limit) {
            offers = firstOffers(std::move(offers), limit);
            if (newestRace < offers.back().lastRace) break;
        }
        horses.reset();
        horses.bind(1, name);
        while (horses.step()) {
            const std::int64_t hid = horses.integer(0);
            if (!seen.insert(hid).second) continue;
            newest.reset();
            if (newest.bind(1, hid).step() && nameBeginsWith(newest.textView(0), prefix))
                offers.push_back({newest.text(0), hid, newest.real(1)});
        }
    }
    return firstOffers(std::move(offers), limit);
}

}  // namespace

std::vector<HorseNameOffer> horseNameOffers(Database& db, std::string_view prefix, std::size_t limit,
                                            std::optional<std::int64_t> commonPrefixRuns) {
    if (limit == 0) return {};
    if (commonPrefix(db, prefix, commonPrefixRuns.value_or(evenCostRuns(db, limit))))
        if (auto offers = offersOfNewestRuns(db, prefix, limit)) return std::move(*offers);
    return offersByName(db, prefix, limit);
}

std::vector<std::string> ownerNameOffers(Database& db, std::string_view prefix, std::size_t limit) {
    // Each stable under the prefix is found by one step of the owner index from the one
    // before it, and its newest race by one more, so a stable's thousands of runs are
    // never read.
    Statement owners = db.prepare(
        "WITH RECURSIVE stable(name) AS ("
        "  SELECT min(oname) FROM tblhorsedata WHERE oname >= ?1 AND oname < ?2"
        "  UNION ALL SELECT (SELECT min(oname) FROM tblhorsedata WHERE oname > stable.name AND oname < ?2)"
        "  FROM stable WHERE stable.name IS NOT NULL) "
        "SELECT name, (SELECT max(racenum) FROM tblhorsedata WHERE oname = stable.name) AS newest "
        "FROM stable WHERE name IS NOT NULL ORDER BY newest DESC, name COLLATE NOCASE LIMIT ?3");
    owners.bind(1, prefix).bind(2, upperBound(prefix)).bind(3, static_cast<std::int64_t>(limit));
    std::vector<std::string> names;
    while (owners.step()) names.push_back(owners.text(0));
    return names;
}

}  // namespace store
