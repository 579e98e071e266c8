// SPDX-License-Identifier: MIT
#include "output/speed_chart_window.h"
#include "sample_store.h"
#include "search/criteria_panel.h"
#include "shell/main_finder_window.h"

#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QImage>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

class SpeedChartWindowTest : public testing_support::SampleStore {
protected:
    void SetUp() override {
        SampleStore::SetUp();
        view = std::make_unique<shell::MainFinderWindow>(window);
        view->show();
    }

    output::SpeedChartWindow* open() {
        view->findChild<QAction*>("speedchart")->trigger();
        output::SpeedChartWindow* shown = nullptr;
        for (auto* each : view->findChildren<output::SpeedChartWindow*>("frmspeedchart"))
            if (each->isVisible()) shown = each;
        return shown;
    }
    void searchHorse(const char* name) {
        window.txthorse.caption = name;
        view->findChild<QPushButton*>("cmdgethorse")->click();
        QApplication::processEvents();  // the chart redraws once the command has ended
    }
    template <typename Series>
    std::vector<Series*> series(output::SpeedChartWindow* chart) {
        std::vector<Series*> found;
        for (auto* each : chart->chart()->series())
            if (auto* typed = qobject_cast<Series*>(each)) found.push_back(typed);
        return found;
    }

    std::unique_ptr<shell::MainFinderWindow> view;
};

// Opened on an empty grid, then Southern Waltz's five runs (see the core tests), a filter
// and the next search, all in the one window.
TEST_F(SpeedChartWindowTest, OneWindowFollowsEverySearchAndFilter) {
    EXPECT_EQ(view->findChild<QAction*>("speedchart")->text(), "Speed &Chart");
    auto* chart = open();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(chart->chart()->title().toStdString(), output::kNothingToShow);
    EXPECT_TRUE(chart->chart()->series().isEmpty());
    searchHorse("Southern Waltz");
    const auto scatter = series<QScatterSeries>(chart);
    ASSERT_EQ(scatter.size(), 4u);  // three colour classes and the ring around the won run
    EXPECT_EQ(scatter[0]->color(), QColor(128, 0, 0));
    EXPECT_EQ(scatter[0]->points(), (QList<QPointF>{{311, 80.4}, {311, 69.7}, {310, 83.0}}));
    EXPECT_EQ(scatter[1]->color(), QColor(128, 0, 128));
    EXPECT_EQ(scatter[2]->color(), QColor(0, 128, 128));
    EXPECT_EQ(scatter[3]->points(), (QList<QPointF>{{311, 69.7}}));
    ASSERT_EQ(series<QLineSeries>(chart).size(), 1u);
    EXPECT_EQ(series<QLineSeries>(chart)[0]->at(0).y(), 30);

    window.MSFlexGrid1.select(2, 7, 2, 7);  // the turf run's surface
    view->findChild<QAction*>("listfilter")->trigger();
    QApplication::processEvents();
    ASSERT_EQ(series<QScatterSeries>(chart).size(), 1u);
    EXPECT_EQ(series<QScatterSeries>(chart)[0]->points(), (QList<QPointF>{{312, 81.9}}));

    searchHorse("Steady Legend");
    EXPECT_EQ(open(), chart);
    EXPECT_EQ(series<QScatterSeries>(chart).size(), 5u);
    // A closed chart is deleted and no longer follows the grid.
    chart->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    searchHorse("Southern Waltz");
    EXPECT_EQ(open()->chart()->title(), "Speed figures: Southern Waltz");
}

TEST_F(SpeedChartWindowTest, ProgenyListingDrawsBestDirtAndTurfBars) {
    window.useBreedingFile(testing_support::kSamplesDir + "/breeding.txt");
    view->findChild<QAction*>("speedchart")->trigger();
    search::optdamsire_Click(window);  // the store was started without the breeding file
    window.txtnum.caption = "1";
    searchHorse("Old Crown");
    const auto bars = series<QBarSeries>(open());
    ASSERT_EQ(bars.size(), 1u);
    const auto sets = bars[0]->barSets();
    ASSERT_EQ(sets.size(), 2);
    EXPECT_EQ(sets[0]->color(), QColor(128, 0, 0));
    EXPECT_EQ(sets[1]->color(), QColor(0, 128, 0));
    EXPECT_EQ(sets[1]->count(), 18);
}

TEST_F(SpeedChartWindowTest, SavesThePngWhereTheUserChose) {
    auto* chart = open();
    searchHorse("Southern Waltz");
    auto* save = chart->findChild<QPushButton*>("cmdsaveimage");
    const auto path = folder / "southern waltz.png";
    dialogs.saveAnswers = {path.string(), std::nullopt, (folder / "missing" / "chart.png").string()};
    save->click();
    EXPECT_GT(QImage(QString::fromStdString(path.string()), "PNG").width(), 100);

    save->click();  // cancelled
    save->click();  // a folder that does not exist: told, nothing written
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"The chart could not be saved as " +
                                                         (folder / "missing" / "chart.png").string() +
                                                         ".\rNo such file or directory."});
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
