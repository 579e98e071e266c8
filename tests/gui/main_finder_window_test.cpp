// SPDX-License-Identifier: MIT
#include "base/qt/colours.h"
#include "base/qt/grid_table_model.h"
#include "base/qt/grid_view.h"
#include "base/qt/twips.h"
#include "shown_main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using testing_support::readBytes;

class MainFinderWindowTest : public testing_support::EmptyStoreWindow {
protected:
    template <typename T>
    T* find(const char* name) {
        auto* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString cell(const char* grid, int row, int col) {
        auto* model = find<base::GridView>(grid)->model();
        return model->data(model->index(row, col)).toString();
    }
};

TEST_F(MainFinderWindowTest, CaptionAndDesignedClientArea) {
    EXPECT_EQ(window->windowTitle(), "Harrowdex v" HARROWDEX_PROJECT_VERSION);
    EXPECT_EQ(window->objectName(), "frmmainfinder");
    EXPECT_EQ(window->centralWidget()->width(), base::twipsToPixelsX(14510, window.get()));
    EXPECT_EQ(window->centralWidget()->height(), base::twipsToPixelsY(8280, window.get()));
}

TEST_F(MainFinderWindowTest, CriteriaPanelAsAfterStartUp) {
    EXPECT_EQ(find<QGroupBox>("frasearchcriteria")->title(), "Search Criteria");
    EXPECT_EQ(find<QGroupBox>("frahorsesorowners")->title(), "Type of Search -- Horse Information or Sire Searches");
    EXPECT_EQ(find<QGroupBox>("Frame2")->title(), "");
    EXPECT_TRUE(find<QRadioButton>("opthorse")->isChecked());
    for (const char* name : {"optowner", "optrace"}) EXPECT_TRUE(find<QRadioButton>(name)->isEnabled());
    // No breeding file in the test folder: the progeny options show but cannot be chosen.
    for (const char* name : {"optsire", "optdamsire", "optdamdamsire"}) {
        EXPECT_TRUE(find<QRadioButton>(name)->isVisible()) << name;
        EXPECT_FALSE(find<QRadioButton>(name)->isEnabled()) << name;
    }
    EXPECT_EQ(find<QRadioButton>("optdamdamsire")->text(), "DDS");
    EXPECT_EQ(find<QLineEdit>("txthorse")->maxLength(), 32767);
    EXPECT_EQ(find<QLineEdit>("txtid")->maxLength(), 10);
    EXPECT_EQ(find<QLineEdit>("txtfirstweek")->maxLength(), 6);
    EXPECT_EQ(find<QLineEdit>("txtlastweek")->maxLength(), 6);
    EXPECT_TRUE(find<QCheckBox>("chkname")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkid")->isChecked());
    EXPECT_EQ(find<QCheckBox>("chkowner")->text(), "&Current Owner Only");
    EXPECT_FALSE(find<QCheckBox>("chkowner")->isChecked());
    EXPECT_EQ(find<QLabel>("lblfirstweek")->text(), "First Wee&k #:");
    EXPECT_EQ(find<QLabel>("lbllastweek")->text(), "&Last Week #:");
    EXPECT_EQ(find<QLabel>("lblname")->text(), "&Name:");
    EXPECT_EQ(find<QLabel>("lblid")->text(), "&ID:");
    EXPECT_EQ(find<QPushButton>("cmdspecial")->text(), "&Multi.");
    EXPECT_EQ(find<QPushButton>("cmdgethorse")->text(), "&GO!");
    for (const char* hidden : {"chk2yo", "lblnum", "txtnum", "lblfastest"})
        EXPECT_FALSE(find<QWidget>(hidden)->isVisible()) << hidden;
    EXPECT_EQ(find<QLineEdit>("txtnum")->text(), "5");
}

TEST_F(MainFinderWindowTest, TheNameAndIdCheckBoxesSayWhatTheyDo) {
    const std::pair<const char*, const char*> boxes[] = {{"chkname", "by name"}, {"chkid", "by ID"}};
    auto* frame = find<QGroupBox>("Frame2");
    for (const auto& [name, caption] : boxes) {
        auto* box = find<QCheckBox>(name);
        EXPECT_EQ(box->text().remove('&'), caption) << name;
        EXPECT_FALSE(box->toolTip().isEmpty()) << name;
        // The caption shows whole, inside the frame and clear of the text boxes.
        EXPECT_GE(box->width(), box->sizeHint().width()) << name;
        EXPECT_TRUE(frame->rect().contains(box->geometry())) << name;
        for (const char* text : {"txthorse", "txtid"})
            EXPECT_FALSE(box->geometry().intersects(find<QLineEdit>(text)->geometry())) << name << " " << text;
    }
}

// Alt and a letter reach every captioned control (a box through its label), each letter
// once with the menu bar's; the progeny options, one letter or two, are reached with the
// arrow keys from the other options of their frame.
TEST_F(MainFinderWindowTest, EveryCaptionedControlHasItsOwnAccessKey) {
    QStringList keys;
    for (QAction* menu : window->menuBar()->actions()) keys << QKeySequence::mnemonic(menu->text()).toString();
    for (auto* label : window->findChildren<QLabel*>()) {
        const QKeySequence key = QKeySequence::mnemonic(label->text());
        if (!label->buddy()) continue;
        EXPECT_FALSE(key.isEmpty()) << label->objectName().toStdString();
        keys << key.toString();
    }
    const QSet<QString> arrowKeyed{"optsire", "optdamsire", "optdamdamsire"};
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || arrowKeyed.contains(button->objectName())) continue;
        const QKeySequence key = QKeySequence::mnemonic(button->text());
        EXPECT_FALSE(key.isEmpty()) << button->objectName().toStdString();
        keys << key.toString();
    }
    for (auto* box : window->findChildren<QLineEdit*>()) {
        const auto labels = window->findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [box](QLabel* l) { return l->buddy() == box; }))
            << box->objectName().toStdString();
    }
    EXPECT_EQ(keys.size(), QSet<QString>(keys.begin(), keys.end()).size()) << keys.join(' ').toStdString();

    // The option frame's arrow keys reach the progeny options when they can be chosen.
    for (auto* option : {&finder.optsire, &finder.optdamsire, &finder.optdamdamsire}) option->enabled = true;
    window->showState();
    QApplication::setActiveWindow(window.get());
    auto* horse = find<QRadioButton>("opthorse");
    horse->setFocus();
    QTest::keyClick(horse, Qt::Key_Down);
    EXPECT_TRUE(find<QRadioButton>("optsire")->hasFocus());
}

