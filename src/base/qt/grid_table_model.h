// SPDX-License-Identifier: MIT
// The adapter that shows a core grid to Qt's item views without keeping a copy of its cells.
#pragma once

#include "base/grid_model.h"

#include <QAbstractTableModel>
#include <QFont>

#include <algorithm>
#include <functional>
#include <string>

namespace base {

// Shows one GridModel to Qt's item views. The grid stays the only store: this adapter
// reads every cell from it on demand and keeps only the row and column counts that it
// last announced, so a view never sees a count change without a model reset, even while
// the grid's repainting is off and it changes unannounced.
//
// A grid whose only fixed cells are one header row (the results grid, the colour key)
// shows that row as the horizontal header, which stays in place while the rows scroll;
// there item row r is grid row r + 1. Any other grid (the statistics grids) shows all of
// its cells as items, the fixed ones on the grid's fixed colour and not selectable; its
// header texts still answer as the captions of its columns and rows (for a screen
// reader), though no header shows them.
// The grid must outlive the adapter.
class GridTableModel : public QAbstractTableModel, private GridModel::Observer {
    Q_OBJECT

public:
    explicit GridTableModel(GridModel& grid, QObject* parent = nullptr);
    ~GridTableModel() override;

    GridModel& grid() const { return grid_; }
    bool headerRowIsHeader() const { return headerRows_ == 1; }

    // Between items and grid cells. indexOfCell is invalid for a header cell and for a
    // cell the views have not been told of yet.
    int gridRow(const QModelIndex& index) const { return index.row() + headerRows_; }
    int itemRow(int gridRow) const { return gridRow - headerRows_; }
    QModelIndex indexOfCell(int row, int col) const;
    // The first item row and column the user may select (past the fixed cells).
    int firstSelectableRow() const { return std::max(grid_.fixedRows() - headerRows_, 0); }
    int firstSelectableColumn() const { return grid_.fixedCols(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // A note that some cells carry (a watched horse's or stable's): such a cell shows bold,
    // with the note as its tooltip. Asked only for the cells being painted.
    using CellNote = std::function<const std::string*(int row, int col)>;
    void setCellNote(CellNote note) { cellNote_ = std::move(note); }

signals:
    // The items are up to date with the grid; `shape` tells that rows, columns, widths
    // or the font may have changed too, so views re-apply their sizes.
    void gridRefreshed(bool shape);

private:
    void gridChanged() override;
    void gridShapeChanged() override;
    void refresh(bool shape);
    QVariant cellData(int row, int col, int role) const;

    GridModel& grid_;
    const int headerRows_;
    int shownRows_ = 0;
    int shownCols_ = 0;
    QFont font_;
    QFont boldFont_;
    CellNote cellNote_;
};

// How a cell's alignment reads on screen; General puts numbers right and text left.
Qt::Alignment toQtAlignment(Alignment alignment, const std::string& text);

}  // namespace base
