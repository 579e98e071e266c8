// SPDX-License-Identifier: MIT
#include "shell/grid_settings.h"
#include "shell/main_finder.h"

#include <gtest/gtest.h>

namespace {

const std::string kResetLine =
    " 1250  630  825  480  350  810  375  200  450  280  280  280  630  615  630  750  555  300 -2147483626 \r\n";

TEST(GridSettingsFormat, ResetValuesGiveTheKnownLine) {
    EXPECT_EQ(shell::formatGridSettings(shell::kResetGridSettings), kResetLine);
}

TEST(GridSettingsFormat, RoundTripsThroughTheReader) {
    shell::GridSettings settings = shell::kResetGridSettings;
    settings.widths[3] = 0;
    settings.widths[17] = 32767;
    settings.background = static_cast<std::int32_t>(0x80000005u);
    EXPECT_EQ(shell::parseGridSettings(shell::formatGridSettings(settings)), settings);
}

TEST(GridSettingsParse, AcceptsBlanksCommasAndLineEnds) {
    const std::string text =
        "  1450,500,760,410,350,350,320,200,450\r\n280 280 280 655 500 650 750 500 300,-2147483643";
    const auto settings = shell::parseGridSettings(text);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->widths[0], 1450);
    EXPECT_EQ(settings->widths[17], 300);
    EXPECT_EQ(settings->background, -2147483643);
}

TEST(GridSettingsParse, AcceptsExplicitColours) {
    auto text = kResetLine;
    text.replace(text.find("-2147483626"), 11, "16777215");
    ASSERT_TRUE(shell::parseGridSettings(text));
}

TEST(GridSettingsParse, RefusesWhatThisProgramNeverWrites) {
    const std::string widths = " 1250  630  825  410  350  350  375  200  450  280  280  280  630  500  630  750  555 ";
    for (const std::string& text : {
             std::string(""),
             std::string("   \r\n"),
             widths + "300",                  // 18 numbers only
             widths + "abc -2147483626",      // text
             widths + "40000 -2147483626",    // width beyond 16 bits
             widths + "-5 -2147483626",       // negative width
             widths + "300 16777216",         // not a colour
             widths + "300 -2147483000",      // not a system colour reference
             widths + "300 99999999999",      // beyond 32 bits
         }) {
        EXPECT_FALSE(shell::parseGridSettings(text)) << text;
    }
}

}  // namespace
