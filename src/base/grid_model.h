// SPDX-License-Identifier: MIT
// The grid behind every table of the program: cells, widths, colours, selection and sorting, without Qt.
#pragma once

#include "base/colour.h"

#include <functional>
#include <optional>
#include <string>
#include <span>
#include <vector>

namespace base {

// Alignment of a cell's text. The program uses LeftTop and RightCenter; General is the
// grid's default (text left, numbers right, both vertically centred).
enum class Alignment { General, LeftTop, LeftCenter, CenterCenter, RightCenter };

enum class SortOrder { TextAscending, TextDescending, NumericAscending, NumericDescending };

struct Cell {
    std::string text;
    std::optional<Colour> foreColour;   // none: the grid's default text colour
    std::optional<Colour> backColour;   // none: the grid's cell background (or fixed colour)
    std::optional<Alignment> alignment; // none: the column's alignment
};

struct GridColumn {
    int widthTwips;
    Alignment alignment = Alignment::General;
};

// The model of every table of the program: cells with text, colours and alignment, fixed
// header rows and columns, column widths in twips, a current cell with a selection
// rectangle, and sorting. The grids are the program's only store of results, so printing,
// export, sorting, filtering and the context menu all read them back through this class.
// A view (the window's table adapter) shows it and is told of changes through observers.
class GridModel {
public:
    static constexpr int kDefaultColumnWidth = 960;

    GridModel(int rows, int cols, int fixedRows = 1, int fixedCols = 0);

    int rows() const { return static_cast<int>(cells_.size()); }
    int cols() const { return static_cast<int>(columns_.size()); }
    // Growing adds empty rows or columns at the end; shrinking drops them from the end.
    void setRows(int rows);
    void setCols(int cols);
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }

    const std::string& text(int row, int col) const { return cell(row, col).text; }
    void setText(int row, int col, std::string text);
    const Cell& cell(int row, int col) const;
    // Text of the current cell.
    const std::string& currentText() const { return text(row_, col_); }
    void setCurrentText(std::string text) { setText(row_, col_, std::move(text)); }

    // Current cell and selection. Setting the current row or column collapses the
    // selection onto it in that direction, as a click does; the selection end is then set
    // separately to widen the rectangle.
    int row() const { return row_; }
    int col() const { return col_; }
    int rowSel() const { return rowSel_; }
    int colSel() const { return colSel_; }
    void setRow(int row);
    void setCol(int col);
    void setRowSel(int row);
    void setColSel(int col);
    void select(int row, int col, int rowSel, int colSel);
    // Data rows picked one by one (Ctrl+click, in a grid that allows it), for commands
    // that take rows that are not neighbours. While any are picked they are the selected
    // rows, whole. Moving the current row or the selection end, sorting and changing the
    // rows drop them.
    const std::vector<int>& pickedRows() const { return pickedRows_; }
    // Picks `row`, or drops it when picked; the first pick keeps the selection's rows
    // picked. The row becomes the current one.
    void togglePickedRow(int row);
    // Picks the rows from the current one to `row` besides those picked (Ctrl+Shift+click).
    void pickRowsTo(int row);
    // Moves the current cell without changing which rows are selected (Ctrl with an arrow
    // key, where rows are picked): the selection's rows become picked ones first.
    void moveKeepingPicks(int row, int col);
    // The selected data rows, top to bottom: the picked ones, or the selection's.
    std::vector<int> selectedDataRows() const;
    // A right-click on a cell: inside the selection (its rectangle or a picked row) it
    // keeps the selection, for the commands that take several rows, and points at the
    // clicked row; outside it the clicked cell becomes the selection.
    void rightClick(int row, int col);
    // The row that commands on one row act on: the row a right-click pointed at, else the
    // selection's end row. Moving the selection or changing the rows drops the pointed row.
    int commandRow() const { return pointedRow_.value_or(rowSel_); }

    // Formatting of the current selection (every cell of the rectangle).
    void setCellForeColour(Colour colour);
    void setCellBackColour(Colour colour);
    void setCellAlignment(Alignment alignment);
    // Formatting of the current cell, as the cell shows it.
    Colour cellForeColour() const;
    Colour cellBackColour() const;
    Alignment cellAlignment() const;
    // The colours any cell is drawn with: its own, else the grid's (the fixed colour
    // behind header cells).
    Colour foreColourOf(int row, int col) const;
    Colour backColourOf(int row, int col) const;
    bool isFixed(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }

