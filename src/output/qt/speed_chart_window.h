// SPDX-License-Identifier: MIT
// The speed chart window on screen, following the results grid as it changes.
#pragma once

#include "output/speed_chart.h"
#include "base/grid_model.h"
#include "shell/results_area.h"

#include <QWidget>

class QChart;
class QChartView;
class QScrollArea;

namespace output {

// The speed chart window `frmspeedchart`: draws the chart of the results grid and follows
// the grid as searches, sorting and filtering change it. It never blocks the main window
// and closes with it; its "Save Image..." button writes the chart as a PNG image.
class SpeedChartWindow : public QWidget, private base::GridModel::Observer {
    Q_OBJECT
public:
    SpeedChartWindow(shell::ResultsArea& finder, QWidget* mainWindow);
    ~SpeedChartWindow() override;

    // "&Speed Chart": the open chart brought to the front, or a new one.
    static SpeedChartWindow* speedchart_Click(QWidget* mainWindow, shell::ResultsArea& finder);

    // What the window draws now.
    const SpeedChart& shown() const { return shown_; }
    QChart* chart() const;
    // Asks for a file name and writes the chart there as a PNG image, whole or not at all.
    void cmdsaveimage_Click();

private:
    void gridChanged() override { scheduleRefresh(); }
    void gridShapeChanged() override { scheduleRefresh(); }
    // A search changes the grid cell by cell; the chart is redrawn once, after it.
    void scheduleRefresh();
    // The chart of the main window's results grid as it stands.
    SpeedChart currentChart() const;
    void refresh();
    void draw();
    void drawRuns();
    void drawProgeny();
    // Shows the tooltip of what the pointer entered, or hides it for an empty text.
    void showTooltip(const std::string& text);
    bool eventFilter(QObject* watched, QEvent* event) override;

    shell::ResultsArea& finder_;
    QScrollArea* scroll_ = nullptr;
    QChartView* view_ = nullptr;
    QString hoverTip_;  // of the point or bar under the pointer
    SpeedChart shown_;
    bool refreshPending_ = false;
};

}  // namespace output
