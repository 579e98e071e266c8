// SPDX-License-Identifier: MIT
#include "base/qt/grid_view.h"
#include "shown_main_window.h"
#include "store/database.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class SearchWindowTest : public testing_support::SampleStoreWindow {
protected:
    template <typename T>
    T* find(const char* name) {
        return view->findChild<T*>(name);
    }
    QString resultCell(int row, int col) {
        auto* model = find<base::GridView>("MSFlexGrid1")->model();
        return model->data(model->index(row - 1, col)).toString();  // grid row 0 is the header
    }
};

TEST_F(SearchWindowTest, TypingANameAndEnterListsTheHorse) {
    auto* name = find<QLineEdit>("txthorse");
    name->setFocus();
    QTest::keyClicks(name, "Black Dasher");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(find<base::GridView>("MSFlexGrid1")->model()->rowCount(), 6);
    EXPECT_EQ(resultCell(1, 0), "Black Dasher");
    EXPECT_EQ(resultCell(1, 2), "312.3006");
    EXPECT_TRUE(find<QGroupBox>("frainfo")->title().startsWith("Statistics for Black Dasher;"));
    EXPECT_TRUE(find<QLabel>("lblprogress")->text().startsWith("Statistics for Black Dasher\nUnder trainer:  "));
    auto* stats = find<base::GridView>("MSFWGrid")->model();
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
        auto* model = find<base::GridView>(grid)->model();
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

// A trainer's name too long for the summary box is cut, and every figure stays in view.
TEST_F(SearchWindowTest, TheSummaryKeepsEveryLineInViewWithALongTrainerName) {
    std::string trainer = "Midnight Treasure Thoroughbreds";
    for (int i = 0; i < 12; ++i) trainer += " Of Wetherby And Sons";
    store::Database::open(window.raceStorePath())
        .exec("UPDATE tblhorsedata SET oname = '" + trainer + "' WHERE oname = 'Reid Thoroughbreds'");
    QTest::keyClicks(find<QLineEdit>("txthorse"), "Black Dasher");
    find<QPushButton>("cmdgethorse")->click();
    auto* summary = find<QLabel>("lblprogress");
    const QStringList lines = summary->text().split('\n');
    ASSERT_EQ(lines.size(), 9);
    EXPECT_TRUE(lines[1].startsWith("Under trainer:  Midnight") && lines[1].endsWith(QChar(0x2026)))
        << lines[1].toStdString();
    EXPECT_EQ(lines[8], "110+: 0     100+: 0     90+: 0");
    const QRect room = summary->contentsRect();
    EXPECT_LE(summary->fontMetrics()
                  .boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, summary->text())
                  .height(),
              room.height());
    EXPECT_TRUE(summary->toolTip().contains(QString::fromStdString(trainer)));
}

