// SPDX-License-Identifier: MIT
#include "output/export_findings.h"

#include "output/exported_text.h"
#include "base/atomic_file.h"
#include "base/empty_grid.h"

#include <exception>

namespace output {

void ExportText_Click(shell::ResultsArea& window) {
    if (base::isEmptyGrid(window.MSFlexGrid1)) {
        window.dialogs().message("No data found.  You must have executed a successful search before export.",
                                 base::kAppTitle);
        return;
    }
    base::FileDialogOptions options;
    options.title = "Export as";
    options.filter = "All Files (*.*)|*.*|Text Files (*.txt)|*.txt";
    options.filterIndex = 2;
    const auto path = window.dialogs().chooseFileToSave(options);
    if (!path) return;
    // A file that cannot be written ends the command quietly; the file is then as it was.
    try {
        (void)base::writeFileAtomically(*path, exportedText(window.MSFlexGrid1));
    } catch (const std::exception&) {
        // Nothing to tell: the listing is still in the grid, the file as it was.
    }
}

}  // namespace output
