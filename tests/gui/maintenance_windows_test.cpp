// SPDX-License-Identifier: MIT
#include "search/qt/special_stable_window.h"
#include "base/qt/grid_view.h"
#include "base/qt/small_window.h"
#include "shell/qt/edit_tracks_window.h"
#include "shell/qt/remove_data_window.h"
#include "shell/restore_search_indexes.h"
#include "shown_main_window.h"
#include "store/database.h"
#include "store/search_indexes.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>

#include <string_view>

namespace {

using ::testing::ElementsAre;

QStringList entries(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

void clickItem(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void typeInto(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

class MaintenanceWindowsTest : public testing_support::SampleStoreWindow {
protected:
    template <typename Window>
    Window* openWindow(const char* name) {
        Window* shown = nullptr;
        for (auto* each : view->findChildren<Window*>(name))
            if (each->isVisible()) shown = each;
        return shown;
    }
    template <typename T>
    T* in(QWidget* parent, const char* name) {
        return parent->findChild<T*>(name);
    }
    QWidget* removal() {
        view->findChild<QAction*>("cmdremoverace")->trigger();
        return openWindow<shell::RemoveDataWindow>("frmremovedata");
    }
    QWidget* tracks() {
        view->findChild<QAction*>("edittracks")->trigger();
        return openWindow<shell::EditTracksWindow>("frmedittracks");
    }
    QWidget* stables() {
        view->findChild<QPushButton*>("cmdspecial")->click();
        return openWindow<search::SpecialStableWindow>("frmstable");
    }
    int listedRows() { return view->findChild<base::GridView*>("MSFlexGrid1")->model()->rowCount(); }
};

TEST_F(MaintenanceWindowsTest, TheCommandsAreOffered) {
    for (const char* name : {"cmdremoverace", "cmdcompact", "edittracks"})
        EXPECT_TRUE(view->findChild<QAction*>(name)->isEnabled()) << name;
    EXPECT_TRUE(view->findChild<QPushButton*>("cmdspecial")->isEnabled());
}

// A backup made on its own thread while the window goes on, and a restore from it that
// brings back a week removed since and empties the listing of the store as it was.
TEST_F(MaintenanceWindowsTest, BackUpAndRestoreFromTheFileMenu) {
    const auto backup = (folder / "kept.mdb").string();
    dialogs.saveAnswers = {backup};
    view->findChild<QAction*>("cmdbackup")->trigger();
    EXPECT_THAT(dialogs.saveDialogs.at(0).initialPath, ::testing::HasSubstr("backups/horses "));
    auto* status = view->findChild<QLabel*>("lblprogress");
    QTRY_VERIFY_WITH_TIMEOUT(status->text().startsWith("Backed up the race store to"), 10000);
    store::Database::open(window.raceStorePath())
        .exec("DELETE FROM tblhorsedata WHERE racenum > 311 AND racenum < 312");

    window.MSFlexGrid1.setRows(5);
    dialogs.fileAnswers = {backup};
    dialogs.answers = {true};
    view->findChild<QAction*>("cmdrestore")->trigger();
    EXPECT_THAT(dialogs.questions.at(0), ::testing::HasSubstr("It holds weeks 310 to 312 (3 weeks)"));
    EXPECT_THAT(status->text().toStdString(), ::testing::StartsWith("Restored the race store from"));
    auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
    auto runs = db.prepare("SELECT count(*) FROM tblhorsedata WHERE racenum > 311 AND racenum < 312");
    runs.step();
    EXPECT_GT(runs.integer(0), 0);
    EXPECT_EQ(listedRows(), 1);  // one empty row, as before any search
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MaintenanceWindowsTest, RemovalDialogRemovesTheSelectedWeeks) {
    QWidget* dialog = removal();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Remove Which Week of Data?");
    EXPECT_FALSE(dialog->isModal());
    auto* weeks = in<QListWidget>(dialog, "lstweeks");
    EXPECT_EQ(entries(weeks), QStringList({"Week 312", "Week 311", "Week 310"}));
    EXPECT_EQ(weeks->selectionMode(), QAbstractItemView::MultiSelection);
    EXPECT_EQ(in<QPushButton>(dialog, "cmdremove")->text(), "Remove Data");
    EXPECT_EQ(in<QPushButton>(dialog, "cmdcancel")->text(), "Cancel");
    clickItem(weeks, 1);
    clickItem(weeks, 2);
    dialogs.answers = {true, false};
    in<QPushButton>(dialog, "cmdremove")->click();
    EXPECT_THAT(dialogs.questions,
                ElementsAre("Are you sure you wish to remove the selected week(s)?", "Back up the race store first?"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(view->findChild<QLabel*>("lblprogress")->text(), "");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view->findChildren<shell::RemoveDataWindow*>().isEmpty());
    EXPECT_EQ(entries(in<QListWidget>(removal(), "lstweeks")), QStringList({"Week 312"}));
}

TEST_F(MaintenanceWindowsTest, RemovalDialogNoAndCancelKeepEveryWeek) {
    QWidget* dialog = removal();
    clickItem(in<QListWidget>(dialog, "lstweeks"), 0);
    dialogs.answers = {false};
    in<QPushButton>(dialog, "cmdremove")->click();
    EXPECT_FALSE(dialog->isVisible());
    dialog = removal();
    clickItem(in<QListWidget>(dialog, "lstweeks"), 0);
    in<QPushButton>(dialog, "cmdcancel")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialogs.questions.size(), 1U);
    EXPECT_EQ(entries(in<QListWidget>(removal(), "lstweeks")).size(), 3);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MaintenanceWindowsTest, RemovalOfAnEmptyStoreShowsOnlyTheMessage) {
    QWidget* dialog = removal();
    auto* weeks = in<QListWidget>(dialog, "lstweeks");
    for (int i = 0; i < 3; ++i) clickItem(weeks, i);
    dialogs.answers = {true, false};
    in<QPushButton>(dialog, "cmdremove")->click();
    EXPECT_EQ(removal(), nullptr);
    EXPECT_THAT(dialogs.messages, ElementsAre("No races in the database.  Action cancelled."));
}

TEST_F(MaintenanceWindowsTest, AShownWindowRestoresTheIndexesOfAnInterruptedBulkLoad) {
    {
        auto db = store::Database::open(window.raceStorePath());
        store::BulkLoad unfinished(db);  // as an import killed while loading leaves it
    }
    dialogs.status = &window.lblprogress.caption;
    app::MainFinderWindow again(window);
    again.show();
    QTest::qWait(50);
    EXPECT_THAT(dialogs.statusTexts, ::testing::Contains(shell::kRestoringIndexes));
    EXPECT_EQ(dialogs.busyDepth, 0);
    EXPECT_EQ(window.lblprogress.caption, "");
    auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
    EXPECT_FALSE(store::searchIndexesMissing(db));
}

TEST_F(MaintenanceWindowsTest, CompactShowsItsStatusAndKeepsTheStore) {
    dialogs.status = &window.lblprogress.caption;
    view->findChild<QAction*>("cmdcompact")->trigger();
    EXPECT_THAT(dialogs.statusTexts, ElementsAre("Compacting Database ...\r\rThis may take several minutes."));
    EXPECT_TRUE(view->findChild<QLabel*>("lblprogress")->text().startsWith("Compacted the race store: "));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(entries(in<QListWidget>(removal(), "lstweeks")).size(), 3);
}

TEST_F(MaintenanceWindowsTest, TrackEditorAddsAndDeletesTracks) {
    QWidget* editor = tracks();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Edit Tracks");
    EXPECT_EQ(in<QGroupBox>(editor, "fraaddtrack")->title(), "Add Track . . .");
    EXPECT_EQ(in<QGroupBox>(editor, "fratracklist")->title(), "Current Track List");
    EXPECT_EQ(in<QLabel>(editor, "lbltracknum")->text(), "Track #:");
    EXPECT_EQ(in<QLabel>(editor, "lbltrackcode")->text(), "Track Code:");
    EXPECT_EQ(in<QPushButton>(editor, "cmddeletetrack")->text(), "Delete Track");
    auto* add = in<QPushButton>(editor, "cmdaddtrack");
    EXPECT_EQ(add->text(), "Add Track");
    auto* list = in<QListWidget>(editor, "lsttracks");
    EXPECT_EQ(list->count(), 0);
    for (const auto& [num, code] : {std::pair{"12", "XYZ"}, {"3.5", "FOU"}, {"40", "FOR"}}) {
        typeInto(in<QLineEdit>(editor, "txttracknum"), num);
        typeInto(in<QLineEdit>(editor, "txttrackcode"), code);
        if (std::string_view(code) == "FOR") QTest::keyClick(in<QLineEdit>(editor, "txttrackcode"), Qt::Key_Return);
        else add->click();
    }
    EXPECT_EQ(entries(list), QStringList({"04: FOU", "12: XYZ", "40: FOR"}));
    EXPECT_EQ(in<QLineEdit>(editor, "txttracknum")->text(), "");

    typeInto(in<QLineEdit>(editor, "txttracknum"), "12");
    add->click();
    typeInto(in<QLineEdit>(editor, "txttracknum"), "abc");
    add->click();
    in<QPushButton>(editor, "cmddeletetrack")->click();
    EXPECT_THAT(dialogs.messages,
                ElementsAre("12 is already in the database.  If you wish to edit or replace it, \rthen please "
                            "delete the track first.",
                            "You must enter a valid track number.", "Please select a track to delete."));
    clickItem(list, 1);
    in<QPushButton>(editor, "cmddeletetrack")->click();
    EXPECT_EQ(entries(list), QStringList({"04: FOU", "40: FOR"}));
    EXPECT_EQ(tracks(), editor);  // one editor, brought to the front
}

TEST_F(MaintenanceWindowsTest, StableSearchListsTheStablesFromTheButtonOrEnter) {
    QWidget* search = stables();
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->windowTitle(), "Special Stable Search");
    EXPECT_EQ(in<QGroupBox>(search, "fratrainers")->title(), "Trainer Names");
    EXPECT_EQ(in<QLabel>(search, "lblstable_3")->text(), "Stable #4:");
    EXPECT_TRUE(in<QLabel>(search, "lblnote")->text().startsWith("Note: wildcard searches may not work"));
    EXPECT_FALSE(in<QLabel>(search, "lblquerystring")->isVisible());
    EXPECT_EQ(dialogs.busyDepth, 0);
    typeInto(in<QLineEdit>(search, "txto1_0"), "Russell Partners");
    typeInto(in<QLineEdit>(search, "txto1_2"), "Reid Thoroughbreds");
    in<QPushButton>(search, "cmdgo")->click();
    EXPECT_FALSE(search->isVisible());
    EXPECT_EQ(listedRows(), 82);

    search = stables();
    typeInto(in<QLineEdit>(search, "txto1_1"), "Reid Thoroughbreds");
    QTest::keyClick(in<QLineEdit>(search, "txto1_1"), Qt::Key_Return);
    EXPECT_FALSE(search->isVisible());
    EXPECT_EQ(listedRows(), 37);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MaintenanceWindowsTest, StableSearchNeedsANameAndCancelCloses) {
    QWidget* search = stables();
    in<QPushButton>(search, "cmdgo")->click();
    EXPECT_THAT(dialogs.messages, ElementsAre("You must enter at least one trainer's name."));
    EXPECT_TRUE(search->isVisible());
    EXPECT_EQ(stables(), search);
    in<QPushButton>(search, "cmdcancel")->click();
    EXPECT_FALSE(search->isVisible());
}

TEST_F(MaintenanceWindowsTest, StableSearchSavesLoadsAndUsesSets) {
    QWidget* search = stables();
    EXPECT_EQ(in<QGroupBox>(search, "frasaveload")->title(), "Save / Load Names");
    auto* list = in<QListWidget>(search, "lstnames");
    typeInto(in<QLineEdit>(search, "txto1_0"), "N0");
    typeInto(in<QLineEdit>(search, "txto1_1"), "N1");
    typeInto(in<QLineEdit>(search, "txto1_3"), "N3");
    in<QPushButton>(search, "cmdadd")->click();
    EXPECT_EQ(entries(list), QStringList({"N0, N1, N3"}));
    EXPECT_EQ(testing_support::readBytes(folder / "HarrowdexSavednames.txt"), "N0, N1, N3\r\n");

    for (const char* box : {"txto1_0", "txto1_1", "txto1_3"}) typeInto(in<QLineEdit>(search, box), "");
    in<QPushButton>(search, "cmduse")->click();
    clickItem(list, 0);
    in<QPushButton>(search, "cmduse")->click();
    EXPECT_EQ(in<QLineEdit>(search, "txto1_2")->text(), "N3");
    EXPECT_EQ(in<QLineEdit>(search, "txto1_3")->text(), "");
    typeInto(in<QLineEdit>(search, "txto1_0"), "");
    const QPoint onFirst = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onFirst);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, onFirst);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onFirst);
    EXPECT_EQ(in<QLineEdit>(search, "txto1_0")->text(), "N0");

