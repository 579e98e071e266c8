// SPDX-License-Identifier: MIT
// Twips to screen pixels and back, so the fixed layout scales with the user's screen and text size.
#pragma once

#include <QFont>
#include <QRect>

#include <string>

class QWidget;

namespace base {

// Every size on screen is kept in twips, 1440 to the logical inch; these convert them to
// device-independent pixels through the logical DPI of the widget's screen (the primary
// screen when no widget is given), so the layout scales with the user's text size and Qt
// maps the pixels onto high-DPI displays. All twips conversions of the windows go here.
constexpr int kTwipsPerInch = 1440;

int twipsToPixelsX(int twips, const QWidget* widget);
int twipsToPixelsY(int twips, const QWidget* widget);
int pixelsToTwipsX(int pixels, const QWidget* widget);
int pixelsToTwipsY(int pixels, const QWidget* widget);
// Each of position and size converted on its own, as a control's twips geometry.
QRect twipsRect(int x, int y, int width, int height, const QWidget* widget);
// A font of the given family and size; point sizes go through the same logical DPI.
QFont twipsFont(const std::string& name, double points);

}  // namespace base