TEST_F(SearchWindowTest, NumberBoxesRefuseLettersWithABeep) {
    auto* week = find<QLineEdit>("txtfirstweek");
    week->setFocus();
    QTest::keyClicks(week, "3a1x0");
    EXPECT_EQ(week->text(), "310");
    EXPECT_EQ(dialogs.beeps, 2);
    QTest::keyClick(week, Qt::Key_Return);  // Enter in a week box starts nothing
    EXPECT_EQ(find<base::GridView>("MSFlexGrid1")->model()->rowCount(), 1);
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

namespace {

// Today's weeks have five digits: the sample weeks as weeks 10363 to 10365, searched as a
// user would through the window's boxes and menus.
class FiveDigitWeeksWindowTest : public testing_support::EmptyStoreWindow {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startUp());
        std::vector<import::ChosenFile> weeks;
        for (int week = 310; week <= 312; ++week) {
            const std::string name = "raceout" + std::to_string(week + 10053) + ".txt";
            std::string text =
                testing_support::readBytes(testing_support::kSamplesDir + "/raceout" + std::to_string(week) + ".txt");
            const std::string from = "\n" + std::to_string(week) + ".";
            const std::string to = "\n" + std::to_string(week + 10053) + ".";
            for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
                text.replace(at, from.size(), to);
            testing_support::writeBytes(folder / name, text);
            weeks.push_back({(folder / name).string(), name});
        }
        ASSERT_EQ(import::importFiles(finder, finder.raceStorePath(), weeks), import::ImportResult::Done);
        showWindow();
    }
    template <typename T>
    T* find(const char* name) {
        return window->findChild<T*>(name);
    }
    void type(const char* box, const QString& text) {
        auto* edit = find<QLineEdit>(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    QStringList raceNumbers() {
        auto* model = find<base::GridView>("MSFlexGrid1")->model();
        QStringList numbers;
        for (int r = 0; r < model->rowCount(); ++r) numbers << model->data(model->index(r, 2)).toString();
        return numbers;
    }
};

TEST_F(FiveDigitWeeksWindowTest, WeekBoundsRaceNumbersAndDatesTakeWholeWeeks) {
    type("txtfirstweek", "10364");
    type("txtlastweek", "10364");
    type("txthorse", "Black Dasher");
    QTest::keyClick(find<QLineEdit>("txthorse"), Qt::Key_Return);
    EXPECT_EQ(raceNumbers(), (QStringList{"10364.3014", "10364.3010", "10364.3001"}));

    type("txtfirstweek", "");
    type("txtlastweek", "");
    find<QRadioButton>("optrace")->click();
    type("txtid", "10365.0501");
    EXPECT_EQ(find<QLineEdit>("txtid")->text(), "10365.0501");
    QTest::keyClick(find<QLineEdit>("txtid"), Qt::Key_Return);
    ASSERT_FALSE(raceNumbers().isEmpty());
    EXPECT_EQ(raceNumbers().front(), "10365.0501");
    EXPECT_TRUE(dialogs.messages.empty());

    // "Week Date" of the context menu names the race's week and its date.
    auto* results = find<base::GridView>("MSFlexGrid1");
    const QPoint cell = results->visualRect(results->model()->index(0, 0)).center();
    QTest::mousePress(results->viewport(), Qt::RightButton, {}, cell);
    QTest::mouseRelease(results->viewport(), Qt::RightButton, {}, cell);
    EXPECT_EQ(find<QAction>("datecalc")->text(), "Week 10365 = 2026-12-06");
    window->popupMenu()->hide();
}

}  // namespace

namespace {

// Two characters bring the offers; Down and Enter take one, which fills the ID box,
// ticks "by ID" and lists that horse at once, while typing went on in the box.
TEST_F(SearchWindowTest, TypedLettersOfferNamesAndEnterTakesTheHighlightedOne) {
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    auto* name = find<QLineEdit>("txthorse");
    name->setFocus();
    QTest::keyClicks(name, "bL");
    auto* offers = find<QTreeWidget>("txthorseoffers");
    ASSERT_NE(offers, nullptr);
    QTRY_VERIFY(offers->isVisible());
    QTest::keyClicks(name, "ack D");
    QTRY_COMPARE(offers->topLevelItemCount(), 1);
    EXPECT_EQ(name->text(), "bLack D");
    EXPECT_TRUE(name->hasFocus());
    const QString details = offers->topLevelItem(0)->text(1);  // "number  week N"
    QTest::keyClick(name, Qt::Key_Down);
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_FALSE(offers->isVisible());
    EXPECT_EQ(name->text(), "Black Dasher");
    EXPECT_EQ(find<QLineEdit>("txtid")->text(), details.section(' ', 0, 0));
    EXPECT_TRUE(find<QCheckBox>("chkid")->isChecked());
    EXPECT_EQ(resultCell(1, 0), "Black Dasher");
    EXPECT_EQ(find<base::GridView>("MSFlexGrid1")->model()->rowCount(), 6);
}

}  // namespace
