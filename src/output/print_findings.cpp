// SPDX-License-Identifier: MIT
#include "output/print_findings.h"

#include "base/empty_grid.h"

namespace output {

namespace {

// Refuses an empty grid with the user told why; true when there is something to print.
bool hasFindings(shell::ResultsArea& window) {
    if (!base::isEmptyGrid(window.MSFlexGrid1)) return true;
    window.dialogs().message("No results in the flexgrid.", base::kAppTitle);
    return false;
}

PageLayOut findingsLayOut(const shell::ResultsArea& window) {
    return [&window](PageSize page) { return layOutFindings(window.MSFlexGrid1, window.frainfo.caption, page); };
}

std::string outcomeMessage(const PrintResult& result) {
    switch (result.outcome) {
    case PrintOutcome::Printed: return {};
    case PrintOutcome::Cancelled: return "Printing was cancelled; nothing was printed.";
    case PrintOutcome::NoPrinter:
        return "No printer is installed, so the findings cannot be printed.\rInstall a printer and try again.";
    case PrintOutcome::Failed:
        return "The printer reported an error; the findings were not printed and no part of the listing was "
               "kept." +
               (result.detail.empty() ? std::string() : "\r" + result.detail);
    }
    return {};
}

// Without a printer the job can still go to a PDF file; the user decides.
bool printToFileAccepted(shell::ResultsArea& window, const FindingsPrinter& printer) {
    return printer.printerInstalled() ||
           window.dialogs().askYesNo("No printer is installed.\rPrint the findings to a PDF file instead?",
                                     base::kAppTitle);
}

// Reading each printed row's condition colour made it the current cell in turn.
void leaveCurrentCellAtLastRow(base::GridModel& grid) { grid.select(grid.rows() - 1, 2, grid.rows() - 1, 2); }

}  // namespace

void cmdprint_Click(shell::ResultsArea& window, FindingsPrinter& printer) {
    if (!hasFindings(window)) return;
    if (!window.dialogs().askYesNo("Are you sure that you wish to print these findings?", base::kAppTitle)) return;
    if (!printToFileAccepted(window, printer)) return;
    const PrintResult result = printer.print(findingsLayOut(window));
    if (result.outcome != PrintOutcome::Printed) {
        window.dialogs().message(outcomeMessage(result), base::kAppTitle);
        return;
    }
    leaveCurrentCellAtLastRow(window.MSFlexGrid1);
}

void cmdprintpreview_Click(shell::ResultsArea& window, FindingsPrinter& printer) {
    if (!window.cmdprintpreview.enabled || !hasFindings(window)) return;
    const PrintResult result = printer.preview(findingsLayOut(window));
    // Closing the preview is no cancelled print: the user only looked.
    if (result.outcome == PrintOutcome::Printed) leaveCurrentCellAtLastRow(window.MSFlexGrid1);
    else if (result.outcome != PrintOutcome::Cancelled)
        window.dialogs().message(outcomeMessage(result), base::kAppTitle);
}

}  // namespace output
