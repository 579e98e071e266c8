// SPDX-License-Identifier: MIT
#include "output/print_findings.h"

#include "output/empty_grid.h"

namespace output {

namespace {

// Refuses an empty grid with the user told why; true when there is something to print.
bool hasFindings(shell::MainFinder& window) {
    if (!isEmptyGrid(window.MSFlexGrid1)) return true;
    window.dialogs().message("No results in the flexgrid.", shell::kAppTitle);
    return false;
}

PageLayOut findingsLayOut(const shell::MainFinder& window) {
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

}  // namespace

void cmdprint_Click(shell::MainFinder& window, FindingsPrinter& printer) {
    if (!hasFindings(window)) return;
    if (!window.dialogs().askYesNo("Are you sure that you wish to print these findings?", shell::kAppTitle)) return;
    const PrintResult result = printer.print(findingsLayOut(window));
    if (result.outcome != PrintOutcome::Printed) {
        window.dialogs().message(outcomeMessage(result), shell::kAppTitle);
        return;
    }
    // Reading each row's condition colour made it the current cell in turn.
    shell::GridModel& grid = window.MSFlexGrid1;
    grid.select(grid.rows() - 1, 2, grid.rows() - 1, 2);
}

void cmdprintpreview_Click(shell::MainFinder& window, FindingsPrinter& printer) {
    // The preview shows what printing would print, so it is offered only while printing
    // is (the progeny layout switches printing off).
    if (!window.cmdprint.enabled || !hasFindings(window)) return;
    printer.preview(findingsLayOut(window));
}

}  // namespace output
