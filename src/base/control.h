// SPDX-License-Identifier: MIT
// The state of one control of a window, kept in the core so that commands and tests see what the user sees.
#pragma once

#include <string>

namespace base {

// State of one control of a window (a frame, label, text box, check box, option button,
// button or menu item). The core keeps it; the window shows it and reports the user's
// edits back, so commands and tests see exactly what the user sees.
struct Control {
    std::string caption;   // a caption, or a text box's text
    bool visible = true;
    bool enabled = true;
    bool checked = false;  // check boxes, option buttons
    int maxLength = 0;     // text boxes; 0 means no limit
};

}  // namespace base
