// SPDX-License-Identifier: MIT
#include "progeny/qt/crosses_window.h"
#include "base/qt/grid_table_model.h"
#include "base/qt/grid_view.h"
#include "shown_main_window.h"
#include "test_folder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CrossesWindowTest : public testing_support::SampleStoreWindow {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SampleStore::SetUp());
        // As start-up leaves the window when it finds the breeding file.
        window.useBreedingFile(testing_support::kSamplesDir + "/breeding.txt");
        window.crosses.enabled = true;
        showWindow();
    }
    progeny::CrossesWindow* openCrosses() {
        view->findChild<QAction*>("crosses")->trigger();
        return view->findChild<progeny::CrossesWindow*>("frmcrosses");
    }
    static void type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
};

// The figures are the cross table's own test; here the window's wiring.
TEST_F(CrossesWindowTest, ShowsSortsListsCopiesExportsAndCloses) {
    QPointer<progeny::CrossesWindow> crosses = openCrosses();
    ASSERT_TRUE(crosses);
    EXPECT_EQ(openCrosses(), crosses.data()) << "one instance";
    auto* sire = crosses->findChild<QLineEdit*>("txtsire");
    auto* damSire = crosses->findChild<QLineEdit*>("txtdamsire");
    type(crosses->findChild<QLineEdit*>("txtminstarters"), "1");
    type(sire, "iron duke");
    QTest::keyClick(sire, Qt::Key_Return);
    EXPECT_TRUE(crosses->findChild<QLabel*>("lblcount")->text().startsWith("Offspring of Iron Duke: "));
    const base::GridModel& grid = crosses->panel().grid;
    ASSERT_GE(grid.rows(), 3);
    EXPECT_EQ(grid.text(0, 0), "Dam-Sire");
    // Every name shows whole, the longest too.
    const auto expectWholeNames = [&] {
        auto* table = crosses->table();
        for (int row = 1; row < grid.rows(); ++row) {
            const QModelIndex cell = table->tableModel()->indexOfCell(row, 0);
            table->scrollTo(cell);
            EXPECT_EQ(table->shownText(cell).toStdString(), grid.text(row, 0));
        }
    };
    expectWholeNames();

    // A click on the name's caption sorts A to Z, again Z to A.
    auto* header = crosses->table()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    EXPECT_LE(grid.text(1, 0), grid.text(2, 0));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    EXPECT_GE(grid.text(1, 0), grid.text(2, 0));
    // From the keyboard: the menu key, then "Sort by This Column" on the current column.
    crosses->table()->setFocus();
    QTest::keyClick(crosses->table(), Qt::Key_Menu);
    auto* menu = crosses->findChild<QMenu*>("mnucrosses");
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_LE(grid.text(1, 0), grid.text(2, 0));

    // Both names: the offspring of the cross.
    type(damSire, QString::fromStdString(grid.text(1, 0)));
    crosses->findChild<QPushButton*>("cmdshow")->click();
    ASSERT_EQ(grid.text(0, 0), "Horse Name");
    ASSERT_GE(grid.rows(), 2);
    expectWholeNames();
    // Ctrl+C copies the selection with its captions.
    auto* table = crosses->table();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(0, 0)).center());
    const auto activate = [&] {
        return QTest::qWaitFor([&] {
            crosses->activateWindow();
            return QApplication::activeWindow() == crosses.data();
        });
    };
    ASSERT_TRUE(activate());
    table->setFocus();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "Horse Name\r\n" + grid.text(1, 0) + "\r\n");

    // Enter lists the current horse in the main window.
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(window.MSFlexGrid1.text(1, 1), grid.text(1, 1));

    testing_support::TestFolder out;
    dialogs.saveAnswers.push_back((out / "crosses.csv").string());
    crosses->findChild<QPushButton*>("cmdexport")->click();
    EXPECT_EQ(testing_support::readBytes(out / "crosses.csv").substr(0, 17), "Horse Name,H.ID.,");

    // A cross whose offspring has one of the longest names.
    type(sire, "daring duke");
    type(damSire, "proud dancer");
    crosses->findChild<QPushButton*>("cmdshow")->click();
    bool listed = false;
    for (int row = 1; row < grid.rows(); ++row)
        listed = listed || grid.text(row, 0) == "Crimson Queen Of Wetherby Cannon";
    ASSERT_TRUE(listed);
    expectWholeNames();

    ASSERT_TRUE(activate());  // listing the horse brought the main window to the front
    QTest::keyClick(crosses.data(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return crosses.isNull() || !crosses->isVisible(); }, 1000));
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
