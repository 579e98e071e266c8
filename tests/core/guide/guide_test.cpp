// SPDX-License-Identifier: MIT
#include "guide/guide_folder.h"
#include "guide/guide_pages.h"
#include "guide/window_pages.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing_support::TestFolder;

void write(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

TEST(GuideFolder, BesideTheProgramThenUnderItsPrefixThenThePackagesPlace) {
    EXPECT_THAT(guide::guideFolderCandidates("/opt/hx/bin"),
                ElementsAre("/opt/hx/bin/guide/", "/opt/hx/share/harrowdex/guide/", "/usr/share/harrowdex/guide/"));
    TestFolder folder;
    const std::string program = (folder / "bin").string();
    std::filesystem::create_directories(folder / "bin" / "guide");  // no contents page: not the guide
    write(folder / "share" / "harrowdex" / "guide" / "index.md", "# Player's Guide\n");
    EXPECT_EQ(guide::findGuideFolder(program), (folder / "share" / "harrowdex" / "guide").string() + "/");
    write(folder / "bin" / "guide" / "index.md", "# Player's Guide\n");
    EXPECT_EQ(guide::findGuideFolder(program), program + "/guide/");
    EXPECT_THAT(guide::missingGuideMessage("/opt/hx/bin"),
                HasSubstr("looked for in:\n/opt/hx/bin/guide/\n/opt/hx/share/harrowdex/guide/\n"));
}

TEST(GuidePages, ComeInTheContentsOrderAndAreSearchedParagraphByParagraph) {
    TestFolder folder;
    write(folder / "index.md", "# Guide\n\n- [Later](b.md)\n- [First](c.md#part)\n");
    write(folder / "a.md", "No heading here.\n");
    write(folder / "b.md",
          "# Bringing In\n\nImport a **week** with\nFile / Import Race Data.\n\n"
          "| Column | Meaning |\n| --- | --- |\n| **DDS** | the dam's dam's sire |\n");
    write(folder / "c.md", "# Crosses\n\n## The cross\nindex\n\nSee [the week bounds](b.md#x) for weeks.\n");
    const auto pages = guide::readGuidePages(folder.path().string());
    std::vector<std::string> files, titles;
    for (const auto& page : pages) {
        files.push_back(page.file);
        titles.push_back(page.title);
    }
    EXPECT_THAT(files, ElementsAre("index.md", "b.md", "c.md", "a.md"));
    EXPECT_THAT(titles, ElementsAre("Guide", "Bringing In", "Crosses", "a.md"));

    const struct {
        const char* words;
        std::vector<std::string> lines;
    } searches[] = {
        {"  WEEK ", {"Import a week with File / Import Race Data.", "See the week bounds for weeks."}},
        {"week with file", {"Import a week with File / Import Race Data."}},
        {"dam's dam", {"DDS the dam's dam's sire"}},
        {"cross", {"Crosses", "The cross"}},  // a heading is a paragraph of its own
        {"b.md", {}},                         // a link's target is not shown
        {" ", {}},
    };
    for (const auto& search : searches) {
        std::vector<std::string> lines;
        for (const auto& hit : guide::searchGuide(pages, search.words)) lines.push_back(hit.line);
        EXPECT_EQ(lines, search.lines) << search.words;
    }
    const std::string longLine = "# Long\n\n" + std::string(200, 'x') + " needle " + std::string(10, 'y') + "\n";
    const auto hit = guide::searchGuide({{"l.md", "Long", longLine}}, "needle");
    ASSERT_EQ(hit.size(), 1u);
    EXPECT_THAT(hit[0].line, HasSubstr("needle"));
    EXPECT_LE(hit[0].line.size(), 120u);
}

TEST(GuidePages, HeadingAnchorsAreTheLinksOfTheirPages) {
    const std::pair<const char*, const char*> anchors[] = {
        {"Removing weeks", "removing-weeks"},
        {"What \"C2x\" means", "what-c2x-means"},
        {"Back up & restore", "back-up--restore"},
        {"The 2yo box", "the-2yo-box"},
    };
    for (const auto& [heading, anchor] : anchors) EXPECT_EQ(guide::headingAnchor(heading), anchor) << heading;
}

// The guide as shipped: every link reaches a page and heading, every picture is there, and
// every small window's page exists.
TEST(ShippedGuide, LinksPicturesAndWindowPagesAllResolve) {
    const std::string folder = HARROWDEX_GUIDE_DIR;
    const auto pages = guide::readGuidePages(folder);
    std::map<std::string, std::set<std::string>> anchors;
    static const std::regex heading(R"(^#+ +(.+?)\s*$)", std::regex::multiline);
    for (const auto& page : pages)
        for (std::sregex_iterator it(page.text.begin(), page.text.end(), heading), end; it != end; ++it)
            anchors[page.file].insert(guide::headingAnchor((*it)[1].str()));
    static const std::regex link(R"((!?)\[[^\]]*\]\(([^)#\s]*)(#[^)\s]*)?\))");
    for (const auto& page : pages) {
        for (std::sregex_iterator it(page.text.begin(), page.text.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[2].str(), anchor = (*it)[3].str();
            if (target.starts_with("http")) continue;
            const std::string file = target.empty() ? page.file : target;
            EXPECT_TRUE(std::filesystem::is_regular_file(folder + file)) << page.file << " names " << file;
            if (!anchor.empty())
                EXPECT_TRUE(anchors[file].contains(anchor.substr(1))) << page.file << " links " << file << anchor;
        }
    }
    for (const auto& [window, page] : guide::windowPages())
        EXPECT_TRUE(std::filesystem::is_regular_file(folder + std::string(page))) << window;
}

}  // namespace
