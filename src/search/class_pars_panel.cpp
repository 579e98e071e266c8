// SPDX-License-Identifier: MIT
#include "search/class_pars_panel.h"

#include "base/busy_pointer.h"
#include "base/csv_text.h"
#include "base/number_text.h"
#include "search/horse_finder.h"
#include "shell/main_finder.h"
#include "shell/restore_search_indexes.h"
#include "store/store_error.h"

#include <algorithm>

namespace search {

namespace {

constexpr int kClassWidthTwips = 1400;

// A box's whole number; none for an empty box, and a problem for anything else.
struct BoxNumber {
    std::optional<std::int64_t> value;
    bool usable = true;
};

BoxNumber boxNumber(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) return {};
    const auto number = base::parseNumber(text);
    if (!number || *number != static_cast<double>(static_cast<std::int64_t>(*number))) return {std::nullopt, false};
    return {static_cast<std::int64_t>(*number), true};
}

std::string placementLine(const Placement& horse, int fitted) {
    std::string line = horse.name + " (" + std::to_string(horse.id) + "): ";
    if (!horse.form) return line + "no speed figure within the weeks, so no class fits.";
    return line + "form " + figureText(*horse.form) + " over " + std::to_string(horse.runs) +
           (horse.runs == 1 ? " run" : " runs") + "; fits " + std::to_string(fitted) +
           (fitted == 1 ? " class" : " classes") + ", marked.";
}

}  // namespace

ClassParsPanel::ClassParsPanel(shell::MainFinder& window) : grid(1, 1), window_(window) { grid.setText(0, 0, ""); }

std::optional<ParOptions> ClassParsPanel::optionsFromBoxes() {
    const BoxNumber first = boxNumber(window_.txtfirstweek.caption);
    const BoxNumber last = boxNumber(window_.txtlastweek.caption);
    const BoxNumber minimum = boxNumber(txtminraces);
    if (!first.usable || !last.usable) {
        lblcount = "The main window's week boxes hold no week number.";
        return std::nullopt;
    }
    if (!minimum.usable || (minimum.value && *minimum.value < 0)) {
        lblcount = "The minimum of races is a whole number, 0 or more.";
        return std::nullopt;
    }
    ParOptions options;
    if (first.value) options.firstWeek = static_cast<int>(*first.value);
    if (last.value) options.lastWeek = static_cast<int>(*last.value);
    if (cbosurface > 0) options.surface = cbosurface == 1 ? "D" : "T";
    options.minRaces = minimum.value ? static_cast<int>(*minimum.value) : 0;
    return options;
}

bool ClassParsPanel::cmdshow_Click() {
    const auto options = optionsFromBoxes();
    const BoxNumber id = boxNumber(txtid);
    if (!options) return false;
    if (!id.usable) {
        lblcount = "The ID box takes a horse number.";
        return false;
    }
    base::BusyPointer busy(window_.dialogs());
    try {
        const auto readers = window_.readers();
        auto& db = readers->here;
        shell::restoreSearchIndexes(window_, db);
        const auto table = classPars(db, *options);
        std::optional<Placement> horse;
        if (id.value) horse = placeHorse(db, *id.value, *options);
        fillGrid(table, horse ? &*horse : nullptr);
        lblcount = horse ? placementLine(*horse, static_cast<int>(std::ranges::count_if(
                                                     table, [&](const ParRow& row) { return fits(*horse, row); })))
                         : std::to_string(table.size()) + (table.size() == 1 ? " class." : " classes.");
    } catch (const FindError& e) {
        lblcount = e.what();
        return false;
    } catch (const store::StoreError& e) {
        lblcount.clear();
        window_.dialogs().message(e.what(), base::kAppTitle);
        return false;
    }
    shown_ = true;
    return true;
}

void ClassParsPanel::fillGrid(const std::vector<ParRow>& table, const Placement* horse) {
    const auto rows = parTableText(table, horse);
    grid.setRedraw(false);
    grid.clear();
    grid.setCols(static_cast<int>(rows.front().size()));
    grid.setRows(static_cast<int>(rows.size()));
    grid.setColumnWidth(0, kClassWidthTwips);
    // Class codes such as "42" stay text, on the left.
    grid.setColumnAlignment(0, base::Alignment::LeftCenter);
    for (int c = 1; c < grid.cols(); ++c) grid.setColumnAlignment(c, base::Alignment::RightCenter);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            grid.setText(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
    for (std::size_t r = 0; horse && r < table.size(); ++r) {
        if (!fits(*horse, table[r])) continue;
        for (int c = 0; c < grid.cols(); ++c) {
            grid.setRow(static_cast<int>(r) + 1);
            grid.setCol(c);
            grid.setCellBackColour(kFitColour);
        }
    }
    if (grid.rows() > 1) grid.select(1, 0, 1, 0);
    grid.setRedraw(true);
}

std::string ClassParsPanel::csv() const { return base::gridCsv(grid); }

void ClassParsPanel::cmdexport_Click() const { base::exportCsv(window_.dialogs(), csv()); }

}  // namespace search
