// SPDX-License-Identifier: MIT
// The stored names that begin with a typed text: horses and stables, for the name box's offers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

class Database;

// A horse as offered: one horse number, named as in its newest run.
struct HorseNameOffer {
    std::string name;
    std::int64_t hid = 0;
    double lastRace = 0;  // the race number of its newest run
    bool operator==(const HorseNameOffer&) const = default;
};

// The horses whose newest run's name begins with `prefix` (ASCII letters in any case, as
// the store's NOCASE collation compares names), one per horse number, newest race first,
// then name, then number; at most `limit`. A prefix that begins `commonPrefixRuns` runs'
// names or more is common enough that the newest races hold its offers, which are then
// read from them; any other's from the runs of the names under it. By default the number
// of runs at which both reads cost about the same, which grows with the store.
std::vector<HorseNameOffer> horseNameOffers(Database& db, std::string_view prefix, std::size_t limit,
                                            std::optional<std::int64_t> commonPrefixRuns = std::nullopt);

// The stable names that begin with `prefix` (compared as above), newest race first, then
// name; at most `limit`. Names that differ only in letter case are one stable.
std::vector<std::string> ownerNameOffers(Database& db, std::string_view prefix, std::size_t limit);

}  // namespace store
