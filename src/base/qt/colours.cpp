// SPDX-License-Identifier: MIT
#include "base/qt/colours.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace base {

namespace {

// Palette roles for the classic system colour indexes 0 to 24, in index order.
constexpr std::array<QPalette::ColorRole, 25> kSystemRoles = {
    QPalette::Button,          // scroll bar
    QPalette::Dark,            // desktop
    QPalette::Highlight,       // active caption
    QPalette::Mid,             // inactive caption
    QPalette::Window,          // menu
    QPalette::Base,            // window background
    QPalette::Shadow,          // window frame
    QPalette::WindowText,      // menu text
    QPalette::Text,            // window text
    QPalette::HighlightedText, // caption text
    QPalette::Mid,             // active border
    QPalette::Midlight,        // inactive border
    QPalette::Mid,             // application workspace
    QPalette::Highlight,       // highlight
    QPalette::HighlightedText, // highlighted text
    QPalette::Button,          // button face
    QPalette::Dark,            // button shadow
    QPalette::PlaceholderText, // grey text
    QPalette::ButtonText,      // button text
    QPalette::WindowText,      // inactive caption text
    QPalette::Light,           // button highlight
    QPalette::Shadow,          // 3-D dark shadow
    QPalette::Midlight,        // 3-D light
    QPalette::ToolTipText,     // tooltip text
    QPalette::ToolTipBase,     // tooltip background
};

}  // namespace

QColor toQColor(Colour colour) {
    if (!isSystemColour(colour)) return QColor(redOf(colour), greenOf(colour), blueOf(colour));
    const int index = systemColourIndex(colour);
    if (index == systemColourIndex(kSystem3DLight)) return QColor(224, 224, 224);
    if (index == systemColourIndex(kSystemWindowBackground)) return QColor(255, 255, 255);
    if (index == systemColourIndex(kSystemActiveBorder)) return QColor(180, 180, 180);
    if (index == systemColourIndex(kSystemWindowText)) return QColor(0, 0, 0);
    const QPalette palette = QGuiApplication::palette();
    if (index >= static_cast<int>(kSystemRoles.size())) return palette.color(QPalette::Window);
    return palette.color(kSystemRoles[static_cast<std::size_t>(index)]);
}

}  // namespace base
