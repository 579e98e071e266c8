// SPDX-License-Identifier: MIT
#include "base/grid_model.h"

#include "base/number_text.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace base {

int rowHeightForFont(double points) {
    // One line of text is about 1.2 times the point size (20 twips a point), with
    // 45 twips of margin: 8.25 pt gives 243 twips, 16 pixels at 96 dots an inch.
    return static_cast<int>(std::lround(points * 24.0)) + 45;
}

GridModel::GridModel(int rows, int cols, int fixedRows, int fixedCols)
    : fixedRows_(fixedRows), fixedCols_(fixedCols) {
    // Here rather than in the initialiser list: the font size member is declared later.
    rowHeight_ = rowHeightForFont(fontSize_);
    setCols(cols);
    setRows(rows);
}

void GridModel::setRows(int rows) {
    rows = std::max(rows, 0);
    cells_.resize(static_cast<std::size_t>(rows), std::vector<Cell>(columns_.size()));
    clampCursor();
    notifyShapeChanged();
}

void GridModel::setCols(int cols) {
    cols = std::max(cols, 0);
    columns_.resize(static_cast<std::size_t>(cols), GridColumn{kDefaultColumnWidth});
    for (auto& row : cells_) row.resize(static_cast<std::size_t>(cols));
    clampCursor();
    notifyShapeChanged();
}

const Cell& GridModel::cell(int row, int col) const {
    return cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
}

Cell& GridModel::mutableCell(int row, int col) {
    return cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
}

void GridModel::setText(int row, int col, std::string text) {
    mutableCell(row, col).text = std::move(text);
    notifyChanged();
}

void GridModel::setRow(int row) {
    if (row < 0 || row >= rows()) throw std::out_of_range("grid row out of range");
    row_ = rowSel_ = row;
    pickedRows_.clear();
    pointedRow_.reset();
    notifyChanged();
}

void GridModel::setCol(int col) {
    if (col < 0 || col >= cols()) throw std::out_of_range("grid column out of range");
    col_ = colSel_ = col;
    notifyChanged();
}

void GridModel::setRowSel(int row) {
    if (row < 0 || row >= rows()) throw std::out_of_range("grid row out of range");
    rowSel_ = row;
    pickedRows_.clear();
    pointedRow_.reset();
    notifyChanged();
}

void GridModel::setColSel(int col) {
    if (col < 0 || col >= cols()) throw std::out_of_range("grid column out of range");
    colSel_ = col;
    notifyChanged();
}

void GridModel::select(int row, int col, int rowSel, int colSel) {
    setRow(row);
    setCol(col);
    setRowSel(rowSel);
    setColSel(colSel);
}

void GridModel::pick(int row) {
    const auto at = std::lower_bound(pickedRows_.begin(), pickedRows_.end(), row);
    if (at == pickedRows_.end() || *at != row) pickedRows_.insert(at, row);
}

void GridModel::moveCurrentRowKeepingPicks(int row) {
    row_ = rowSel_ = row;
    pointedRow_.reset();
    notifyChanged();
}

void GridModel::togglePickedRow(int row) {
    if (row < fixedRows_ || row >= rows()) throw std::out_of_range("grid row out of range");
    if (pickedRows_.empty())
        for (const int selected : selectedDataRows()) pick(selected);
    if (const auto at = std::ranges::find(pickedRows_, row); at != pickedRows_.end()) pickedRows_.erase(at);
    else pick(row);
    moveCurrentRowKeepingPicks(row);
}

void GridModel::pickRowsTo(int row) {
    if (row < fixedRows_ || row >= rows()) throw std::out_of_range("grid row out of range");
    if (pickedRows_.empty())
        for (const int selected : selectedDataRows()) pick(selected);
    const auto [first, last] = std::minmax(std::max(row_, fixedRows_), row);
    for (int r = first; r <= last; ++r) pick(r);
    moveCurrentRowKeepingPicks(row);
}

void GridModel::moveKeepingPicks(int row, int col) {
    if (row < fixedRows_ || row >= rows() || col < 0 || col >= cols())
        throw std::out_of_range("grid cell out of range");
    if (pickedRows_.empty())
        for (const int selected : selectedDataRows()) pick(selected);
    col_ = colSel_ = col;
    moveCurrentRowKeepingPicks(row);
}

