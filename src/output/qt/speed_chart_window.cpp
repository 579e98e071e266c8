// SPDX-License-Identifier: MIT
#include "output/qt/speed_chart_window.h"

#include "base/qt/small_window.h"
#include "base/atomic_file.h"
#include "base/qt/colours.h"
#include "base/qt/twips.h"
#include "base/qt/window_dialogs.h"

#include <QBarCategoryAxis>
#include <QBuffer>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QScrollArea>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace output {

namespace {

const char* const kObjectName = "frmspeedchart";
constexpr int kWidthTwips = 10800;
constexpr int kHeightTwips = 7200;
// Below this the legend and the axis labels no longer fit.
constexpr int kMinimumWidthTwips = 8400;
constexpr int kMinimumHeightTwips = 5400;
constexpr qreal kMarkerSize = 9;
constexpr int kMostTicks = 10;
// Name lines' worth of room the chart's title, legend, value axis and margins take.
constexpr int kChartFrameLines = 5;

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

// The smallest and largest week and speed of the plotted runs.
struct Extent {
    double firstWeek, lastWeek, lowest, highest;
};

Extent extentOf(const SpeedChart& chart) {
    Extent extent{INFINITY, -INFINITY, INFINITY, -INFINITY};
    for (const auto& series : chart.series)
        for (const auto& point : series.points) {
            extent.firstWeek = std::min(extent.firstWeek, point.week);
            extent.lastWeek = std::max(extent.lastWeek, point.week);
            extent.lowest = std::min(extent.lowest, point.speed);
            extent.highest = std::max(extent.highest, point.speed);
        }
    if (chart.threshold) {
        extent.lowest = std::min<double>(extent.lowest, *chart.threshold);
        extent.highest = std::max<double>(extent.highest, *chart.threshold);
    }
    return extent;
}

// Pixels at either end of the week axis for the widest marker, a win's ring with its pen.
constexpr qreal kEdgeRoom = kMarkerSize + 2;
const char* const kFirstWeek = "firstWeek";
const char* const kLastWeek = "lastWeek";

// The week axis spans its runs' weeks and, at either end, room for a whole marker across
// `width` pixels of plot, so that the first and last weeks' points are never cut.
void fitWeekRange(QValueAxis* axis, qreal width) {
    const double first = axis->property(kFirstWeek).toDouble();
    const double last = axis->property(kLastWeek).toDouble();
    const double room = width > 4 * kEdgeRoom ? kEdgeRoom * (last - first) / (width - 2 * kEdgeRoom) : 0;
    const double pad = std::max(0.5, room);
    if (axis->min() != first - pad || axis->max() != last + pad) axis->setRange(first - pad, last + pad);
}

// Whole weeks only, on round numbers, and no more labels than fit side by side across
// `width` pixels: five-digit weeks would otherwise be cut to "10...".
void spaceWeekTicks(QValueAxis* axis, qreal width) {
    const bool weeks = axis->property(kFirstWeek).isValid();
    if (weeks) fitWeekRange(axis, width);
    const double first = weeks ? axis->property(kFirstWeek).toDouble() : axis->min() + 0.5;
    const double last = weeks ? axis->property(kLastWeek).toDouble() : axis->max() - 0.5;
    const QFontMetricsF metrics(axis->labelsFont());
    const qreal labelRoom = 2 * metrics.horizontalAdvance(QString::number(static_cast<int>(last)));
    const int most = std::clamp(static_cast<int>(width / labelRoom), 2, kMostTicks);
    const double step = std::max(1.0, roundTickStep(last - first, most));
    axis->setTickAnchor(std::floor(first / step) * step);
    axis->setTickInterval(step);
}

QValueAxis* weekAxis(const Extent& extent) {
    auto* axis = new QValueAxis;
    axis->setTitleText("Week");
    axis->setLabelFormat("%d");
    axis->setProperty(kFirstWeek, extent.firstWeek);
    axis->setProperty(kLastWeek, extent.lastWeek);
    axis->setRange(extent.firstWeek - 0.5, extent.lastWeek + 0.5);
    axis->setTickType(QValueAxis::TicksDynamic);
    return axis;
}

// Ticks on the multiples of `step` (0, 20, 40, ... for a step of 20).
void setRoundTicks(QValueAxis* axis, double step) {
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
}

QValueAxis* speedAxis(const Extent& extent) {
    auto* axis = new QValueAxis;
    axis->setTitleText("Speed figure");
    axis->setLabelFormat("%d");
    const double step = std::max(1.0, roundTickStep(extent.highest - extent.lowest + 20, kMostTicks));
    axis->setRange(std::floor(extent.lowest / step) * step - step, std::ceil(extent.highest / step) * step + step);
    setRoundTicks(axis, step);
    return axis;
}

// Runs are outlined, so that markers that still overlap show their edges.
QScatterSeries* scatterOf(const SpeedSeries& runs) {
    auto* series = new QScatterSeries;
    series->setName(fromStd(runs.name));
    series->setColor(base::toQColor(runs.colour));
    series->setBorderColor(Qt::white);
    series->setMarkerSize(kMarkerSize);
    for (const auto& point : runs.points) series->append(point.x, point.speed);
    return series;
}

// Winning runs get a ring around their point.
QScatterSeries* winsOf(const SpeedChart& chart) {
    auto* series = new QScatterSeries;
    series->setName(fromStd(kWonRuns));
    series->setMarkerSize(kMarkerSize * 2);
    series->setBrush(Qt::NoBrush);
    series->setPen(QPen(Qt::black, 2));
    for (const auto& runs : chart.series)
        for (const auto& point : runs.points)
            if (point.won) series->append(point.x, point.speed);
    return series;
}

QLineSeries* thresholdLine(int threshold, const Extent& extent) {
    auto* line = new QLineSeries;
    line->setName(fromStd(thresholdCaption(threshold)));
    line->setPen(QPen(Qt::darkGray, 1.5, Qt::DashLine));
    line->append(extent.firstWeek - 0.5, threshold);
    line->append(extent.lastWeek + 0.5, threshold);
    return line;
}

QBarSet* barSetOf(const std::string& name, base::Colour colour) {
    auto* set = new QBarSet(fromStd(name));
    set->setColor(base::toQColor(colour));
    set->setBorderColor(base::toQColor(colour));
    return set;
}

}  // namespace

