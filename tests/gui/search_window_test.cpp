// SPDX-License-Identifier: MIT
#include "shell/base/qt/grid_view.h"
#include "shown_main_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SearchWindowTest : public testing_support::SampleStoreWindow {
protected:
    template <typename T>
    T* find(const char* name) {
        return view->findChild<T*>(name);
    }
    QString resultCell(int row, int col) {
        auto* model = find<shell::GridView>("MSFlexGrid1")->model();
        return model->data(model->index(row - 1, col)).toString();  // grid row 0 is the header
    }
};

TEST_F(SearchWindowTest, TypingANameAndEnterListsTheHorse) {
    auto* name = find<QLineEdit>("txthorse");
    name->setFocus();
    QTest::keyClicks(name, "Black Dasher");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(find<shell::GridView>("MSFlexGrid1")->model()->rowCount(), 6);
    EXPECT_EQ(resultCell(1, 0), "Black Dasher");
    EXPECT_EQ(resultCell(1, 2), "312.3006");
    EXPECT_TRUE(find<QGroupBox>("frainfo")->title().startsWith("Statistics for Black Dasher;"));
    EXPECT_TRUE(find<QLabel>("lblprogress")->text().startsWith("Statistics for Black Dasher\nUnder trainer:  "));
    auto* stats = find<shell::GridView>("MSFWGrid")->model();
    EXPECT_FALSE(stats->data(stats->index(1, 9)).toString().isEmpty());
}

// Black Dasher's six runs, with today in week 312; every figure worked out by hand from
// the sample files.
TEST_F(SearchWindowTest, HorseSearchShowsTheWholeStatistics) {
    auto* name = find<QLineEdit>("txthorse");
    name->setFocus();
    QTest::keyClicks(name, "Black Dasher");
    find<QPushButton>("cmdgethorse")->click();
    EXPECT_EQ(find<QGroupBox>("frainfo")->title(),
              "Statistics for Black Dasher;     $5,039;  0 - 0 - 1 - 1 - 2 = 4 / 6");
    EXPECT_EQ(find<QLabel>("lblprogress")->text(),
              "Statistics for Black Dasher\nUnder trainer:  Reid Thoroughbreds\nEarnings: $5,039\n"
              "W-P-S-4-5:  0-0-1-1-2=4/6\nCurrent Tag: $4,000\nLast Week of Tag:  Week 681  (2000-06-01)\n\n"
              "Last 3, 6, 9, 12 mths: 0-0-0-0\n110+: 0     100+: 0     90+: 0");
    auto cells = [this](const char* grid) {
        auto* model = find<shell::GridView>(grid)->model();
        QStringList rows;
        for (int r = 1; r < model->rowCount(); ++r) {
            QStringList row;
            for (int c = 1; c < model->columnCount(); ++c) row << model->data(model->index(r, c)).toString();
            rows << row.join('|');
        }
        return rows;
    };
    EXPECT_EQ(cells("MSFWGrid"), (QStringList{"1-71.6|2-70.5||2-68.3|||||71.6/5", "||||||||0.0/0",
                                              "|1-60.9|||||||60.9/1", "0-0-0|0-0-1||0-0-0|||||0-0-1/5",
                                              "||||||||0-0-0/0", "|0-0-0|||||||0-0-0/1"}));
    EXPECT_EQ(cells("MSFSGrid"), (QStringList{"68.6 (3)|66.3 (2)|67.7 (5)", "0 (0)|0 (0)|0 (0)",
                                              "60.9 (1)|0 (0)|60.9 (1)", "66.7 (4)|66.3 (2)|66.5 (6)"}));
}

TEST_F(SearchWindowTest, NumberBoxesRefuseLettersWithABeep) {
    auto* week = find<QLineEdit>("txtfirstweek");
    week->setFocus();
    QTest::keyClicks(week, "3a1x0");
    EXPECT_EQ(week->text(), "310");
    EXPECT_EQ(dialogs.beeps, 2);
    QTest::keyClick(week, Qt::Key_Return);  // Enter in a week box starts nothing
    EXPECT_EQ(find<shell::GridView>("MSFlexGrid1")->model()->rowCount(), 1);
    auto* id = find<QLineEdit>("txtid");
    id->setFocus();
    QTest::keyClicks(id, "31a2.05*?");
    EXPECT_EQ(id->text(), "312.05*?");
}

TEST_F(SearchWindowTest, RaceButtonSetsUpThePanelAndGoSearches) {
    find<QRadioButton>("optrace")->click();
    EXPECT_FALSE(find<QCheckBox>("chkname")->isEnabled());
    EXPECT_TRUE(find<QCheckBox>("chkid")->isChecked());
    auto* id = find<QLineEdit>("txtid");
    id->setFocus();
    QTest::keyClicks(id, "312.0501");
    find<QPushButton>("cmdgethorse")->click();
    EXPECT_EQ(resultCell(1, 9), "1");
    EXPECT_EQ(find<QLabel>("lblprogress")->text(), "");
    find<QRadioButton>("optowner")->click();
    EXPECT_FALSE(find<QCheckBox>("chkid")->isEnabled());
    EXPECT_TRUE(find<QCheckBox>("chkname")->isChecked());
}

TEST_F(SearchWindowTest, NothingFoundTellsTheUserAndKeepsTheListing) {
    auto* name = find<QLineEdit>("txthorse");
    name->setFocus();
    QTest::keyClicks(name, "No Such Horse");
    find<QPushButton>("cmdgethorse")->click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"No horses under the search criteria were found."});
    EXPECT_EQ(find<QLabel>("lblprogress")->text(), "");
}

}  // namespace
