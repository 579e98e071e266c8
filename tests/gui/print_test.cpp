// SPDX-License-Identifier: MIT
#include "output/print_layout.h"
#include "output/qt/system_printer.h"
#include "scripted_dialogs.h"
#include "shell/main_finder.h"
#include "app/qt/main_finder_window.h"
#include "test_folder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

constexpr int kRows = 48;

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        finder.setUpControls();
        finder.frainfo.caption = "Statistics for Rapid Water";
        auto& grid = finder.MSFlexGrid1;
        grid.setRows(kRows + 1);
        const char* cells[] = {"",  "1234", "312.0507", "3U",    "AZ",   "A",    "8.5",    "D",     "07.5",
                               "1", "12",   "3",        "10000", "3.00", "6000", "Fisher", "12500", "5"};
        for (int r = 1; r <= kRows; ++r) {
            for (int c = 1; c < 18; ++c) grid.setText(r, c, cells[c]);
            grid.setText(r, 0, "Horse Number " + std::to_string(r));
            grid.select(r, 0, r, 17);
            grid.setCellForeColour(r % 2 ? base::kDirtFast : base::kTurfGood);
        }
        // Texts wider than their printed columns, and today's longer numbers.
        for (const auto& [col, text] : {std::pair{1, "5065388"},
                                        {2, "10366.7005"},
                                        {5, "SARG2"},
                                        {6, "10.5"},
                                        {15, "Reid Thoroughbreds"},
                                        {16, "25000"}})
            grid.setText(2, col, text);
        window = std::make_unique<app::MainFinderWindow>(finder);
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
    std::unique_ptr<app::MainFinderWindow> window;
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

// The text of each page of a PDF, as pdftotext lays it out; nothing without pdftotext.
std::optional<QStringList> pdfPages(const QString& pdf) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) return std::nullopt;
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000)) return QStringList();
    return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
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

    const auto text = pdfPages(pdf);
    if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; the PDF's text is not checked";
    const QStringList& pages = *text;
    ASSERT_EQ(pages.size(), 2);

    using Words = std::vector<std::string>;
    const auto first = wordsOfLines(pages[0]);
    const Words headings{"Horse", "Name",  "H.Id.", "Race",     "ID",    "Age",      "TR",
                         "Typ",   "Dis",   "Surf",  "Con",      "Sp",    "Fn",       "Fd",
                         "PP",    "Purse", "Odds",  "Earnings", "Owner", "ClaimPr.", "St"};
    ASSERT_EQ(first.size(), 2u + 47u);
    EXPECT_EQ(first[0], (Words{"Statistics", "for", "Rapid", "Water"}));
    EXPECT_EQ(first[1], headings);
    EXPECT_EQ(first[2],
              (Words{"Horse", "Number", "1",  "1234", "312.0507", "3U",    "AZ",    "A",      "8.5",    "Dirt", "Fst",
                     "07.5",  "1",      "12", "3",    "$10000",   "$3.00", "$6000", "Fisher", "$12500", "5"}));
    // No two values touch: each reads as a word of its own.
    EXPECT_EQ(first[3], (Words{"Horse", "Number", "2",    "5065388",       "10366.7005", "3U", "AZ", "SA\u2026",
                               "10.5",  "Dirt",   "Gd",   "07.5",          "1",          "12", "3",  "$10000",
                               "$3.00", "$6000",  "Reid", "Thoroug\u2026", "$25000",     "5"}));
    EXPECT_EQ(first.back()[2], "47");

    const auto second = wordsOfLines(pages[1]);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[0], (Words{"Statistics", "for", "Rapid", "Water.", "Pg.", "2"}));
    EXPECT_EQ(second[1], headings);
    EXPECT_EQ(second[2][2], "48");
}

TEST_F(PrintTest, AFailedJobLeavesNoFileBehind) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder / "no such folder" / "findings.pdf").string()));
    const auto layout = output::layOutFindings(finder.MSFlexGrid1, finder.frainfo.caption, {15120, 11520});
    const auto result = output::paintPages(printer, layout);
    EXPECT_EQ(result.outcome, output::PrintOutcome::Failed);
    EXPECT_EQ(result.detail, "The print job could not be started.");
    EXPECT_TRUE(folder.entries().empty());
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
    dialogs.answers = {true, true};  // the second only without a printer: print to a file
    whenDialogOpens<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); });
    window->findChild<QAction*>("cmdprint")->trigger();
    EXPECT_EQ(dialogs.questions.front(), "Are you sure that you wish to print these findings?");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Printing was cancelled; nothing was printed."});
    EXPECT_TRUE(folder.entries().empty());
}

// The window's own print dialog, told to print to a PDF file: the system's dialog offers
// that with or without a printer installed.
void printToFile(QPrintDialog* dialog, const QString& pdf) {
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!printers || !fileName) {
        ADD_FAILURE() << "the print dialog has no printer list or file name";
        return dialog->reject();
    }
    printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)" comes last
    fileName->setText(pdf);
    dialog->accept();
}

TEST_F(PrintTest, PrintFindingsPrintsBothPagesThroughThePrintDialog) {
    const QString pdf = QString::fromStdString((folder / "findings.pdf").string());
    const bool noPrinter = QPrinterInfo::availablePrinterNames().isEmpty();
    dialogs.answers = {true, true};
    auto orientation = QPageLayout::Portrait;
    whenDialogOpens<QPrintDialog>([&pdf, &orientation](QPrintDialog* dialog) {
        printToFile(dialog, pdf);
        orientation = dialog->printer()->pageLayout().orientation();
    });
    window->findChild<QAction*>("cmdprint")->trigger();
    EXPECT_EQ(orientation, QPageLayout::Landscape);
    EXPECT_EQ(dialogs.questions.size(), noPrinter ? 2u : 1u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(finder.MSFlexGrid1.row(), kRows);
    EXPECT_EQ(finder.MSFlexGrid1.col(), 2);
    const auto pages = pdfPages(pdf);
    if (!pages) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; the PDF's text is not checked";
    ASSERT_EQ(pages->size(), 2);
    EXPECT_TRUE(pages->at(0).contains(QStringLiteral("Horse Number 47")));
    EXPECT_TRUE(pages->at(1).simplified().startsWith(QStringLiteral("Statistics for Rapid Water. Pg. 2 Horse Name")));
}

}  // namespace
