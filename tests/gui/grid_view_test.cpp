// SPDX-License-Identifier: MIT
#include "base/qt/colours.h"
#include "base/qt/grid_table_model.h"
#include "base/qt/grid_view.h"
#include "base/qt/twips.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHelpEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

// Readable colours in failure messages.
void PrintTo(const QColor& colour, std::ostream* out) { *out << colour.name().toStdString(); }

namespace base {
namespace {

QColor rgbOf(const QVariant& brush) { return brush.value<QBrush>().color(); }

// The results grid's shape: one header row, no fixed column.
void fillResults(GridModel& grid, int rows) {
    grid.setRows(rows);
    for (int c = 0; c < grid.cols(); ++c) grid.setText(0, c, "Col" + std::to_string(c));
    for (int r = 1; r < rows; ++r) {
        grid.setText(r, 0, "Horse " + std::to_string(rows - r));
        for (int c = 1; c < grid.cols(); ++c) grid.setText(r, c, std::to_string((r * 7 + c) % 23));
    }
}

// Shown, so that simulated input reaches the widgets as a user's would.
class ShownView : public testing::Test {
protected:
    void show(GridView& view) {
        view.resize(600, 400);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    QPoint cellCentre(GridView& view, int row, int col) {
        return view.visualRect(view.tableModel()->indexOfCell(row, col)).center();
    }
};

QStringList modelTesterComplaints;

void collectModelTesterComplaints(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (context.category && QByteArray(context.category).startsWith("qt.modeltest"))
        modelTesterComplaints << message;
}

TEST(GridTableModel, StaysConsistentThroughFillResizeClearSortAndFilter) {
    modelTesterComplaints.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectModelTesterComplaints);
    for (const bool header : {true, false}) {
        GridModel grid(2, 18, 1, header ? 0 : 1);
        GridView view(grid);
        QAbstractItemModelTester tester(view.tableModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
        fillResults(grid, 40);
        grid.setCols(19);
        grid.setCols(18);
        grid.select(3, 2, 7, 5);
        grid.setCellForeColour(kDirtFast);
        grid.setCol(1);
        grid.sort(SortOrder::NumericDescending);
        grid.sort(SortOrder::TextAscending);
        const std::string key = grid.text(5, 1);
        grid.removeDataRowsIf([&](int row) { return grid.text(row, 1) != key; });
        grid.setRedraw(false);
        fillResults(grid, 120);
        grid.removeRow(50);
        grid.setRedraw(true);
        grid.clear();
        grid.setRows(1);
        grid.addRow();
        grid.setRows(0);
        grid.setRows(5);
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(modelTesterComplaints.isEmpty()) << modelTesterComplaints.join('\n').toStdString();
}

TEST(GridTableModel, HeaderRowOfAResultsGridIsTheHorizontalHeader) {
    GridModel grid(3, 3);
    fillResults(grid, 3);
    grid.setText(0, 2, "12");
    grid.select(0, 1, 0, 1);
    grid.setCellForeColour(kTurfFirm);
    grid.setCellAlignment(Alignment::RightCenter);
    GridView view(grid);
    const GridTableModel& model = *view.tableModel();
    EXPECT_FALSE(view.horizontalHeader()->isHidden());
    EXPECT_TRUE(view.verticalHeader()->isHidden());
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Col0");
    EXPECT_EQ(rgbOf(model.headerData(1, Qt::Horizontal, Qt::ForegroundRole)), QColor(0, 128, 0));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(rgbOf(model.headerData(0, Qt::Horizontal, Qt::BackgroundRole)), toQColor(kSystem3DLight));
    EXPECT_FALSE(model.headerData(0, Qt::Vertical).isValid());
    // Item row 0 is grid row 1.
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QString::fromStdString(grid.text(1, 0)));
    EXPECT_EQ(model.gridRow(model.index(1, 2)), 2);
    EXPECT_EQ(model.indexOfCell(2, 1), model.index(1, 1));
    EXPECT_FALSE(model.indexOfCell(0, 1).isValid());
}

TEST(GridTableModel, StatisticsGridShowsFixedCellsAsUnselectableItems) {
    GridModel grid(5, 4, 1, 1);
    grid.setFixedBackColour(kSystemActiveBorder);
    grid.select(2, 2, 2, 2);
    grid.setCellBackColour(kSystem3DLight);
    GridView view(grid);
    const GridTableModel& model = *view.tableModel();
    EXPECT_TRUE(view.horizontalHeader()->isHidden());
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(rgbOf(model.data(model.index(0, 2), Qt::BackgroundRole)), QColor(180, 180, 180));
    EXPECT_EQ(rgbOf(model.data(model.index(3, 0), Qt::BackgroundRole)), QColor(180, 180, 180));
    EXPECT_EQ(rgbOf(model.data(model.index(1, 1), Qt::BackgroundRole)), QColor(255, 255, 255));
    EXPECT_EQ(rgbOf(model.data(model.index(2, 2), Qt::BackgroundRole)), QColor(224, 224, 224));
    EXPECT_FALSE(model.flags(model.index(0, 2)).testFlag(Qt::ItemIsSelectable));
    EXPECT_FALSE(model.flags(model.index(2, 0)).testFlag(Qt::ItemIsSelectable));
    EXPECT_TRUE(model.flags(model.index(1, 1)).testFlag(Qt::ItemIsSelectable));
    EXPECT_FALSE(model.flags(model.index(1, 1)).testFlag(Qt::ItemIsEditable));
    // And so they are painted.
    const QImage image = view.viewport()->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(view.visualRect(model.index(3, 0)).center())), QColor(180, 180, 180));
    EXPECT_EQ(QColor(image.pixel(view.visualRect(model.index(1, 3)).center())), QColor(255, 255, 255));
}

TEST(GridTableModel, ColourAlignmentAndFontRoles) {
    GridModel grid(2, 5, 1, 1);
    grid.setFont("Arial", 6.75);
    grid.setText(1, 1, "12.5");
    grid.setText(1, 2, "Dirt");
    grid.setText(1, 3, "7");
    grid.setText(1, 4, "x");
    grid.setColumnAlignment(3, Alignment::LeftTop);
    grid.select(1, 4, 1, 4);
    grid.setCellAlignment(Alignment::RightCenter);
    grid.setCellForeColour(kDirtFast);
    GridView view(grid);
    const GridTableModel& model = *view.tableModel();
    auto alignment = [&](int col) { return model.data(model.index(1, col), Qt::TextAlignmentRole).toInt(); };
    EXPECT_EQ(alignment(1), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(alignment(2), int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(alignment(3), int(Qt::AlignLeft | Qt::AlignTop));
    EXPECT_EQ(alignment(4), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(rgbOf(model.data(model.index(1, 2), Qt::ForegroundRole)), QColor(0, 0, 0));
    EXPECT_EQ(rgbOf(model.data(model.index(1, 4), Qt::ForegroundRole)), QColor(128, 0, 0));
    const QFont font = model.data(model.index(1, 1), Qt::FontRole).value<QFont>();
    EXPECT_EQ(font.family(), "Arial");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 6.75);
}

TEST(GridTableModel, AnnouncesNothingWhileRepaintingIsOff) {
    GridModel grid(2, 3);
    GridView view(grid);
    GridTableModel& model = *view.tableModel();
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    grid.setRedraw(false);
    fillResults(grid, 30);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(resets.count() + changes.count(), 0);
    grid.setRedraw(true);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 29);
}

TEST(Colours, ExplicitColoursExactSystemColoursFixedOrFromThePalette) {
    EXPECT_EQ(toQColor(rgb(128, 0, 128)), QColor(128, 0, 128));
    EXPECT_EQ(toQColor(rgb(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(toQColor(kSystem3DLight), QColor(224, 224, 224));
    EXPECT_EQ(toQColor(kSystemWindowBackground), QColor(255, 255, 255));
    EXPECT_EQ(toQColor(kSystemActiveBorder), QColor(180, 180, 180));
    EXPECT_EQ(toQColor(kSystemWindowText), QColor(0, 0, 0));
    EXPECT_TRUE(toQColor(0x8000000Fu).isValid());
    EXPECT_TRUE(toQColor(0x800000FFu).isValid());
}

TEST(Twips, ConvertThroughTheLogicalDpi) {
    QWidget widget;
    const int dpi = widget.logicalDpiX();
    EXPECT_EQ(twipsToPixelsX(1440, &widget), dpi);
    EXPECT_EQ(twipsToPixelsY(1440, &widget), widget.logicalDpiY());
    EXPECT_EQ(pixelsToTwipsX(dpi, &widget), 1440);
    EXPECT_EQ(twipsToPixelsX(1440, nullptr), dpi);
    // Pixels survive the way through twips and back, so widths never creep.
    for (int px = 0; px < 300; ++px) EXPECT_EQ(twipsToPixelsX(pixelsToTwipsX(px, &widget), &widget), px);
    const QRect rect = twipsRect(1440, 720, 2880, 1440, &widget);
    EXPECT_EQ(rect, QRect(dpi, widget.logicalDpiY() / 2, 2 * dpi, widget.logicalDpiY()));
    EXPECT_DOUBLE_EQ(twipsFont("Arial", 7.5).pointSizeF(), 7.5);
}

TEST(GridView, SizesComeFromTheModelAndDoNotDrift) {
    GridModel grid(4, 3);
    grid.setFont("Arial", 7);
    const int widths[] = {1450, 203, 7};
    for (int c = 0; c < 3; ++c) grid.setColumnWidth(c, widths[c]);
    GridView view(grid);
    view.resize(500, 300);
    view.show();
    for (int round = 0; round < 3; ++round) {
        grid.setRows(grid.rows() + 5);
        grid.setFont("Arial", 7);
        grid.setBackColour(kSystem3DLight);
        QCoreApplication::processEvents();
    }
    const int rowPixels = twipsToPixelsY(grid.rowHeight(), &view);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(grid.columnWidth(c), widths[c]);
        EXPECT_EQ(view.columnWidth(c), twipsToPixelsX(widths[c], &view));
    }
    EXPECT_EQ(view.rowHeight(0), rowPixels);
    EXPECT_EQ(view.rowHeight(10), rowPixels);
    EXPECT_EQ(view.horizontalHeader()->height(), rowPixels);
}

TEST_F(ShownView, DraggingACaptionEdgeWritesTheWidthBackInTwips) {
    GridModel grid(5, 3);
    GridView view(grid);
    show(view);
    QHeaderView* header = view.horizontalHeader();
    const int before = header->sectionSize(0);
    const QPoint edge(header->sectionViewportPosition(0) + before - 1, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(header->viewport(), edge + QPoint(30, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(30, 0));
    EXPECT_EQ(header->sectionSize(0), before + 30);
    EXPECT_EQ(grid.columnWidth(0), pixelsToTwipsX(before + 30, &view));
    EXPECT_EQ(grid.columnWidth(1), GridModel::kDefaultColumnWidth);
}

// The tooltip a help event at `pos` of `target` leaves showing; empty for none.
QString tooltipAt(QWidget* target, QPoint pos) {
    QHelpEvent help(QEvent::ToolTip, pos, target->mapToGlobal(pos));
    QApplication::sendEvent(target, &help);
    QTest::qWaitFor([] { return !QToolTip::isVisible() || !QToolTip::text().isEmpty(); }, 50);
    QTest::qWait(400);  // a tooltip being hidden goes after a short delay
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// A cell or caption too narrow for its text never shows a part of it as if whole: the
// cut side shows an ellipsis and the tooltip the whole text. Texts that fit show whole.
TEST_F(ShownView, TextsTooWideForTheirCellsShowAnEllipsisWhereCutAndWholeInATooltip) {
    GridModel grid(2, 4, 1, 0);
    const std::array<std::string, 4> captions{"H.ID.", "Owner", "Fn", "A rather long caption"};
    const std::array<std::string, 4> cells{"8739639", "Fisher & Harris Thoroughbreds", "12", "x"};
    const std::array<int, 4> widths{300, 700, 600, 700};
    for (int c = 0; c < 4; ++c) {
        grid.setText(0, c, captions[c]);
        grid.setText(1, c, cells[c]);
        grid.setColumnWidth(c, widths[c]);
    }
    GridView view(grid);
    show(view);
    const QString ellipsis(QChar(0x2026));
    struct Case {
        int col;
        enum { Whole, CutLeft, CutRight } shown;
    };
    for (const auto& [col, shown] : {Case{0, Case::CutLeft}, Case{1, Case::CutRight}, Case{2, Case::Whole}}) {
        const QString whole = QString::fromStdString(cells[col]);
        const QModelIndex index = view.tableModel()->indexOfCell(1, col);
        const QString text = view.shownText(index);
        switch (shown) {
        case Case::Whole: EXPECT_EQ(text, whole); break;
        case Case::CutLeft: EXPECT_TRUE(text.startsWith(ellipsis) && whole.endsWith(text.mid(1))) << text.toStdString(); break;
        case Case::CutRight: EXPECT_TRUE(text.endsWith(ellipsis) && whole.startsWith(text.chopped(1))) << text.toStdString(); break;
        }
        EXPECT_EQ(tooltipAt(view.viewport(), cellCentre(view, 1, col)), shown == Case::Whole ? QString() : whole) << col;
    }
    QHeaderView* header = view.horizontalHeader();
    auto captionCentre = [header](int col) {
        return QPoint(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2);
    };
    EXPECT_EQ(tooltipAt(header->viewport(), captionCentre(3)), "A rather long caption");
    EXPECT_EQ(tooltipAt(header->viewport(), captionCentre(2)), QString());
}

TEST_F(ShownView, LeftClickMovesAndCollapsesRightClickSelectsOnlyOutsideTheSelection) {
    GridModel grid(10, 4);
    fillResults(grid, 10);
    GridView view(grid);
    show(view);
    QSignalSpy menus(&view, &GridView::contextMenuRequested);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellCentre(view, 2, 1));
    EXPECT_EQ((std::array{grid.row(), grid.col(), grid.rowSel(), grid.colSel()}), (std::array{2, 1, 2, 1}));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(view, 5, 3));
    EXPECT_EQ((std::array{grid.row(), grid.col(), grid.rowSel(), grid.colSel()}), (std::array{2, 1, 5, 3}));
    EXPECT_EQ(view.selectionModel()->selectedIndexes().size(), 4 * 3);
    EXPECT_EQ(view.currentIndex(), view.tableModel()->indexOfCell(2, 1));

    // A right-click inside the selection keeps it; outside, it selects the clicked cell.
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, cellCentre(view, 4, 2));
    EXPECT_EQ((std::array{grid.row(), grid.col(), grid.rowSel(), grid.colSel()}), (std::array{2, 1, 5, 3}));
    EXPECT_EQ(grid.commandRow(), 4);
    const QPoint elsewhere = cellCentre(view, 7, 0);
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, elsewhere);
    EXPECT_EQ((std::array{grid.row(), grid.col(), grid.rowSel(), grid.colSel()}), (std::array{7, 0, 7, 0}));
    ASSERT_EQ(menus.count(), 2);
    EXPECT_EQ(menus.at(1).at(0).toPoint(), view.viewport()->mapToGlobal(elsewhere));

    // A drag from one cell to another widens the selection from the pressed cell.
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, cellCentre(view, 6, 0));
    QTest::mouseMove(view.viewport(), cellCentre(view, 8, 2));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, cellCentre(view, 8, 2));
    EXPECT_EQ((std::array{grid.row(), grid.col(), grid.rowSel(), grid.colSel()}), (std::array{6, 0, 8, 2}));
}

TEST_F(ShownView, KeysMoveTheCurrentCellAndOpenTheMenu) {
    GridModel grid(10, 4, 1, 1);
    GridView view(grid);
    show(view);
    grid.select(2, 1, 2, 1);
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ((std::array{grid.row(), grid.col(), grid.rowSel(), grid.colSel()}), (std::array{3, 2, 3, 2}));
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ((std::array{grid.row(), grid.col(), grid.rowSel(), grid.colSel()}), (std::array{3, 2, 5, 2}));
    // Never onto the fixed row or column.
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ((std::array{grid.row(), grid.col()}), (std::array{1, 1}));
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.row(), 9);

