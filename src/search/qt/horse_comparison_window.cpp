// SPDX-License-Identifier: MIT
#include "search/qt/horse_comparison_window.h"

#include "base/qt/qt_text.h"
#include "base/qt/small_window.h"
#include "base/csv_text.h"
#include "shell/main_finder.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace search {

HorseComparisonWindow::HorseComparisonWindow(QWidget* mainWindow, shell::MainFinder& finder, Comparison comparison)
    : QWidget(mainWindow, Qt::Window), finder_(finder), comparison_(std::move(comparison)) {
    const auto& rows_ = comparison_.rows;
    base::setUpSmallWindow(*this, {"frmcompare", "Compare Horses"});
    const int horses = rows_.empty() ? 0 : static_cast<int>(rows_.front().cells.size());
    table_ = new QTableWidget(static_cast<int>(rows_.size()), horses, this);
    table_->setObjectName("grdcompare");
    table_->setAccessibleName(windowTitle());
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->hide();
    for (int r = 0; r < table_->rowCount(); ++r) {
        const ComparisonRow& row = rows_[static_cast<std::size_t>(r)];
        table_->setVerticalHeaderItem(r, new QTableWidgetItem(base::toQString(row.caption)));
        for (int c = 0; c < horses; ++c) {
            auto* item = new QTableWidgetItem(base::toQString(row.cells[static_cast<std::size_t>(c)]));
            if (row.best == static_cast<std::size_t>(c)) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    auto* exportButton = new QPushButton("&Export...", this);
    exportButton->setObjectName("cmdexport");
    connect(exportButton, &QPushButton::clicked, this,
            [this] { base::exportCsv(finder_.dialogs(), base::csvText(comparisonTable(comparison_))); });
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            &HorseComparisonWindow::copyToClipboard);
    QStringList lines;
    for (const auto& line : headToHeadLines(comparison_)) lines << base::toQString(line);
    auto* meetings = new QLabel(lines.join('\n'), this);
    meetings->setObjectName("lblheadtohead");
    meetings->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(meetings);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    layout->addLayout(buttons);
    resize(260 + 220 * horses, 760);
}

void HorseComparisonWindow::copyToClipboard() const {
    QString text;
    for (const auto& line : comparisonTable(comparison_)) {
        QStringList cells;
        for (const auto& cell : line) cells << base::toQString(cell);
        text += cells.join('\t') + '\n';
    }
    QApplication::clipboard()->setText(text);
}

HorseComparisonWindow* HorseComparisonWindow::compare(QWidget* mainWindow, shell::MainFinder& finder,
                                                      const std::vector<std::int64_t>& ids) {
    auto comparison = compareHorses(finder, ids);
    if (!comparison) return nullptr;
    auto* window = new HorseComparisonWindow(mainWindow, finder, std::move(*comparison));
    base::bringToFront(*window);
    return window;
}

}  // namespace search
