// SPDX-License-Identifier: MIT
#include "search/gethorse.h"
#include "search/qt/horse_comparison_window.h"
#include "search/qt/horse_finder_window.h"
#include "base/qt/grid_view.h"
#include "shown_main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSet>
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
    QStringList accessKeys;
    for (auto* widget : finder->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(widget);
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        const QKeySequence key = QKeySequence::mnemonic(label ? label->text() : button ? button->text() : QString());
        if (!key.isEmpty()) accessKeys << key.toString();
    }
    EXPECT_EQ(accessKeys.size(), QSet<QString>(accessKeys.begin(), accessKeys.end()).size())
        << accessKeys.join(' ').toStdString();

    // Enter in a criteria box finds.
    finder->findChild<QComboBox*>("cbosurface")->setCurrentIndex(1);
    auto* speed = finder->findChild<QLineEdit*>("txtminspeed");
    speed->setFocus();
    QTest::keyClick(speed, Qt::Key_Return);
    EXPECT_TRUE(finder->findChild<QLabel*>("lblcount")->text().contains("match"));
    auto* grid = finder->resultsGrid();
    ASSERT_GE(grid->model()->rowCount(), 3);

    // Enter lists the current horse in the main window.
    const QString name = grid->model()->data(grid->model()->index(0, 0)).toString();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(QString::fromStdString(window.MSFlexGrid1.text(1, 0)).toLower(), name.toLower());

    // A click and a Ctrl+click choose two rows that are not neighbours, then "Compare".
    const auto rowCentre = [grid](int row) { return grid->visualRect(grid->model()->index(row, 0)).center(); };
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(2));
    const auto& found = finder->panel().grid;
    EXPECT_EQ(finder->panel().selectedIds(),
              (std::vector<std::int64_t>{std::stoll(found.text(1, 1)), std::stoll(found.text(3, 1))}));
    finder->findChild<QPushButton*>("cmdcompare")->click();
    QPointer<search::HorseComparisonWindow> comparison = view->findChild<search::HorseComparisonWindow*>("frmcompare");
    ASSERT_TRUE(comparison);
    EXPECT_EQ(comparison->table()->columnCount(), 2);
    EXPECT_EQ(comparison->table()->verticalHeaderItem(3)->text(), "Record");
    comparison->copyToClipboard();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Name\t"));
    comparison->activateWindow();
    QTest::keyClick(comparison.data(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return comparison.isNull() || !comparison->isVisible(); }, 1000));
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

// The messages show whole beside their boxes, and no box moves or changes its width for them.
TEST_F(HorseFinderWindowTest, BadBoxesShowAMessageBesideThemAndDoNotSearch) {
    auto* finder = openFinder();
    QApplication::processEvents();
    const auto columns = [finder] {
        std::vector<std::pair<int, int>> placed;
        for (auto* box : finder->findChildren<QLineEdit*>()) placed.emplace_back(box->x(), box->width());
        return placed;
    };
    const auto before = columns();
    struct Case {
        const char* box;
        const char* text;
        const char* message;
    };
    const std::vector<Case> cases{{"txtactive", "0", "The number of weeks must be 1 or more."},
                                  {"txtmindist", "eight", "Not a number."},
                                  {"txtmaxdist", "1e12", "Too large."},
                                  {"txtmaxclaim", "99999999999", "Too large."},
                                  {"txtmaxwins", "1.5", "Not a whole number."}};
    for (const auto& test : cases) finder->findChild<QLineEdit*>(test.box)->setText(test.text);
    finder->findChild<QPushButton*>("cmdfind")->click();
    QApplication::processEvents();
    for (const auto& test : cases) {
        auto* problem = finder->findChild<QLabel*>(QString(test.box) + "_problem");
        EXPECT_EQ(problem->text(), test.message) << test.box;
        EXPECT_LE(problem->heightForWidth(problem->width()), problem->height()) << test.box;
    }
    EXPECT_EQ(columns(), before);
    EXPECT_EQ(finder->resultsGrid()->model()->rowCount(), 0);
}

}  // namespace