    QSignalSpy menus(&view, &GridView::contextMenuRequested);
    QTest::keyClick(&view, Qt::Key_Menu);
    QTest::keyClick(&view, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(menus.count(), 2);
    EXPECT_EQ(grid.row(), 9);
}

TEST_F(ShownView, DoubleClickOnACellOrCaptionIsReported) {
    GridModel grid(6, 4);
    fillResults(grid, 6);
    GridView view(grid);
    show(view);
    QSignalSpy cells(&view, &GridView::cellDoubleClicked);
    QSignalSpy captions(&view, &GridView::captionDoubleClicked);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cellCentre(view, 3, 2));
    EXPECT_EQ(cells.count(), 1);
    QHeaderView* header = view.horizontalHeader();
    const QPoint caption(header->sectionViewportPosition(3) + header->sectionSize(3) / 2, header->height() / 2);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, caption);
    EXPECT_EQ(cells.count(), 1);  // a caption is not a cell: the finder must not list a horse
    EXPECT_EQ(captions.count(), 1);
    EXPECT_EQ(grid.col(), 3);
}

TEST(GridView, ShowsTheModelsSelectionVisibilityAndColours) {
    QWidget window;
    GridModel grid(5, 4);
    grid.setBackColourBeyond(kGrey);
    GridView view(grid, &window);
    view.setGeometry(0, 0, 400, 300);
    window.resize(400, 300);
    window.show();
    grid.select(3, 2, 1, 1);
    EXPECT_EQ(view.selectionModel()->selectedIndexes().size(), 3 * 2);
    EXPECT_EQ(view.currentIndex(), view.tableModel()->indexOfCell(3, 2));

    grid.setGridLineColour(rgb(255, 0, 0));
    const QImage image = view.viewport()->grab().toImage();
    const int belowLastRow = view.rowViewportPosition(3) + view.rowHeight(3) + 10;
    EXPECT_EQ(QColor(image.pixel(5, belowLastRow)), QColor(128, 128, 128));
    const int gridLineX = view.columnViewportPosition(0) + view.columnWidth(0) - 1;
    EXPECT_EQ(QColor(image.pixel(gridLineX, view.rowViewportPosition(0) + 2)), QColor(255, 0, 0));

    grid.setVisible(false);
    EXPECT_TRUE(view.isHidden());
    grid.setVisible(true);
    EXPECT_FALSE(view.isHidden());
}