SpeedChartWindow::SpeedChartWindow(shell::ResultsArea& finder, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), finder_(finder) {
    base::setUpSmallWindow(*this, {kObjectName, "Speed Chart"});
    resize(base::twipsToPixelsX(kWidthTwips, this), base::twipsToPixelsY(kHeightTwips, this));
    setMinimumSize(base::twipsToPixelsX(kMinimumWidthTwips, this), base::twipsToPixelsY(kMinimumHeightTwips, this));
    view_ = new QChartView(new QChart);
    view_->setObjectName("chtspeed");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->viewport()->installEventFilter(this);
    // A long progeny listing makes the chart taller than the window; it then scrolls.
    scroll_ = new QScrollArea(this);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidget(view_);
    auto* save = new QPushButton("&Save Image...", this);
    save->setObjectName("cmdsaveimage");
    connect(save, &QPushButton::clicked, this, &SpeedChartWindow::cmdsaveimage_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll_, 1);
    layout->addLayout(buttons);
    finder_.MSFlexGrid1.addObserver(this);
    // The week labels are spaced anew whenever the plot's width changes.
    connect(view_->chart(), &QChart::plotAreaChanged, this, [this](const QRectF& plot) {
        for (auto* axis : view_->chart()->axes(Qt::Horizontal))
            if (auto* weeks = qobject_cast<QValueAxis*>(axis)) spaceWeekTicks(weeks, plot.width());
    });
    shown_ = currentChart();
    draw();
}

SpeedChartWindow::~SpeedChartWindow() { finder_.MSFlexGrid1.removeObserver(this); }

QChart* SpeedChartWindow::chart() const { return view_->chart(); }

void SpeedChartWindow::scheduleRefresh() {
    if (refreshPending_) return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] { refresh(); });
}

SpeedChart SpeedChartWindow::currentChart() const {
    return speedChartOf({finder_.MSFlexGrid1, finder_.MSFColorGridKey, finder_.horseLayoutShowing(),
                         finder_.frainfo.caption, finder_.txtinjury.caption});
}

// Selecting cells changes the grid too; the chart is only redrawn when what it shows differs.
void SpeedChartWindow::refresh() {
    refreshPending_ = false;
    SpeedChart now = currentChart();
    if (now == shown_) return;
    shown_ = std::move(now);
    draw();
}

