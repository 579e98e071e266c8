// SPDX-License-Identifier: MIT
#include "shell/qt/remove_data_window.h"

#include "shell/qt/main_window_view.h"
#include "base/qt/small_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace shell {

namespace {

const char* const kObjectName = "frmremovedata";

}  // namespace

RemoveDataWindow::RemoveDataWindow(std::unique_ptr<RemoveData> dialog, MainWindowView& mainWindow)
    : QWidget(&mainWindow.widget(), Qt::Window), dialog_(std::move(dialog)), mainWindow_(mainWindow) {
    base::setUpSmallWindow(
        *this, {kObjectName, RemoveData::kCaption, 8.25, RemoveData::kClientWidth, RemoveData::kClientHeight});
    createControls();
    showState();
}

void RemoveDataWindow::createControls() {
    auto* weeks = base::addChild<QListWidget>(this, "lstweeks", 120, 120, 3255, 2130);
    weeks->setAccessibleName("Stored weeks");
    base::connectList(*weeks, dialog_->lstweeks);
    // Below the list, which selected weeks have their file in the results folder.
    auto* note = base::addChild<QLabel>(this, "lblfolder", 120, 2340, 3255, 900);
    note->setTextFormat(Qt::PlainText);  // a file name is shown as it is
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(weeks, &QListWidget::itemSelectionChanged, this, [this] {
        dialog_->lstweeks_Click();
        base::showControls(*this, dialog_->controls());  // the list itself keeps its place
    });
    base::addChild<QPushButton>(this, "cmdremove", 120, 3330, 1560, 375);
    base::addChild<QPushButton>(this, "cmdcancel", 1815, 3330, 1560, 375);
    onButton("cmdremove", [this] { dialog_->cmdremove_Click(); });
    onButton("cmdcancel", [this] { dialog_->cmdcancel_Click(); });
}

template <typename Click>
void RemoveDataWindow::onButton(const char* name, Click click) {
    connect(findChild<QPushButton*>(name), &QPushButton::clicked, this, [this, click] {
        click();
        showState();
        mainWindow_.showState();
        if (!dialog_->closed()) return;
        close();
        base::bringToFront(mainWindow_.widget());
    });
}

void RemoveDataWindow::showState() {
    base::showControls(*this, dialog_->controls());
    base::showList(*findChild<QListWidget*>("lstweeks"), dialog_->lstweeks);
    if (!dialog_->visible) hide();
}

RemoveDataWindow* RemoveDataWindow::cmdremoverace_Click(MainWindowView& mainWindow, MainFinder& finder) {
    for (auto* open : mainWindow.widget().findChildren<RemoveDataWindow*>(kObjectName, Qt::FindDirectChildrenOnly))
        open->close();
    auto dialog = shell::cmdremoverace_Click(finder);
    if (!dialog) return nullptr;
    auto* window = new RemoveDataWindow(std::move(dialog), mainWindow);
    base::bringToFront(*window);
    return window;
}

void RemoveDataWindow::refreshIfOpen(MainWindowView& mainWindow, MainFinder& finder) {
    if (mainWindow.widget().findChild<RemoveDataWindow*>(kObjectName, Qt::FindDirectChildrenOnly))
        cmdremoverace_Click(mainWindow, finder);
}

}  // namespace shell
