// SPDX-License-Identifier: MIT
#include "search/horse_finder_panel.h"

#include "base/csv_text.h"
#include "search/criteria_panel.h"
#include "search/horse_comparison.h"
#include "base/atomic_file.h"
#include "shell/main_finder.h"
#include "shell/restore_search_indexes.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "base/regular_file.h"
#include "store/database.h"
#include "store/horse_runs.h"
#include "store/store_error.h"

#include <cmath>
#include <sstream>

namespace search {

namespace {

constexpr int kNameWidthTwips = 2400;
constexpr const char* kNotANumber = "Not a number.";
constexpr const char* kNotAWholeNumber = "Not a whole number.";
constexpr const char* kTooLarge = "Too large.";
// No count, distance, speed or price comes near it; a larger number is a slip of the keys.
constexpr double kLargest = 1e9;

// The number in a box, nothing when it is empty; a problem beside the box otherwise.
std::optional<double> numberIn(const std::string& box, const std::string& text,
                               std::map<std::string, std::string>& problems) {
    if (text.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    const auto value = base::parseNumber(text);
    if (!value) problems[box] = kNotANumber;
    else if (!(std::abs(*value) <= kLargest)) problems[box] = kTooLarge;
    else return value;
    return std::nullopt;
}

std::optional<int> wholeIn(const std::string& box, const std::string& text,
                           std::map<std::string, std::string>& problems) {
    const auto value = numberIn(box, text, problems);
    if (!value) return std::nullopt;
    if (*value != std::floor(*value)) {
        problems[box] = kNotAWholeNumber;
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

}  // namespace

HorseFinderPanel::HorseFinderPanel(shell::MainFinder& window) : grid(1, 1), window_(window) { grid.setText(0, 0, ""); }

std::optional<FindCriteria> HorseFinderPanel::criteria() {
    problems.clear();
    FindCriteria c;
    c.activeWeeks = wholeIn("txtactive", txtactive, problems);
    c.surface = cbosurface == 1 ? Surface::Dirt : cbosurface == 2 ? Surface::Turf : Surface::Any;
    c.minDist = numberIn("txtmindist", txtmindist, problems);
    c.maxDist = numberIn("txtmaxdist", txtmaxdist, problems);
    const auto last = wholeIn("txtlast", txtlast, problems);
    if (optaverage) c.lastRuns = last ? last : std::optional<int>(kDefaultLastRuns);
    c.minSpeed = numberIn("txtminspeed", txtminspeed, problems);
    c.classes = classes;
    if (const auto claim = numberIn("txtmaxclaim", txtmaxclaim, problems))
        c.maxClaim = static_cast<std::int64_t>(*claim);
    if (txtage.find_first_not_of(' ') != std::string::npos) c.age = txtage;
    c.minStarts = wholeIn("txtminstarts", txtminstarts, problems);
    c.maxWins = wholeIn("txtmaxwins", txtmaxwins, problems);
    for (const auto& owner : txtexclude)
        if (owner.find_first_not_of(' ') != std::string::npos) c.excludedOwners.push_back(owner);
    for (const auto& problem : criteriaProblems(c)) problems.emplace(problem.box, problem.message);
    if (!problems.empty()) return std::nullopt;
    return c;
}

bool HorseFinderPanel::cmdfind_Click() {
    const auto chosen = criteria();
    if (!chosen) {
        lblcount = "Correct the marked boxes to search.";
        return false;
    }
    try {
        const auto store = window_.readers();
        shell::restoreSearchIndexes(window_, store->here);
        fillGrid(*chosen, findHorses(store->here, store->beside, *chosen, window_.clock().today()));
    } catch (const FindError& e) {
        lblcount = e.what();
        grid.setRows(1);
        return false;
    } catch (const store::StoreError& e) {
        lblcount = e.what();
        return false;
    }
    saveExcludedOwners();
    return true;
}

void HorseFinderPanel::fillGrid(const FindCriteria& criteria, const FindResult& result) {
    const auto columns = foundColumns(criteria);
    grid.setRedraw(false);
    grid.setCols(static_cast<int>(columns.size()));
    grid.setRows(static_cast<int>(result.rows.size()) + 1);
    for (int c = 0; c < grid.cols(); ++c) {
        grid.setText(0, c, columns[static_cast<std::size_t>(c)]);
        // Names need room; figures fit the grid's narrow default.
        if (c == kNameColumn || c == kOwnerColumn) grid.setColumnWidth(c, kNameWidthTwips);
        if (!isTextColumn(c)) grid.setColumnAlignment(c, base::Alignment::RightCenter);
    }
    for (std::size_t r = 0; r < result.rows.size(); ++r) {
        const auto cells = foundCells(result.rows[r]);
        for (std::size_t c = 0; c < cells.size(); ++c)
            grid.setText(static_cast<int>(r) + 1, static_cast<int>(c), cells[c]);
    }
    if (!result.rows.empty()) grid.select(1, 0, 1, 0);
    grid.setRedraw(true);
    lblcount = base::formatNumber(result.count, "#,##0") + (result.count == 1 ? " horse matches" : " horses match");
    if (result.count > static_cast<std::int64_t>(result.rows.size()))
        lblcount +=
            "; the first " + base::formatNumber(static_cast<std::int64_t>(result.rows.size()), "#,##0") + " are listed";
    lblcount += ".";
}

void HorseFinderPanel::listHorse(int row) {
    if (row < 1 || row >= grid.rows()) return;
    search::listHorse(window_, grid.text(row, kNameColumn), grid.text(row, kNumberColumn));
}

std::vector<std::int64_t> HorseFinderPanel::selectedIds() const { return selectedHorseIds(grid, kNumberColumn); }

std::string HorseFinderPanel::csv() const { return base::gridCsv(grid); }

void HorseFinderPanel::cmdexport_Click() const { base::exportCsv(window_.dialogs(), csv()); }

std::vector<std::string> HorseFinderPanel::classCodes() const {
    try {
        auto db = store::Database::open(window_.raceStorePath(), store::Access::ReadOnly);
        return store::raceClassCodes(db);
    } catch (const store::StoreError&) {
        return {};  // "Find" reports the store's problem
    }
}

void HorseFinderPanel::loadExcludedOwners() {
    // A side file: anything but a small regular file, or one of more lines than there are
    // boxes (not a file this program wrote, such as a link to another file), is taken for a
    // damaged one and leaves the boxes empty, without a word.
    const auto file = base::readRegularFile(window_.programFolder() + kExcludedOwnersFile, base::kSideFileLimit);
    std::array<std::string, kOwnerBoxes> owners{};
    std::istringstream lines(file.bytes);
    std::string line;
    std::size_t count = 0;
    while (file.problem == base::FileProblem::None && std::getline(lines, line)) {
        if (count == owners.size()) {
            owners = {};
            break;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        owners[count++] = line;
    }
    txtexclude = owners;
    savedOwners_ = txtexclude;
}

void HorseFinderPanel::saveExcludedOwners() {
    if (txtexclude == savedOwners_) return;
    savedOwners_ = txtexclude;
    std::string text;
    for (const auto& owner : txtexclude) text += owner + "\n";
    // Remembering is a convenience: a folder that cannot be written loses only that.
    (void)base::writeFileAtomically(window_.programFolder() + kExcludedOwnersFile, text);
}

}  // namespace search
