// SPDX-License-Identifier: MIT
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
    // Lets the user choose a printer, then prints the pages that `layOut` gives.
    virtual PrintResult print(const PageLayOut& layOut) = 0;
    // Shows the same pages on screen; the user may print them from there.
    virtual void preview(const PageLayOut& layOut) = 0;
};

}  // namespace output
