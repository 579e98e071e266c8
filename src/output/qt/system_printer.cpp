// SPDX-License-Identifier: MIT
#include "output/qt/system_printer.h"

#include "base/qt/twips.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace output {

namespace {

constexpr int kTwipsPerPoint = 20;

// Font sizes are given in twips (a point is 20) because the painter works in twips.
QFont listingFont(int points, bool bold) {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPixelSize(points * kTwipsPerPoint);
    font.setBold(bold);
    return font;
}

void paintPage(QPainter& painter, const PrintedPage& page) {
    for (const TextPlacement& text : page.texts) {
        painter.setFont(listingFont(text.points, text.bold));
        // A placement gives the top of the line; the text runs on to the right as far as it goes.
        painter.drawText(QRectF(text.x, text.y, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         QString::fromStdString(text.text));
    }
}

void setUpPrinter(QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Harrowdex findings"));
}

// Drops a failed job: the spooler forgets it, and a PDF being written is removed.
PrintResult abandon(QPrinter& printer, QPainter& painter, const QString& why) {
    printer.abort();
    if (painter.isActive()) painter.end();
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
    return {PrintOutcome::Failed, why.toStdString()};
}

}  // namespace

PageSize printablePage(const QPrinter& printer) {
    const QRectF inches = printer.pageLayout().paintRect(QPageLayout::Inch);
    return {static_cast<int>(inches.width() * base::kTwipsPerInch),
            static_cast<int>(inches.height() * base::kTwipsPerInch)};
}

PrintResult paintPages(QPrinter& printer, const PrintLayout& layout) {
    QPainter painter;
    if (!painter.begin(&printer))
        return abandon(printer, painter, QStringLiteral("The print job could not be started."));
    const double scaleX = printer.logicalDpiX() / double(base::kTwipsPerInch) * layout.scale;
    const double scaleY = printer.logicalDpiY() / double(base::kTwipsPerInch) * layout.scale;
    for (std::size_t i = 0; i < layout.pages.size(); ++i) {
        if (i > 0 && !printer.newPage())
            return abandon(printer, painter, QStringLiteral("The printer refused page %1.").arg(i + 1));
        painter.resetTransform();
        painter.scale(scaleX, scaleY);
        paintPage(painter, layout.pages[i]);
        if (printer.printerState() == QPrinter::Error)
            return abandon(printer, painter, QStringLiteral("The printer stopped at page %1.").arg(i + 1));
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return abandon(printer, painter, QStringLiteral("The printer could not finish the job."));
    return {};
}

bool SystemPrinter::printerInstalled() const { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

PrintResult SystemPrinter::print(const PageLayOut& layOut) {
    QPrinter printer(QPrinter::HighResolution);
    if (!printer.isValid()) return {PrintOutcome::NoPrinter, {}};
    setUpPrinter(printer);
    QPrintDialog dialog(&printer, parent_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return {PrintOutcome::Cancelled, {}};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PrintResult result = paintPages(printer, layOut(printablePage(printer)));
    QApplication::restoreOverrideCursor();
    return result;
}

PrintResult SystemPrinter::preview(const PageLayOut& layOut) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintPreviewDialog dialog(&printer, parent_);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    // Asked again whenever the user changes the paper, so the pages always fit it, and
    // once more when the user prints: the dialog is accepted only after that last job.
    PrintResult lastJob;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&layOut, &lastJob](QPrinter* target) {
        lastJob = paintPages(*target, layOut(printablePage(*target)));
    });
    if (dialog.exec() != QDialog::Accepted) return {PrintOutcome::Cancelled, {}};
    return lastJob;
}

}  // namespace output
