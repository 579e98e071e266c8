// SPDX-License-Identifier: MIT
#include "output/qt/speed_chart_window.h"
#include "progeny/getsires.h"
#include "search/criteria_panel.h"
#include "shown_main_window.h"

#include <QAction>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QHelpEvent>
#include <QHorizontalBarSeries>
#include <QImage>
#include <QMouseEvent>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTest>
#include <QToolTip>
#include <QFontMetricsF>
#include <QValueAxis>
#include <gtest/gtest.h>

#include <cmath>

#include <filesystem>
#include <tuple>

namespace {

class SpeedChartWindowTest : public testing_support::SampleStoreWindow {
protected:
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
};

// Opened on an empty grid, then Southern Waltz's five runs (see the core tests), a filter
// and the next search, all in the one window.
TEST_F(SpeedChartWindowTest, OneWindowFollowsEverySearchAndFilter) {
    EXPECT_EQ(view->findChild<QAction*>("speedchart")->text(), "&Speed Chart");
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

// The texts the chart draws under `item` (legend entries, axis labels), none of them cut.
void expectWhole(const QGraphicsItem* item) {
    for (const QGraphicsItem* child : item->childItems()) {
        QString text;
        if (const auto* rich = dynamic_cast<const QGraphicsTextItem*>(child)) text = rich->toPlainText();
        if (const auto* plain = dynamic_cast<const QGraphicsSimpleTextItem*>(child)) text = plain->text();
        EXPECT_FALSE(text.contains("...") || text.contains(QChar(0x2026))) << text.toStdString();
        expectWhole(child);
    }
}

// A run of each colour class, at the smallest window size: the legend reads in full, the
// five-digit week labels have room side by side, and a point's tooltip stays while the
// pointer rests on it.
TEST_F(SpeedChartWindowTest, RunsReadAtTheSmallestSizeAndTooltipsStay) {
    auto& grid = window.MSFlexGrid1;
    const base::Colour colours[] = {base::kDirtFast, base::kTurfFirm, base::kTurfGood,
                                    base::kDirtGood, base::kYielding, base::kSloppy};
    grid.setRows(7);
    for (int row = 1; row <= 6; ++row) {
        for (const auto& [col, text] : {std::pair{0, std::string("Lone Star")},
                                        {2, std::to_string(10300 + row * 10) + ".01"},
                                        {8, std::to_string(40 + row * 7)},
                                        {9, std::string(row == 1 ? "1" : "2")}})
            grid.setText(row, col, text);
        grid.select(row, 2, row, 2);
        grid.setCellForeColour(colours[row - 1]);
    }
    auto* chart = open();
    chart->resize(chart->minimumSize());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    QTest::qWait(200);  // laid out and activated before the pointer comes
    EXPECT_EQ(chart->chart()->legend()->markers().size(), 8);  // six classes, the ring of wins, the threshold
    expectWhole(chart->chart()->legend());
    auto* weeks = qobject_cast<QValueAxis*>(chart->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(weeks);
    const double labels = std::floor((weeks->max() - weeks->min()) / weeks->tickInterval()) + 1;
    EXPECT_LE(labels * QFontMetricsF(weeks->labelsFont()).horizontalAdvance("10360"),
              chart->chart()->plotArea().width());
    // The first and last weeks' markers, a win's ring among them, show whole in the plot.
    const QRectF plot = chart->chart()->plotArea();
    for (auto* each : series<QScatterSeries>(chart))
        for (const QPointF& point : each->points()) {
            const QPointF centre = chart->chart()->mapToPosition(point, each);
            const qreal half = each->markerSize() / 2;
            EXPECT_TRUE(plot.contains(QRectF(centre.x() - half, centre.y() - half, 2 * half, 2 * half))) << point.x();
        }

    auto* view = chart->findChild<QChartView*>("chtspeed");
    auto* fast = series<QScatterSeries>(chart)[0];
    const QPoint at = view->mapFromScene(chart->chart()->mapToScene(chart->chart()->mapToPosition(fast->at(0), fast)));
    QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(view->viewport(), &move);
    const QString tip = "Lone Star\nRace 10310.01\nClass , distance \nFinish 1, odds ";
    EXPECT_EQ(QToolTip::text(), tip);
    QHelpEvent rest(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &rest);
    QTest::qWait(600);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), tip);
}

// For a few offspring and for many, each name reads whole on a line of its own beside
// its lying bars, the grid's first row at the top, under round speed ticks.
TEST_F(SpeedChartWindowTest, ProgenyNamesReadBesideTheirBars) {
    auto* chart = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    window.showProgenyLayout();
    for (const int count : {5, 60}) {
        auto& grid = window.MSFlexGrid1;
        grid.setRows(count + 1);
        for (int row = 1; row <= count; ++row) {
            grid.setText(row, 0, "Offspring Number " + std::to_string(row));
            grid.setText(row, 11, std::to_string(60 + row % 37));
        }
        QTest::qWait(50);  // the chart redraws, then lays itself out
        auto* names = qobject_cast<QBarCategoryAxis*>(chart->chart()->axes(Qt::Vertical).value(0));
        ASSERT_NE(names, nullptr);
        EXPECT_EQ(names->at(count - 1), "Offspring Number 1");
        expectWhole(chart->chart());
        EXPECT_GE(chart->chart()->plotArea().height() / count, QFontMetrics(names->labelsFont()).height()) << count;
        auto* speeds = qobject_cast<QValueAxis*>(chart->chart()->axes(Qt::Horizontal).value(0));
        ASSERT_NE(speeds, nullptr);
        EXPECT_EQ(std::tuple(speeds->tickType(), speeds->tickAnchor(), speeds->tickInterval()),
                  std::tuple(QValueAxis::TicksDynamic, 0.0, 10.0));
    }
}

TEST_F(SpeedChartWindowTest, ProgenyListingDrawsBestDirtAndTurfBars) {
    window.useBreedingFile(testing_support::kSamplesDir + "/breeding.txt");
    view->findChild<QAction*>("speedchart")->trigger();
    search::optdamsire_Click(window);  // the store was started without the breeding file
    window.txtnum.caption = "1";
    searchHorse("Old Crown");
    const auto bars = series<QHorizontalBarSeries>(open());
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
    const auto missing = (folder / "missing" / "chart.png").string();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"The chart could not be saved as " + missing +
                                                         ".\rCannot write " + missing + ": No such file or directory"});
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
