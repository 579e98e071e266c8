// SPDX-License-Identifier: MIT
#include "output/speed_chart_window.h"

#include "shell/atomic_file.h"
#include "shell/qt_colours.h"
#include "shell/qt_twips.h"
#include "shell/qt_user_dialogs.h"

#include <QBarCategoryAxis>
#include <QBuffer>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
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
constexpr qreal kMarkerSize = 9;

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

QValueAxis* weekAxis(const Extent& extent) {
    auto* axis = new QValueAxis;
    axis->setTitleText("Week");
    axis->setLabelFormat("%d");
    axis->setRange(extent.firstWeek - 0.5, extent.lastWeek + 0.5);
    // Whole weeks only: at most about ten labels, every one a week number.
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(extent.firstWeek);
    axis->setTickInterval(std::max(1.0, std::ceil((extent.lastWeek - extent.firstWeek) / 10)));
    return axis;
}

QValueAxis* speedAxis(const Extent& extent) {
    auto* axis = new QValueAxis;
    axis->setTitleText("Speed figure");
    axis->setLabelFormat("%d");
    axis->setRange(std::floor(extent.lowest / 10) * 10 - 10, std::ceil(extent.highest / 10) * 10 + 10);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(10);
    return axis;
}

QScatterSeries* scatterOf(const SpeedSeries& runs) {
    auto* series = new QScatterSeries;
    series->setName(fromStd(runs.name));
    series->setColor(shell::toQColor(runs.colour));
    series->setBorderColor(shell::toQColor(runs.colour));
    series->setMarkerSize(kMarkerSize);
    for (const auto& point : runs.points) series->append(point.week, point.speed);
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
            if (point.won) series->append(point.week, point.speed);
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

QBarSet* barSetOf(const std::string& name, shell::Colour colour) {
    auto* set = new QBarSet(fromStd(name));
    set->setColor(shell::toQColor(colour));
    set->setBorderColor(shell::toQColor(colour));
    return set;
}

}  // namespace

SpeedChartWindow::SpeedChartWindow(shell::MainFinder& finder, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), finder_(finder) {
    setObjectName(kObjectName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Speed Chart");
    resize(shell::twipsToPixelsX(kWidthTwips, this), shell::twipsToPixelsY(kHeightTwips, this));
    view_ = new QChartView(new QChart, this);
    view_->setObjectName("chtspeed");
    view_->setRenderHint(QPainter::Antialiasing);
    auto* save = new QPushButton("&Save Image...", this);
    save->setObjectName("cmdsaveimage");
    connect(save, &QPushButton::clicked, this, &SpeedChartWindow::cmdsaveimage_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    finder_.MSFlexGrid1.addObserver(this);
    shown_ = speedChartOf(finder_);
    draw();
}

SpeedChartWindow::~SpeedChartWindow() { finder_.MSFlexGrid1.removeObserver(this); }

QChart* SpeedChartWindow::chart() const { return view_->chart(); }

void SpeedChartWindow::scheduleRefresh() {
    if (refreshPending_) return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] { refresh(); });
}

// Selecting cells changes the grid too; the chart is only redrawn when what it shows differs.
void SpeedChartWindow::refresh() {
    refreshPending_ = false;
    SpeedChart now = speedChartOf(finder_);
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
                if (entered) showTooltip(shown_.tooltipAt(finder_.MSFlexGrid1, point.x(), point.y()));
            });
    }
}

void SpeedChartWindow::drawProgeny() {
    QChart* chart = this->chart();
    auto* dirt = barSetOf(kBestOnDirt, shell::kDirtFast);
    auto* turf = barSetOf(kBestOnTurf, shell::kTurfFirm);
    QStringList labels;
    for (const auto& offspring : shown_.offspring) {
        *dirt << offspring.bestDirt;
        *turf << offspring.bestTurf;
        labels << fromStd(offspring.label);
    }
    auto* bars = new QBarSeries;
    bars->append(dirt);
    bars->append(turf);
    chart->addSeries(bars);
    auto* x = new QBarCategoryAxis;
    x->append(labels);
    x->setLabelsAngle(-90);
    auto* y = new QValueAxis;
    y->setTitleText("Best speed figure");
    y->setLabelFormat("%d");
    y->setMin(0);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
    connect(bars, &QBarSeries::hovered, this, [this](bool entered, int index) {
        if (entered && index >= 0 && index < static_cast<int>(shown_.offspring.size()))
            showTooltip(shown_.offspring[static_cast<std::size_t>(index)].tooltip);
    });
}

void SpeedChartWindow::showTooltip(const std::string& text) {
    QToolTip::showText(QCursor::pos(), shell::displayText(text), view_);
}

void SpeedChartWindow::cmdsaveimage_Click() {
    shell::FileDialogOptions options;
    options.title = "Save Chart As";
    options.filter = "PNG Images (*.png)|*.png|All Files (*.*)|*.*";
    const auto path = finder_.dialogs().chooseFileToSave(options);
    if (!path) return;
    // Written as every file of the program is, so a failure leaves no half image.
    QByteArray png;
    QBuffer buffer(&png);
    const bool encoded = buffer.open(QIODevice::WriteOnly) && view_->grab().toImage().save(&buffer, "PNG");
    if (encoded && !shell::writeFileAtomically(*path, std::string_view(png.constData(), static_cast<std::size_t>(png.size()))))
        return;
    finder_.dialogs().message("The chart could not be saved as " + *path + ".", shell::kAppTitle);
}

SpeedChartWindow* SpeedChartWindow::speedchart_Click(QWidget* mainWindow, shell::MainFinder& finder) {
    SpeedChartWindow* shown = nullptr;
    // A closed chart is hidden until it is deleted; it is not the open one.
    for (auto* each : mainWindow->findChildren<SpeedChartWindow*>(kObjectName, Qt::FindDirectChildrenOnly))
        if (each->isVisible()) shown = each;
    if (!shown) shown = new SpeedChartWindow(finder, mainWindow);
    shown->show();
    shown->setWindowState(shown->windowState() & ~Qt::WindowMinimized);
    shown->raise();
    shown->activateWindow();
    return shown;
}

}  // namespace output
