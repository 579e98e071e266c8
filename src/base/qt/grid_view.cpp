// SPDX-License-Identifier: MIT
#include "base/qt/grid_view.h"

#include "base/qt/colours.h"
#include "base/qt/eliding_delegate.h"
#include "base/qt/grid_table_model.h"
#include "base/qt/shared_widths.h"
#include "base/qt/twips.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace base {

// The grid-line colour is a style hint; a style sheet could set it too, but would make
// every paint of the cells about twice as slow.
class GridLineStyle : public QProxyStyle {
public:
    QRgb colour = qRgb(192, 192, 192);

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Table_GridLineColor) return static_cast<int>(colour);
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

GridView::GridView(GridModel& grid, QWidget* parent)
    : QTableView(parent), model_(new GridTableModel(grid, this)), gridLineStyle_(new GridLineStyle) {
    gridLineStyle_->setParent(this);  // a widget does not own the style it is given
    setStyle(gridLineStyle_);
    setModel(model_);
    setItemDelegate(new ElidingDelegate(this));
    configure();
    connect(model_, &GridTableModel::gridRefreshed, this, &GridView::onGridRefreshed);
    // A reset drops the view's own selection, so the next refresh shows the model's again.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { shownSelection_.reset(); });
    QHeaderView* header = horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int newSize) { onSectionResized(column, newSize); });
    // A caption click makes its column current; the table's own column selection, which
    // runs first, is overruled by showing the model's selection again.
    connect(header, &QHeaderView::sectionPressed, this, [this](int column) {
        if (column >= 0 && column < this->grid().cols()) this->grid().setCol(column);
        showSelection(true);
    });
    connect(header, &QHeaderView::sectionEntered, this, [this] { showSelection(true); });
    connect(header, &QHeaderView::sectionDoubleClicked, this, [this](int column) {
        if (column < 0 || column >= this->grid().cols()) return;
        this->grid().setCol(column);
        emit captionDoubleClicked();
    });
    onGridRefreshed(true);
}

GridModel& GridView::grid() const { return model_->grid(); }

