// SPDX-License-Identifier: MIT
// The crosses window on screen: which sire suits a mare's family, as a table beside the main window.
#pragma once

#include "base/caption_sort.h"
#include "progeny/crosses_panel.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace base {
class GridView;
}  // namespace base

namespace shell {
class MainFinder;
class MainWindowView;
}  // namespace shell

namespace progeny {

// The crosses window `frmcrosses`: the sire and dam-sire boxes, the age choice, the
// minimum of starters, "Show", the line above the table and the table (sorted by a click
// on a caption; Ctrl+C copies; for the offspring of both, Enter or a double click lists
// the horse in the main window), and "Export...". It never blocks the main window, is
// open at most once, and closes with it or with Escape.
class CrossesWindow : public QWidget {
    Q_OBJECT
public:
    CrossesWindow(shell::MainWindowView& mainWindow, shell::MainFinder& finder);
    // The grid's view goes before the panel whose grid model it shows.
    ~CrossesWindow() override;

    // "C&rosses...": the open window brought to the front, or a new one.
    static CrossesWindow* crosses_Click(shell::MainWindowView& mainWindow, shell::MainFinder& finder);

    CrossesPanel& panel() { return panel_; }
    base::GridView* table() const { return grid_; }
    void cmdshow_Click();
    void listSelectedHorse();

private:
    void sortBy(int column);
    void fitNameColumn();
    bool eventFilter(QObject* watched, QEvent* event) override;

    shell::MainWindowView& mainWindow_;
    CrossesPanel panel_;
    QLineEdit* sire_ = nullptr;
    QLineEdit* damSire_ = nullptr;
    QComboBox* ages_ = nullptr;
    QLineEdit* minStarters_ = nullptr;
    QLabel* count_ = nullptr;
    base::GridView* grid_ = nullptr;
    base::CaptionSort captionSort_;
};

}  // namespace progeny
