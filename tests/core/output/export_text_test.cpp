// SPDX-License-Identifier: MIT
#include "output/export_findings.h"

#include "scripted_dialogs.h"
#include "test_folder.h"
#include "shell/main_finder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::readBytes;

const std::vector<std::string> kRunner{"Caf\xC3\xA9 Noir", "1234", "312.0507", "3U", "AZ", "A", "8.5", "D", "07.5",
                                       "1",    "12",   "3",       "10000", "3.00", "6000", "Fisher \"&\" Harris",
                                       "12500", "5"};

class ExportText : public ::testing::Test {
protected:
    void SetUp() override { window.setUpControls(); }

    // Three listed runs: a full row, a row without a claiming price, and a nearly empty one.
    void fillHorseLayout() {
        auto& grid = window.MSFlexGrid1;
        grid.setRows(4);
        for (int c = 0; c < 18; ++c) grid.setText(1, c, kRunner[static_cast<std::size_t>(c)]);
        for (int c = 0; c < 18; ++c) grid.setText(2, c, c == 16 ? "" : kRunner[static_cast<std::size_t>(c)]);
        grid.setText(3, 0, "Last");
    }
    void exportTo(const std::filesystem::path& path) {
        dialogs.saveAnswers = {path.string()};
        output::ExportText_Click(window);
    }

    testing_support::TestFolder folder;
    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder window{dialogs};
};

const std::string kCaptionLine =
    "\"Name\",\"H.ID.\",\"Race #\",\"Age\",\"Tr\",\"Typ\",\"Dis\",\"S\",\"Sp\",\"PL\",\"FD\",\"PP\",\"Purse\",\"Odds\","
    "\"Earn.\",\"Owner\",\"Clm\",\"St\",\r\n";
const std::string kRunnerCells =
    "\"Caf\xC3\xA9 Noir\",\"1234\",\"312.0507\",\"3U\",\"AZ\",\"A\",\"8.5\",\"D\",\"07.5\",\"1\",\"12\",\"3\","
    "\"10000\",\"3.00\",\"6000\",\"Fisher \"&\" Harris\",";

std::string lastLine() {
    std::string line = "\"Last\",";
    for (int c = 1; c < 18; ++c) line += "\"\",";
    return line + "\r\n";
}

TEST_F(ExportText, WritesTheCaptionsAndEveryRowByteForByte) {
    fillHorseLayout();
    exportTo(folder / "findings.txt");
    EXPECT_EQ(readBytes(folder / "findings.txt"), kCaptionLine + kRunnerCells + "\"12500\",\"5\",\r\n" + kRunnerCells +
                                                      "\"\",\"5\",\r\n" + lastLine());
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_EQ(dialogs.saveDialogs.size(), 1u);
    EXPECT_EQ(dialogs.saveDialogs[0].title, "Export as");
    EXPECT_EQ(dialogs.saveDialogs[0].filter, "All Files (*.*)|*.*|Text Files (*.txt)|*.txt");
    EXPECT_EQ(dialogs.saveDialogs[0].filterIndex, 2);
    EXPECT_FALSE(dialogs.saveDialogs[0].multiSelect);
}

TEST_F(ExportText, TheProgenyLayoutWritesEighteenOfItsNineteenColumns) {
    auto& grid = window.MSFlexGrid1;
    grid.setCols(19);
    grid.setRows(2);
    for (int c = 0; c < 19; ++c) {
        grid.setText(0, c, "C" + std::to_string(c));
        grid.setText(1, c, std::to_string(c * 10));
    }
    exportTo(folder / "progeny.txt");
    std::string expected;
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 18; ++c) expected += "\"" + grid.text(r, c) + "\",";
        expected += "\r\n";
    }
    EXPECT_EQ(readBytes(folder / "progeny.txt"), expected);
    EXPECT_EQ(expected.find("180"), std::string::npos);
}

TEST_F(ExportText, ANameWithoutExtensionGetsNoneAndAnOldFileIsReplaced) {
    fillHorseLayout();
    testing_support::writeBytes(folder / "findings", std::string(5000, 'x'));
    exportTo(folder / "findings");
    EXPECT_EQ(readBytes(folder / "findings").substr(0, kCaptionLine.size()), kCaptionLine);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"findings"});
}

TEST_F(ExportText, AnEmptyGridIsRefusedWithoutADialog) {
    output::ExportText_Click(window);  // before any search: one empty row
    window.MSFlexGrid1.setRows(1);
    output::ExportText_Click(window);
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>(2, "No data found.  You must have executed a successful search before export."));
    EXPECT_TRUE(dialogs.saveDialogs.empty());
}

TEST_F(ExportText, ARowWithANameIsNotEmpty) {
    window.MSFlexGrid1.setText(1, 0, "Only");
    exportTo(folder / "one.txt");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(readBytes(folder / "one.txt").substr(kCaptionLine.size(), 8), "\"Only\",\"");
}

TEST_F(ExportText, ACancelledDialogOrAnUnwritableFileEndsSilently) {
    fillHorseLayout();
    dialogs.saveAnswers = {std::nullopt};
    output::ExportText_Click(window);
    exportTo(folder / "no such folder" / "findings.txt");
    std::filesystem::create_directory(folder / "a folder");
    exportTo(folder / "a folder");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.saveDialogs.size(), 3u);
    // Nothing written, and no temporary file left behind.
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"a folder"});
    EXPECT_TRUE(std::filesystem::is_empty(folder / "a folder"));
}

}  // namespace
