// SPDX-License-Identifier: MIT
#pragma once

#include "base/grid_model.h"
#include "guide/qt/guide_window.h"
#include "lineage/qt/lineage_window.h"
#include "progeny/qt/crosses_window.h"
#include "search/qt/class_pars_window.h"
#include "search/qt/horse_comparison_window.h"
#include "search/qt/horse_finder_window.h"
#include "shown_main_window.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testing_support {

// The main window `view` over the sample weeks, a horse listed, with every small window of
// the program open: those of the menus, the Multi. button, the crosses (whose menu item
// wants a breeding file), a comparison of two horses found, the lineage and the guide.
class EveryWindowOpen : public SampleStoreWindow {
protected:
    void openEveryWindow() {
        auto* name = view->findChild<QLineEdit*>("txthorse");
        name->setFocus();
        QTest::keyClicks(name, "Black Dasher");
        QTest::keyClick(name, Qt::Key_Return);
        for (const char* command : {"findhorses", "watchlist", "speedchart", "datecalculator", "edittracks",
                                    "cmdremoverace", "classpars", "cmdguide"})
            view->findChild<QAction*>(command)->trigger();
        view->findChild<QPushButton*>("cmdspecial")->click();
        progeny::CrossesWindow::crosses_Click(*view, window);
        auto* finder = view->findChild<search::HorseFinderWindow*>("frmfindhorses");
        finder->findChild<QPushButton*>("cmdfind")->click();
        const base::GridModel& found = finder->panel().grid;
        ASSERT_GE(found.rows(), 3);
        search::HorseComparisonWindow::compare(view.get(), window,
                                               {std::stoll(found.text(1, 1)), std::stoll(found.text(2, 1))});
        new lineage::LineageWindow(view.get());
    }

    // The main window and the small windows open over it.
    std::vector<QWidget*> windows() const {
        std::vector<QWidget*> shown{view.get()};
        for (auto* widget : view->findChildren<QWidget*>())
            if (widget->isWindow() && widget->objectName().startsWith("frm")) shown.push_back(widget);
        return shown;
    }
};

}  // namespace testing_support
