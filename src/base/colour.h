// SPDX-License-Identifier: MIT
// Colours as the grids and the settings file keep them: an explicit colour or a system colour.
#pragma once

#include <cstdint>

namespace base {

// A colour as the grids and the settings file keep it: either an explicit colour
// 0x00BBGGRR or a system colour reference (high bit set, low byte the system colour
// index). The settings file stores this value as a signed 32-bit number, so the two
// system references survive a restart unchanged and the window maps them to the
// platform's palette only when it paints.
using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
    return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) |
           (static_cast<Colour>(blue) << 16);
}
constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Colour kSystemColourFlag = 0x80000000u;
constexpr bool isSystemColour(Colour c) { return (c & kSystemColourFlag) != 0; }
constexpr int systemColourIndex(Colour c) { return static_cast<int>(c & 0xFF); }

// The system colours the program names.
constexpr Colour kSystemWindowBackground = 0x80000005u;
constexpr Colour kSystemActiveBorder = 0x8000000Au;
constexpr Colour kSystemButtonFace = 0x8000000Fu;
constexpr Colour kSystem3DLight = 0x80000016u;
constexpr Colour kSystemWindowText = 0x80000008u;

// The six row colours of the colour key, one per surface and track condition.
constexpr Colour kDirtFast = rgb(128, 0, 0);
constexpr Colour kTurfFirm = rgb(0, 128, 0);
constexpr Colour kDirtGood = rgb(128, 0, 128);
constexpr Colour kTurfGood = rgb(0, 128, 128);
constexpr Colour kSloppy = rgb(0, 0, 128);
constexpr Colour kYielding = rgb(128, 128, 0);

constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kLightGrey = rgb(192, 192, 192);
constexpr Colour kGrey = rgb(128, 128, 128);

}  // namespace base
