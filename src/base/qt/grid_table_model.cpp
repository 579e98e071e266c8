// SPDX-License-Identifier: MIT
#include "base/qt/grid_table_model.h"

#include "base/number_text.h"
#include "base/qt/colours.h"
#include "base/qt/twips.h"

#include <QBrush>

namespace base {

Qt::Alignment toQtAlignment(Alignment alignment, const std::string& text) {
    switch (alignment) {
    case Alignment::General:
        return (isNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    case Alignment::LeftTop: return Qt::AlignLeft | Qt::AlignTop;
    case Alignment::LeftCenter: return Qt::AlignLeft | Qt::AlignVCenter;
    case Alignment::CenterCenter: return Qt::AlignCenter;
    case Alignment::RightCenter: return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

GridTableModel::GridTableModel(GridModel& grid, QObject* parent)
    : QAbstractTableModel(parent),
      grid_(grid),
      headerRows_(grid.fixedRows() == 1 && grid.fixedCols() == 0 ? 1 : 0),
      shownRows_(std::max(grid.rows() - headerRows_, 0)),
      shownCols_(grid.cols()),
      font_(twipsFont(grid.fontName(), grid.fontSize())) {
    boldFont_ = font_;
    boldFont_.setBold(true);
    grid_.addObserver(this);
}

GridTableModel::~GridTableModel() { grid_.removeObserver(this); }

QModelIndex GridTableModel::indexOfCell(int row, int col) const {
    const int itemRow = row - headerRows_;
    if (itemRow < 0 || itemRow >= shownRows_ || col < 0 || col >= shownCols_) return {};
    return index(itemRow, col);
}

int GridTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int GridTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownCols_; }

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    return cellData(gridRow(index), index.column(), role);
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= shownCols_ || grid_.fixedRows() == 0) return {};
        if (headerRowIsHeader() || role == Qt::DisplayRole) return cellData(0, section, role);
        return {};
    }
    if (section < 0 || section >= shownRows_ || grid_.fixedCols() == 0 || role != Qt::DisplayRole) return {};
    return cellData(section + headerRows_, 0, role);
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return grid_.isFixed(gridRow(index), index.column()) ? shown : shown | Qt::ItemIsSelectable;
}

QVariant GridTableModel::cellData(int row, int col, int role) const {
    // While repainting is off the grid may already have fewer cells than announced.
    if (row >= grid_.rows() || col >= grid_.cols()) return {};
    switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(grid_.text(row, col));
    case Qt::ForegroundRole: return QBrush(toQColor(grid_.foreColourOf(row, col)));
    case Qt::BackgroundRole: return QBrush(toQColor(grid_.backColourOf(row, col)));
    case Qt::TextAlignmentRole:
        return static_cast<int>(toQtAlignment(grid_.effectiveAlignment(row, col), grid_.text(row, col)));
    case Qt::FontRole:
        return cellNote_ && cellNote_(row, col) ? boldFont_ : font_;
    case Qt::ToolTipRole: {
        const std::string* note = cellNote_ ? cellNote_(row, col) : nullptr;
        return note ? QVariant(QString::fromStdString(*note)) : QVariant();
    }
    default: return {};
    }
}

void GridTableModel::gridChanged() { refresh(false); }

void GridTableModel::gridShapeChanged() { refresh(true); }

void GridTableModel::refresh(bool shape) {
    if (shape) {
        font_ = twipsFont(grid_.fontName(), grid_.fontSize());
        boldFont_ = font_;
        boldFont_.setBold(true);
    }
    const int rows = std::max(grid_.rows() - headerRows_, 0);
    const int cols = grid_.cols();
    if (rows != shownRows_ || cols != shownCols_) {
        // The adapter keeps no rows of its own, so a reset costs no more than announcing
        // the rows one by one, and a filter or a new search changes most of them anyway.
        beginResetModel();
        shownRows_ = rows;
        shownCols_ = cols;
        endResetModel();
    } else {
        if (rows > 0 && cols > 0) emit dataChanged(index(0, 0), index(rows - 1, cols - 1));
        if (headerRowIsHeader() && cols > 0) emit headerDataChanged(Qt::Horizontal, 0, cols - 1);
    }
    emit gridRefreshed(shape);
}

}  // namespace base
