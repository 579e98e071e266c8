// SPDX-License-Identifier: MIT
// "E&xport to Text File": the results grid written to a text file the user names.
#pragma once

#include "shell/results_area.h"

namespace output {

// "E&xport to Text File": writes the results grid, captions included, to a text file the
// user names (see `exportedText` for the format, UTF-8). A cancelled dialog or a file
// that cannot be written ends the command without a message; a file being replaced is
// either kept whole or replaced whole.
void ExportText_Click(shell::ResultsArea& window);

}  // namespace output
