// SPDX-License-Identifier: MIT
// What the small windows share in showing the core's controls and reporting the user's edits.
#pragma once

#include "base/control.h"
#include "base/list_box.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace base {

class GridModel;
class GridView;

using NamedControls = std::vector<std::pair<std::string_view, Control*>>;

// What the small windows share: their controls are children named as the core names
// them, the window shows the core's state and reports the user's edits back to it.

// Shows each control's state on the child widget of its name (labels, frames, buttons,
// text boxes).
void showControls(QWidget& window, const NamedControls& controls);
// Copies what the user types into a text box back into its control.
void connectTextBoxes(QWidget& window, const NamedControls& controls);
// Shows a list's entries and selection.
void showList(QListWidget& widget, const ListBox& list);
// Copies the user's selection back into the list.
void connectList(QListWidget& widget, ListBox& list);
// The child widget `name` of `window`, created as a `Widget` at its place in twips.
template <typename Widget>
Widget* addChild(QWidget* parent, const char* name, int x, int y, int width, int height);
// Shows a window and brings it to the front; a window shown for the first time stands
// beside the window it belongs to.
void bringToFront(QWidget& window);
// Where a window of `size` (frame included) stands beside `main`: right of it where
// `screen` has room, else left of it, else at the screen's edge on the roomier side. Its
// top is the main window's, kept on the screen.
QPoint besidePlace(const QRect& main, const QSize& size, const QRect& screen);
// Escape closes the window, as it closes a dialog.
void closeOnEscape(QWidget& window);
// A small window's design: its object name and caption, and for a window of fixed size
// its font and client size in twips (no font: the window keeps its size free).
struct SmallWindowDesign {
    const char* name;
    QString caption;
    double fontPoints = 0;
    int clientWidth = 0;  // twips
    int clientHeight = 0;
};
// Sets `window` up as its design gives it: named, deleted once closed, closed by Escape,
// with its caption, and a fixed design's font and size.
void setUpSmallWindow(QWidget& window, const SmallWindowDesign& design);

// A labelled text box `name` holding `text`, and a default "S&how" button `cmdshow`, added
// to a small window's row of boxes.
QLineEdit* addLabelledBox(QWidget& window, QBoxLayout& row, const char* caption, const char* name,
                          const std::string& text);
QPushButton* addShowButton(QWidget& window, QBoxLayout& row);

// The row above a small window's table: the line `lblcount` that tells what the table
// holds, and the "&Export..." button `cmdexport`, added to `layout`.
struct CountAndExport {
    QLabel* count;
    QPushButton* exportButton;
};
CountAndExport addCountAndExport(QWidget& window, QBoxLayout& layout);
// A small window's table: a view `name` of `grid`, read out as `accessibleName`, taking the
// room left in `layout`, whose selection Ctrl+C copies.
GridView* addTable(QWidget& window, QBoxLayout& layout, GridModel& grid, const char* name, const char* accessibleName);
// The window of type `Window` named `name` that `parent` holds open, or else a new one that
// `make` makes; brought to the front. A closed window is hidden until it is deleted, so it
// is never the one reused.
template <typename Window, typename Make>
Window* openOnce(QWidget& parent, const char* name, Make make);

}  // namespace base

#include "base/qt/twips.h"

template <typename Widget>
Widget* base::addChild(QWidget* parent, const char* name, int x, int y, int width, int height) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(twipsRect(x, y, width, height, parent));
    return widget;
}

template <typename Window, typename Make>
Window* base::openOnce(QWidget& parent, const char* name, Make make) {
    Window* shown = nullptr;
    for (auto* each : parent.findChildren<Window*>(name, Qt::FindDirectChildrenOnly))
        if (each->isVisible()) shown = each;
    if (!shown) shown = make();
    bringToFront(*shown);
    return shown;
}
