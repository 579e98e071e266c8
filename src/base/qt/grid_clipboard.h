// SPDX-License-Identifier: MIT
// Ctrl+C on a grid view: its selected cells on the clipboard, ready to paste into a spreadsheet.
#pragma once

namespace base {

class GridView;

// The platform's copy keys (Ctrl+C) on `view` put its selected cells, with their column
// captions, on the clipboard as tab-separated text.
void enableCopyToClipboard(GridView& view);

}  // namespace base
