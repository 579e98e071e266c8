// SPDX-License-Identifier: MIT
#include "sample_store.h"
#include "search/search_request.h"
#include "search/special_stable.h"

#include <gmock/gmock.h>

namespace {

using testing_support::readBytes;
using testing_support::writeBytes;
using ::testing::ElementsAre;

// Runs of the sample weeks under these stables.
constexpr int kReidRuns = 37;                // Reid Thoroughbreds
constexpr int kBothStables = kReidRuns + 45;  // and Russell Partners

class SpecialStableTest : public testing_support::SampleStore {
protected:
    void SetUp() override {
        SampleStore::SetUp();
        stable.Form_Load();
    }
    void type(std::vector<std::string> names) {
        names.resize(4);
        for (std::size_t i = 0; i < 4; ++i) stable.txto1[i].caption = names[i];
    }
    std::string savedFile() const { return readBytes(folder / "HarrowdexSavednames.txt"); }
    std::vector<std::string> boxes() const {
        std::vector<std::string> texts;
        for (const auto& box : stable.txto1) texts.push_back(box.caption);
        return texts;
    }

    search::SpecialStable stable{window};
};

TEST(SpecialStableQuery, JoinsTheNamesAsOwnerConditions) {
    EXPECT_EQ(search::stableQueryText({"A"}), "A");
    EXPECT_EQ(search::stableQueryText({"A", "B", "C"}), "A\" OR oname=\"B\" OR oname=\"C");
    // The owner search takes the text apart again into the very names given.
    const std::vector<std::string> names{"Fisher \"Fast\" Harris", "", "O'Neil*", " Lee "};
    EXPECT_EQ(search::ownerNames(search::stableQueryText(names)), names);
}

TEST(SpecialStableSavedSet, FillsTheBoxesByTheCommaRules) {
    using Boxes = std::array<std::string, 4>;
    EXPECT_EQ(search::namesOfSavedSet("N0"), (Boxes{"N0", "", "", ""}));
    EXPECT_EQ(search::namesOfSavedSet("N0, N1, N3"), (Boxes{"N0", "N1", "N3", ""}));
    EXPECT_EQ(search::namesOfSavedSet("A, B, C, D, E"), (Boxes{"A", "B", "C", "D, E"}));
    EXPECT_EQ(search::namesOfSavedSet("Abc,Def"), (Boxes{"Abc", "ef", "", ""}));
    EXPECT_EQ(search::namesOfSavedSet("A,,B"), (Boxes{"A", "", "", ""}));
    EXPECT_EQ(search::namesOfSavedSet("A,"), (Boxes{"A", "", "", ""}));
}

TEST_F(SpecialStableTest, SearchesTheFilledBoxesAsOneOwnerSearch) {
    type({"Russell Partners", "", "reid thoroughbreds"});
    stable.cmdgo_Click();
    EXPECT_EQ(stable.lblquerystring.caption, "Russell Partners\" OR oname=\"reid thoroughbreds");
    EXPECT_TRUE(stable.closed());
    EXPECT_FALSE(stable.visible);
    EXPECT_EQ(window.MSFlexGrid1.rows(), 1 + kBothStables);
    auto owners = column(15);
    std::ranges::sort(owners);
    owners.erase(std::unique(owners.begin(), owners.end()), owners.end());
    EXPECT_THAT(owners, ElementsAre("Reid Thoroughbreds", "Russell Partners"));
}

TEST_F(SpecialStableTest, OnlyTheLastBoxSearchesLikeAnOwnerSearch) {
    type({"", "", "", "Reid Thoroughbreds"});
    EXPECT_EQ(stable.txto1_KeyPress(3, 13), 13);
    EXPECT_EQ(stable.lblquerystring.caption, "Reid Thoroughbreds");
    EXPECT_EQ(window.MSFlexGrid1.rows(), 1 + kReidRuns);
    EXPECT_TRUE(stable.closed());
}

TEST_F(SpecialStableTest, OtherKeysAndEmptyBoxesDoNotSearch) {
    type({"Reid Thoroughbreds"});
    EXPECT_EQ(stable.txto1_KeyPress(0, 'x'), 'x');
    EXPECT_FALSE(stable.closed());
    type({});
    stable.cmdgo_Click();
    EXPECT_THAT(dialogs.messages, ElementsAre("You must enter at least one trainer's name."));
    EXPECT_FALSE(stable.closed());
    EXPECT_TRUE(stable.visible);
    EXPECT_EQ(window.MSFlexGrid1.rows(), 2);  // no search ran
    stable.cmdcancel_Click();
    EXPECT_TRUE(stable.closed());
}

TEST_F(SpecialStableTest, SavedSetsAreWrittenByteForByte) {
    type({"N0", "N1", "", "N3"});
    stable.cmdadd_Click();
    type({"Fisher & Harris"});
    stable.cmdadd_Click();
    EXPECT_EQ(savedFile(), "N0, N1, N3\r\nFisher & Harris\r\n");
    type({});
    stable.cmdadd_Click();
    EXPECT_THAT(dialogs.messages, ElementsAre("Please enter at least one Stable into the textboxes provided."));
    EXPECT_EQ(savedFile(), "N0, N1, N3\r\nFisher & Harris\r\n");

    stable.lstnames.setSelected(0, true);
    stable.cmddelete_Click();
    EXPECT_EQ(savedFile(), "Fisher & Harris\r\n");
    stable.lstnames.setSelected(0, true);
    stable.cmddelete_Click();
    EXPECT_EQ(savedFile(), "");
    EXPECT_TRUE(std::filesystem::exists(folder / "HarrowdexSavednames.txt"));
    EXPECT_THAT(folder.entries(), ElementsAre("HarrowdexSavednames.txt", "horses.mdb"))
        << "no temporary file is left";
}

TEST_F(SpecialStableTest, LoadSkipsEmptyLinesAndUseFillsTheBoxes) {
    writeBytes(folder / "HarrowdexSavednames.txt", "\r\nN0, N1, N3\r\n\r\n\nA,Bc\nlast");
    stable.cmdload_Click();
    EXPECT_THAT(stable.lstnames.items(), ElementsAre("N0, N1, N3", "A,Bc", "last"));
    type({"x", "x", "x", "x"});
    stable.lstnames.setSelected(0, true);
    stable.cmduse_Click();
    EXPECT_THAT(boxes(), ElementsAre("N0", "N1", "N3", ""));
    stable.lstnames.setSelected(1, true);
    stable.lstnames_DblClick();
    EXPECT_THAT(boxes(), ElementsAre("A", "c", "", ""));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SpecialStableTest, DeleteAndUseNeedASelection) {
    stable.cmddelete_Click();
    stable.cmduse_Click();
    EXPECT_THAT(dialogs.messages,
                ElementsAre("Please select a set of stables to delete.", "Please select a set of names to use."));
    EXPECT_FALSE(std::filesystem::exists(folder / "HarrowdexSavednames.txt"));
    EXPECT_EQ(stable.lstnames.listCount(), 0U);
}

TEST_F(SpecialStableTest, NamesAreSearchedLiterally) {
    type({"Reid Thoroughbreds", "\" OR 1=1 OR oname=\"x"});
    stable.cmdgo_Click();
    EXPECT_EQ(window.MSFlexGrid1.rows(), 1 + kReidRuns);
    type({"Reid*", "Russell Partners"});
    search::SpecialStable again{window};
    again.txto1 = stable.txto1;
    again.cmdgo_Click();
    EXPECT_EQ(window.MSFlexGrid1.rows(), 1 + kBothStables - kReidRuns);  // no stable is named "Reid*"
}

}  // namespace