std::vector<int> GridModel::selectedDataRows() const {
    if (!pickedRows_.empty()) return pickedRows_;
    std::vector<int> selected;
    const auto [top, bottom] = std::minmax(row_, rowSel_);
    for (int r = std::max(top, fixedRows_); r <= bottom && r < rows(); ++r) selected.push_back(r);
    return selected;
}

void GridModel::rightClick(int row, int col) {
    if (row < 0 || row >= rows() || col < 0 || col >= cols()) throw std::out_of_range("grid cell out of range");
    const auto [top, bottom] = std::minmax(row_, rowSel_);
    const auto [left, right] = std::minmax(col_, colSel_);
    const bool inside = pickedRows_.empty() ? row >= top && row <= bottom && col >= left && col <= right
                                            : std::ranges::binary_search(pickedRows_, row);
    if (!inside) select(row, col, row, col);
    pointedRow_ = row;
}

template <typename Apply>
void GridModel::forEachSelected(Apply apply) {
    if (rows() == 0 || cols() == 0) return;
    const auto [top, bottom] = std::minmax(row_, rowSel_);
    const auto [left, right] = std::minmax(col_, colSel_);
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c) apply(mutableCell(r, c));
    notifyChanged();
}

void GridModel::setCellForeColour(Colour colour) {
    forEachSelected([colour](Cell& cell) { cell.foreColour = colour; });
}

void GridModel::setCellBackColour(Colour colour) {
    forEachSelected([colour](Cell& cell) { cell.backColour = colour; });
}

void GridModel::setCellAlignment(Alignment alignment) {
    forEachSelected([alignment](Cell& cell) { cell.alignment = alignment; });
}

Colour GridModel::cellForeColour() const { return foreColourOf(row_, col_); }

Colour GridModel::cellBackColour() const { return backColourOf(row_, col_); }

Colour GridModel::foreColourOf(int row, int col) const {
    return cell(row, col).foreColour.value_or(foreColour_);
}

Colour GridModel::backColourOf(int row, int col) const {
    return cell(row, col).backColour.value_or(isFixed(row, col) ? fixedBackColour_ : backColour_);
}

Alignment GridModel::cellAlignment() const { return effectiveAlignment(row_, col_); }

Alignment GridModel::effectiveAlignment(int row, int col) const {
    return cell(row, col).alignment.value_or(columnAlignment(col));
}

void GridModel::setColumnWidth(int col, int widthTwips) {
    columns_.at(static_cast<std::size_t>(col)).widthTwips = std::max(widthTwips, 0);
    notifyShapeChanged();
}

void GridModel::setColumnAlignment(int col, Alignment alignment) {
    columns_.at(static_cast<std::size_t>(col)).alignment = alignment;
    notifyChanged();
}

void GridModel::setHeight(int twips) {
    height_ = std::max(twips, 0);
    notifyShapeChanged();
}

void GridModel::setBackColour(Colour colour) {
    backColour_ = colour;
    notifyChanged();
}

void GridModel::setFixedBackColour(Colour colour) {
    fixedBackColour_ = colour;
    notifyChanged();
}

void GridModel::setGridLineColour(Colour colour) {
    gridLineColour_ = colour;
    notifyChanged();
}

void GridModel::setBackColourBeyond(Colour colour) {
    backColourBeyond_ = colour;
    notifyChanged();
}

void GridModel::setFont(std::string name, double points) {
    fontName_ = std::move(name);
    fontSize_ = points;
    rowHeight_ = rowHeightForFont(points);
    notifyShapeChanged();
}

void GridModel::setVisible(bool visible) {
    visible_ = visible;
    notifyChanged();
}

void GridModel::setRedraw(bool redraw) {
    redraw_ = redraw;
    if (redraw && pendingChange_) notifyShapeChanged();
}

void GridModel::clear() {
    for (auto& row : cells_) std::fill(row.begin(), row.end(), Cell{});
    pickedRows_.clear();
    pointedRow_.reset();
    notifyChanged();
}

void GridModel::clearRow(int row) { freshRow(row); }

