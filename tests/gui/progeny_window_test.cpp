// SPDX-License-Identifier: MIT
#include "base/qt/grid_table_model.h"
#include "base/qt/grid_view.h"
#include "base/qt/twips.h"
#include "base/results_columns.h"
#include "shown_main_window.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProgenyWindowTest : public testing_support::SampleStoreWindow {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SampleStore::SetUp());
        // As start-up leaves the window when it finds the breeding file.
        window.useBreedingFile(testing_support::kSamplesDir + "/breeding.txt");
        for (auto* option : {&window.optsire, &window.optdamsire, &window.optdamdamsire}) option->enabled = true;
        showWindow();
    }
    template <typename T>
    T* find(const char* name) {
        return view->findChild<T*>(name);
    }
    // A cell of the view; the results grid shows its row 0 as the header.
    QString cell(const char* grid, int row, int col) {
        auto* model = find<base::GridView>(grid)->model();
        return model->data(model->index(row, col)).toString();
    }
    void type(const char* box, const QString& text) {
        auto* edit = find<QLineEdit>(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};

TEST_F(ProgenyWindowTest, SireSearchShowsTheProgenyLayoutAndAHorseSearchRestoresIt) {
    find<QRadioButton>("optsire")->click();
    EXPECT_TRUE(find<QLineEdit>("txtnum")->isVisible());
    type("txtnum", "1");
    type("txthorse", "Iron Duke");
    find<QPushButton>("cmdgethorse")->click();

    for (const char* shown : {"MSFSRGrid", "MSFmaxgrid"})
        EXPECT_TRUE(find<base::GridView>(shown)->isVisible()) << shown;
    for (const char* hidden : {"MSFSGrid", "MSFWGrid"})
        EXPECT_FALSE(find<base::GridView>(hidden)->isVisible()) << hidden;
    EXPECT_FALSE(find<QGroupBox>("fraspeedstats")->isVisible());
    EXPECT_FALSE(find<QAction>("cmdprint")->isEnabled());
    auto* fastest = find<QLabel>("lblfastest");
    EXPECT_TRUE(fastest->isVisible());
    EXPECT_EQ(fastest->text(), "Fastest progeny? Silent King - 98");
    EXPECT_EQ(find<QGroupBox>("frainfo")->title(), "Statistics for Progeny of Iron Duke  (45).");
    auto* results = find<base::GridView>("MSFlexGrid1")->model();
    EXPECT_EQ(results->columnCount(), 19);
    EXPECT_EQ(results->rowCount(), 45);
    EXPECT_EQ(cell("MSFlexGrid1", 0, 0), "Scarlet Bolt");
    // The statistics grids show their header row as cells.
    EXPECT_EQ(cell("MSFSRGrid", 3, 6), "37");  // the Mdn row's "Num"
    EXPECT_EQ(cell("MSFmaxgrid", 4, 5), "98");  // the "Max" row's "Avg"
    // The status label moves right of the speed table, clear of the colour key.
    const QRect progress = find<QLabel>("lblprogress")->geometry();
    EXPECT_GE(progress.left(), find<base::GridView>("MSFmaxgrid")->geometry().right());
    EXPECT_LE(progress.right(), find<base::GridView>("MSFColorGridKey")->geometry().left());

    find<QRadioButton>("opthorse")->click();
    type("txthorse", "Black Dasher");
    find<QPushButton>("cmdgethorse")->click();
    EXPECT_FALSE(find<base::GridView>("MSFSRGrid")->isVisible());
    EXPECT_FALSE(find<base::GridView>("MSFmaxgrid")->isVisible());
    EXPECT_FALSE(fastest->isVisible());
    EXPECT_TRUE(find<base::GridView>("MSFSGrid")->isVisible() && find<base::GridView>("MSFWGrid")->isVisible());
    EXPECT_TRUE(find<QGroupBox>("fraspeedstats")->isVisible());
    EXPECT_EQ(results->columnCount(), 18);
    EXPECT_EQ(cell("MSFlexGrid1", 0, 0), "Black Dasher");
}

}  // namespace

// At the reset widths the longest of today's numbers show whole in both layouts, in the
// grid's own font; only names and owners may show cut.
TEST_F(ProgenyWindowTest, TheLongestNumbersShowWholeAtTheResetWidths) {
    using namespace base;
    auto* results = find<GridView>("MSFlexGrid1");
    const auto expectWhole = [&](const std::vector<std::pair<int, const char*>>& longest) {
        for (const auto& [col, text] : longest) window.MSFlexGrid1.setText(1, col, text);
        for (const auto& [col, text] : longest)
            EXPECT_EQ(results->shownText(results->tableModel()->indexOfCell(1, col)), text) << "column " << col;
    };
    find<QAction>("msfgridreset")->trigger();
    type("txthorse", "Black Dasher");
    find<QPushButton>("cmdgethorse")->click();
    using namespace horse_column;
    expectWhole({{kHorseNumber, "9999999"},
                 {kRace, "32767.9999"},
                 {kAge, "O-3+"},
                 {kType, "Handicap"},
                 {kDistance, "10.5"},
                 {kSpeed, "199.9"},
                 {kPlace, "20"},
                 {kField, "20"},
                 {kPost, "20"},
                 {kPurse, "9999999"},
                 {kOdds, "999.90"},
                 {kEarnings, "5999999"},
                 {kClaiming, "250000"},
                 {kStart, "99"}});
    // With a long listing's scroll bar too, the columns fit without one across.
    int columns = 2 * results->frameWidth() + results->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int col = 0; col < kCount; ++col) columns += twipsToPixelsX(window.MSFlexGrid1.columnWidth(col), results);
    EXPECT_LE(columns, results->width());

    find<QRadioButton>("optsire")->click();
    type("txthorse", "Iron Duke");
    find<QPushButton>("cmdgethorse")->click();
    std::vector<std::pair<int, const char*>> progeny{{progeny_column::kHorseNumber, "9999999"},
                                                     {progeny_column::kRaces, "199"},
                                                     {progeny_column::kAllowance, "99"},
                                                     {progeny_column::kStakes, "99"},
                                                     {progeny_column::kGraded, "99"}};
    for (int col = progeny_column::kDirtBest; col < progeny_column::kCount; ++col) progeny.emplace_back(col, "199");
    expectWhole(progeny);
}
