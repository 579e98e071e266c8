// SPDX-License-Identifier: MIT
#include "store/race_fields.h"

#include "store/database.h"
#include "store/statement.h"

#include <bit>

namespace store {

RaceFields::RaceFields(Database& db, std::optional<double> fromRace) {
    // From a race on, the range is read through the race number index.
    const std::string from = fromRace ? " WHERE racenum >= ?1" : "";
    Statement count = db.prepare("SELECT count(*) FROM tblraces" + from);
    if (fromRace) count.bind(1, *fromRace);
    count.step();
    std::size_t slots = 16;
    while (slots < 2 * static_cast<std::size_t>(count.integer(0))) slots *= 2;
    slots_.assign(slots, kEmpty);
    races_.reserve(static_cast<std::size_t>(count.integer(0)));
    Statement races = db.prepare("SELECT racenum, dist, age, restr, surf, purse, cprice FROM tblraces" + from);
    if (fromRace) races.bind(1, *fromRace);
    while (races.step()) {
        const double racenum = races.real(0);
        std::uint32_t& slot = slots_[slotIndex(racenum)];
        // Of a race number stored twice, the first, as the listings' join would find it first.
        if (slot != kEmpty) continue;
        slot = static_cast<std::uint32_t>(races_.size());
        races_.push_back(Race{.racenum = racenum,
                              .dist = static_cast<float>(races.real(1)),
                              .age = age_.codeOf(races.textView(2)),
                              .restr = restr_.codeOf(races.textView(3)),
                              .surf = surf_.codeOf(races.textView(4)),
                              .purse = races.integer(5),
                              .cprice = races.integer(6)});
    }
}

bool RaceFields::complete(RunRecord& run) const {
    const std::uint32_t slot = slots_[slotIndex(run.racenum)];
    if (slot == kEmpty) return false;
    const Race& race = races_[slot];
    run.dist = race.dist;
    run.age = age_.text(race.age);
    run.restr = restr_.text(race.restr);
    run.surf = surf_.text(race.surf);
    run.purse = race.purse;
    run.cprice = race.cprice;
    return true;
}

std::size_t RaceFields::slotIndex(double racenum) const {
    std::uint64_t hash = std::bit_cast<std::uint64_t>(racenum);
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask)
        if (slots_[i] == kEmpty || races_[slots_[i]].racenum == racenum) return i;
}

std::uint32_t RaceFields::Codes::codeOf(std::string_view text) {
    if (const auto found = index_.find(text); found != index_.end()) return found->second;
    const auto code = static_cast<std::uint32_t>(texts_.size());
    texts_.emplace_back(text);
    index_.emplace(std::string(text), code);
    return code;
}

}  // namespace store
