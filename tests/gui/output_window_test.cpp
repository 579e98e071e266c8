// SPDX-License-Identifier: MIT
#include "output/export_findings.h"
#include "base/qt/window_dialogs.h"
#include "shown_main_window.h"
#include "shell/main_finder.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Printing and export from the File menu after real searches of the sample weeks.
class OutputWindowTest : public testing_support::SampleStoreWindow {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SampleStore::SetUp());
        window.useBreedingFile(testing_support::kSamplesDir + "/breeding.txt");
        window.optsire.enabled = true;
        showWindow();
    }
    void type(const char* boxName, const char* text) {
        auto* box = view->findChild<QLineEdit*>(boxName);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    void search(const char* name) {
        type("txthorse", name);
        view->findChild<QPushButton*>("cmdgethorse")->click();
    }
    void trigger(const char* command) { view->findChild<QAction*>(command)->trigger(); }
    std::string exportTo(const std::string& name) {
        dialogs.saveAnswers = {(folder / name).string()};
        trigger("ExportText");
        return testing_support::readBytes(folder / name);
    }
    // The number of pages that the print preview shows; -1 when it does not open.
    int previewPages() {
        int pages = -1;
        QTimer::singleShot(0, view.get(), [&pages] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(widget); dialog && dialog->isVisible()) {
                    auto* preview = dialog->findChild<QPrintPreviewWidget*>();
                    preview->updatePreview();
                    pages = preview->pageCount();
                    dialog->reject();
                }
        });
        trigger("cmdprintpreview");
        QApplication::processEvents();  // the timer of a preview that did not open
        return pages;
    }
};

TEST_F(OutputWindowTest, AHorseSearchIsExportedAndPreviewedAsListed) {
    search("Black Dasher");
    const std::string text = exportTo("dasher");
    EXPECT_TRUE(text.starts_with("\"Name\",\"H.ID.\",\"Race #\","));
    EXPECT_EQ(std::ranges::count(text, '\n'), 7);
    EXPECT_NE(text.find("\"Black Dasher\",\"742503\",\"312.3006\",\"F-2\",\"\",\"C4y\",\"6\",\"T\",\"60.9\","
                        "\"5\",\"6\",\"5\",\"39300\",\"99.90\",\"786\",\"Reid Thoroughbreds\",\"25000\",\"42\",\r\n"),
              std::string::npos);
    EXPECT_EQ(std::ranges::count(folder.entries(), std::string("dasher")), 1);  // no extension added
    EXPECT_EQ(previewPages(), 1);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(OutputWindowTest, TheProgenyLayoutIsExportedButNotPrinted) {
    view->findChild<QRadioButton*>("optsire")->click();
    type("txtnum", "1");
    search("Iron Duke");
    const std::string text = exportTo("progeny.txt");
    EXPECT_EQ(std::ranges::count(text, '\n'), 46);
    const std::string header = text.substr(0, text.find("\r\n"));
    EXPECT_EQ(std::ranges::count(header, ','), 18);
    EXPECT_TRUE(header.ends_with("\"<8\",\"<=9\",\"<11\","));  // turf "11+" is left out

    EXPECT_FALSE(view->findChild<QAction*>("cmdprint")->isEnabled());
    EXPECT_EQ(previewPages(), -1);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The window's own save dialog: its title and filters, the name kept as typed, and an
// old file replaced without a question.
TEST(ExportDialog, TheSaveDialogKeepsTheTypedNameAndReplacesWithoutAsking) {
    testing_support::TestFolder folder;
    testing_support::writeBytes(folder / "findings", "an older export");
    base::WindowDialogs dialogs;
    shell::MainFinder finder{dialogs};
    finder.setUpControls();
    finder.MSFlexGrid1.setText(1, 0, "Only");

    QString title, selectedFilter;
    QStringList filters;
    bool asked = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
                title = dialog->windowTitle();
                filters = dialog->nameFilters();
                selectedFilter = dialog->selectedNameFilter();
                dialog->selectFile(QString::fromStdString((folder / "findings").string()));
                // A question about replacing the file would stop the test; note it, say No
                // and give up the export.
                QTimer::singleShot(0, [&asked, dialog] {
                    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                        asked = true;
                        box->reject();
                        QTimer::singleShot(0, dialog, &QFileDialog::reject);
                    }
                });
                static_cast<QDialog*>(dialog)->accept();  // the save button
            }
    });
    output::ExportText_Click(finder);
    EXPECT_EQ(title, "Export as");
    EXPECT_EQ(filters, (QStringList{"All Files (*.*)", "Text Files (*.txt)"}));
    EXPECT_EQ(selectedFilter, "Text Files (*.txt)");
    EXPECT_FALSE(asked);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"findings"});
    EXPECT_TRUE(testing_support::readBytes(folder / "findings").starts_with("\"Name\","));
}

}  // namespace
