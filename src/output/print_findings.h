// SPDX-License-Identifier: MIT
// "&Print Findings" and "Print Pre&view": the results grid's listing on paper or on screen.
#pragma once

#include "output/findings_printer.h"
#include "shell/results_area.h"

namespace output {

// "&Print Findings": after a confirmation, prints the results grid's listing under the
// title of the search that filled it. Without a printer the user may print to a PDF file;
// a cancelled or failed job is reported and leaves nothing behind.
void cmdprint_Click(shell::ResultsArea& window, FindingsPrinter& printer);

// "Print Pre&view": the same pages on screen, without the confirmation; nothing is
// printed unless the user prints from the preview.
void cmdprintpreview_Click(shell::ResultsArea& window, FindingsPrinter& printer);

}  // namespace output
