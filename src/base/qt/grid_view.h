// SPDX-License-Identifier: MIT
// The on-screen grid: paints a core grid and turns clicks, drags and keys into its operations.
#pragma once

#include "base/grid_model.h"

#include <QTableView>

#include <array>
#include <optional>
#include <vector>

class QHelpEvent;

namespace base {

class GridLineStyle;
class GridTableModel;

// The on-screen grid of one GridModel. The model keeps the cells, the current cell and the
// selection, the widths and the look; this view paints them and turns the user's clicks,
// drags and keys into the model's operations, so commands always read what the user
// chose. Rows have one fixed height, so a listing of any length scrolls at once.
//
// A left click makes the clicked cell current and collapses the selection; a drag or a
// shift-click widens it (where the grid allows it, a Ctrl+click picks single rows); the
// arrow, page, Home and End keys move the current cell (with Shift, the selection end).
// The right button asks for the context menu, as do the menu key and Shift+F10; on a cell
// outside the selection it selects that cell first, inside it keeps the selection and
// points at the clicked row. Dragging a header edge resizes a column and writes the new
// width back into the model; nothing else writes widths back, so the model's twips never
// drift through pixel rounding. Cells are never edited here. A text too wide for its cell
// or caption shows cut with an ellipsis, and whole in its tooltip.
class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(GridModel& grid, QWidget* parent = nullptr);

    GridModel& grid() const;
    GridTableModel* tableModel() const { return model_; }

    // A grid that only displays (the statistics grids and the colour key): no current
    // cell, no highlighted selection, no scroll bars, no keyboard focus.
    void setDisplayOnly();
    // Ctrl+click picks or drops one row, Ctrl+Shift+click the rows up to the clicked one, so
    // that rows which are not neighbours can be chosen together; from the keyboard, Ctrl
    // with the arrow, page, Home and End keys moves the current cell without changing the
    // rows chosen, and Ctrl+Space picks or drops the current row.
    void allowRowPicking() { rowPicking_ = true; }
    // Room the columns leave in the view is shared among them, in proportion to their
    // widths; only shown, never written back as their widths.
    void shareExtraWidth() { sharingExtraWidth_ = true; }
    // The size that shows every column and the grid's height, without scroll bars.
    QSize designedSize() const;
    // The text painted in the cell at `index`: the cell's, or its cut form with an ellipsis.
    QString shownText(const QModelIndex& index) const;

signals:
    // A double click with the left button on a cell; the model's current column is the
    // clicked one.
    void cellDoubleClicked();
    // The same on a column caption: only the current column changes, so the current row
    // is not the clicked one.
    void captionDoubleClicked();
    // The right button was pressed at `globalPos`, or the menu key or Shift+F10 was
    // pressed (the position is then the current cell's).
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void configure();
    void onGridRefreshed(bool shape);
    void applyShape();
    void applyLook();
    void showSelection(bool force);
    void showPickedRows();
    bool isSelectable(const QModelIndex& index) const;
    void moveTo(const QModelIndex& index, bool extend);
    QModelIndex dragTarget(QPoint position);
    QModelIndex keyTarget(int key, Qt::KeyboardModifiers modifiers) const;
    void requestMenuAtCurrentCell();
    void rightClick(const QMouseEvent& event);
    bool pickByKey(int key);
    void onSectionResized(int column, int newSize);
    int extraShown(int column) const;
    bool filterHeaderEvent(QEvent* event);
    void showCaptionTooltip(const QHelpEvent& event);

    GridTableModel* model_;
    GridLineStyle* gridLineStyle_;
    bool applyingShape_ = false;
    bool userResizing_ = false;
    bool dragging_ = false;
    bool shownVisible_ = true;
    bool displayOnly_ = false;
    bool rowPicking_ = false;
    bool sharingExtraWidth_ = false;
    std::vector<int> shownExtra_;  // pixels each column shows beyond its width
    std::optional<std::array<int, 4>> shownSelection_;
    std::vector<int> shownPicks_;
};

}  // namespace base