void GridView::configure() {
    setEditTriggers(NoEditTriggers);
    // Qt's own selection logic stays idle: the model's rectangle is the selection.
    setSelectionMode(NoSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    // One height for every row: no per-row measuring, however long the listing.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* columns = horizontalHeader();
    columns->setVisible(model_->headerRowIsHeader());
    columns->setMinimumSectionSize(0);
    columns->setHighlightSections(false);
    columns->setSectionsMovable(false);
    columns->viewport()->installEventFilter(this);
}

void GridView::onGridRefreshed(bool shape) {
    if (shape) applyShape();
    applyLook();
    showSelection(false);
}

void GridView::applyShape() {
    applyingShape_ = true;
    const GridModel& g = grid();
    const QFont font = twipsFont(g.fontName(), g.fontSize());
    if (this->font() != font) setFont(font);
    const int rowPixels = std::max(twipsToPixelsY(g.rowHeight(), this), 1);
    verticalHeader()->setDefaultSectionSize(rowPixels);
    QHeaderView* columns = horizontalHeader();
    if (model_->headerRowIsHeader()) columns->setFixedHeight(rowPixels);
    std::vector<int> widths;
    for (int col = 0; col < model_->columnCount(); ++col) widths.push_back(twipsToPixelsX(g.columnWidth(col), this));
    // While a column edge is dragged the others keep their shares, so the edge follows the pointer.
    if (!userResizing_) {
        const std::vector<int> shown = sharingExtraWidth_ ? sharedWidths(widths, viewport()->width()) : widths;
        shownExtra_.assign(widths.size(), 0);
        for (std::size_t col = 0; col < widths.size(); ++col) shownExtra_[col] = shown[col] - widths[col];
    }
    for (int col = 0; col < model_->columnCount(); ++col)
        columns->resizeSection(col, widths[static_cast<std::size_t>(col)] + extraShown(col));
    applyingShape_ = false;
}

int GridView::extraShown(int column) const {
    return column >= 0 && static_cast<std::size_t>(column) < shownExtra_.size()
               ? shownExtra_[static_cast<std::size_t>(column)]
               : 0;
}

bool GridView::viewportEvent(QEvent* event) {
    const bool handled = QTableView::viewportEvent(event);
    if (sharingExtraWidth_ && event->type() == QEvent::Resize && !applyingShape_) applyShape();
    return handled;
}

void GridView::applyLook() {
    const GridModel& g = grid();
    gridLineStyle_->colour = toQColor(g.gridLineColour()).rgb();
    // Every cell paints its own background, so the viewport's shows only past the cells.
    const QColor beyond = toQColor(g.backColourBeyond());
    QPalette palette = viewport()->palette();
    if (palette.color(QPalette::Base) != beyond) {
        palette.setColor(QPalette::Base, beyond);
        viewport()->setPalette(palette);
    }
    if (g.visible() != shownVisible_) {
        shownVisible_ = g.visible();
        setVisible(shownVisible_);
    }
}

void GridView::setDisplayOnly() {
    displayOnly_ = true;
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    selectionModel()->clear();
}

QSize GridView::designedSize() const {
    const GridModel& g = grid();
    int width = 2 * frameWidth();
    for (int c = 0; c < g.cols(); ++c) width += columnWidth(c);
    return {width, twipsToPixelsY(g.height(), this)};
}

void GridView::showSelection(bool force) {
    if (displayOnly_) return;
    const GridModel& g = grid();
    const std::array<int, 4> wanted{g.row(), g.col(), g.rowSel(), g.colSel()};
    if (!force && shownSelection_ == wanted && shownPicks_ == g.pickedRows()) return;
    shownSelection_ = wanted;
    shownPicks_ = g.pickedRows();
    if (!shownPicks_.empty()) {
        showPickedRows();
        return;
    }
    const int top = std::max(model_->itemRow(std::min(g.row(), g.rowSel())), 0);
    const int bottom = std::min(model_->itemRow(std::max(g.row(), g.rowSel())), model_->rowCount() - 1);
    const int left = std::min(g.col(), g.colSel());
    const int right = std::min(std::max(g.col(), g.colSel()), model_->columnCount() - 1);
    QItemSelection selection;
    if (top <= bottom && left <= right) selection.select(model_->index(top, left), model_->index(bottom, right));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(model_->indexOfCell(g.row(), g.col()), QItemSelectionModel::NoUpdate);
}

QString GridView::shownText(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return static_cast<ElidingDelegate*>(itemDelegate())->shownText(option, index);
}

void GridView::showPickedRows() {
    const GridModel& g = grid();
    QItemSelection selection;
    const int right = model_->columnCount() - 1;
    for (const int row : g.pickedRows()) {
        const int item = model_->itemRow(row);
        if (item >= 0 && item < model_->rowCount() && right >= 0)
            selection.select(model_->index(item, 0), model_->index(item, right));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(model_->indexOfCell(g.row(), g.col()), QItemSelectionModel::NoUpdate);
}

bool GridView::isSelectable(const QModelIndex& index) const {
    return index.isValid() && model_->flags(index).testFlag(Qt::ItemIsSelectable);
}

void GridView::moveTo(const QModelIndex& index, bool extend) {
    GridModel& g = grid();
    const int row = model_->gridRow(index);
    const int col = index.column();
    if (row >= g.rows() || col >= g.cols()) return;  // changed unannounced while repainting is off
    if (extend) {
        g.setRowSel(row);
        g.setColSel(col);
    } else {
        g.setRow(row);
        g.setCol(col);
    }
}

void GridView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        rightClick(*event);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!isSelectable(index)) return;
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (rowPicking_ && event->modifiers().testFlag(Qt::ControlModifier)) {
        const int row = model_->gridRow(index);
        if (shift) grid().pickRowsTo(row);
        else grid().togglePickedRow(row);
        return;
    }
    moveTo(index, shift);
    dragging_ = true;
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !event->buttons().testFlag(Qt::LeftButton)) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    const QModelIndex index = dragTarget(event->position().toPoint());
    if (isSelectable(index)) moveTo(index, true);
}

// The cell under a dragging pointer; past an edge of the viewport the grid scrolls a step
// and the nearest cell counts, so a selection can grow beyond what is shown.
QModelIndex GridView::dragTarget(QPoint position) {
    const QRect area = viewport()->rect();
    if (position.y() > area.bottom()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (position.y() < area.top()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (position.x() > area.right()) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (position.x() < area.left()) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    int row = rowAt(std::clamp(position.y(), area.top(), area.bottom()));
    int col = columnAt(std::clamp(position.x(), area.left(), area.right()));
    if (row < 0) row = model_->rowCount() - 1;  // below the last row
    if (col < 0) col = model_->columnCount() - 1;
    return model_->index(row, col);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

// The menu acts on the row under the pointer: the model keeps a selection around it and
// otherwise selects the clicked cell.
void GridView::rightClick(const QMouseEvent& event) {
    const QModelIndex index = indexAt(event.position().toPoint());
    if (!displayOnly_ && isSelectable(index)) grid().rightClick(model_->gridRow(index), index.column());
    emit contextMenuRequested(event.globalPosition().toPoint());
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        rightClick(*event);
        return;
    }
    if (event->button() == Qt::LeftButton && isSelectable(indexAt(event->position().toPoint())))
        emit cellDoubleClicked();
}

void GridView::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && shift)) {
        requestMenuAtCurrentCell();
        return;
    }
    if (rowPicking_ && event->modifiers().testFlag(Qt::ControlModifier) && !shift && pickByKey(event->key())) return;
    const QModelIndex target = keyTarget(event->key(), event->modifiers());
    if (!target.isValid()) {
        event->ignore();  // the window's shortcuts and menus get it
        return;
    }
    moveTo(target, shift);
    scrollTo(target);
}

