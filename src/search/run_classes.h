// SPDX-License-Identifier: MIT
// How the statistics sort runs by distance, class and week, shared so a horse's figures agree everywhere.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace search {

// How the statistics sort a run: by distance bucket, by claiming class and by week. The
// horse statistics, the finder and the comparison share these, so a horse's figures
// agree wherever they are shown.

// The distance buckets of the statistics grids: "4-5" (4 and 5 alike) to "12+".
constexpr std::array<std::string_view, 8> kDistanceBuckets{"4-5", "6", "7", "8", "9", "10", "11", "12+"};

// The bucket of a distance; shorter races than 4 have none.
inline std::optional<std::size_t> distanceBucketOf(float dist) {
    const float whole = std::floor(dist);
    if (!(whole >= 4)) return std::nullopt;
    const int d = whole > 12 ? 12 : (whole < 5 ? 5 : static_cast<int>(whole));
    return static_cast<std::size_t>(d - 5);
}

inline int weekOf(double racenum) { return static_cast<int>(std::floor(racenum)); }

inline bool isClaimingRace(std::string_view restr) { return restr.starts_with("C") || restr.starts_with("MC"); }

// The lowest claiming price of the claiming races within the last 371 days, fed newest
// run first so that among equal prices the newest race keeps the tag.
struct ClaimingTag {
    static constexpr std::int32_t kNoTag = 9999999;
    static constexpr std::int32_t kHighestShownTag = 500000;
    static constexpr int kDays = 371;

    std::int32_t price = kNoTag;
    int week = 0;

    // `today` is a day number (days since 30 December 1899).
    void add(double racenum, std::string_view restr, std::int64_t cprice, int today);
    // The tag when it is low enough to be shown as one.
    std::optional<std::int32_t> shown() const {
        return price <= kHighestShownTag ? std::optional<std::int32_t>(price) : std::nullopt;
    }
};

}  // namespace search