TEST(GridView, LongListingLoadsAndScrolls) {
    GridModel grid(2, 18);
    GridView view(grid);
    view.resize(800, 600);
    view.show();
    grid.setRedraw(false);
    fillResults(grid, 15'001);
    grid.setRedraw(true);
    EXPECT_EQ(view.tableModel()->rowCount(), 15'000);
    view.scrollToBottom();
    QCoreApplication::processEvents();
    (void)view.viewport()->grab();
    EXPECT_EQ(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    const int lastRowTop = view.rowViewportPosition(14'999);
    EXPECT_GE(lastRowTop, 0);
    EXPECT_LE(lastRowTop + view.rowHeight(14'999), view.viewport()->height());
    EXPECT_EQ(view.verticalHeader()->length(), 15'000 * view.rowHeight(0));
}

}  // namespace
}  // namespace base

namespace base {
namespace {

// The row of the current cell shows highlighted across, lighter beside the selected
// cells; other rows keep their colour.
TEST(GridView, TheSelectedRowShowsHighlightedWhole) {
    GridModel grid(2, 6);
    GridView view(grid);
    view.resize(600, 200);
    view.show();
    fillResults(grid, 4);
    grid.setRow(2);
    grid.setCol(1);
    QCoreApplication::processEvents();
    const QImage image = view.viewport()->grab().toImage();
    const auto colourAt = [&](int row, int col) {
        const QRect cell = view.visualRect(view.tableModel()->indexOfCell(row, col));
        return QColor(image.pixel(cell.left() + 2, cell.top() + 2));
    };
    const QColor plain = colourAt(1, 4);
    const QColor selected = colourAt(2, 1);
    for (const int col : {0, 2, 5}) {
        EXPECT_NE(colourAt(2, col), plain) << col;
        EXPECT_NE(colourAt(2, col), selected) << col;
    }
    EXPECT_EQ(colourAt(3, 4), plain);
}

}  // namespace
}  // namespace base
