// SPDX-License-Identifier: MIT
#include "output/export_findings.h"

#include "output/exported_text.h"
#include "shell/base/atomic_file.h"
#include "shell/base/empty_grid.h"

#include <exception>

namespace output {

void ExportText_Click(shell::MainFinder& window) {
    if (shell::isEmptyGrid(window.MSFlexGrid1)) {
        window.dialogs().message("No data found.  You must have executed a successful search before export.",
                                 shell::kAppTitle);
        return;
    }
    shell::FileDialogOptions options;
    options.title = "Export as";
    options.filter = "All Files (*.*)|*.*|Text Files (*.txt)|*.txt";
    options.filterIndex = 2;
    const auto path = window.dialogs().chooseFileToSave(options);
    if (!path) return;
    // A file that cannot be written ends the command quietly; the file is then as it was.
    try {
        (void)shell::writeFileAtomically(*path, exportedText(window.MSFlexGrid1));
    } catch (const std::exception&) {
        // Nothing to tell: the listing is still in the grid, the file as it was.
    }
}

}  // namespace output
