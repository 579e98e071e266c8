// SPDX-License-Identifier: MIT
// Runs the real harrowdex-generate-results and reads its files back record by record, as
// the importer walks a results file.
#include "lineage/horse_page_parser.h"
#include "program_runner.h"
#include "base/capitalise.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using ::testing::HasSubstr;
using testing_support::ProgramResult;
using testing_support::readBytes;
using testing_support::TestFolder;
using testing_support::writeBytes;
using Fields = std::vector<std::string>;

ProgramResult runGenerator(const std::vector<std::string>& args) {
    return testing_support::runProgram(HARROWDEX_GENERATOR_PATH, args);
}

// The fields of a line as written, quotes kept, split at the commas outside quotes.
Fields splitFields(const std::string& line) {
    Fields fields(1);
    bool quoted = false;
    for (char c : line) {
        quoted = c == '"' ? !quoted : quoted;
        if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// The race's index within its week as the importer stores it; the old form RR.TT reads
// as the two digits after the point followed by RR (12.07 as 0712, 5.1 as 1500).
int storedIndex(const std::string& number) {
    const auto point = number.find('.');
    std::string index = number.substr(point + 1);
    if (std::stod(number) < 26)
        index = index.substr(0, 2) + number.substr(0, point);
    index.resize(4, '0');
    return std::stoi(index);
}

bool isText(const std::string& field) { return field.size() >= 2 && field.front() == '"' && field.back() == '"'; }

struct FileSummary {
    int races = 0;
    int runs = 0;
    int oldFormNumbers = 0;  // race numbers written as RR.TT
};

class ResultsFileWalk {
public:
    explicit ResultsFileWalk(const std::string& bytes) {
        std::size_t start = 0;
        while (start < bytes.size()) {
            const auto end = bytes.find("\r\n", start);
            const std::string line = bytes.substr(start, end == std::string::npos ? end : end - start);
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "every line ends with CR LF: " << line;
            lines_.push_back(splitFields(line));
            start = end == std::string::npos ? bytes.size() : end + 2;
        }
    }

    // Checks the whole file's shape and counts its races and runs.
    void walk(int week, FileSummary& summary) {
        ASSERT_FALSE(lines_.empty());
        EXPECT_EQ(next(), Fields{"\"Simulated racing results, week " + std::to_string(week) + "\""});
        for (Fields marker = next(); marker != Fields{"*99999"}; marker = next()) {
            const std::string expected = std::to_string(100'000 + summary.races + 1);
            ASSERT_EQ(marker, Fields{"*" + expected.substr(1)}) << "after race " << summary.races;
            ASSERT_NO_FATAL_FAILURE(race(week, summary));
        }
        EXPECT_EQ(at_, lines_.size()) << "nothing follows the end marker";
    }

private:
    const Fields& next() {
        static const Fields pastTheEnd{"(end of file)"};
        return at_ < lines_.size() ? lines_[at_++] : pastTheEnd;
    }

    void race(int week, FileSummary& summary) {
        const Fields race = next();
        const Fields terms = next();
        ASSERT_EQ(race.size(), 7u) << race[0];
        ASSERT_EQ(terms.size(), 5u) << race[0];
        EXPECT_TRUE(isText(race[1]) && isText(race[6]));
        EXPECT_THAT(race[2] + race[3], testing::AnyOf("\"Dirt\"\"Fast\"", "\"Dirt\"\"Good\"", "\"Dirt\"\"Sloppy\"",
                                                      "\"Turf\"\"Firm\"", "\"Turf\"\"Good\"", "\"Turf\"\"Yielding\""));
        for (const auto& field : terms)
            EXPECT_TRUE(isText(field)) << field;
        const double number = std::stod(race[0]);
        if (number < 26) {
            EXPECT_GT(summary.races, 0) << "the first race number gives the importer the week";
            ++summary.oldFormNumbers;
        } else {
            EXPECT_EQ(static_cast<int>(number), week) << race[0];
        }
        EXPECT_TRUE(storedIndexes_.insert(storedIndex(race[0])).second) << "another race is stored as " << race[0];
        const int size = std::stoi(race[5]);
        std::vector<int> posts;
        for (int runner = 0; runner < size; ++runner) {
            const Fields horse = next();
            const Fields figures = next();
            ASSERT_EQ(horse.size(), 2u) << race[0];
            ASSERT_EQ(figures.size(), 12u) << race[0];
            EXPECT_TRUE(isText(horse[0]) && isText(figures[10]) && isText(figures[11])) << race[0];
            EXPECT_LE(horse[0].size(), 32u) << horse[0];
            // The horse number's first and last digits decode the speed and the post position.
            const int first = horse[1].front() - '0';
            const int last = horse[1].back() - '0';
            const double speed = std::stod(figures[0]) + first - last;
            EXPECT_TRUE(speed >= 40 && speed <= 125) << race[0] << " " << horse[0] << ": " << speed;
            EXPECT_GT(std::stod(figures[8]), 0.0) << race[0];
            posts.push_back(std::stoi(figures[9]) + 49 + (first == 9 ? 0 : first));
        }
        std::ranges::sort(posts);
        std::vector<int> expected(posts.size());
        std::iota(expected.begin(), expected.end(), 1);
        EXPECT_EQ(posts, expected) << "post positions of " << race[0];
        ++summary.races;
        summary.runs += size;
    }

    std::vector<Fields> lines_;
    std::size_t at_ = 0;
    std::set<int> storedIndexes_;
};

FileSummary walkFile(const std::filesystem::path& file, int week) {
    FileSummary summary;
    ResultsFileWalk(readBytes(file)).walk(week, summary);
    return summary;
}

TEST(GenerateResultsToolTest, SameSeedWritesTheSameBytes) {
    TestFolder first, second, other;
    const Fields options = {"--first-week", "311", "--weeks", "2", "--legacy-numbers"};
    const auto generate = [&options](const TestFolder& folder, const std::string& seed) {
        Fields args = options;
        args.insert(args.end(), {"--out", folder.path().string(), "--seed", seed});
        const ProgramResult result = runGenerator(args);
        EXPECT_EQ(result.status, 0) << result.err;
    };
    generate(first, "20240607");
    generate(second, "20240607");
    generate(other, "20240608");
    ASSERT_EQ(first.entries(), (Fields{"raceout311.txt", "raceout312.txt"}));
    ASSERT_EQ(second.entries(), first.entries());
    for (const auto& name : first.entries()) {
        const std::string bytes = readBytes(first / name);
        EXPECT_TRUE(bytes == readBytes(second / name)) << name << " differs between two runs of one seed";
        EXPECT_FALSE(bytes == readBytes(other / name)) << name << " is the same for another seed";
    }
}

TEST(GenerateResultsToolTest, FilesFollowTheResultsLayout) {
    TestFolder folder;
    const ProgramResult result = runGenerator({"--out", folder.path().string(), "--first-week", "579", "--weeks", "2",
                                               "--races-per-week", "150", "--min-runners", "1", "--seed", "3"});
    ASSERT_EQ(result.status, 0) << result.err;
    for (const int week : {579, 580}) {
        SCOPED_TRACE(week);
        const FileSummary summary = walkFile(folder / ("raceout" + std::to_string(week) + ".txt"), week);
        EXPECT_EQ(summary.races, 150);
        EXPECT_GT(summary.runs, 150 * 4);
        EXPECT_EQ(summary.oldFormNumbers, 0);
    }
}

TEST(GenerateResultsToolTest, OldFormRaceNumbersOnlyWhenAsked) {
    TestFolder folder;
    const ProgramResult result =
        runGenerator({"--out", folder.path().string(), "--first-week", "312", "--weeks", "1", "--legacy-numbers"});
    ASSERT_EQ(result.status, 0) << result.err;
    const FileSummary summary = walkFile(folder / "raceout312.txt", 312);
    EXPECT_EQ(summary.races, 400);
    EXPECT_GT(summary.oldFormNumbers, 0);
    EXPECT_LT(summary.oldFormNumbers, 400 / 10);
}

std::string upper(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Every page reads, with the lineage lookup's own parser, as its horse: the breeding file's
// name, and its sire, dam-sire and dam's dam-sire in the first pedigree row.
TEST(GenerateResultsToolTest, HorsePagesAgreeWithTheBreedingFile) {
    TestFolder folder;
    const ProgramResult result =
        runGenerator({"--out", (folder / "weeks").string(), "--first-week", "400", "--weeks", "3", "--races-per-week",
                      "30", "--horses", "300", "--stallions", "20", "--breeding", (folder / "breeding.txt").string(),
                      "--pages", (folder / "pages").string()});
    ASSERT_EQ(result.status, 0) << result.err;
    struct Group {
        std::string name;
        std::vector<std::string> lines;
    };
    std::map<std::string, Group> groups;
    std::istringstream breeding(readBytes(folder / "breeding.txt"));
    for (std::string line; std::getline(breeding, line);) {
        const auto comma = line.find(',');
        const std::string number = line.substr(0, comma), rest = line.substr(comma + 1);
        Group& group = groups[number];
        if (group.name.empty()) group.name = rest.substr(0, rest.find(','));
        else group.lines.push_back(upper(rest.substr(0, rest.find(','))));
    }
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "pages")) {
        const std::string number = entry.path().stem().string();
        const std::string page = readBytes(entry.path());
        const auto read = lineage::parseHorsePage(page);
        ASSERT_TRUE(groups.contains(number)) << number;
        const Group& group = groups.at(number);
        EXPECT_EQ(read.name, base::capitaliseWords(group.name)) << number;
        EXPECT_NE(page.find("ID# " + number + "<"), std::string::npos) << number;
        EXPECT_EQ(std::vector<std::string>(read.pedigree[0].begin(), read.pedigree[0].end()), group.lines) << number;
        for (const auto& row : read.pedigree)
            for (const auto& cell : row) EXPECT_FALSE(cell.empty()) << number;
        ++pages;
    }
    EXPECT_GT(pages, 200);
}

TEST(GenerateResultsToolTest, BadOptionsAreRefusedAndWriteNothing) {
    TestFolder folder;
    const std::string out = (folder / "out").string();
    const std::vector<Fields> badOptions = {
        {"--first-week", "300", "--weeks", "1", "--min-runners", "9", "--max-runners", "6"},
        {"--first-week", "25", "--weeks", "1"},  // its race numbers would read as the old form
        {"--first-week", "32767", "--weeks", "2"},
        {"--first-week", "300", "--weeks", "1", "--max-runners", "13"},
        {"--first-week", "300", "--weeks", "1", "--unknown"},
        {"--first-week", "300", "--weeks", "1", "--pages", out + "-pages"},  // pages need the breeding file
        {"--first-week", "300"}};
    for (const auto& bad : badOptions) {
        Fields args = {"--out", out};
        args.insert(args.end(), bad.begin(), bad.end());
        const ProgramResult result = runGenerator(args);
        EXPECT_EQ(result.status, 2) << bad.back();
        EXPECT_THAT(result.err, HasSubstr("Usage")) << bad.back();
    }
    EXPECT_TRUE(folder.entries().empty());
}

TEST(GenerateResultsToolTest, FolderThatCannotBeMadeEndsWithAMessage) {
    TestFolder folder;
    writeBytes(folder / "taken", "a file, not a folder");
    const ProgramResult result =
        runGenerator({"--out", (folder / "taken").string(), "--first-week", "300", "--weeks", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("taken"));
    EXPECT_EQ(readBytes(folder / "taken"), "a file, not a folder");
}

}  // namespace
