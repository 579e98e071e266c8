// SPDX-License-Identifier: MIT
#include "output/print_layout.h"
#include "output/qt_printer.h"
#include "scripted_dialogs.h"
#include "shell/main_finder.h"
#include "shell/main_finder_window.h"
#include "test_folder.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kRows = 48;

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        finder.setUpControls();
        finder.frainfo.caption = "Statistics for Rapid Water";
        auto& grid = finder.MSFlexGrid1;
        grid.setRows(kRows + 1);
        const char* cells[] = {"", "1234", "312.0507", "3U", "AZ", "A", "8.5", "D", "07.5",
                               "1", "12", "3", "10000", "3.00", "6000", "Fisher", "12500", "5"};
        for (int r = 1; r <= kRows; ++r) {
            for (int c = 1; c < 18; ++c) grid.setText(r, c, cells[c]);
            grid.setText(r, 0, "Horse Number " + std::to_string(r));
            grid.select(r, 0, r, 17);
            grid.setCellForeColour(r % 2 ? shell::kDirtFast : shell::kTurfGood);
        }
        window = std::make_unique<shell::MainFinderWindow>(finder);
        window->show();
    }

    // Runs `handle` on the first modal dialog of type T that the next command opens.
    template <typename T>
    void whenDialogOpens(std::function<void(T*)> handle) {
        QTimer::singleShot(0, window.get(), [handle] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) return handle(dialog);
            ADD_FAILURE() << "no dialog opened";
        });
    }

    testing_support::TestFolder folder;
    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder finder{dialogs};
    std::unique_ptr<shell::MainFinderWindow> window;
};

// The words of each line of a text, blank lines left out.
std::vector<std::vector<std::string>> wordsOfLines(const QString& text) {
    std::vector<std::vector<std::string>> lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        std::vector<std::string> words;
        for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            words.push_back(word.toStdString());
        if (!words.empty()) lines.push_back(words);
    }
    return lines;
}

TEST_F(PrintTest, TheListingPrintsToAPdfWhoseTextShowsIt) {
    const QString pdf = QString::fromStdString((folder / "findings.pdf").string());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Landscape);
    const auto layout =
        output::layOutFindings(finder.MSFlexGrid1, finder.frainfo.caption, output::printablePage(printer));
    EXPECT_EQ(layout.scale, 1.0);
    ASSERT_EQ(output::paintPages(printer, layout).outcome, output::PrintOutcome::Printed);
    ASSERT_TRUE(testing_support::readBytes(folder / "findings.pdf").starts_with("%PDF"));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; the PDF's text is not checked";
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2);

    using Words = std::vector<std::string>;
    const auto first = wordsOfLines(pages[0]);
    const Words headings{"Horse", "Name", "H.Id.", "Race", "ID", "Age", "TR", "Typ", "Dis", "Surf", "Con",
                         "Sp", "Fn", "Fd", "PP", "Purse", "Odds", "Earnings", "Owner", "ClaimPr.", "St"};
    ASSERT_EQ(first.size(), 2u + 47u);
    EXPECT_EQ(first[0], (Words{"Statistics", "for", "Rapid", "Water"}));
    EXPECT_EQ(first[1], headings);
    EXPECT_EQ(first[2], (Words{"Horse", "Number", "1", "1234", "312.0507", "3U", "AZ", "A", "8.5", "Dirt", "Fst",
                               "07.5", "1", "12", "3", "$10000", "$3.00", "$6000", "Fisher", "$12500", "5"}));
    EXPECT_EQ(first[3][10], "Gd");
    EXPECT_EQ(first.back()[2], "47");

    const auto second = wordsOfLines(pages[1]);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[0], (Words{"Statistics", "for", "Rapid", "Water.", "Pg.", "2"}));
    EXPECT_EQ(second[1], headings);
    EXPECT_EQ(second[2][2], "48");
}

TEST_F(PrintTest, PrintAndExportAreOfferedBesideAPreview) {
    auto* file = window->findChild<QMenu*>("filemenu");
    QStringList names;
    for (const QAction* action : file->actions()) names << action->objectName();
    EXPECT_EQ(names,
              (QStringList{"cmdimportdata", "cmdremoverace", "bar4", "cmdprint", "cmdprintpreview", "ExportText"}));
    auto* preview = window->findChild<QAction*>("cmdprintpreview");
    EXPECT_EQ(preview->text(), "Print Pre&view");
    EXPECT_TRUE(preview->isEnabled());
    EXPECT_TRUE(window->findChild<QAction*>("cmdprint")->isEnabled());
    EXPECT_TRUE(window->findChild<QAction*>("ExportText")->isEnabled());
}

TEST_F(PrintTest, PreviewShowsBothPages) {
    int pages = 0;
    whenDialogOpens<QPrintPreviewDialog>([&pages](QPrintPreviewDialog* dialog) {
        auto* view = dialog->findChild<QPrintPreviewWidget*>();
        view->updatePreview();
        pages = view->pageCount();
        dialog->reject();
    });
    window->findChild<QAction*>("cmdprintpreview")->trigger();
    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrintTest, ACancelledPrintDialogPrintsNothingAndSaysSo) {
    dialogs.answers = {true};
    whenDialogOpens<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); });
    window->findChild<QAction*>("cmdprint")->trigger();
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{"Are you sure that you wish to print these findings?"});
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Printing was cancelled; nothing was printed."});
    EXPECT_TRUE(folder.entries().empty());
}

}  // namespace
