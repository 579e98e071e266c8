// SPDX-License-Identifier: MIT
#include "lineage/qt/lineage_window.h"

#include "lineage/lineage_lookup.h"
#include "lineage/qt/window_page_fetcher.h"
#include "base/qt/small_window.h"
#include "lineage/server_address.h"
#include "shell/results_area.h"
#include "base/qt/grid_clipboard.h"
#include "base/qt/grid_view.h"
#include "base/qt/twips.h"
#include "base/qt/window_dialogs.h"

#include "base/qt/qt_text.h"

#include <QGroupBox>
#include <QLabel>

namespace lineage {

namespace {

const char* const kObjectName = "frmlineage";

QLabel* addLabel(QWidget* parent, const char* name, QRect geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    // The page's texts show as they are, even where they look like markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setGeometry(geometry);
    return label;
}

QGroupBox* addFrame(QWidget* parent, const char* name, QRect geometry) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    return frame;
}

}  // namespace

LineageWindow::LineageWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {
    base::setUpSmallWindow(
        *this, {kObjectName, LineageForm::kCaption, 7.5, LineageForm::kClientWidth, LineageForm::kClientHeight});
    createControls();
    showState();
}

// The grid views watch the form's grid model, so they go before the form does.
LineageWindow::~LineageWindow() { qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)); }

void LineageWindow::createControls() {
    QLabel* title = addLabel(this, "lbllineage", base::twipsRect(120, 120, 8220, 360, this));
    title->setFont(base::twipsFont("Arial", 12));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    QGroupBox* misc = addFrame(this, "fra1", base::twipsRect(240, 600, 3900, 2010, this));
    addLabel(misc, "lblmisc", base::twipsRect(90, 240, 3720, 1680, this));
    QGroupBox* wins = addFrame(this, "fra2", base::twipsRect(4320, 600, 3900, 2010, this));
    addLabel(wins, "lblwinstats", base::twipsRect(90, 240, 3720, 1680, this));

    auto* grid = new base::GridView(form_.MSFlexGrid1, this);
    grid->setObjectName("MSFlexGrid1");
    grid->setAccessibleName("Pedigree");
    grid->setDisplayOnly();
    grid->setGeometry(QRect(base::twipsRect(240, 2790, 0, 0, this).topLeft(), grid->designedSize()));
    base::enableCopyToClipboard(*grid);
}

void LineageWindow::showState() {
    for (const auto& [name, control] : form_.controls()) {
        QWidget* widget = findChild<QWidget*>(base::toQString(name));
        const QString caption = base::displayText(control->caption);
        if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(caption);
        else if (auto* frame = qobject_cast<QGroupBox*>(widget)) frame->setTitle(caption);
    }
}

void LineageWindow::showLineage(const LineageInfo& info) {
    form_.showLineage(info);
    showState();
}

LineageWindow* LineageWindow::getlineage_Click(QWidget* mainWindow, shell::ResultsArea& finder) {
    auto* Inet = mainWindow->findChild<WindowPageFetcher*>("Inet", Qt::FindDirectChildrenOnly);
    if (!Inet) Inet = new WindowPageFetcher(mainWindow);
    if (Inet->pending()) return nullptr;
    const auto info = lineage::getlineage_Click(finder, *Inet, serverAddress(finder.programFolder()));
    if (!info) return nullptr;
    auto* window =
        base::openOnce<LineageWindow>(*mainWindow, kObjectName, [&] { return new LineageWindow(mainWindow); });
    window->showLineage(*info);
    return window;
}

}  // namespace lineage
