// SPDX-License-Identifier: MIT
#include "import/import_driver.h"
#include "search/gethorse.h"
#include "base/qt/grid_table_model.h"
#include "base/qt/grid_view.h"
#include "shown_main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

using Column = std::vector<std::string>;

using testing_support::kSamplesDir;

// The main window shown headless over an empty race store; the results grid is filled
// by hand or by real searches over the sample weeks.
class ResultsGridWindowTest : public testing_support::EmptyStoreWindow {
protected:
    void TearDown() override { window->popupMenu()->hide(); }

    base::GridView* view() { return window->grid("MSFlexGrid1"); }
    base::GridModel& grid() { return finder.MSFlexGrid1; }
    QWidget* cells() { return view()->viewport(); }
    // Where cell (row, col) shows, scrolled into view first.
    QPoint centre(int row, int col) {
        const QModelIndex cell = view()->tableModel()->indexOfCell(row, col);
        view()->scrollTo(cell);
        return view()->visualRect(cell).center();
    }
    QAction* item(const char* name) { return window->findChild<QAction*>(name); }

    void showProgenyLayout() {
        finder.MSFSGrid.setVisible(false);
        finder.MSFSRGrid.setVisible(true);
        finder.MSFmaxgrid.setVisible(true);
        grid().setCols(19);
        window->showState();
    }

    void fill(const std::vector<std::vector<std::pair<int, std::string>>>& rows) {
        grid().setRows(static_cast<int>(rows.size()) + 1);
        for (int r = 1; r <= static_cast<int>(rows.size()); ++r)
            for (const auto& [col, text] : rows[static_cast<std::size_t>(r - 1)]) grid().setText(r, col, text);
    }

    // Four runs with a text, a speed, a purse with an empty cell and a claiming price.
    void fillRuns() {
        fill({{{0, "Quiet Duke"}, {8, "45.0"}, {12, "9000"}, {16, "12500"}},
              {{0, "amber Bay"}, {8, "07.5"}, {12, ""}, {16, ""}},
              {{0, "Black Dasher"}, {8, "98.3"}, {12, "10000"}, {16, "8000"}},
              {{0, "Western Jewel"}, {8, "10.2"}, {12, "500"}, {16, "2500"}}});
    }

    Column column(int col) {
        Column values;
        for (int r = 1; r < grid().rows(); ++r) values.push_back(grid().text(r, col));
        return values;
    }

    // Double-clicks a data cell of `col` twice and returns the column after each.
    std::pair<Column, Column> sortTwice(int col) {
        fillRuns();
        doubleClick(2, col);
        Column first = column(col);
        doubleClick(3, col);
        return {first, column(col)};
    }

    void leftClick(int row, int col, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(cells(), Qt::LeftButton, keys, centre(row, col));
    }
    // The press and release of a double click come first, as from a real mouse.
    void doubleClick(int row, int col) {
        leftClick(row, col);
        QTest::mouseDClick(cells(), Qt::LeftButton, {}, centre(row, col));
    }
    bool rightClickOpensMenu(int row, int col) {
        window->popupMenu()->hide();
        QTest::mousePress(cells(), Qt::RightButton, {}, centre(row, col));
        QTest::mouseRelease(cells(), Qt::RightButton, {}, centre(row, col));
        return window->popupMenu()->isVisible();
    }

    void importSampleWeeks() {
        ASSERT_EQ(import::importFiles(finder, finder.raceStorePath(),
                                      {{kSamplesDir + "/raceout310.txt", "raceout310.txt"},
                                       {kSamplesDir + "/raceout311.txt", "raceout311.txt"},
                                       {kSamplesDir + "/raceout312.txt", "raceout312.txt"}}),
                  import::ImportResult::Done);
    }
    // The row of the listing whose column `col` reads `text`.
    int rowWith(int col, const std::string& text) {
        for (int r = 1; r < grid().rows(); ++r)
            if (grid().text(r, col) == text) return r;
        ADD_FAILURE() << text << " is not listed";
        return 1;
    }
    bool everyRowHas(int col, const std::string& text) {
        for (int r = 1; r < grid().rows(); ++r)
            if (grid().text(r, col) != text) return false;
        return grid().rows() > 1;
    }
};

TEST_F(ResultsGridWindowTest, DoubleClicksSortTheHorseLayoutEachWayInTurn) {
    EXPECT_EQ(sortTwice(0), std::make_pair(Column{"amber Bay", "Western Jewel", "Quiet Duke", "Black Dasher"},
                                           Column{"Black Dasher", "Quiet Duke", "Western Jewel", "amber Bay"}));
    EXPECT_EQ(sortTwice(8), std::make_pair(Column{"07.5", "10.2", "45.0", "98.3"},
                                           Column{"98.3", "45.0", "10.2", "07.5"}));
    // Numeric; then, with an empty first cell, as text descending.
    EXPECT_EQ(sortTwice(12), std::make_pair(Column{"", "500", "9000", "10000"},
                                            Column{"9000", "500", "10000", ""}));
    // The end cells compare as text ("12500" before "2500"); the rows sort by value.
    EXPECT_EQ(sortTwice(16), std::make_pair(Column{"12500", "8000", "2500", ""},
                                            Column{"", "2500", "8000", "12500"}));
    EXPECT_EQ(view()->model()->headerData(0, Qt::Horizontal).toString(), "Name");
}

