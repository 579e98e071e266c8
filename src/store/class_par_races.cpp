// SPDX-License-Identifier: MIT
#include "store/class_par_races.h"

#include "store/database.h"
#include "store/transaction.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace store {

namespace {

// The placed runners of one race as the merge collects them.
struct Placed {
    std::int32_t winner = 0;
    std::vector<std::int32_t> thirds;
};

// Steps through the placed runners (winners and thirds, race-number order) alongside the
// races, handing out those of each race in turn.
class PlacedRunners {
public:
    PlacedRunners(Database& db, double low, double high)
        : select_(db.prepare("SELECT racenum, fin, sp FROM tblhorsedata WHERE fin IN (1, 3) AND racenum > ?1 "
                             "AND racenum < ?2 ORDER BY racenum")) {
        select_.bind(1, low).bind(2, high);
        next();
    }

    // The placed runners of race `racenum`; the same again for a race number stored twice.
    const Placed& of(double racenum) {
        if (racenum == current_) return placed_;
        current_ = racenum;
        placed_.winner = 0;
        placed_.thirds.clear();
        while (more_ && rowRace_ < racenum) next();
        for (; more_ && rowRace_ == racenum; next()) {
            const std::int32_t speed = tenths(select_.real(2));
            if (select_.integer(1) == 1) placed_.winner = std::max(placed_.winner, speed);
            else if (speed > 0) placed_.thirds.push_back(speed);
        }
        return placed_;
    }

private:
    void next() {
        more_ = select_.step();
        if (more_) rowRace_ = select_.real(0);
    }

    Statement select_;
    bool more_ = false;
    double rowRace_ = 0;  // the race of the row the statement stands on
    double current_ = -1;
    Placed placed_;
};

// Finds a class by the texts of a race's row without copying them.
struct ClassView {
    std::string_view restr;
    std::int64_t claim;
    std::string_view surface;
};

struct ClassHash {
    using is_transparent = void;
    std::size_t operator()(const ClassView& key) const {
        const std::size_t h = std::hash<std::string_view>{}(key.restr) * 31 + std::hash<std::int64_t>{}(key.claim);
        return h * 31 + std::hash<std::string_view>{}(key.surface);
    }
    std::size_t operator()(const ClassKey& key) const { return (*this)(ClassView{key.restr, key.claim, key.surface}); }
};

struct ClassEqual {
    using is_transparent = void;
    static ClassView view(const ClassKey& key) { return {key.restr, key.claim, key.surface}; }
    static ClassView view(const ClassView& key) { return key; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
        const ClassView x = view(a), y = view(b);
        return x.claim == y.claim && x.restr == y.restr && x.surface == y.surface;
    }
};

}  // namespace

std::int32_t tenths(double speed) { return static_cast<std::int32_t>(std::llround(speed * 10)); }

ClassTable classFigures(Database& db, double low, double high) {
    ReadTransaction oneState(db);  // the races and their runners as of one moment
    Statement races = db.prepare(
        "SELECT racenum, restr, coalesce(cprice, 0), surf FROM tblraces WHERE racenum > ?1 AND racenum < ?2 "
        "ORDER BY racenum");
    races.bind(1, low).bind(2, high);
    PlacedRunners placed(db, low, high);
    // Classes found by the texts of each row as they stand, so a race costs one hash and
    // no copy; ordered once at the end.
    std::unordered_map<ClassKey, ClassFigures, ClassHash, ClassEqual> classes;
    while (races.step()) {
        const Placed& race = placed.of(races.real(0));
        if (race.winner <= 0) continue;
        const ClassView key{races.textView(1), races.integer(2), races.textView(3)};
        auto found = classes.find(key);
        if (found == classes.end())
            found =
                classes.emplace(ClassKey{std::string(key.restr), key.claim, std::string(key.surface)}, ClassFigures{})
                    .first;
        found->second.winners.push_back(race.winner);
        found->second.thirds.insert(found->second.thirds.end(), race.thirds.begin(), race.thirds.end());
    }
    ClassTable table;
    for (auto& [key, figures] : classes) table.emplace(key, std::move(figures));
    return table;
}

std::vector<HorseFigure> newestFigures(Database& db, std::int64_t hid, double low, double high, int most) {
    Statement select = db.prepare(
        "SELECT racenum, sp FROM tblhorsedata WHERE hid = ?1 AND racenum > ?2 AND racenum < ?3 AND sp > 0 "
        "ORDER BY racenum DESC LIMIT ?4");
    select.bind(1, hid).bind(2, low).bind(3, high).bind(4, most);
    std::vector<HorseFigure> figures;
    while (select.step()) figures.push_back({select.real(0), tenths(select.real(1))});
    return figures;
}

std::vector<std::string> surfacesRun(Database& db, std::int64_t hid, double low, double high) {
    Statement select = db.prepare(
        "SELECT DISTINCT r.surf FROM tblhorsedata h JOIN tblraces r ON r.racenum = h.racenum "
        "WHERE h.hid = ?1 AND h.racenum > ?2 AND h.racenum < ?3 ORDER BY r.surf");
    select.bind(1, hid).bind(2, low).bind(3, high);
    std::vector<std::string> surfaces;
    while (select.step()) surfaces.push_back(select.text(0));
    return surfaces;
}

Meetings meetings(Database& db, std::int64_t first, std::int64_t second) {
    Statement select = db.prepare(
        "SELECT count(*), coalesce(sum(a.fin > 0 AND (b.fin <= 0 OR a.fin < b.fin)), 0) "
        "FROM tblhorsedata a JOIN tblhorsedata b ON b.racenum = a.racenum AND b.hid = ?2 WHERE a.hid = ?1");
    select.bind(1, first).bind(2, second);
    select.step();
    return {static_cast<int>(select.integer(0)), static_cast<int>(select.integer(1))};
}

}  // namespace store
