// SPDX-License-Identifier: MIT
// The stored races' fields that the horse finder reads, loaded in one pass and found by race number.
#pragma once

#include "store/run_query.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace store {

class Database;

// Every stored race's fields that the finder reads, in one pass: joining thousands of
// horses' runs with their races in memory spares an index search per run. The races are
// found by race number in an open-addressed table, a probe or two each; the few distinct
// class, age and surface codes are kept once each. The finder needs neither the track
// condition nor the field size, so they are not read.
class RaceFields {
public:
    // The races numbered `fromRace` or higher; all of them without it.
    explicit RaceFields(Database& db, std::optional<double> fromRace = std::nullopt);

    // Fills in the race of `run` (distance, age, class, surface, purse, claiming price);
    // false when its race is not stored.
    bool complete(RunRecord& run) const;

private:
    // The distinct texts of one column, numbered.
    class Codes {
    public:
        std::uint32_t codeOf(std::string_view text);
        const std::string& text(std::uint32_t code) const { return texts_[code]; }

    private:
        struct Hash {
            using is_transparent = void;
            std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
        };
        std::vector<std::string> texts_;
        std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> index_;
    };

    struct Race {
        double racenum;
        float dist;
        std::uint32_t age, restr, surf;
        std::int64_t purse;
        std::int64_t cprice;
    };
    static constexpr std::uint32_t kEmpty = 0xffffffff;

    // The slot that holds `racenum`'s race, or the empty slot where it belongs; at most
    // half the slots are taken, so a probe soon ends.
    std::size_t slotIndex(double racenum) const;

    std::vector<std::uint32_t> slots_;
    std::vector<Race> races_;
    Codes age_, restr_, surf_;
};

}  // namespace store