TEST_F(ResultsGridWindowTest, DoubleClicksSortTheProgenyLayoutEachWayInTurn) {
    showProgenyLayout();
    EXPECT_EQ(sortTwice(0), std::make_pair(Column{"amber Bay", "Western Jewel", "Quiet Duke", "Black Dasher"},
                                           Column{"Black Dasher", "Quiet Duke", "Western Jewel", "amber Bay"}));
    EXPECT_EQ(sortTwice(8), std::make_pair(Column{"07.5", "10.2", "45.0", "98.3"},
                                           Column{"98.3", "45.0", "10.2", "07.5"}));
    // An empty first cell: text descending, then numeric descending.
    EXPECT_EQ(sortTwice(12), std::make_pair(Column{"", "500", "9000", "10000"},
                                            Column{"10000", "9000", "500", ""}));
    EXPECT_EQ(sortTwice(16), std::make_pair(Column{"", "2500", "8000", "12500"},
                                            Column{"12500", "8000", "2500", ""}));
}

TEST_F(ResultsGridWindowTest, DoubleClickOnACaptionSortsItsColumn) {
    fillRuns();
    auto* header = view()->horizontalHeader();
    const QPoint caption(header->sectionViewportPosition(8) + header->sectionSize(8) / 2, header->height() / 2);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, caption);
    EXPECT_EQ(column(8), (Column{"07.5", "10.2", "45.0", "98.3"}));
}