std::span<Cell> GridModel::freshRow(int row) {
    auto& cells = cells_.at(static_cast<std::size_t>(row));
    std::fill(cells.begin(), cells.end(), Cell{});
    notifyChanged();
    return cells;
}

void GridModel::addRow() { setRows(rows() + 1); }

void GridModel::removeRow(int row) {
    if (row < 0 || row >= rows()) throw std::out_of_range("grid row out of range");
    cells_.erase(cells_.begin() + row);
    clampCursor();
    notifyShapeChanged();
}

void GridModel::removeDataRowsIf(const std::function<bool(int row)>& remove) {
    // Ask about every row before moving any, so the predicate may read any row (the
    // key cell of a filter, say) and see the grid as it was.
    std::vector<bool> removed(cells_.size(), false);
    for (int r = fixedRows_; r < rows(); ++r) removed[static_cast<std::size_t>(r)] = remove(r);
    std::vector<std::vector<Cell>> kept;
    kept.reserve(cells_.size());
    for (std::size_t r = 0; r < cells_.size(); ++r) {
        if (!removed[r]) kept.push_back(std::move(cells_[r]));
    }
    cells_ = std::move(kept);
    clampCursor();
    notifyShapeChanged();
}

namespace {

// Sort key of a cell for the numeric sorts: texts that are not numbers come first.
struct NumericKey {
    bool isNumber;
    double value;
    bool operator<(const NumericKey& other) const {
        if (isNumber != other.isNumber) return !isNumber;
        return isNumber && value < other.value;
    }
};

NumericKey numericKey(const std::string& text) {
    const auto value = parseNumber(text);
    return value ? NumericKey{true, *value} : NumericKey{false, 0.0};
}

}  // namespace

void GridModel::sort(SortOrder order) {
    if (rows() <= fixedRows_ + 1 || col_ >= cols()) return;
    const auto col = static_cast<std::size_t>(col_);
    const auto first = cells_.begin() + fixedRows_;
    using Row = std::vector<Cell>;
    switch (order) {
    case SortOrder::TextAscending:
        std::stable_sort(first, cells_.end(), [col](const Row& a, const Row& b) { return a[col].text < b[col].text; });
        break;
    case SortOrder::TextDescending:
        std::stable_sort(first, cells_.end(), [col](const Row& a, const Row& b) { return b[col].text < a[col].text; });
        break;
    case SortOrder::NumericAscending:
    case SortOrder::NumericDescending: {
        // Parse each key once rather than in every comparison.
        std::vector<std::pair<NumericKey, Row>> keyed;
        keyed.reserve(cells_.size() - static_cast<std::size_t>(fixedRows_));
        for (auto it = first; it != cells_.end(); ++it) keyed.emplace_back(numericKey((*it)[col].text), std::move(*it));
        const bool ascending = order == SortOrder::NumericAscending;
        std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto& a, const auto& b) {
            return ascending ? a.first < b.first : b.first < a.first;
        });
        auto out = first;
        for (auto& [key, row] : keyed) *out++ = std::move(row);
        break;
    }
    }
    pickedRows_.clear();  // their rows have moved
    pointedRow_.reset();
    notifyChanged();
}

void GridModel::clampCursor() {
    pickedRows_.clear();  // the rows they named may be gone
    pointedRow_.reset();
    const int lastRow = std::max(rows() - 1, 0);
    const int lastCol = std::max(cols() - 1, 0);
    row_ = std::min(row_, lastRow);
    rowSel_ = std::min(rowSel_, lastRow);
    col_ = std::min(col_, lastCol);
    colSel_ = std::min(colSel_, lastCol);
}

void GridModel::addObserver(Observer* observer) { observers_.push_back(observer); }

void GridModel::removeObserver(Observer* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void GridModel::notifyChanged() {
    if (!redraw_) {
        pendingChange_ = true;
        return;
    }
    for (auto* observer : observers_) observer->gridChanged();
}

void GridModel::notifyShapeChanged() {
    if (!redraw_) {
        pendingChange_ = true;
        return;
    }
    pendingChange_ = false;
    for (auto* observer : observers_) observer->gridShapeChanged();
}

}  // namespace base