void SpeedChartWindow::draw() {
    QChart* chart = this->chart();
    chart->removeAllSeries();
    for (auto* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(fromStd(shown_.title));
    chart->legend()->setVisible(shown_.kind != SpeedChart::Kind::Nothing);
    // The runs' many colour classes stand in a column beside the plot, where each has room.
    chart->legend()->setAlignment(shown_.kind == SpeedChart::Kind::Runs ? Qt::AlignRight : Qt::AlignTop);
    hoverTip_.clear();
    view_->setMinimumHeight(0);
    if (shown_.kind == SpeedChart::Kind::Runs) drawRuns();
    else if (shown_.kind == SpeedChart::Kind::Progeny) drawProgeny();
}

void SpeedChartWindow::drawRuns() {
    QChart* chart = this->chart();
    const Extent extent = extentOf(shown_);
    auto* x = weekAxis(extent);
    auto* y = speedAxis(extent);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    spaceWeekTicks(x, chart->plotArea().width());
    std::vector<QXYSeries*> all;
    if (shown_.threshold) all.push_back(thresholdLine(*shown_.threshold, extent));
    for (const auto& runs : shown_.series) all.push_back(scatterOf(runs));
    auto* wins = winsOf(shown_);
    if (wins->count() > 0) all.push_back(wins);
    else delete wins;
    for (auto* series : all) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        if (qobject_cast<QScatterSeries*>(series))
            connect(series, &QXYSeries::hovered, this, [this](const QPointF& point, bool entered) {
                showTooltip(entered ? shown_.tooltipAt(finder_.MSFlexGrid1, point.x(), point.y()) : std::string());
            });
    }
}

// One bar pair per offspring, lying down, so that the names read across beside them, the
// grid's first row at the top; the chart grows a line per offspring.
void SpeedChartWindow::drawProgeny() {
    QChart* chart = this->chart();
    auto* dirt = barSetOf(kBestOnDirt, base::kDirtFast);
    auto* turf = barSetOf(kBestOnTurf, base::kTurfFirm);
    QStringList labels;
    double best = 0;
    for (auto each = shown_.offspring.rbegin(); each != shown_.offspring.rend(); ++each) {
        *dirt << each->bestDirt;
        *turf << each->bestTurf;
        labels << fromStd(each->label);
        best = std::max({best, each->bestDirt, each->bestTurf});
    }
    auto* bars = new QHorizontalBarSeries;
    bars->append(dirt);
    bars->append(turf);
    chart->addSeries(bars);
    auto* names = new QBarCategoryAxis;
    names->append(labels);
    auto* speeds = new QValueAxis;
    speeds->setTitleText("Best speed figure");
    speeds->setLabelFormat("%d");
    // Whole figures on round ticks, and some scale even when no offspring has run.
    const double step = std::max(1.0, roundTickStep(std::max(best, 10.0), kMostTicks));
    speeds->setRange(0, std::max(std::ceil(best / step) * step, 10.0));
    setRoundTicks(speeds, step);
    chart->addAxis(names, Qt::AlignLeft);
    chart->addAxis(speeds, Qt::AlignTop);  // in sight above a long list, before any scrolling
    bars->attachAxis(names);
    bars->attachAxis(speeds);
    // A name gets a line and the padding the axis keeps above and below it; with less
    // room the axis shows its names cut to nothing.
    const int line = 2 * QFontMetrics(names->labelsFont()).height();
    view_->setMinimumHeight((static_cast<int>(labels.size()) + kChartFrameLines) * line);
    connect(bars, &QHorizontalBarSeries::hovered, this, [this](bool entered, int index) {
        const int count = static_cast<int>(shown_.offspring.size());
        const bool known = entered && index >= 0 && index < count;
        showTooltip(known ? shown_.offspring[static_cast<std::size_t>(count - 1 - index)].tooltip : std::string());
    });
}

// Qt's own tooltip handling of the view hides any tooltip that no chart item owns, as soon
// as the pointer rests; the point under the pointer keeps its tooltip instead.
bool SpeedChartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_->viewport() && event->type() == QEvent::ToolTip && !hoverTip_.isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), hoverTip_, view_);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SpeedChartWindow::showTooltip(const std::string& text) {
    hoverTip_ = base::displayText(text);
    if (hoverTip_.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(QCursor::pos(), hoverTip_, view_);
}

void SpeedChartWindow::cmdsaveimage_Click() {
    base::FileDialogOptions options;
    options.title = "Save Chart As";
    options.filter = "PNG Images (*.png)|*.png|All Files (*.*)|*.*";
    const auto path = finder_.dialogs().chooseFileToSave(options);
    if (!path) return;
    // Written as every file of the program is, so a failure leaves no half image.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !view_->grab().toImage().save(&buffer, "PNG")) {
        finder_.dialogs().message("The chart could not be saved as " + *path + ".\rThe image could not be made.",
                                  base::kAppTitle);
        return;
    }
    const auto failure =
        base::writeFileAtomically(*path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    if (failure)
        finder_.dialogs().message("The chart could not be saved as " + *path + ".\r" + *failure, base::kAppTitle);
}

SpeedChartWindow* SpeedChartWindow::speedchart_Click(QWidget* mainWindow, shell::ResultsArea& finder) {
    return base::openOnce<SpeedChartWindow>(*mainWindow, kObjectName,
                                            [&] { return new SpeedChartWindow(finder, mainWindow); });
}

}  // namespace output