TEST_F(ResultsGridWindowTest, ContextMenuActsOnTheRowRightClicked) {
    fill({{{0, "Black Dasher"}, {2, "587.0012"}, {15, "Reid Thoroughbreds"}},
          {{0, "Amber Bay"}, {2, "586.0003"}, {15, "Fisher & Harris"}},
          {{0, "Iron Duke"}},
          {}});
    leftClick(2, 5);
    // Outside the selection the right button selects the clicked cell first.
    ASSERT_TRUE(rightClickOpensMenu(1, 3));
    EXPECT_EQ(item("datecalc")->text(), "Week 587 = 2000-02-28");
    EXPECT_EQ(item("listhorse")->text(), "List horse: \"Black Dasher\"");
    EXPECT_EQ(item("listrace")->text(), "List race: 587.0012");
    EXPECT_EQ(item("listowner")->text(), "List Owner: Reid Thoroughbreds");
    EXPECT_EQ((std::array{grid().row(), grid().col(), grid().rowSel(), grid().colSel()}), (std::array{1, 3, 1, 3}));
    // Inside it the selection stays, and the menu names the clicked row.
    leftClick(2, 2, Qt::ShiftModifier);
    ASSERT_TRUE(rightClickOpensMenu(1, 2));
    EXPECT_EQ(item("listhorse")->text(), "List horse: \"Black Dasher\"");
    EXPECT_EQ(grid().selectedDataRows(), (std::vector<int>{1, 2}));

    leftClick(2, 0);
    ASSERT_TRUE(rightClickOpensMenu(2, 0));
    EXPECT_EQ(item("datecalc")->text(), "Week 585 = 2000-02-26");
    // An "&" in a name is shown, not taken as an access key.
    EXPECT_EQ(item("listowner")->text(), "List Owner: Fisher && Harris");
    for (const char* shown : {"datecalc", "bar1", "listrace"}) EXPECT_TRUE(item(shown)->isVisible()) << shown;

    leftClick(3, 0);
    ASSERT_TRUE(rightClickOpensMenu(3, 0));
    for (const char* hidden : {"datecalc", "bar1", "listrace"}) EXPECT_FALSE(item(hidden)->isVisible()) << hidden;
    EXPECT_TRUE(item("listhorse")->isVisible());

    leftClick(4, 0);  // the last row
    EXPECT_FALSE(rightClickOpensMenu(4, 0));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ResultsGridWindowTest, ContextMenuOpensFromTheKeyboardOnTheCurrentCell) {
    EXPECT_FALSE(rightClickOpensMenu(1, 0));  // the empty grid before any search
    fill({{{0, "Black Dasher"}, {2, "600.0101"}}, {}});
    leftClick(1, 0);
    QTest::keyClick(view(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(window->popupMenu()->isVisible());
    EXPECT_EQ(item("datecalc")->text(), "Week 600 = 2000-03-12");
    window->popupMenu()->hide();
    QTest::keyClick(view(), Qt::Key_Menu);
    EXPECT_TRUE(window->popupMenu()->isVisible());
}

TEST_F(ResultsGridWindowTest, RowsThatAreNotNeighboursArePickedByKeyOrCtrlClick) {
    fillRuns();
    leftClick(1, 0);
    QTest::keyClick(view(), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(grid().selectedDataRows(), std::vector<int>{1});  // the focus moved alone
    QTest::keyClick(view(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(grid().selectedDataRows(), (std::vector<int>{1, 3}));
    leftClick(4, 0, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_Space, Qt::ControlModifier);  // drops row 3
    EXPECT_EQ(grid().selectedDataRows(), (std::vector<int>{1, 4}));
}

TEST_F(ResultsGridWindowTest, TheCurrentColumnSortsFromEitherMenu) {
    fillRuns();
    leftClick(2, 8);
    item("sortresults")->trigger();
    EXPECT_EQ(column(8), (Column{"07.5", "10.2", "45.0", "98.3"}));
    QTest::keyClick(view(), Qt::Key_Menu);
    ASSERT_TRUE(window->popupMenu()->isVisible());
    item("sortcolumn")->trigger();
    EXPECT_EQ(column(8), (Column{"98.3", "45.0", "10.2", "07.5"}));
}

TEST_F(ResultsGridWindowTest, FilterFromTheMenuNarrowsTwice) {
    fill({{{0, "Black Dasher"}, {3, "3yo"}, {15, "Reid Thoroughbreds"}},
          {{0, "Amber Bay"}, {3, "3yo"}, {15, "Team Young"}},
          {{0, "Grand Island"}, {3, "2yo"}, {15, "Reid Thoroughbreds"}},
          {{0, "Rebel's Hunter"}, {3, "3yo"}, {15, "Reid Thoroughbreds"}},
          {}});
    finder.lblprogress.caption = "5 runs";
    leftClick(3, 15);
    item("listfilter")->trigger();
    EXPECT_EQ(column(0), (Column{"Black Dasher", "Grand Island", "Rebel's Hunter"}));
    leftClick(3, 3);
    item("listfilter")->trigger();
    EXPECT_EQ(column(0), (Column{"Black Dasher", "Rebel's Hunter"}));
    EXPECT_EQ(view()->model()->rowCount(), 2);
    EXPECT_EQ(finder.lblprogress.caption, "5 runs");
}

TEST_F(ResultsGridWindowTest, ListCommandsSearchTheSelectedRun) {
    importSampleWeeks();
    search::gethorse(finder, search::kHorseByName, "Amber Bay", "");
    window->showState();
    ASSERT_GT(grid().rows(), 2);

    const int changed = rowWith(15, "Turner Bloodstock");
    leftClick(changed, 0);
    item("listowner")->trigger();
    EXPECT_TRUE(everyRowHas(15, "Turner Bloodstock"));

    leftClick(1, 0);
    const std::string race = grid().text(1, 2);
    item("listrace")->trigger();
    EXPECT_TRUE(everyRowHas(2, race));
    EXPECT_GT(grid().rows(), 3);

    leftClick(2, 4);
    const std::string name = grid().text(2, 0);
    const std::string number = grid().text(2, 1);
    item("listhorse")->trigger();
    EXPECT_TRUE(everyRowHas(0, name));
    EXPECT_TRUE(everyRowHas(1, number));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ResultsGridWindowTest, ListHorseFromAProgenyListingSearchesByNameAndNumber) {
    importSampleWeeks();
    showProgenyLayout();
    fill({{{0, "Breeze's Dasher"}, {1, "811426"}}, {{0, "Breeze's Dasher"}, {1, "6546556"}}, {}});
    leftClick(2, 0);
    item("listowner")->trigger();
    item("listrace")->trigger();
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>(
                                    2, "This option is only available after a horse, owner or race search.")));
    EXPECT_EQ(grid().text(2, 1), "6546556");

    item("listhorse")->trigger();
    EXPECT_TRUE(finder.horseLayoutShowing());
    EXPECT_EQ(grid().cols(), 18);
    EXPECT_TRUE(everyRowHas(1, "6546556"));
    EXPECT_TRUE(everyRowHas(0, "Breeze's Dasher"));
}

TEST_F(ResultsGridWindowTest, CtrlCCopiesTheSelectionWithItsCaptions) {
    finder.msfgridcaption();
    fill({{{0, "Black Dasher"}, {1, "742503"}}, {{0, "Amber Bay"}, {1, "9605769"}}, {}});
    leftClick(1, 0);
    leftClick(2, 1, Qt::ShiftModifier);
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Name\tH.ID.\r\nBlack Dasher\t742503\r\nAmber Bay\t9605769\r\n");
}

TEST_F(ResultsGridWindowTest, CtrlFGoesToTheNameBox) {
    QApplication::setActiveWindow(window.get());
    view()->setFocus();
    auto* name = window->findChild<QLineEdit*>("txthorse");
    name->setText("Black Dasher");
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(name->hasFocus());
    EXPECT_EQ(name->selectedText(), "Black Dasher");
}

}  // namespace
