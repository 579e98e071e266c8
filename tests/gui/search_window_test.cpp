// SPDX-License-Identifier: MIT
#include "sample_store.h"
#include "shell/main_finder_window.h"
#include "shell/qt_grid_view.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SearchWindowTest : public testing_support::SampleStore {
protected:
    void SetUp() override {
        SampleStore::SetUp();
        view = std::make_unique<shell::MainFinderWindow>(window);
        view->show();
    }
    template <typename T>
    T* find(const char* name) {
        return view->findChild<T*>(name);
    }
    QString resultCell(int row, int col) {
        auto* model = find<shell::GridView>("MSFlexGrid1")->model();
        return model->data(model->index(row - 1, col)).toString();  // grid row 0 is the header
    }

    std::unique_ptr<shell::MainFinderWindow> view;
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
