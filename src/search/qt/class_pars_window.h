// SPDX-License-Identifier: MIT
// The class pars window on screen: the speed that usually wins each class, beside the main window.
#pragma once

#include "base/caption_sort.h"
#include "search/class_pars_panel.h"
#include "shell/store_follower.h"

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

namespace search {

// The class pars window `frmclasspars`: the surface choice, the minimum of races, the ID
// box, "Show", the line above the table and the table (sorted by a click on a caption;
// Ctrl+C copies), and "Export...". The week bounds are the main window's. Once shown, the
// table follows the store: an import, a removal or a restore shows it anew. It never
// blocks the main window, is open at most once, and closes with it or with Escape.
class ClassParsWindow : public QWidget, public shell::StoreFollower {
    Q_OBJECT
public:
    ClassParsWindow(shell::MainWindowView& mainWindow, shell::MainFinder& finder);
    ~ClassParsWindow() override;

    // "Class &Pars...": the open window brought to the front, or a new one.
    static ClassParsWindow* classpars_Click(shell::MainWindowView& mainWindow, shell::MainFinder& finder);

    ClassParsPanel& panel() { return panel_; }
    base::GridView* table() const { return grid_; }
    void cmdshow_Click();

    void storeChanged(store::Database& db) override;
    std::string weeksImported(store::Database& db, const std::vector<int>& weeks) override;

private:
    // Shows the table anew once the command that changed the store has ended.
    void showAgainSoon();

    shell::MainFinder& finder_;
    ClassParsPanel panel_;
    QComboBox* surface_ = nullptr;
    QLineEdit* minRaces_ = nullptr;
    QLineEdit* id_ = nullptr;
    QLabel* count_ = nullptr;
    base::GridView* grid_ = nullptr;
    base::CaptionSort captionSort_;
};

}  // namespace search