TEST_F(MainFinderWindowTest, InformationAreaAsAfterStartUp) {
    EXPECT_EQ(find<QGroupBox>("frainfo")->title(), "");
    EXPECT_EQ(find<QGroupBox>("framaxspeedstats")->title(), "Max Speed And W-P-S");
    EXPECT_EQ(find<QGroupBox>("fraspeedstats")->title(), "Average Speed Stats");
    EXPECT_EQ(find<QLineEdit>("txtinjury")->text(), "30");
    EXPECT_EQ(find<QLineEdit>("txtinjury")->maxLength(), 3);
    EXPECT_EQ(find<QLabel>("lblinjurytest")->text(), "Injury &Exclusion:\nIgnore races slower than ...");
    EXPECT_EQ(find<QLabel>("lblprogress")->text(), "");
    for (const char* shown : {"MSFWGrid", "MSFSGrid", "MSFColorGridKey", "MSFlexGrid1"})
        EXPECT_TRUE(find<base::GridView>(shown)->isVisible()) << shown;
    for (const char* hidden : {"MSFSRGrid", "MSFmaxgrid"})
        EXPECT_FALSE(find<base::GridView>(hidden)->isVisible()) << hidden;
}

TEST_F(MainFinderWindowTest, StatisticsGridsShowTheirHeaders) {
    EXPECT_EQ(cell("MSFWGrid", 0, 1), "4-5");
    EXPECT_EQ(cell("MSFWGrid", 0, 8), "12+");
    EXPECT_EQ(cell("MSFWGrid", 0, 9), "Max");
    EXPECT_EQ(cell("MSFWGrid", 6, 0), "OT");
    auto* max = find<base::GridView>("MSFWGrid")->model();
    const QColor activeBorder = base::toQColor(base::kSystemActiveBorder);
    EXPECT_EQ(max->data(max->index(0, 1), Qt::BackgroundRole).value<QBrush>().color(), activeBorder);
    EXPECT_EQ(max->data(max->index(2, 0), Qt::BackgroundRole).value<QBrush>().color(), activeBorder);
    EXPECT_EQ(cell("MSFSGrid", 0, 3), "Total");
    EXPECT_EQ(cell("MSFSGrid", 4, 0), "Total");
    EXPECT_EQ(cell("MSFSRGrid", 7, 0), "Grp");
    EXPECT_EQ(cell("MSFmaxgrid", 0, 3), "9.5-10.5");
    auto* key = find<base::GridView>("MSFColorGridKey")->model();
    EXPECT_EQ(key->headerData(0, Qt::Horizontal).toString(), "Color Key");
    EXPECT_EQ(key->data(key->index(0, 0)).toString(), "Dirt - Fast");
    EXPECT_EQ(key->data(key->index(0, 0), Qt::ForegroundRole).value<QBrush>().color(), QColor(128, 0, 0));
    EXPECT_EQ(key->data(key->index(5, 0), Qt::ForegroundRole).value<QBrush>().color(), QColor(128, 128, 0));
    auto* results = find<base::GridView>("MSFlexGrid1")->model();
    EXPECT_EQ(results->headerData(0, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(results->headerData(17, Qt::Horizontal).toString(), "St");
    EXPECT_EQ(results->columnCount(), 18);
}

TEST_F(MainFinderWindowTest, MenusHoldTheirItemsInOrder) {
    auto names = [](const QMenu* menu) {
        QStringList list;
        for (const QAction* action : menu->actions()) list << action->objectName();
        return list;
    };
    auto* file = find<QMenu>("filemenu");
    EXPECT_EQ(file->title(), "&File");
    EXPECT_EQ(names(file),
              (QStringList{"cmdimportdata", "cmdresultsfolder", "cmdimportnewresults", "cmdremoverace", "cmdbackup",
                           "cmdrestore", "bar4", "cmdprint", "cmdprintpreview", "ExportText", "bar6", "cmdexit"}));
    auto* utilities = find<QMenu>("Utilitiesmenu");
    EXPECT_EQ(utilities->title(), "&Utilities");
    EXPECT_EQ(names(utilities), (QStringList{"datecalculator", "bar5", "cmdcompact", "edittracks", "speedchart",
                                             "findhorses", "watchlist", "crosses", "classpars", "sortresults"}));
    EXPECT_EQ(find<QMenu>("helpmenu")->title(), "&Help");
    EXPECT_EQ(names(find<QMenu>("helpmenu")), (QStringList{"cmdguide", "cmdabout"}));
    EXPECT_EQ(names(window->popupMenu()),
              (QStringList{"datecalc", "bar1", "getlineage", "bar", "listhorse", "listrace", "listowner",
                           "comparehorses", "watchhorse", "watchstable", "bar2", "listfilter", "sortcolumn", "bar3",
                           "msfgridreset", "msfgridback"}));
    EXPECT_EQ(find<QAction>("cmdimportdata")->text(), "&Import Race Data");
    EXPECT_EQ(find<QAction>("ExportText")->text(), "E&xport to Text File");
    EXPECT_EQ(find<QAction>("listrace")->text(), "List Race ");
    EXPECT_TRUE(find<QAction>("msfgridreset")->isEnabled());
    EXPECT_TRUE(find<QAction>("msfgridback")->isEnabled());
    find<QAction>("cmdexit")->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainFinderWindowTest, AboutNamesTheVersionStoreAndFolderInUse) {
    find<QAction>("cmdabout")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              "Harrowdex " HARROWDEX_PROJECT_VERSION "\rSearches and statistics of the race store.\r\rRace store: " +
                  (folder / "horses.mdb").string() + "\rFolder of the program's files: " + folder.path().string() +
                  "/\r(beside the program)");
}

// A stable's widest figures show whole in every cell of both statistics grids: counts of
// five digits, speeds over 100 (W-P-S of four digits a distance, five in the totals).
TEST_F(MainFinderWindowTest, TheStatisticsGridsShowAStablesWidestFiguresWhole) {
    struct Case {
        base::GridModel& grid;
        const char* name;
        int row;
        int firstCol;
        int lastCol;
        const char* text;
    };
    const std::vector<Case> cases{{finder.MSFWGrid, "MSFWGrid", 1, 1, 8, "99999-199.9"},
                                  {finder.MSFWGrid, "MSFWGrid", 4, 1, 8, "9999-9999-9999"},
                                  {finder.MSFWGrid, "MSFWGrid", 3, 9, 9, "199.9/99999"},
                                  {finder.MSFWGrid, "MSFWGrid", 6, 9, 9, "99999-99999-99999/99999"},
                                  {finder.MSFSGrid, "MSFSGrid", 4, 1, 3, "199.9 (99999)"}};
    for (const auto& test : cases)
        for (int col = test.firstCol; col <= test.lastCol; ++col) test.grid.setText(test.row, col, test.text);
    for (const auto& test : cases) {
        auto* view = find<base::GridView>(test.name);
        for (int col = test.firstCol; col <= test.lastCol; ++col)
            EXPECT_EQ(view->shownText(view->tableModel()->indexOfCell(test.row, col)).toStdString(), test.text)
                << test.name << " column " << col;
    }
}

// A wider window widens the results grid's columns in proportion, as shown only: the
// widths kept are the user's.
TEST_F(MainFinderWindowTest, TheResultsColumnsShareTheRoomOfAWiderWindow) {
    find<QAction>("msfgridreset")->trigger();
    auto* results = find<base::GridView>("MSFlexGrid1");
    window->resize(window->width() + 300, window->height());
    QApplication::processEvents();
    int shown = 0;
    for (int col = 0; col < results->model()->columnCount(); ++col) shown += results->columnWidth(col);
    EXPECT_EQ(shown, results->viewport()->width());
    EXPECT_GT(results->columnWidth(0), base::twipsToPixelsX(1250, results));
    EXPECT_EQ(finder.MSFlexGrid1.columnWidth(0), 1250);
}

TEST_F(MainFinderWindowTest, ResetColumnsAndToggleBackgroundFromTheContextMenu) {
    find<QAction>("msfgridreset")->trigger();
    EXPECT_EQ(finder.MSFlexGrid1.columnWidth(0), 1250);
    EXPECT_EQ(readBytes(folder / "HarrowdexSettings.ini"),
              " 1250  630  825  480  350  810  375  200  450  280  280  280  630  615  630  750  555  300 "
              "-2147483626 \r\n");
    find<QAction>("msfgridback")->trigger();
    EXPECT_EQ(finder.MSFlexGrid1.backColour(), base::kSystemWindowBackground);
    EXPECT_NE(readBytes(folder / "HarrowdexSettings.ini").find("-2147483643 \r\n"), std::string::npos);
}

// Names and figures show as they are; every Utilities item has its own access key; the
// name box has the focus at start; a larger window gives its room to the results grid.
TEST_F(MainFinderWindowTest, RoughEdgesAUserMeetsFirst) {
    finder.frainfo.caption = "Statistics for Fisher & Harris;";
    finder.lblprogress.caption = "<b>Fisher & Harris</b>";
    window->showState();
    const QString title = find<QGroupBox>("frainfo")->title();
    EXPECT_TRUE(QKeySequence::mnemonic(title).isEmpty());
    EXPECT_EQ(QString(title).replace("&&", "&"), "Statistics for Fisher & Harris;");
    EXPECT_EQ(find<QLabel>("lblprogress")->textFormat(), Qt::PlainText);
    EXPECT_EQ(find<QLabel>("lblprogress")->text(), "<b>Fisher & Harris</b>");

    QSet<QKeySequence> keys;
    qsizetype items = 0;
    for (const QAction* item : find<QMenu>("Utilitiesmenu")->actions())
        if (!item->isSeparator()) {
            keys.insert(QKeySequence::mnemonic(item->text()));
            ++items;
        }
    EXPECT_EQ(keys.size(), items) << "shared access keys";
    EXPECT_EQ(window->focusWidget(), find<QLineEdit>("txthorse"));

    auto* results = find<base::GridView>("MSFlexGrid1");
    const QSize designed = window->centralWidget()->size();
    const QRect before = results->geometry();
    const QRect info = find<QGroupBox>("frainfo")->geometry();
    window->resize(window->size() + QSize(300, 200));
    QApplication::processEvents();
    EXPECT_EQ(results->geometry(), before.adjusted(0, 0, 300, 200));
    EXPECT_EQ(find<QGroupBox>("frainfo")->geometry(), info);  // the panels keep their design
    window->resize(100, 100);
    QApplication::processEvents();
    EXPECT_EQ(window->centralWidget()->size(), designed);
    EXPECT_EQ(results->geometry(), before);
}

TEST_F(MainFinderWindowTest, UserEditsReachTheCoreState) {
    auto* name = find<QLineEdit>("txthorse");
    name->setFocus();
    name->insert("Black Dasher");
    emit name->textEdited(name->text());
    EXPECT_EQ(finder.txthorse.caption, "Black Dasher");
    find<QRadioButton>("optowner")->click();
    EXPECT_TRUE(finder.optowner.checked);
    EXPECT_FALSE(finder.opthorse.checked);
    find<QCheckBox>("chkowner")->click();
    EXPECT_TRUE(finder.chkowner.checked);
}

}  // namespace
