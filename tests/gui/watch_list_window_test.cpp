// SPDX-License-Identifier: MIT
#include "shown_main_window.h"
#include "search/gethorse.h"
#include "base/qt/grid_view.h"
#include "app/qt/main_finder_window.h"
#include "watch/qt/watch_list_window.h"
#include "watch/watch_list.h"
#include "watch/watch_transfer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class WatchListWindowTest : public testing_support::SampleStoreWindow {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SampleStoreWindow::SetUp());
        ASSERT_TRUE(search::gethorse(window, search::kOwner, "Webb, A.", ""));
        view->showState();
        grid = view->grid("MSFlexGrid1");
    }
    // The context menu on the first data row, then its item `name`.
    QAction* menuItem(const char* name) {
        window.MSFlexGrid1.select(1, 0, 1, 0);
        emit grid->contextMenuRequested(grid->mapToGlobal(QPoint(5, 5)));
        view->popupMenu()->hide();
        return view->findChild<QAction*>(name);
    }
    QVariant cell(int col, int role) const { return grid->model()->data(grid->model()->index(0, col), role); }
    bool bold(int col) const { return cell(col, Qt::FontRole).value<QFont>().bold(); }

    base::GridView* grid = nullptr;
};

TEST_F(WatchListWindowTest, WatchFromTheRowEditDeleteCopyAndListFromTheWatchList) {
    QAction* watchHorse = menuItem("watchhorse");
    EXPECT_EQ(watchHorse->text(), "Watch Horse");
    watchHorse->trigger();
    menuItem("watchstable")->trigger();
    EXPECT_EQ(menuItem("watchhorse")->text(), "Stop Watching Horse");
    EXPECT_EQ(view->findChild<QAction*>("watchstable")->text(), "Stop Watching Stable");
    EXPECT_TRUE(bold(base::horse_column::kName));
    EXPECT_TRUE(bold(base::horse_column::kOwner));
    EXPECT_FALSE(bold(base::horse_column::kRace));

    view->findChild<QAction*>("watchlist")->trigger();
    auto* list = view->findChild<watch::WatchListWindow*>("frmwatchlist");
    ASSERT_TRUE(list);
    view->findChild<QAction*>("watchlist")->trigger();
    EXPECT_EQ(view->findChildren<watch::WatchListWindow*>().size(), 1) << "one instance";
    QTableWidget* horses = list->horses();
    ASSERT_EQ(horses->rowCount(), 1);
    EXPECT_EQ(horses->item(0, 0)->text(), cell(base::horse_column::kName, Qt::DisplayRole).toString());

    // A note typed in place is stored, shown on one line, and becomes the name cell's tooltip.
    horses->setCurrentCell(0, watch::kHorseNoteColumn);
    horses->editItem(horses->item(0, watch::kHorseNoteColumn));
    auto* editor = horses->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    // Wide enough to read a note of a few words while typing it, and all in sight.
    EXPECT_GE(editor->width(), editor->fontMetrics().horizontalAdvance(QString(40, 'n')));
    EXPECT_TRUE(horses->viewport()->rect().contains(editor->geometry()));
    editor->setText("claim at 5000\tif sound");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(watch::readWatchList(window.raceStorePath()).horses.at(0).note, "claim at 5000\tif sound");
    EXPECT_EQ(list->horses()->item(0, watch::kHorseNoteColumn)->text(), "claim at 5000 if sound");
    EXPECT_EQ(cell(base::horse_column::kName, Qt::ToolTipRole).toString(), "claim at 5000\tif sound");

    // Ctrl+C copies the selection with its captions.
    QTableWidget* stables = list->stables();
    list->tabs()->setCurrentWidget(stables);
    stables->setCurrentCell(0, 0);
    QTest::keyClick(stables, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Name\r\nWebb, A.\r\n");

    // A double click, or Enter, lists the stable in the main window.
    ASSERT_TRUE(search::gethorse(window, search::kOwner, "Webb, A.", ""));
    const std::string stableListed = window.frainfo.caption;
    for (const bool enter : {false, true}) {
        ASSERT_TRUE(search::gethorse(window, search::kHorseByNumber, "", "5426737"));
        ASSERT_NE(window.frainfo.caption, stableListed);
        if (enter) QTest::keyClick(stables, Qt::Key_Return);
        else emit stables->cellDoubleClicked(0, 0);
        EXPECT_EQ(window.frainfo.caption, stableListed) << enter;
        EXPECT_EQ(window.MSFlexGrid1.text(1, base::horse_column::kOwner), "Webb, A.");
    }

    // Delete asks, then stops watching.
    dialogs.answers = {true};
    QTest::keyClick(stables, Qt::Key_Delete);
    QApplication::processEvents();
    EXPECT_EQ(dialogs.questions.back(), "Stop watching the stable \"Webb, A.\"?");
    EXPECT_EQ(list->stables()->rowCount(), 0);
    EXPECT_FALSE(bold(base::horse_column::kOwner));
    EXPECT_TRUE(dialogs.messages.empty());
}

// Import joins a chosen file into the list, says what it did, and the window and the marks follow.
TEST_F(WatchListWindowTest, ImportAndExportThroughTheButtons) {
    view->findChild<QAction*>("watchlist")->trigger();
    auto* list = view->findChild<watch::WatchListWindow*>("frmwatchlist");
    ASSERT_TRUE(list);
    const std::string file = (folder / "list.json").string();
    testing_support::writeBytes(file, R"({"harrowdexWatchList": 1, "horses": [{"id": 5426737, "note": "claim"},
        {"id": 77, "name": "Gone Away"}], "stables": [{"name": "webb, a.", "note": "rival"}]})");
    dialogs.fileAnswers = {file};
    auto* importButton = list->findChild<QPushButton*>("cmdimportwatch");
    ASSERT_TRUE(importButton);
    EXPECT_EQ(importButton->text(), "&Import...");
    importButton->click();
    QApplication::processEvents();
    EXPECT_EQ(dialogs.fileDialogs.back().filter, watch::kWatchListFilter);
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0],
              "Horses added: 1. Stables added: 1. Notes joined: 0.\r"
              "Horses left out, not in the race store: 77 \"Gone Away\".");
    ASSERT_EQ(list->horses()->rowCount(), 1);
    EXPECT_EQ(list->horses()->item(0, watch::kHorseNoteColumn)->text(), "claim");
    EXPECT_EQ(list->stables()->rowCount(), 1);
    EXPECT_TRUE(bold(base::horse_column::kOwner));

    const std::string exported = (folder / "exported.json").string();
    dialogs.saveAnswers = {exported};
    list->findChild<QPushButton*>("cmdexportwatch")->click();
    EXPECT_NE(testing_support::readBytes(exported).find("\"note\": \"rival\""), std::string::npos);
    EXPECT_EQ(dialogs.messages.size(), 1U);
}

}  // namespace
