// SPDX-License-Identifier: MIT
// The comparison window on screen: one column per horse, the best value of each row in bold.
#pragma once

#include "search/horse_comparison.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class QTableWidget;

namespace shell {
class MainFinder;
}  // namespace shell

namespace search {

// The comparison window `frmcompare`: one column per horse, one row per figure, the best
// value of each row in bold, and below it the lines of who finished ahead when they met.
// Ctrl+C copies it as tab-separated text, "Export..." writes it as CSV. It never blocks the main window and closes with
// it.
class HorseComparisonWindow : public QWidget {
    Q_OBJECT
public:
    HorseComparisonWindow(QWidget* mainWindow, shell::MainFinder& finder, Comparison comparison);

    // "Compare": a new comparison of the horses `ids`, or a message why there is none.
    static HorseComparisonWindow* compare(QWidget* mainWindow, shell::MainFinder& finder,
                                          const std::vector<std::int64_t>& ids);

    QTableWidget* table() const { return table_; }
    const std::vector<ComparisonRow>& rows() const { return comparison_.rows; }
    void copyToClipboard() const;

private:
    shell::MainFinder& finder_;
    Comparison comparison_;
    QTableWidget* table_ = nullptr;
};

}  // namespace search
