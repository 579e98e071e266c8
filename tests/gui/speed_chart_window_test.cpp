// SPDX-License-Identifier: MIT
#include "output/speed_chart_window.h"
#include "progeny/getsires.h"
#include "sample_store.h"
#include "search/criteria_panel.h"
#include "shell/main_finder_window.h"

#include <QAction>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
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
#include <QValueAxis>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

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

// Texts of the chart's items under `item` (legend entries, axis labels), as drawn.
QStringList drawnTexts(const QGraphicsItem* item) {
    QStringList texts;
    for (const QGraphicsItem* child : item->childItems()) {
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(child)) texts << text->toPlainText();
        if (const auto* text = dynamic_cast<const QGraphicsSimpleTextItem*>(child)) texts << text->text();
        texts << drawnTexts(child);
    }
    return texts;
}

// A run of each colour class at the smallest window size: every legend entry reads in
// full; the axes tick on round numbers; runs of one week and speed stand apart.
TEST_F(SpeedChartWindowTest, RunsReadAtTheSmallestSize) {
    auto& grid = window.MSFlexGrid1;
    const shell::Colour colours[] = {shell::kDirtFast, shell::kTurfFirm, shell::kTurfGood,
                                     shell::kDirtGood, shell::kYielding, shell::kSloppy};
    grid.setRows(8);
    for (int row = 1; row <= 7; ++row) {
        grid.setText(row, 0, "Lone Star");
        grid.setText(row, 2, std::to_string(300 + row / 2) + ".0101");
        grid.setText(row, 8, std::to_string(40 + row * 7));
        grid.setText(row, 9, row == 1 ? "1" : "2");
        if (row <= 6) {
            grid.select(row, 2, row, 2);
            grid.setCellForeColour(colours[row - 1]);
        }
    }
    grid.setText(7, 2, "303.0102");
    grid.setText(7, 8, grid.text(6, 8));  // beside run 6
    auto* chart = open();
    chart->resize(chart->minimumSize());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    QApplication::processEvents();
    const QStringList legend = drawnTexts(chart->chart()->legend());
    EXPECT_EQ(legend.size(), 9) << legend.join('|').toStdString();  // six classes, Other, Won, threshold
    for (const QString& entry : legend)
        EXPECT_FALSE(entry.contains("...") || entry.contains(QChar(0x2026))) << entry.toStdString();
    for (auto* axis : chart->chart()->axes()) {
        auto* values = qobject_cast<QValueAxis*>(axis);
        ASSERT_NE(values, nullptr);
        EXPECT_EQ(values->tickType(), QValueAxis::TicksDynamic);
        EXPECT_EQ(std::fmod(values->tickAnchor(), values->tickInterval()), 0);
    }
    std::set<std::pair<qreal, qreal>> spots;  // runs 6 and 7 share week and speed
    for (auto* each : series<QScatterSeries>(chart))
        if (each->name() != "Won")
            for (const QPointF& point : each->points()) spots.emplace(point.x(), point.y());
    EXPECT_EQ(spots.size(), 7u);
}

// The tooltip of a point stays while the pointer rests on it.
TEST_F(SpeedChartWindowTest, APointsTooltipStaysWhileThePointerRests) {
    auto* chart = open();
    searchHorse("Southern Waltz");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    QTest::qWait(200);  // laid out and activated before the pointer comes
    auto* view = chart->findChild<QChartView*>("chtspeed");
    const auto scatter = series<QScatterSeries>(chart);
    const QPointF won = scatter[0]->at(1);
    const QPoint at = view->mapFromScene(chart->chart()->mapToScene(chart->chart()->mapToPosition(won, scatter[0])));
    QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(view->viewport(), &move);
    const QString tip = "Southern Waltz\nRace 311.3010\nClass A2x, distance 6\nFinish 1, odds 0.30";
    EXPECT_EQ(QToolTip::text(), tip);
    QHelpEvent rest(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &rest);
    QTest::qWait(600);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), tip);
}

// For a few offspring and for many, each name reads whole on a line of its own beside
// its lying bars, the grid's first row at the top, over round speed ticks.
TEST_F(SpeedChartWindowTest, ProgenyNamesReadBesideTheirBars) {
    auto* chart = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    progeny::switchToProgenyLayout(window);
    for (const int count : {5, 60}) {
        auto& grid = window.MSFlexGrid1;
        grid.setRows(count + 1);
        for (int row = 1; row <= count; ++row) {
            grid.setText(row, 0, "Offspring Number " + std::to_string(row));
            grid.setText(row, 1, std::to_string(1000 + row));
            grid.setText(row, 11, std::to_string(60 + row % 37));
            grid.setText(row, 15, std::to_string(50 + row % 29));
        }
        QTest::qWait(50);  // the chart redraws, then lays itself out
        ASSERT_EQ(series<QHorizontalBarSeries>(chart).size(), 1u);
        auto* names = qobject_cast<QBarCategoryAxis*>(chart->chart()->axes(Qt::Vertical).value(0));
        ASSERT_NE(names, nullptr);
        EXPECT_EQ(names->count(), count);
        EXPECT_EQ(names->at(count - 1), "Offspring Number 1");
        const QFontMetrics metrics(names->labelsFont());
        const QRectF plot = chart->chart()->plotArea();
        EXPECT_GE(plot.left(), metrics.horizontalAdvance("Offspring Number 60")) << count;
        EXPECT_GE(plot.height() / count, metrics.height()) << count;
        for (const QString& label : drawnTexts(chart->chart()))
            EXPECT_FALSE(label.contains("...") || label.contains(QChar(0x2026))) << label.toStdString();
        auto* speeds = qobject_cast<QValueAxis*>(chart->chart()->axes(Qt::Horizontal).value(0));
        ASSERT_NE(speeds, nullptr);
        EXPECT_EQ(speeds->alignment(), Qt::AlignTop);
        EXPECT_EQ(speeds->tickType(), QValueAxis::TicksDynamic);
        EXPECT_EQ(speeds->tickAnchor(), 0);
        EXPECT_EQ(speeds->tickInterval(), 10);
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
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"The chart could not be saved as " +
                                                         (folder / "missing" / "chart.png").string() + "."});
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
