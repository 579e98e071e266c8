// SPDX-License-Identifier: MIT
// The system's printer and print dialog, printing the listing at the same size on every printer.
#pragma once

#include "output/findings_printer.h"

#include <QPointer>
#include <QWidget>

class QPrinter;

namespace output {

// The printer of the window: the system's print dialog, then the pages in landscape in a
// fixed-pitch font, twips mapped onto the printer's own resolution so that the listing
// has the same size on every printer and in a PDF file.
class SystemPrinter : public FindingsPrinter {
public:
    explicit SystemPrinter(QWidget* parent) : parent_(parent) {}

    bool printerInstalled() const override;
    PrintResult print(const PageLayOut& layOut) override;
    PrintResult preview(const PageLayOut& layOut) override;

private:
    QPointer<QWidget> parent_;
};

// The printable area of the printer's paper, in twips.
PageSize printablePage(const QPrinter& printer);

// Paints the pages on a printer whose job has not begun. On a failure the job is
// aborted and whatever file it was writing is removed; the answer then says why.
PrintResult paintPages(QPrinter& printer, const PrintLayout& layout);

}  // namespace output
