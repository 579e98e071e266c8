// SPDX-License-Identifier: MIT
// The lineage window on screen: a horse's page texts and pedigree grid, beside the main window.
#pragma once

#include "lineage/lineage_form.h"

#include <QWidget>

namespace shell {
class ResultsArea;
}  // namespace shell

namespace lineage {

// The lineage window `frmlineage`: shows the state that `LineageForm` keeps. It never
// blocks the main window; closing it discards it, and the next request opens a new one.
class LineageWindow : public QWidget {
    Q_OBJECT
public:
    explicit LineageWindow(QWidget* mainWindow);
    ~LineageWindow() override;

    // "Get Lineage Info.": fetches the page of the selected row's horse through the main
    // window's HTTP client and shows it in the open lineage window, or in a new one. While
    // a page is awaited a second request does not start. The window shown, or none when
    // the request ended on a message or the user's No.
    static LineageWindow* getlineage_Click(QWidget* mainWindow, shell::ResultsArea& finder);

    void showLineage(const LineageInfo& info);

private:
    void createControls();
    void showState();

    LineageForm form_;
};

}  // namespace lineage