    int columnWidth(int col) const { return columns_.at(static_cast<std::size_t>(col)).widthTwips; }
    void setColumnWidth(int col, int widthTwips);
    Alignment columnAlignment(int col) const { return columns_.at(static_cast<std::size_t>(col)).alignment; }
    void setColumnAlignment(int col, Alignment alignment);
    // The alignment a cell is drawn with: its own, else its column's.
    Alignment effectiveAlignment(int row, int col) const;

    // Row heights in twips; every row has the same height, derived from the font.
    int rowHeight() const { return rowHeight_; }
    // Height of the grid control in twips; 0 leaves it to the window's layout.
    int height() const { return height_; }
    void setHeight(int twips);

    // Grid-wide appearance.
    Colour backColour() const { return backColour_; }          // cell background
    void setBackColour(Colour colour);
    Colour foreColour() const { return foreColour_; }          // default text colour
    Colour fixedBackColour() const { return fixedBackColour_; }
    void setFixedBackColour(Colour colour);
    Colour gridLineColour() const { return gridLineColour_; }
    void setGridLineColour(Colour colour);
    Colour backColourBeyond() const { return backColourBeyond_; } // area past the last row
    void setBackColourBeyond(Colour colour);
    const std::string& fontName() const { return fontName_; }
    double fontSize() const { return fontSize_; }
    void setFont(std::string name, double points);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool redraw() const { return redraw_; }
    // Repainting off while a command fills the grid; on again refreshes the view.
    void setRedraw(bool redraw);

    // Empties the text and drops the formatting of every cell, header cells included;
    // counts, widths and column alignments stay.
    void clear();
    // The same for one row.
    void clearRow(int row);
    // The cells of one row afresh (cleared), to be filled in place by a listing that
    // writes whole rows: one look-up and one change notice for the row.
    std::span<Cell> freshRow(int row);
    void addRow();
    void removeRow(int row);
    // Removes, in one pass, every data row for which `remove` answers true; the other
    // rows keep their order. Filtering a long listing stays linear this way. `remove` is
    // asked about every data row, by its index, before any row moves.
    void removeDataRowsIf(const std::function<bool(int row)>& remove);
    // Sorts the data rows (below the fixed rows) by the current column. The sort is
    // stable. Text sorts compare byte by byte, case-sensitive. Numeric sorts compare
    // values; ascending puts texts that are not numbers before every number, descending
    // after them, so that sorting one way and then the other reverses the column.
    void sort(SortOrder order);

    // Views observe the model. `changed` tells that cells changed (a full refresh is
    // cheap: the view only paints visible rows); `shapeChanged` that rows, columns or
    // widths changed.
    struct Observer {
        virtual ~Observer() = default;
        virtual void gridChanged() = 0;
        virtual void gridShapeChanged() = 0;
    };
    void addObserver(Observer* observer);
    void removeObserver(Observer* observer);

private:
    Cell& mutableCell(int row, int col);
    template <typename Apply>
    void forEachSelected(Apply apply);
    void clampCursor();
    void pick(int row);
    void moveCurrentRowKeepingPicks(int row);
    void notifyChanged();
    void notifyShapeChanged();

    std::vector<std::vector<Cell>> cells_;
    std::vector<GridColumn> columns_;
    int fixedRows_;
    int fixedCols_;
    int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
    std::vector<int> pickedRows_;  // sorted
    std::optional<int> pointedRow_;
    int rowHeight_;
    int height_ = 0;
    Colour backColour_ = kSystemWindowBackground;
    Colour foreColour_ = kSystemWindowText;
    Colour fixedBackColour_ = kSystem3DLight;
    Colour gridLineColour_ = kLightGrey;
    Colour backColourBeyond_ = kGrey;
    std::string fontName_ = "Arial";
    double fontSize_ = 8.25;
    bool visible_ = true;
    bool redraw_ = true;
    bool pendingChange_ = false;
    std::vector<Observer*> observers_;
};

// Row height in twips of a grid whose font has the given size in points: one line of
// text plus a small margin above and below.
int rowHeightForFont(double points);

// Repainting of a grid is off while a command fills it, and on again however the command ends.
class RedrawOff {
public:
    explicit RedrawOff(GridModel& grid) : grid_(grid) { grid_.setRedraw(false); }
    ~RedrawOff() { grid_.setRedraw(true); }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    GridModel& grid_;
};

}  // namespace base
