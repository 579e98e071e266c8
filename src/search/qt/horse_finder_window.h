// SPDX-License-Identifier: MIT
// The horse finder window on screen: its criteria, results grid, comparison and export.
#pragma once

#include "base/caption_sort.h"
#include "search/horse_finder_panel.h"

#include <QWidget>

#include <map>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace base {
class GridView;
}  // namespace base

namespace shell {
class MainFinder;
class MainWindowView;
}  // namespace shell

namespace watch {
struct WatchState;
}  // namespace watch

namespace search {

// The horse finder window `frmfindhorses`: the criteria boxes, "Find", the count line,
// the results grid (sorted by a click on a caption; Enter or a double click lists the
// horse in the main window; Ctrl+C copies), "Compare" and "Export...". It never blocks
// the main window, is open at most once, and closes with it.
class HorseFinderWindow : public QWidget {
    Q_OBJECT
public:
    HorseFinderWindow(shell::MainWindowView& mainWindow, shell::MainFinder& finder, const watch::WatchState& watching);
    // The grid's view goes before the panel whose grid model it shows.
    ~HorseFinderWindow() override;

    // "Find &Horses...": the open finder brought to the front, or a new one.
    static HorseFinderWindow* findhorses_Click(shell::MainWindowView& mainWindow, shell::MainFinder& finder,
                                               const watch::WatchState& watching);

    HorseFinderPanel& panel() { return panel_; }
    base::GridView* resultsGrid() const { return grid_; }
    void cmdfind_Click();
    void cmdcompare_Click();
    void listSelectedHorse();

private:
    QWidget* createCriteria();
    QLineEdit* addBox(QGridLayout* layout, int row, int column, const char* caption, const char* name);
    void offerOwners(QLineEdit* box);
    void readBoxes();
    void showState();
    void sortBy(int column);
    bool eventFilter(QObject* watched, QEvent* event) override;

    shell::MainWindowView& mainWindow_;
    shell::MainFinder& finder_;
    HorseFinderPanel panel_;
    std::map<std::string, QLineEdit*> boxes_;
    std::map<std::string, QLabel*> problemLabels_;
    QComboBox* surface_ = nullptr;
    QRadioButton* average_ = nullptr;
    QListWidget* classes_ = nullptr;
    QLabel* count_ = nullptr;
    base::GridView* grid_ = nullptr;
    base::CaptionSort captionSort_;
};

}  // namespace search
