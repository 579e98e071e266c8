// SPDX-License-Identifier: MIT
#include "search/race_listing.h"

#include "shell/base/capitalise.h"
#include "shell/base/number_format.h"
#include "shell/base/results_columns.h"

#include <cmath>

namespace search {

using namespace shell::horse_column;

int trackNumberOf(double racenum) {
    // Exactly from the digits: 312.0500 is track 05, where a floating product of the
    // fraction could fall just below 5.
    const auto scaled = static_cast<std::int64_t>(std::llround(racenum * 10000.0));
    return static_cast<int>((scaled % 10000) / 100);
}

std::optional<shell::Colour> rowColourOf(const std::string& cond, const std::string& surf) {
    if (cond == "F") return surf == "T" ? shell::kTurfFirm : shell::kDirtFast;
    if (cond == "G") return surf == "T" ? shell::kTurfGood : shell::kDirtGood;
    if (cond == "S") return shell::kSloppy;
    if (cond == "Y") return shell::kYielding;
    return std::nullopt;
}

RaceListing::RaceListing(shell::GridModel& grid, std::map<int, std::string> trackCodes)
    : grid_(grid), trackCodes_(std::move(trackCodes)) {}

void RaceListing::prepare() {
    for (const int col : {kHorseNumber, kRace, kSpeed, kPost, kPurse, kOdds, kEarnings, kClaiming, kStart}) {
        grid_.select(0, col, 0, col);
        grid_.setCellAlignment(shell::Alignment::RightCenter);
    }
    for (const int col : {kAge, kType, kOwner}) grid_.setColumnAlignment(col, shell::Alignment::LeftTop);
    grid_.setColumnAlignment(kEarnings, shell::Alignment::RightCenter);
}

void RaceListing::fillRow(int row, store::RunRecord&& run, std::int32_t earnings) {
    grid_.clearRow(row);
    grid_.setText(row, kName, shell::capitaliseWords(std::move(run.hname)));
    grid_.setText(row, kHorseNumber, std::to_string(run.hid));
    grid_.setText(row, kRace, shell::formatNumber(run.racenum, "#0.0000"));
    if (const auto code = trackCodes_.find(trackNumberOf(run.racenum)); code != trackCodes_.end())
        grid_.setText(row, kTrack, code->second);
    grid_.setText(row, kAge, std::move(run.age));
    grid_.setText(row, kType, std::move(run.restr));
    grid_.setText(row, kDistance, shell::shortestText(run.dist));
    grid_.setText(row, kSurface, run.surf);
    if (const auto colour = rowColourOf(run.cond, run.surf)) {
        grid_.select(row, kName, row, kStart);
        grid_.setCellForeColour(*colour);
    }
    grid_.setText(row, kSpeed, shell::formatNumber(run.sp, "00.0"));
    grid_.setText(row, kPlace, std::to_string(run.fin));
    grid_.setText(row, kField, std::to_string(run.size));
    grid_.setText(row, kPost, std::to_string(run.ppos));
    grid_.setText(row, kPurse, std::to_string(run.purse));
    grid_.setText(row, kOdds, shell::formatNumber(run.odds, "#0.00"));
    if (run.cprice > 0) grid_.setText(row, kClaiming, std::to_string(run.cprice));
    grid_.setText(row, kEarnings, std::to_string(earnings));
    grid_.setText(row, kOwner, std::move(run.oname));
    grid_.setText(row, kStart, std::to_string(run.start));
}

}  // namespace search
