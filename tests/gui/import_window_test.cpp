// SPDX-License-Identifier: MIT
#include "shown_main_window.h"
#include "store/database.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using testing_support::kSamplesDir;

class ImportWindowTest : public testing_support::EmptyStoreWindow {
protected:
    std::int64_t runners() {
        auto db = store::Database::open(folder / "horses.mdb");
        auto count = db.prepare("SELECT count(*) FROM tblhorsedata");
        count.step();
        return count.integer(0);
    }
    void drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const auto& path : paths) urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        const QPoint centre = window->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent dropped(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
    }
};

TEST_F(ImportWindowTest, MenuCommandImportsTheChosenFiles) {
    auto* command = window->findChild<QAction*>("cmdimportdata");
    ASSERT_TRUE(command->isEnabled());
    using namespace std::string_literals;
    dialogs.fileAnswers = {kSamplesDir + "\0raceout310.txt\0raceout311.txt"s};
    command->trigger();
    EXPECT_EQ(runners(), 117 + 129);
    EXPECT_EQ(window->findChild<QLabel*>("lblprogress")->text(), "");
}

TEST_F(ImportWindowTest, FailureShowsInTheStatusLabel) {
    testing_support::writeBytes(folder / "bad.txt", "\"header\"\r\n*00001\r\n");
    dialogs.fileAnswers = {(folder / "bad.txt").string()};
    window->findChild<QAction*>("cmdimportdata")->trigger();
    EXPECT_EQ(window->findChild<QLabel*>("lblprogress")->text(),
              "Import of bad.txt was NOT completed.\nImport terminated.\nLine 3: file ends early.");
}

TEST_F(ImportWindowTest, ReplacingAWeekAsksFirstAndNoCancelsTheImport) {
    auto* command = window->findChild<QAction*>("cmdimportdata");
    dialogs.fileAnswers = {kSamplesDir + "/raceout311.txt", kSamplesDir + "/raceout311.txt",
                           kSamplesDir + "/raceout311.txt"};
    command->trigger();
    dialogs.answers = {false, true};
    command->trigger();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Database import cancelled at user request."});
    EXPECT_EQ(runners(), 129);
    command->trigger();
    EXPECT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(runners(), 129);
    EXPECT_EQ(window->findChild<QLabel*>("lblprogress")->text(), "");
}

TEST_F(ImportWindowTest, DroppedFilesAreImported) {
    drop({QString::fromStdString(kSamplesDir + "/raceout312.txt")});
    EXPECT_EQ(runners(), 122);
    EXPECT_TRUE(dialogs.fileDialogs.empty());
}

}  // namespace
