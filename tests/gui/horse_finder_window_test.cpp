// SPDX-License-Identifier: MIT
#include "search/gethorse.h"
#include "search/qt/horse_comparison_window.h"
#include "search/qt/horse_finder_window.h"
#include "shell/base/qt/grid_view.h"
#include "shown_main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class HorseFinderWindowTest : public testing_support::SampleStoreWindow {
protected:
    search::HorseFinderWindow* openFinder() {
        view->findChild<QAction*>("findhorses")->trigger();
        return view->findChild<search::HorseFinderWindow*>("frmfindhorses");
    }
};

TEST_F(HorseFinderWindowTest, FindsListsAndComparesFromTheMenu) {
    auto* finder = openFinder();
    ASSERT_TRUE(finder);
    EXPECT_EQ(openFinder(), finder) << "one instance";
    finder->findChild<QComboBox*>("cbosurface")->setCurrentIndex(1);
    finder->findChild<QPushButton*>("cmdfind")->click();
    EXPECT_TRUE(finder->findChild<QLabel*>("lblcount")->text().contains("match"));
    auto* grid = finder->resultsGrid();
    ASSERT_GE(grid->model()->rowCount(), 2);

    // Enter lists the current horse in the main window.
    const QString name = grid->model()->data(grid->model()->index(0, 0)).toString();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(QString::fromStdString(window.MSFlexGrid1.text(1, 0)).toLower(), name.toLower());

    // Two rows selected, then "Compare".
    finder->panel().grid.select(1, 0, 2, 0);
    finder->findChild<QPushButton*>("cmdcompare")->click();
    auto* comparison = view->findChild<search::HorseComparisonWindow*>("frmcompare");
    ASSERT_TRUE(comparison);
    EXPECT_EQ(comparison->table()->columnCount(), 2);
    EXPECT_EQ(comparison->table()->verticalHeaderItem(3)->text(), "Record");
    comparison->copyToClipboard();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Name\t"));
}

TEST_F(HorseFinderWindowTest, ResultsGridContextMenuComparesTheSelectedHorses) {
    ASSERT_TRUE(search::gethorse(window, search::kRace, "", "312.3006"));
    view->showState();
    window.MSFlexGrid1.select(1, 0, 3, 0);
    view->findChild<QAction*>("comparehorses")->trigger();
    auto* comparison = view->findChild<search::HorseComparisonWindow*>("frmcompare");
    ASSERT_TRUE(comparison);
    EXPECT_EQ(comparison->table()->columnCount(), 3);
}

TEST_F(HorseFinderWindowTest, BadBoxesShowAMessageBesideThemAndDoNotSearch) {
    auto* finder = openFinder();
    finder->findChild<QLineEdit*>("txtactive")->setText("0");
    finder->findChild<QLineEdit*>("txtmindist")->setText("eight");
    finder->findChild<QPushButton*>("cmdfind")->click();
    EXPECT_EQ(finder->findChild<QLabel*>("txtactive_problem")->text(), "The number of weeks must be 1 or more.");
    EXPECT_EQ(finder->findChild<QLabel*>("txtmindist_problem")->text(), "Not a number.");
    EXPECT_EQ(finder->resultsGrid()->model()->rowCount(), 0);
}

}  // namespace