// Rows that are not neighbours, from the keyboard: Ctrl with a move key moves the current
// cell and keeps the rows selected as they are, Ctrl+Space picks or drops the current row.
bool GridView::pickByKey(int key) {
    GridModel& g = grid();
    if (key == Qt::Key_Space) {
        if (g.row() >= g.fixedRows() && g.row() < g.rows()) g.togglePickedRow(g.row());
        return true;
    }
    const QModelIndex target = keyTarget(key, Qt::ControlModifier);
    if (!target.isValid()) return false;
    g.moveKeepingPicks(model_->gridRow(target), target.column());
    scrollTo(target);
    return true;
}

// Where a navigation key moves the current cell, or with Shift the selection end; only
// ever onto a selectable cell. Invalid for any other key.
QModelIndex GridView::keyTarget(int key, Qt::KeyboardModifiers modifiers) const {
    const GridModel& g = grid();
    const int top = model_->firstSelectableRow();
    const int left = model_->firstSelectableColumn();
    const int rows = model_->rowCount();
    const int cols = model_->columnCount();
    if (rows <= top || cols <= left) return {};
    const bool extend = modifiers.testFlag(Qt::ShiftModifier);
    const bool whole = modifiers.testFlag(Qt::ControlModifier);
    int row = model_->itemRow(extend ? g.rowSel() : g.row());
    int col = extend ? g.colSel() : g.col();
    const int page = std::max(viewport()->height() / std::max(verticalHeader()->defaultSectionSize(), 1), 1);
    switch (key) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_PageUp: row -= page; break;
    case Qt::Key_PageDown: row += page; break;
    case Qt::Key_Home:
        if (whole) row = 0;
        else col = 0;
        break;
    case Qt::Key_End:
        if (whole) row = rows - 1;
        else col = cols - 1;
        break;
    default: return {};
    }
    return model_->index(std::clamp(row, top, rows - 1), std::clamp(col, left, cols - 1));
}

void GridView::requestMenuAtCurrentCell() {
    const QRect cell = visualRect(model_->indexOfCell(grid().row(), grid().col()));
    const QPoint local = viewport()->rect().intersects(cell) ? cell.center() : QPoint(0, 0);
    emit contextMenuRequested(viewport()->mapToGlobal(local));
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
    // A mouse's request was answered when the right button went down.
    if (event->reason() != QContextMenuEvent::Mouse) requestMenuAtCurrentCell();
}

void GridView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    showSelection(true);  // the table may have picked a current item of its own
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport() && filterHeaderEvent(event)) return true;
    return QTableView::eventFilter(watched, event);
}

// Only the left button works the captions (clicks, double clicks, edge drags); the right
// button asks for the context menu as it does over the cells. A width that changes while
// the left button is down on the captions is the user's, and goes back into the model.
bool GridView::filterHeaderEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ToolTip) {
        showCaptionTooltip(*static_cast<QHelpEvent*>(event));
        return true;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
        userResizing_ = type != QEvent::MouseButtonRelease;
        if (!userResizing_ && sharingExtraWidth_) applyShape();  // the room is shared anew
        return false;
    }
    if (mouse->button() == Qt::RightButton && type != QEvent::MouseButtonRelease)
        emit contextMenuRequested(mouse->globalPosition().toPoint());
    return true;
}

// A caption cut by its column's width shows whole in a tooltip, as a cut cell does.
void GridView::showCaptionTooltip(const QHelpEvent& event) {
    QHeaderView* header = horizontalHeader();
    const int column = header->logicalIndexAt(event.pos());
    const QString caption = model_->headerData(column, Qt::Horizontal).toString();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int room = header->sectionSize(column) - 2 * margin;
    if (column < 0 || caption.isEmpty() || fittedText(caption, header->fontMetrics(), room, {}) == caption) {
        QToolTip::hideText();
        return;
    }
    const QRect section(header->sectionViewportPosition(column), 0, header->sectionSize(column), header->height());
    QToolTip::showText(event.globalPos(), caption, header->viewport(), section);
}

void GridView::onSectionResized(int column, int newSize) {
    if (applyingShape_ || !userResizing_ || column < 0 || column >= grid().cols()) return;
    grid().setColumnWidth(column, pixelsToTwipsX(std::max(newSize - extraShown(column), 0), this));
}

}  // namespace base