    testing_support::writeBytes(folder / "HarrowdexSavednames.txt", "A, B\r\n\r\nC\r\n");
    in<QPushButton>(search, "cmdload")->click();
    EXPECT_EQ(entries(list), QStringList({"A, B", "C"}));
    in<QPushButton>(search, "cmddelete")->click();
    clickItem(list, 0);
    in<QPushButton>(search, "cmddelete")->click();
    EXPECT_EQ(entries(list), QStringList({"C"}));
    EXPECT_EQ(testing_support::readBytes(folder / "HarrowdexSavednames.txt"), "C\r\n");
    for (const char* box : {"txto1_0", "txto1_1", "txto1_2", "txto1_3"}) typeInto(in<QLineEdit>(search, box), "");
    in<QPushButton>(search, "cmdadd")->click();
    EXPECT_THAT(dialogs.messages,
                ElementsAre("Please select a set of names to use.", "Please select a set of stables to delete.",
                            "Please enter at least one Stable into the textboxes provided."));
    search->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(entries(in<QListWidget>(stables(), "lstnames")), QStringList({"C"}));  // loaded on opening
}

}  // namespace

namespace {

// Escape closes each small window of the menus and the "Multi." button, as it closes a dialog.
TEST_F(MaintenanceWindowsTest, EscapeClosesEverySmallWindow) {
    const std::vector<std::pair<const char*, const char*>> windows{{"datecalculator", "frmdatecalculator"},
                                                                   {"cmdremoverace", "frmremovedata"},
                                                                   {"edittracks", "frmedittracks"},
                                                                   {"speedchart", "frmspeedchart"},
                                                                   {"findhorses", "frmfindhorses"},
                                                                   {"watchlist", "frmwatchlist"},
                                                                   {"cmdspecial", "frmstable"}};
    for (const auto& [command, name] : windows) {
        if (auto* action = view->findChild<QAction*>(command)) action->trigger();
        else view->findChild<QPushButton*>(command)->click();
        QPointer<QWidget> shown = openWindow<QWidget>(name);
        ASSERT_TRUE(shown) << name;
        shown->activateWindow();
        QTest::keyClick(shown.data(), Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown.isNull() || !shown->isVisible(); }, 1000)) << name;
    }
}

}  // namespace

namespace {

// A small window stands right of the main window, else left of it, else at the edge of
// the screen with more room; never below the screen.
TEST(BesidePlace, RightElseLeftElseTheRoomierEdge) {
    const QRect screen(0, 0, 1920, 1080);
    struct Case {
        QRect main;
        QSize size;
        QPoint place;
    };
    const std::vector<Case> cases{{{10, 10, 640, 600}, {300, 200}, {650, 10}},
                                  {{1270, 10, 640, 600}, {300, 200}, {970, 10}},
                                  {{100, 0, 1750, 900}, {300, 200}, {0, 0}},
                                  {{0, 0, 1780, 900}, {300, 200}, {1620, 0}},
                                  {{200, 900, 640, 600}, {300, 300}, {840, 780}}};
    for (const auto& test : cases)
        EXPECT_EQ(base::besidePlace(test.main, test.size, screen), test.place) << test.main.x();
}

}  // namespace
