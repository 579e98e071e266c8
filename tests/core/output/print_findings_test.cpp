// SPDX-License-Identifier: MIT
#include "output/print_findings.h"

#include "scripted_dialogs.h"
#include "shell/main_finder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr output::PageSize kPage{15120, 11520};

// Lays the pages out as a real printer would, and answers as the test says.
struct FakePrinter : output::FindingsPrinter {
    bool installed = true;
    output::PrintResult answer;
    output::PrintResult previewAnswer{output::PrintOutcome::Cancelled, {}};
    std::vector<output::PrintLayout> printed;
    std::vector<output::PrintLayout> previewed;

    bool printerInstalled() const override { return installed; }
    output::PrintResult print(const output::PageLayOut& layOut) override {
        printed.push_back(layOut(kPage));
        return answer;
    }
    output::PrintResult preview(const output::PageLayOut& layOut) override {
        previewed.push_back(layOut(kPage));
        return previewAnswer;
    }
};

class PrintFindings : public ::testing::Test {
protected:
    void SetUp() override {
        window.setUpControls();
        window.frainfo.caption = "Statistics for Rapid Water";
    }
    void fill(int rows) {
        window.MSFlexGrid1.setRows(rows + 1);
        for (int r = 1; r <= rows; ++r) window.MSFlexGrid1.setText(r, 0, "Horse " + std::to_string(r));
    }

    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder window{dialogs};
    FakePrinter printer;
};

TEST_F(PrintFindings, AnEmptyGridIsRefusedBeforeAnyQuestion) {
    output::cmdprint_Click(window, printer);  // the grid before any search: one empty row
    window.MSFlexGrid1.setRows(1);
    output::cmdprint_Click(window, printer);
    output::cmdprintpreview_Click(window, printer);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>(3, "No results in the flexgrid."));
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_TRUE(printer.printed.empty());
    EXPECT_TRUE(printer.previewed.empty());
}

TEST_F(PrintFindings, NoToTheQuestionPrintsNothing) {
    fill(3);
    dialogs.answers = {false};
    output::cmdprint_Click(window, printer);
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{"Are you sure that you wish to print these findings?"});
    EXPECT_TRUE(printer.printed.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrintFindings, YesPrintsTheGridUnderTheSearchTitle) {
    fill(48);
    window.MSFlexGrid1.select(5, 7, 9, 9);
    dialogs.answers = {true};
    output::cmdprint_Click(window, printer);
    ASSERT_EQ(printer.printed.size(), 1u);
    ASSERT_EQ(printer.printed[0].pages.size(), 2u);
    EXPECT_EQ(printer.printed[0].pages[1].texts.front().text, "Statistics for Rapid Water.  Pg. 2");
    EXPECT_TRUE(dialogs.messages.empty());
    // Reading the condition colours leaves the current cell at column 2 of the last row.
    EXPECT_EQ(window.MSFlexGrid1.row(), 48);
    EXPECT_EQ(window.MSFlexGrid1.col(), 2);
    EXPECT_EQ(window.MSFlexGrid1.rowSel(), 48);
}

TEST_F(PrintFindings, APrinterThatCannotPrintIsExplained) {
    fill(1);
    const std::vector<std::pair<output::PrintResult, std::string>> cases{
        {{output::PrintOutcome::Cancelled, ""}, "Printing was cancelled; nothing was printed."},
        {{output::PrintOutcome::NoPrinter, ""},
         "No printer is installed, so the findings cannot be printed.\rInstall a printer and try again."},
        {{output::PrintOutcome::Failed, "Out of paper."},
         "The printer reported an error; the findings were not printed and no part of the listing was kept."
         "\rOut of paper."}};
    for (const auto& [answer, message] : cases) {
        dialogs.messages.clear();
        dialogs.answers = {true};
        window.MSFlexGrid1.select(0, 0, 0, 0);
        printer.answer = answer;
        output::cmdprint_Click(window, printer);
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{message});
        EXPECT_EQ(window.MSFlexGrid1.row(), 0);  // nothing was printed, nothing was read
    }
}

TEST_F(PrintFindings, WithoutAPrinterTheUserMayPrintToAFileInstead) {
    fill(1);
    printer.installed = false;
    const std::vector<std::string> asked{"Are you sure that you wish to print these findings?",
                                         "No printer is installed.\rPrint the findings to a PDF file instead?"};
    dialogs.answers = {true, false};
    output::cmdprint_Click(window, printer);
    EXPECT_EQ(dialogs.questions, asked);
    EXPECT_TRUE(printer.printed.empty());
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.questions.clear();
    dialogs.answers = {true, true};
    output::cmdprint_Click(window, printer);
    EXPECT_EQ(dialogs.questions, asked);
    EXPECT_EQ(printer.printed.size(), 1u);
}

TEST_F(PrintFindings, PrintingFromThePreviewCountsAsPrinting) {
    fill(3);
    window.MSFlexGrid1.select(0, 0, 0, 0);
    output::cmdprintpreview_Click(window, printer);  // closed without printing
    EXPECT_EQ(window.MSFlexGrid1.row(), 0);

    printer.previewAnswer = {output::PrintOutcome::Failed, "Paper jam."};
    output::cmdprintpreview_Click(window, printer);
    EXPECT_EQ(window.MSFlexGrid1.row(), 0);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"The printer reported an error; the findings were not "
                                                         "printed and no part of the listing was kept.\rPaper jam."});

    printer.previewAnswer = {};
    output::cmdprintpreview_Click(window, printer);
    EXPECT_EQ(window.MSFlexGrid1.row(), 3);
    EXPECT_EQ(window.MSFlexGrid1.col(), 2);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(PrintFindings, PreviewShowsThePagesWithoutAsking) {
    fill(2);
    output::cmdprintpreview_Click(window, printer);
    EXPECT_TRUE(dialogs.questions.empty());
    ASSERT_EQ(printer.previewed.size(), 1u);
    EXPECT_EQ(printer.previewed[0].pages[0].texts.front().text, "Statistics for Rapid Water");
    EXPECT_TRUE(printer.printed.empty());

    window.cmdprintpreview.enabled = false;  // the progeny layout
    output::cmdprintpreview_Click(window, printer);
    EXPECT_EQ(printer.previewed.size(), 1u);
}

}  // namespace
