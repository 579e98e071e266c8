// SPDX-License-Identifier: MIT
#pragma once

namespace base {

class GridView;

// The platform's copy keys (Ctrl+C) on `view` put its selected cells, with their column
// captions, on the clipboard as tab-separated text.
void enableCopyToClipboard(GridView& view);

}  // namespace base
