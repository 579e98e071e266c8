// SPDX-License-Identifier: MIT
#include "progeny/breeding_file_reader.h"
#include "samples.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using progeny::Ancestor;
using progeny::selectOffspring;

using testing_support::kSamplesDir;

std::string sampleFile(const char* name) { return testing_support::readBytes(kSamplesDir + "/" + name); }

std::vector<std::int32_t> numbers(const progeny::BreedingSelection& selection) {
    std::vector<std::int32_t> found;
    for (const auto& horse : selection.offspring) found.push_back(horse.number);
    return found;
}

bool holds(const progeny::BreedingSelection& selection, std::int32_t number) {
    return std::ranges::count(numbers(selection), number) == 1;
}

TEST(BreedingFileReader, SampleSireSearchFindsEveryCaseOfTheNameButNotATrailingBlank) {
    const auto selection = selectOffspring(sampleFile("breeding.txt"), "Iron Duke", Ancestor::Sire);
    ASSERT_FALSE(selection.problem);
    EXPECT_EQ(selection.offspring.size(), 45u);  // 40 in the normal part, 5 among the unusual groups
    EXPECT_EQ(selection.offspring.front().number, 599);
    for (const std::int32_t number : {738899, 742503, 572969, 8182537, 9031866}) EXPECT_TRUE(holds(selection, number));
    for (const std::int32_t number : {30624, 332847}) EXPECT_FALSE(holds(selection, number));
    const auto& last = selection.offspring.back();
    EXPECT_EQ(last.number, 9031866);
    EXPECT_EQ(last.name, "Sable Venture");
    EXPECT_EQ(last.damSire, "Iron Duke");      // "extra text" after the second comma is ignored
    EXPECT_EQ(last.damsDamSire, "Secret King");
    EXPECT_EQ(last.age, 7);
    EXPECT_EQ(last.sex, "G");
}

TEST(BreedingFileReader, EachKindLooksOnlyAtItsOwnLine) {
    const std::string text = sampleFile("breeding.txt");
    const auto damSires = selectOffspring(text, "iron duke", Ancestor::DamSire);
    EXPECT_TRUE(holds(damSires, 8182537));  // Iron Duke as sire and as dam-sire
    EXPECT_FALSE(holds(damSires, 738899));  // only its sire is Iron Duke
    EXPECT_EQ(selectOffspring(text, "Old Crown", Ancestor::DamSire).offspring.size(), 18u);
    EXPECT_EQ(selectOffspring(text, "Storm Bay", Ancestor::Sire).offspring.size(), 21u);
    const auto lostLetter = selectOffspring(text, "LOST LETTER", Ancestor::DamsDamSire);
    EXPECT_EQ(numbers(lostLetter), std::vector<std::int32_t>{5329276});
}

TEST(BreedingFileReader, EmptyNameFindsAnEmptyAncestorAndLongNamesNeverMatch) {
    const std::string text = sampleFile("breeding.txt");
    EXPECT_EQ(numbers(selectOffspring(text, "", Ancestor::DamsDamSire)), std::vector<std::int32_t>{9252});
    // The name box holds 25 characters, so a longer sire name is never searched in full.
    EXPECT_TRUE(selectOffspring(text, "Thunder Over The Blue Mou", Ancestor::Sire).offspring.empty());
}

TEST(BreedingFileReader, SexStaysAsWrittenAndLineTwoNeedsOnlyOneMatchingNumber) {
    const auto selection = selectOffspring(sampleFile("breeding.txt"), "Lucky Day", Ancestor::Sire);
    const auto rebel = std::ranges::find(selection.offspring, 7, &progeny::Offspring::number);
    ASSERT_NE(rebel, selection.offspring.end());
    EXPECT_EQ(rebel->sex, "m");
    EXPECT_EQ(rebel->name, "Rebel's Hunter");
    // 572969's dam-sire and dam's dam-sire lines carry 99; its sire line suffices.
    EXPECT_TRUE(holds(selectOffspring(sampleFile("breeding.txt"), "Rapid Promise", Ancestor::DamsDamSire), 572969));
}

TEST(BreedingFileReader, InconsistentNumbersStopTheSearchOnlyWhenTheGroupMatches) {
    const std::string bad = sampleFile("breeding_bad.txt");
    const auto stopped = selectOffspring(bad, "Broken Promise", Ancestor::Sire);
    EXPECT_EQ(stopped.problem, "There was an error with horse 9945469.  Check the breeding.txt file.");
    EXPECT_EQ(numbers(stopped), std::vector<std::int32_t>{5329276});  // kept before the faulty group
    const auto passed = selectOffspring(bad, "Iron Duke", Ancestor::Sire);
    EXPECT_FALSE(passed.problem);
    EXPECT_TRUE(passed.offspring.empty());
}

