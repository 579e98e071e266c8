// SPDX-License-Identifier: MIT
#include "scripted_dialogs.h"
#include "shell/edit_tracks.h"
#include "store/database.h"
#include "store/schema.h"
#include "store/track_list.h"
#include "test_folder.h"
#include "shell/main_finder.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

const char* const kInvalid = "You must enter a valid track number.";

class EditTracksTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::createRaceStore(folder / "horses.mdb");
        ASSERT_TRUE(window.Form_Load({folder.path().string(), ""}));
        editor.Form_Load();
    }

    bool add(const std::string& num, const std::string& code) {
        editor.txttracknum.caption = num;
        editor.txttrackcode.caption = code;
        return editor.cmdaddtrack_Click();
    }
    std::vector<store::Track> stored() {
        auto db = store::Database::open(window.raceStorePath());
        return store::listTracks(db);
    }

    testing_support::TestFolder folder;
    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder window{dialogs};
    shell::EditTracks editor{window};
};

TEST_F(EditTracksTest, ListsTracksByNumberWithTwoDigits) {
    EXPECT_EQ(editor.lsttracks.listCount(), 0U);
    for (const auto& [num, code] : {std::pair{"40", "FOR"}, {"5", "FIV"}, {"12", "XYZ"}, {"0", "ZER"}})
        EXPECT_TRUE(add(num, code));
    EXPECT_THAT(editor.lsttracks.items(), ElementsAre("00: ZER", "05: FIV", "12: XYZ", "40: FOR"));
    EXPECT_EQ(editor.txttracknum.caption, "");
    EXPECT_EQ(editor.txttrackcode.caption, "");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EditTracksTest, ADuplicateNumberIsRefusedAsTyped) {
    EXPECT_TRUE(add("7", "ABC"));
    EXPECT_FALSE(add("07", "DEF"));
    EXPECT_FALSE(add("7.4", "GHI"));
    EXPECT_THAT(dialogs.messages,
                ElementsAre("07 is already in the database.  If you wish to edit or replace it, \rthen please delete "
                            "the track first.",
                            "7.4 is already in the database.  If you wish to edit or replace it, \rthen please "
                            "delete the track first."));
    EXPECT_EQ(editor.txttracknum.caption, "7.4");  // the boxes keep what was typed
    EXPECT_THAT(editor.lsttracks.items(), ElementsAre("07: ABC"));
}

TEST_F(EditTracksTest, NumbersRoundHalvesToEven) {
    EXPECT_TRUE(add("2.5", "TWO"));
    EXPECT_TRUE(add("3.5", "FOU"));
    EXPECT_TRUE(add(" 98.6 ", "NIN"));
    EXPECT_TRUE(add("-0.4", " spaced code "));
    ASSERT_EQ(stored().size(), 4U);
    EXPECT_EQ(stored()[0].stcode, " spaced code ");
    EXPECT_THAT(editor.lsttracks.items(), ElementsAre("00:  spaced code ", "02: TWO", "04: FOU", "99: NIN"));
}

TEST_F(EditTracksTest, NoTrackNumberIsRefusedAndNothingChanges) {
    EXPECT_TRUE(add("1", "ONE"));
    for (const char* text : {"", "abc", "12a", "100", "99.5", "-1", "-0.6", "1e300", "32768"}) {
        dialogs.messages.clear();
        EXPECT_FALSE(add(text, "BAD")) << text;
        EXPECT_THAT(dialogs.messages, ElementsAre(kInvalid)) << text;
    }
    EXPECT_EQ(stored().size(), 1U);
    EXPECT_THAT(editor.lsttracks.items(), ElementsAre("01: ONE"));
}

TEST_F(EditTracksTest, DeletesExactlyTheSelectedTrack) {
    for (const auto& [num, code] : {std::pair{"12", "XYZ"}, {"5", "FIV"}, {"40", "FOR"}}) add(num, code);
    editor.lsttracks.setSelected(1, true);
    EXPECT_TRUE(editor.cmddeletetrack_Click());
    EXPECT_THAT(editor.lsttracks.items(), ElementsAre("05: FIV", "40: FOR"));
    ASSERT_EQ(stored().size(), 2U);
    EXPECT_EQ(stored()[1].num, 40);

    EXPECT_FALSE(editor.cmddeletetrack_Click());  // the refill left nothing selected
    EXPECT_THAT(dialogs.messages, ElementsAre("Please select a track to delete."));
}

TEST_F(EditTracksTest, ATrackGoneMeanwhileIsJustRefilled) {
    add("5", "FIV");
    editor.lsttracks.setSelected(0, true);
    {
        auto db = store::Database::open(window.raceStorePath());
        store::deleteTrack(db, 5);
        store::addTrack(db, 6, "SIX");
    }
    EXPECT_TRUE(editor.cmddeletetrack_Click());
    EXPECT_THAT(editor.lsttracks.items(), ElementsAre("06: SIX"));
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
