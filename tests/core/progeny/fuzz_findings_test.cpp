// SPDX-License-Identifier: MIT
// Inputs that the fuzz targets of tests/fuzz found to break a reader of outside input,
// cut down to what matters, each with the behaviour it now has.
#include "progeny/breeding_file_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string group(const std::string& sex) {
    return "7,Rebel's Hunter,4," + sex + "\r\n7,Iron Duke,\r\n7,Old Crown,\r\n7,Lucky Day,\r\n";
}

TEST(BreedingFileFinding, SexIsOneCharacterHoweverManyStrayBytesFollowIt) {
    const auto sexOf = [](const std::string& written) {
        const auto selection = progeny::selectOffspring(group(written), "Iron Duke", progeny::Ancestor::Sire);
        EXPECT_EQ(selection.problem, std::nullopt);
        return selection.offspring.empty() ? std::string("(none)") : selection.offspring.front().sex;
    };
    // A letter followed by continuation bytes of no character once kept them all.
    EXPECT_EQ(sexOf("c" + std::string(40, '\xa6')), "c");
    EXPECT_EQ(sexOf("\xc3\xa9\xa6\xa6"), "\xc3\xa9");
    EXPECT_EQ(sexOf("\xf0\x9f\x90\x8e\xa6"), "\xf0\x9f\x90\x8e");
    EXPECT_EQ(sexOf("\xe2\x82"), "\xe2\x82");  // cut short by the line end: what there is
    EXPECT_EQ(sexOf("\xa6Mare"), "\xa6");        // no first byte: that byte alone
}

}  // namespace
