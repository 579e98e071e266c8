// SPDX-License-Identifier: MIT
#include "search/race_listing.h"

#include "base/capitalise.h"
#include "base/number_format.h"
#include "base/results_columns.h"

#include <cmath>
#include <stdexcept>

namespace search {

using namespace base::horse_column;

int trackNumberOf(double racenum) {
    // Exactly from the digits: 312.0500 is track 05, where a floating product of the
    // fraction could fall just below 5.
    const auto scaled = static_cast<std::int64_t>(std::llround(racenum * 10000.0));
    return static_cast<int>((scaled % 10000) / 100);
}

std::optional<base::Colour> rowColourOf(const std::string& cond, const std::string& surf) {
    if (cond == "F") return surf == "T" ? base::kTurfFirm : base::kDirtFast;
    if (cond == "G") return surf == "T" ? base::kTurfGood : base::kDirtGood;
    if (cond == "S") return base::kSloppy;
    if (cond == "Y") return base::kYielding;
    return std::nullopt;
}

RaceListing::RaceListing(base::GridModel& grid, std::map<int, std::string> trackCodes)
    : grid_(grid), trackCodes_(std::move(trackCodes)) {}

void RaceListing::prepare() {
    for (const int col : {kHorseNumber, kRace, kSpeed, kPost, kPurse, kOdds, kEarnings, kClaiming, kStart}) {
        grid_.select(0, col, 0, col);
        grid_.setCellAlignment(base::Alignment::RightCenter);
    }
    for (const int col : {kAge, kType, kOwner}) grid_.setColumnAlignment(col, base::Alignment::LeftTop);
    grid_.setColumnAlignment(kEarnings, base::Alignment::RightCenter);
}

void RaceListing::fillRow(int row, store::RunRecord&& run, std::int32_t earnings) {
    const std::span<base::Cell> cells = grid_.freshRow(row);
    if (cells.size() < static_cast<std::size_t>(kCount)) throw std::out_of_range("the results grid lacks columns");
    const auto put = [&](int col, std::string text) { cells[static_cast<std::size_t>(col)].text = std::move(text); };
    put(kName, base::capitaliseWords(std::move(run.hname)));
    put(kHorseNumber, std::to_string(run.hid));
    put(kRace, base::formatNumber(run.racenum, "#0.0000"));
    if (const auto code = trackCodes_.find(trackNumberOf(run.racenum)); code != trackCodes_.end())
        put(kTrack, code->second);
    put(kAge, std::move(run.age));
    put(kType, std::move(run.restr));
    put(kDistance, base::shortestText(run.dist));
    put(kSurface, run.surf);
    if (const auto colour = rowColourOf(run.cond, run.surf))
        for (int col = kName; col <= kStart; ++col) cells[static_cast<std::size_t>(col)].foreColour = *colour;
    put(kSpeed, base::formatNumber(run.sp, "00.0"));
    put(kPlace, std::to_string(run.fin));
    put(kField, std::to_string(run.size));
    put(kPost, std::to_string(run.ppos));
    put(kPurse, std::to_string(run.purse));
    put(kOdds, base::formatNumber(run.odds, "#0.00"));
    if (run.cprice > 0) put(kClaiming, std::to_string(run.cprice));
    put(kEarnings, std::to_string(earnings));
    put(kOwner, std::move(run.oname));
    put(kStart, std::to_string(run.start));
}

}  // namespace search
