// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace base {

// Names for a screen reader. Qt names a text box after the label tied to it
// (QLabel::setBuddy) and a button after its caption, but a list or a grid only by its
// accessible name. This gives each list, grid and combo box list of `window` that has no
// name yet the text of the label tied to it, or else the caption of the frame or the tab
// it stands in, so the name is the text the user sees beside it. Call it once the labels,
// frames and tabs show their captions.
void nameListsAndGrids(QWidget& window);

}  // namespace base
