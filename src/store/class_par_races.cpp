// SPDX-License-Identifier: MIT
#include "store/class_par_races.h"

#include "store/database.h"
#include "store/transaction.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>
#include <deque>

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

// The classes met so far, found by the texts of a race's row without copying them: an
// open-addressed table of indexes into `keys` and `figures`, kept at most half full, so a
// race costs one hash and mostly one probe into memory that stays in the cache.
class ClassFiling {
public:
    ClassFigures& of(std::string_view restr, std::int64_t claim, std::string_view surface) {
        const std::size_t hash = hashOf(restr, claim, surface);
        for (std::size_t slot = hash & mask();; slot = (slot + 1) & mask()) {
            const std::int32_t index = slots_[slot];
            if (index < 0) return add(slot, restr, claim, surface);
            const ClassKey& key = keys_[static_cast<std::size_t>(index)];
            if (key.claim == claim && key.restr == restr && key.surface == surface)
                return figures_[static_cast<std::size_t>(index)];
        }
    }
    ClassTable table() {
        ClassTable table;
        for (std::size_t i = 0; i < keys_.size(); ++i) table.emplace(std::move(keys_[i]), std::move(figures_[i]));
        return table;
    }

private:
    static std::size_t hashOf(std::string_view restr, std::int64_t claim, std::string_view surface) {
        const std::size_t h = std::hash<std::string_view>{}(restr)*31 + static_cast<std::size_t>(claim);
        return (h * 31 + std::hash<std::string_view>{}(surface)) * 0x9E3779B97F4A7C15ull >> 16;
    }
    std::size_t mask() const { return slots_.size() - 1; }
    ClassFigures& add(std::size_t slot, std::string_view restr, std::int64_t claim, std::string_view surface) {
        slots_[slot] = static_cast<std::int32_t>(keys_.size());
        keys_.push_back({std::string(restr), claim, std::string(surface)});
        figures_.emplace_back();
        if (keys_.size() * 2 > slots_.size()) grow();
        return figures_.back();
    }
    void grow() {
        std::vector<std::int32_t> slots(slots_.size() * 2, -1);
        slots_.swap(slots);
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            std::size_t slot = hashOf(keys_[i].restr, keys_[i].claim, keys_[i].surface) & mask();
            while (slots_[slot] >= 0) slot = (slot + 1) & mask();
            slots_[slot] = static_cast<std::int32_t>(i);
        }
    }

    std::vector<std::int32_t> slots_ = std::vector<std::int32_t>(1024, -1);
    std::vector<ClassKey> keys_;
    std::deque<ClassFigures> figures_;  // stays where it is as it grows, for the reference handed out
};

}  // namespace

// Rounded half away from zero, as llround does, without its library call on every runner.
std::int32_t tenths(double speed) {
    return static_cast<std::int32_t>(speed >= 0 ? speed * 10 + 0.5 : speed * 10 - 0.5);
}

ClassTable classFigures(Database& db, double low, double high) {
    ReadTransaction oneState(db);  // the races and their runners as of one moment
    Statement races = db.prepare(
        "SELECT racenum, restr, coalesce(cprice, 0), surf FROM tblraces WHERE racenum > ?1 AND racenum < ?2 "
        "ORDER BY racenum");
    races.bind(1, low).bind(2, high);
    PlacedRunners placed(db, low, high);
    ClassFiling classes;
    while (races.step()) {
        const Placed& race = placed.of(races.real(0));
        if (race.winner <= 0) continue;
        ClassFigures& figures = classes.of(races.textView(1), races.integer(2), races.textView(3));
        figures.winners.push_back(race.winner);
        figures.thirds.insert(figures.thirds.end(), race.thirds.begin(), race.thirds.end());
    }
    ClassTable table = classes.table();
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
