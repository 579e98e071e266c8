// SPDX-License-Identifier: MIT
#include "search/qt/class_pars_window.h"
#include "base/qt/grid_view.h"
#include "shown_main_window.h"
#include "store/database.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ClassParsWindowTest : public testing_support::SampleStoreWindow {};

// The table within the main window's week bounds; a horse placed adds Form and Margin; a
// removal of weeks shows the table anew; Escape closes.
TEST_F(ClassParsWindowTest, ShowsPlacesFollowsTheStoreAndCloses) {
    view->findChild<QAction*>("classpars")->trigger();
    QPointer<search::ClassParsWindow> pars = view->findChild<search::ClassParsWindow*>("frmclasspars");
    ASSERT_TRUE(pars);
    EXPECT_EQ(pars->windowTitle(), "Class Pars");
    auto* minimum = pars->findChild<QLineEdit*>("txtminraces");
    minimum->setText("1");
    pars->findChild<QPushButton*>("cmdshow")->click();
    const int classes = pars->panel().grid.rows() - 1;
    ASSERT_GT(classes, 1);
    EXPECT_EQ(pars->panel().grid.cols(), 6);

    window.txtfirstweek.caption = "312";
    std::int64_t horse = 0;
    {
        auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
        auto select = db.prepare("SELECT hid FROM tblhorsedata WHERE racenum > 312 AND sp > 0 LIMIT 1");
        ASSERT_TRUE(select.step());
        horse = select.integer(0);
    }
    pars->findChild<QLineEdit*>("txtid")->setText(QString::number(horse));
    pars->cmdshow_Click();
    EXPECT_LT(pars->panel().grid.rows() - 1, classes);
    EXPECT_EQ(pars->panel().grid.text(0, 7), "Margin");
    EXPECT_FALSE(pars->findChild<QLabel*>("lblcount")->text().isEmpty());

    window.txtfirstweek.caption.clear();
    pars->findChild<QLineEdit*>("txtid")->clear();
    pars->cmdshow_Click();
    {
        auto db = store::Database::open(window.raceStorePath());
        db.exec("DELETE FROM tblraces WHERE racenum > 312 AND racenum < 313");
        window.storeChanged(db);
    }
    QTRY_VERIFY(pars->panel().grid.rows() - 1 < classes);

    QTest::keyClick(pars, Qt::Key_Escape);
    QTRY_VERIFY(!pars || !pars->isVisible());
}

}  // namespace
