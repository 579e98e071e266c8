// SPDX-License-Identifier: MIT
#include "progeny/crosses_panel.h"

#include "progeny/breeding_file.h"
#include "base/csv_text.h"
#include "base/busy_pointer.h"
#include "base/capitalise.h"
#include "base/number_format.h"
#include "shell/main_finder.h"
#include "shell/main_listing.h"
#include "shell/restore_search_indexes.h"
#include "store/database.h"
#include "store/second_connection.h"
#include "store/store_error.h"

#include <optional>

namespace progeny {

namespace {

constexpr int kNameWidthTwips = 2400;
// The grid's default width holds a caption of this many characters; a longer one widens
// its column by this much for each character.
constexpr std::size_t kCaptionFits = 10;
constexpr int kTwipsPerCharacter = 110;

bool isBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// The minimum of starters: digits, blanks around them allowed; an empty box asks for none.
std::optional<std::int64_t> minimumIn(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return 0;
    const auto last = text.find_last_not_of(' ');
    const std::string digits = text.substr(first, last - first + 1);
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return std::stoll(digits);
}

// The line above the table: whose offspring, and the share of winners that an index of
// 1.00 stands for.
std::string countLine(const CrossTable& table, const CrossRequest& request) {
    const CrossGroup& all = table.baseline;
    std::string whose =
        table.mode == CrossMode::BySire ? "Offspring out of mares by " + all.name : "Offspring of " + all.name;
    if (table.mode == CrossMode::Offspring) whose += " out of mares by " + base::capitaliseWords(request.damSire);
    std::string line = whose + ": " + base::formatNumber(all.offspring, "#,##0") + ", " +
                       base::formatNumber(all.starters, "#,##0") + " starters, " +
                       base::formatNumber(all.winners, "#,##0") + " winners";
    if (all.winnersPct) line += " (" + base::formatNumber(*all.winnersPct, "#0.0") + "% of the starters)";
    return line + ".";
}

}  // namespace

CrossesPanel::CrossesPanel(shell::MainFinder& window, shell::MainListing& listing)
    : grid(1, 1), window_(window), listing_(listing) {
    grid.setText(0, 0, "");
}

bool CrossesPanel::cmdshow_Click() {
    CrossRequest request{.sire = isBlank(txtsire) ? "" : txtsire,
                         .damSire = isBlank(txtdamsire) ? "" : txtdamsire,
                         .ages = cboages == 1   ? CrossAges::TwoYearOlds
                                 : cboages == 2 ? CrossAges::Older
                                                : CrossAges::All};
    if (request.sire.empty() && request.damSire.empty()) {
        lblcount = "Type a sire, a dam-sire or both.";
        return false;
    }
    const auto minimum = minimumIn(txtminstarters);
    if (!minimum) {
        lblcount = "The minimum of starters is a whole number, 0 or more.";
        return false;
    }
    request.minStarters = *minimum;
    std::string why;
    auto file = BreedingFile::open(window_.breedingFile(), why);
    if (!file) {
        lblcount.clear();
        window_.dialogs().message(BreedingFile::unreadable(window_.breedingFile(), why), base::kAppTitle);
        return false;
    }
    base::BusyPointer busy(window_.dialogs());
    CrossTable table;
    try {
        const auto readers = window_.readers();
        auto& [db, beside] = *readers;
        shell::restoreSearchIndexes(window_, db);
        table = crossTable(*file, db, request, &beside);
    } catch (const store::StoreError& e) {
        lblcount = e.what();
        return false;
    }
    fillGrid(table);
    lblcount = countLine(table, request);
    if (table.problem) {
        window_.dialogs().message(*table.problem, base::kAppTitle);
        return false;
    }
    return true;
}

void CrossesPanel::fillGrid(const CrossTable& table) {
    mode_ = table.mode;
    const auto columns = crossColumns(table.mode);
    const auto rows = crossCells(table);
    grid.setRedraw(false);
    grid.setCols(static_cast<int>(columns.size()));
    grid.setRows(static_cast<int>(rows.size()) + 1);
    for (int c = 0; c < grid.cols(); ++c) {
        const std::string& caption = columns[static_cast<std::size_t>(c)];
        grid.setText(0, c, caption);
        if (c == kNameColumn) grid.setColumnWidth(c, kNameWidthTwips);
        else grid.setColumnAlignment(c, base::Alignment::RightCenter);
        if (caption.size() > kCaptionFits)
            grid.setColumnWidth(c, static_cast<int>(caption.size()) * kTwipsPerCharacter);
    }
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            grid.setText(static_cast<int>(r) + 1, static_cast<int>(c), rows[r][c]);
    if (!rows.empty()) grid.select(1, 0, 1, 0);
    grid.setRedraw(true);
}

void CrossesPanel::listHorse(int row) {
    if (!listsHorses() || row < 1 || row >= grid.rows()) return;
    listing_.listHorse(grid.text(row, kNameColumn), grid.text(row, kNumberColumn));
}

std::string CrossesPanel::csv() const { return base::gridCsv(grid); }

void CrossesPanel::cmdexport_Click() const { base::exportCsv(window_.dialogs(), csv()); }

}  // namespace progeny
