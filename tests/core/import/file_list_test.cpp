// SPDX-License-Identifier: MIT
#include "import/file_list.h"
#include "base/file_dialog_answer.h"
#include "import/results_file_source.h"
#include "samples.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zip.h>

namespace {

using import::ChosenFile;

TEST(CountDelimiters, CountsSingleCharactersExactly) {
    EXPECT_EQ(import::countDelimiters("C:\\a\\b", "\\"), 2);
    EXPECT_EQ(import::countDelimiters("abc", "B"), 0);
    EXPECT_EQ(import::countDelimiters("", "\\"), 0);
    EXPECT_EQ(import::countDelimiters("a\\b", ""), 0);
    EXPECT_EQ(import::countDelimiters("a\\\\b", "\\\\"), 0);  // two characters never equal one
    EXPECT_EQ(import::countDelimiters(std::string("a\0b\0", 4), std::string_view("\0", 1)), 2);
    EXPECT_THROW(import::countDelimiters(std::string(40000, 'x'), "x"), std::length_error);
}

TEST(FileListFromDialogAnswer, OneFile) {
    EXPECT_EQ(import::fileListFromDialogAnswer("C:\\races\\raceout311.txt", '\\'),
              (std::vector<ChosenFile>{{"C:\\races\\raceout311.txt", "raceout311.txt"}}));
}

TEST(FileListFromDialogAnswer, OneFileInARootFolderKeepsTheRootSeparator) {
    EXPECT_EQ(import::fileListFromDialogAnswer("C:\\raceout311.txt", '\\'),
              (std::vector<ChosenFile>{{"C:\\\\raceout311.txt", "raceout311.txt"}}));
}

TEST(FileListFromDialogAnswer, SeveralFilesInTheDialogsOrder) {
    using namespace std::string_literals;
    const std::string answer = "/home/p/races\0raceout312.txt\0raceout310.txt"s;
    EXPECT_EQ(import::fileListFromDialogAnswer(answer, '/'),
              (std::vector<ChosenFile>{{"/home/p/races/raceout312.txt", "raceout312.txt"},
                                       {"/home/p/races/raceout310.txt", "raceout310.txt"}}));
}

TEST(FileListFromDialogAnswer, RoundTripsTheWindowsAnswer) {
    const std::vector<std::string> paths{"/data/w/raceout311.txt", "/data/w/raceout310.zip"};
    const auto files = import::fileListFromDialogAnswer(base::dialogAnswerFor(paths, '/'), '/');
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].path, paths[0]);
    EXPECT_EQ(files[1].path, paths[1]);
    EXPECT_EQ(files[1].name, "raceout310.zip");
}

class ResultsFileSource : public ::testing::Test {
protected:
    // Writes a ZIP archive holding the given entries, compressed or stored as they are.
    std::string makeArchive(const std::vector<std::pair<std::string, std::string>>& entries,
                            zip_int32_t method = ZIP_CM_DEFAULT) {
        const auto path = (folder / "week.zip").string();
        int error = 0;
        zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        for (const auto& [name, text] : entries) {
            zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
            const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, 0);
        }
        zip_close(archive);
        return path;
    }
    testing_support::TestFolder folder;
};

TEST_F(ResultsFileSource, PlainFileIsReadAsItStands) {
    testing_support::writeBytes(folder / "raceout.txt", "\"header\"\r\n*99999\r\n");
    EXPECT_EQ(import::readResultsFile((folder / "raceout.txt").string()), "\"header\"\r\n*99999\r\n");
}

// An archive gives its first entry laid out as a results file, text files first, whatever
// their names; a readme beside it is passed over.
TEST_F(ResultsFileSource, ArchiveGivesItsFirstResultsFileTextFilesFirst) {
    const std::string week = testing_support::readBytes(testing_support::kSamplesDir + "/raceout310.txt");
    const std::string other = week + " ";
    EXPECT_EQ(import::readResultsFile(makeArchive({{"raceout310.dat", week}})), week);
    EXPECT_EQ(import::readResultsFile(makeArchive({{"readme.txt", "Unpack me"}, {"raceout310.dat", week}})), week);
    EXPECT_EQ(import::readResultsFile(
                  makeArchive({{"readme.pdf", "x"}, {"raceout312.dat", other}, {"RACEOUT311.TXT", week}})),
              week);
}

TEST_F(ResultsFileSource, UnusableFilesAreReported) {
    EXPECT_THROW(import::readResultsFile((folder / "missing.txt").string()), import::UnreadableFile);
    EXPECT_THROW(import::readResultsFile(makeArchive({{"a.pdf", "x"}, {"b.doc", "y"}})), import::UnreadableFile);
    testing_support::writeBytes(folder / "broken.zip", std::string("PK\x03\x04garbage", 11));
    EXPECT_THROW(import::readResultsFile((folder / "broken.zip").string()), import::UnreadableFile);
}

TEST_F(ResultsFileSource, EntryWhoseChecksumDoesNotMatchIsRefused) {
    const std::string text = "312.0501,purse $10000\r\n";
    std::string bytes = testing_support::readBytes(makeArchive({{"raceout312.txt", text}}, ZIP_CM_STORE));
    const auto digit = bytes.find("10000");
    ASSERT_NE(digit, std::string::npos);
    bytes[digit] = '9';
    testing_support::writeBytes(folder / "damaged.zip", bytes);
    try {
        import::readResultsFile((folder / "damaged.zip").string());
        FAIL() << "the damaged entry was read";
    } catch (const import::UnreadableFile& error) {
        EXPECT_EQ(error.what(), std::string("The archive is damaged: CRC error"));
    }
}

}  // namespace
