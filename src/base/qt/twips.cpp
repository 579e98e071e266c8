// SPDX-License-Identifier: MIT
#include "base/qt/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace base {

namespace {

constexpr double kFallbackDpi = 96.0;

double dpiX(const QWidget* widget) {
    if (widget) return widget->logicalDpiX();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : kFallbackDpi;
}

double dpiY(const QWidget* widget) {
    if (widget) return widget->logicalDpiY();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : kFallbackDpi;
}

int scale(int value, double numerator, double denominator) {
    return static_cast<int>(std::lround(value * numerator / denominator));
}

}  // namespace

int twipsToPixelsX(int twips, const QWidget* widget) { return scale(twips, dpiX(widget), kTwipsPerInch); }
int twipsToPixelsY(int twips, const QWidget* widget) { return scale(twips, dpiY(widget), kTwipsPerInch); }
int pixelsToTwipsX(int pixels, const QWidget* widget) { return scale(pixels, kTwipsPerInch, dpiX(widget)); }
int pixelsToTwipsY(int pixels, const QWidget* widget) { return scale(pixels, kTwipsPerInch, dpiY(widget)); }

QRect twipsRect(int x, int y, int width, int height, const QWidget* widget) {
    return QRect(twipsToPixelsX(x, widget), twipsToPixelsY(y, widget), twipsToPixelsX(width, widget),
                 twipsToPixelsY(height, widget));
}

QFont twipsFont(const std::string& name, double points) {
    QFont font(QString::fromStdString(name));
    font.setPointSizeF(points);
    return font;
}

}  // namespace base
