// SPDX-License-Identifier: MIT
#include "progeny/getsires.h"

#include "progeny/breeding_file.h"
#include "progeny/breeding_file_reader.h"
#include "progeny/offspring_reading.h"
#include "progeny/progeny_statistics.h"
#include "base/busy_pointer.h"
#include "shell/restore_search_indexes.h"
#include "base/capitalise.h"
#include "store/database.h"
#include "store/offspring_runs.h"
#include "store/second_connection.h"
#include "store/store_error.h"

#include <algorithm>
#include <array>
#include <utility>

namespace progeny {

namespace {

using namespace base::progeny_column;
constexpr base::Colour kDarkRed = base::rgb(128, 0, 0);
constexpr base::Colour kDarkGreen = base::rgb(0, 128, 0);

Ancestor selectedAncestor(const shell::MainFinder& window) {
    if (window.optdamsire.checked) return Ancestor::DamSire;
    if (window.optdamdamsire.checked) return Ancestor::DamsDamSire;
    return Ancestor::Sire;
}

// The "#" box's number. Its key filter admits digits only, so an empty box (no races
// required) is the one other text it can hold; anything after the digits is ignored.
std::int64_t startsRequired(const std::string& text) {
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<std::int64_t>(value * 10 + (c - '0'), 1'000'000'000);
    }
    return value;
}

// The two ancestors that the listing shows beside the one searched for.
std::array<const std::string*, 2> shownAncestors(const Offspring& horse, Ancestor position) {
    switch (position) {
    case Ancestor::Sire: return {&horse.damSire, &horse.damsDamSire};
    case Ancestor::DamSire: return {&horse.sire, &horse.damsDamSire};
    case Ancestor::DamsDamSire: break;
    }
    return {&horse.sire, &horse.damSire};
}

// Columns 0 to 5 of one row per offspring; the grid grows to hold them all.
void listOffspring(base::GridModel& grid, const std::vector<Offspring>& offspring, Ancestor position) {
    grid.setRows(std::max(grid.rows(), static_cast<int>(offspring.size()) + 1));
    for (std::size_t i = 0; i < offspring.size(); ++i) {
        const Offspring& horse = offspring[i];
        const int row = static_cast<int>(i) + 1;
        const auto ancestors = shownAncestors(horse, position);
        grid.setText(row, kName, base::capitaliseWords(horse.name));
        grid.setText(row, kHorseNumber, std::to_string(horse.number));
        grid.setText(row, kFirstAncestor, base::capitaliseWords(*ancestors[0]));
        grid.setText(row, kSecondAncestor, base::capitaliseWords(*ancestors[1]));
        grid.setText(row, kAge, std::to_string(horse.age));
        grid.setText(row, kSex, horse.sex);
    }
}

void layOutColumns(base::GridModel& grid, Ancestor position) {
    const int ancestorWidth = std::max(grid.columnWidth(kName) - 200, 0);
    // The widths and captions in the columns' order.
    // clang-format off
    // Counts of races and best speeds of 100 and more show whole.
    const std::array<int, kCount> widths{grid.columnWidth(kName), grid.columnWidth(kHorseNumber), ancestorWidth,
                                         ancestorWidth, 250, 250, 330, 250, 310, 310, 310, 330, 330, 330,
                                         330, 330, 330, 330, 330};
    const std::array<const char*, kCount> captions{
        "Horse Name", "H.ID.",
        position == Ancestor::Sire ? "Dam-Sire" : "Sire",
        position == Ancestor::DamsDamSire ? "Dam-Sire" : "Dam-Dam-Sire",
        "Y", "Sx", "#", "M", "Al", "Sk", "Gr", "<8", "<=9", "<11", "11+", "<8", "<=9", "<11", "11+"};
    // clang-format on
    for (int c = 0; c < kCount; ++c) {
        grid.setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
        grid.setText(0, c, captions[static_cast<std::size_t>(c)]);
    }
    grid.setColumnAlignment(kTurfBest, base::Alignment::RightCenter);
}

void showSummary(base::GridModel& grid, int row, const OffspringSummary& summary) {
    if (summary.races == 0) {
        for (int c = kDirtBest; c < kCount; ++c) grid.setText(row, c, "0");
        return;
    }
    grid.setText(row, kRaces, std::to_string(summary.races));
    if (summary.qualified) {
        grid.setText(row, kWon, summary.won ? "Y" : "N");
        grid.setText(row, kAllowance, std::to_string(summary.allowanceOrBetter));
        grid.setText(row, kStakes, std::to_string(summary.stakesOrBetter));
        grid.setText(row, kGraded, std::to_string(summary.graded));
    }
    for (const auto& [surface, first, colour] : {std::tuple{kDirt, kDirtBest, kDarkRed}, {kTurf, kTurfBest, kDarkGreen}}) {
        for (int band = 0; band < kBands; ++band)
            grid.setText(row, first + band, std::to_string(summary.best[surface][static_cast<std::size_t>(band)]));
        grid.select(row, first, row, first + kBands - 1);
        grid.setCellForeColour(colour);
    }
}

// One query per offspring, on the kept connections; the statistics take the offspring in
// the file's order.
void addOffspringRuns(shell::MainFinder& window, const std::vector<Offspring>& offspring,
                      ProgenyStatistics& statistics) {
    const auto readers = window.readers();
    auto& [db, beside] = *readers;
    shell::restoreSearchIndexes(window, db);
    readOffspringRuns(db, &beside, offspring, [&](std::size_t i, const std::vector<store::OffspringRun>& runs) {
        showSummary(window.MSFlexGrid1, static_cast<int>(i) + 1, statistics.add(offspring[i].age, runs));
    });
    window.MSFlexGrid1.select(1, kName, 1, kName);
}

}  // namespace

bool getsires(shell::MainFinder& window, const std::string& sirename) {
    std::string why;
    auto file = BreedingFile::open(window.breedingFile(), why);
    if (!file) {
        window.dialogs().message(BreedingFile::unreadable(window.breedingFile(), why), base::kAppTitle);
        return false;
    }
    base::BusyPointer busy(window.dialogs());
    if (window.MSFSGrid.visible()) window.showProgenyLayout();
    for (int row = 3; row <= 5; ++row)
        for (int col = 1; col <= 5; ++col) window.MSFmaxgrid.setText(row, col, "0");
    base::GridModel& grid = window.MSFlexGrid1;
    grid.clear();
    // A horse's or owner's summary went with the statistics the progeny tables replace.
    window.lblprogress.caption.clear();
    base::RedrawOff redrawOff(grid);
    const Ancestor position = selectedAncestor(window);
    const BreedingSelection selection = selectOffspring(*file, sirename, position);
    file.reset();  // closed before the race store is opened
    listOffspring(grid, selection.offspring, position);
    if (selection.problem) {
        window.dialogs().message(*selection.problem, base::kAppTitle);
        return false;
    }
    const auto count = static_cast<int>(selection.offspring.size());
    grid.setRows(count + 1);
    layOutColumns(grid, position);
    window.frainfo.caption =
        "Statistics for Progeny of " + base::capitaliseWords(sirename) + "  (" + std::to_string(count) + ").";
    ProgenyStatistics statistics(startsRequired(window.txtnum.caption), window.chk2yo.checked);
    try {
        if (count > 0) addOffspringRuns(window, selection.offspring, statistics);
    } catch (const store::StoreError& error) {
        window.dialogs().message(error.what(), base::kAppTitle);
        return false;
    }
    statistics.fillSuccessTable(window.MSFSRGrid);
    statistics.fillSpeedTable(window.MSFmaxgrid);
    window.lblfastest.caption = statistics.fastestLabel();
    return true;
}

}  // namespace progeny
