// SPDX-License-Identifier: MIT
#include "shell/qt/remove_data_window.h"

#include "shell/qt/main_finder_window.h"
#include "shell/base/qt/small_window.h"

#include <QListWidget>
#include <QPushButton>

namespace shell {

namespace {

const char* const kObjectName = "frmremovedata";

}  // namespace

RemoveDataWindow::RemoveDataWindow(std::unique_ptr<RemoveData> dialog, MainFinderWindow& mainWindow)
    : QWidget(&mainWindow, Qt::Window), dialog_(std::move(dialog)), mainWindow_(mainWindow) {
    setObjectName(kObjectName);
    setAttribute(Qt::WA_DeleteOnClose);
    closeOnEscape(*this);
    setWindowTitle(RemoveData::kCaption);
    setFont(twipsFont("Arial", 8.25));
    setFixedSize(twipsToPixelsX(RemoveData::kClientWidth, this), twipsToPixelsY(RemoveData::kClientHeight, this));
    createControls();
    showState();
}

void RemoveDataWindow::createControls() {
    auto* weeks = addChild<QListWidget>(this, "lstweeks", 120, 120, 3255, 2430);
    connectList(*weeks, dialog_->lstweeks);
    addChild<QPushButton>(this, "cmdremove", 120, 2670, 1560, 375);
    addChild<QPushButton>(this, "cmdcancel", 1815, 2670, 1560, 375);
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
        bringToFront(mainWindow_);
    });
}

void RemoveDataWindow::showState() {
    showControls(*this, dialog_->controls());
    showList(*findChild<QListWidget*>("lstweeks"), dialog_->lstweeks);
    if (!dialog_->visible) hide();
}

RemoveDataWindow* RemoveDataWindow::cmdremoverace_Click(MainFinderWindow& mainWindow, MainFinder& finder) {
    for (auto* open : mainWindow.findChildren<RemoveDataWindow*>(kObjectName, Qt::FindDirectChildrenOnly))
        open->close();
    auto dialog = shell::cmdremoverace_Click(finder);
    if (!dialog) return nullptr;
    auto* window = new RemoveDataWindow(std::move(dialog), mainWindow);
    bringToFront(*window);
    return window;
}

}  // namespace shell
