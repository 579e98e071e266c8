// SPDX-License-Identifier: MIT
// The printer as the print commands see it, so that printing can be tested without a printer.
#pragma once

#include "output/print_layout.h"

#include <functional>
#include <string>

namespace output {

// The pages of the listing for a printable page of the given size.
using PageLayOut = std::function<PrintLayout(PageSize)>;

enum class PrintOutcome { Printed, Cancelled, NoPrinter, Failed };

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Printed;
    std::string detail;  // what the printer said, for Failed
};

// The printer as the print command sees it. The window lets the user choose a printer and
// paper, then lays the pages out for that paper; a job that fails is discarded whole,
// never left half-printed.
class FindingsPrinter {
public:
    virtual ~FindingsPrinter() = default;
    // False when the system has no printer, so that a job can only go to a PDF file.
    virtual bool printerInstalled() const = 0;
    // Lets the user choose a printer, then prints the pages that `layOut` gives.
    virtual PrintResult print(const PageLayOut& layOut) = 0;
    // Shows the same pages on screen. The user may print them from there: the answer is
    // Printed or Failed then, Cancelled when the preview was closed without printing.
    virtual PrintResult preview(const PageLayOut& layOut) = 0;
};

}  // namespace output