TEST(BreedingFileReader, EmptyLineGivesUpItsGroupAndTheNextLineStartsANewOne) {
    const std::string text = "1,Alpha,3,C\n1,Iron Duke,\n\n2,Beta,4,F\n2,Iron Duke,\n2,Storm Bay,\n2,Old Crown,\n";
    EXPECT_EQ(numbers(selectOffspring(text, "Iron Duke", Ancestor::Sire)), std::vector<std::int32_t>{2});
}

// After a name that does not match, the rest of the group is skipped; an empty line among
// the skipped lines still ends the group, so every kind of search groups the file alike.
TEST(BreedingFileReader, EmptyLineAmongSkippedLinesEndsTheGroupThere) {
    const std::string text =
        "1,Alpha,3,C\n1,Storm Bay,\n\n"
        "2,Beta,4,F\n2,Iron Duke,\n2,Iron Duke,\n2,Old Crown,\n"
        "3,Gamma,5,G\n3,Iron Duke,\n3,Lucky Day,\n3,Iron Duke,\n";
    EXPECT_EQ(numbers(selectOffspring(text, "Iron Duke", Ancestor::Sire)), (std::vector<std::int32_t>{2, 3}));
    EXPECT_EQ(numbers(selectOffspring(text, "Iron Duke", Ancestor::DamSire)), std::vector<std::int32_t>{2});
    EXPECT_EQ(numbers(selectOffspring(text, "Iron Duke", Ancestor::DamsDamSire)), std::vector<std::int32_t>{3});
}

TEST(BreedingFileReader, GroupCutShortByTheEndIsDroppedAndAnyLineBreakForm) {
    EXPECT_TRUE(selectOffspring("1,Alpha,3,C\r\n1,Iron Duke,\r\n1,Storm Bay,", "Iron Duke", Ancestor::Sire)
                    .offspring.empty());
    for (const std::string breakForm : {"\r\n", "\n", "\r"}) {
        const std::string text = "\xEF\xBB\xBF" "5,Delta,2,F" + breakForm + "5,Iron Duke," + breakForm +
                                 "5,Storm Bay," + breakForm + "5,Old Crown,";
        const auto selection = selectOffspring(text, "Iron Duke", Ancestor::Sire);
        ASSERT_EQ(numbers(selection), std::vector<std::int32_t>{5}) << breakForm.size();
        EXPECT_EQ(selection.offspring[0].damsDamSire, "Old Crown");
    }
    EXPECT_TRUE(selectOffspring("", "Iron Duke", Ancestor::Sire).offspring.empty());
}

TEST(BreedingFileReader, UnreadableLinesNameTheirLineAndKeepWhatCameBefore) {
    const std::string good = "1,Alpha,3,C\n1,Iron Duke,\n1,Storm Bay,\n1,Old Crown,\n";
    const struct {
        std::string group;
        std::string message;
    } cases[] = {
        {"2,Beta\n", "Line 5 of the breeding file lacks the commas between the horse's number, name, age and sex."},
        {"2,Beta,4F\n", "Line 5 of the breeding file lacks the commas between the horse's number, name, age and sex."},
        {"2,Beta,4,F\n2 Iron Duke\n", "Line 6 of the breeding file lacks the commas between the horse's number and the name."},
        {"x2,Beta,4,F\n", "Line 5 of the breeding file does not begin with a horse number."},
        {"2,Beta,4,F\n99999999999,Iron Duke,\n", "Line 6 of the breeding file does not begin with a horse number."},
        {"2,Beta,four,F\n", "Line 5 of the breeding file gives no age in whole years after the horse's name."},
        {"2,Beta,,F\n", "Line 5 of the breeding file gives no age in whole years after the horse's name."},
    };
    for (const auto& c : cases) {
        const auto selection = selectOffspring(good + c.group, "Iron Duke", Ancestor::Sire);
        EXPECT_EQ(selection.problem, c.message + "  Check the breeding.txt file.") << c.group;
        EXPECT_EQ(numbers(selection), std::vector<std::int32_t>{1}) << c.group;
    }
}

TEST(BreedingFileReader, LinesSkippedAfterAMismatchAreNotRead) {
    const std::string text = "1,Alpha,3,C\n1,Storm Bay,\nnot a line\nat all\n2,Beta,4,F\n2,Iron Duke,\n2,a,\n2,b,\n";
    const auto selection = selectOffspring(text, "Iron Duke", Ancestor::Sire);
    EXPECT_FALSE(selection.problem);
    EXPECT_EQ(numbers(selection), std::vector<std::int32_t>{2});
    EXPECT_TRUE(selectOffspring(text, "Iron Duke", Ancestor::DamSire).problem);
}

}  // namespace
