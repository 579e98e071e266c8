// SPDX-License-Identifier: MIT
#include "shell/qt/edit_tracks_window.h"

#include "shell/base/qt/small_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace shell {

namespace {

const char* const kObjectName = "frmedittracks";

}  // namespace

EditTracksWindow::EditTracksWindow(MainFinder& finder, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), editor_(finder) {
    setObjectName(kObjectName);
    setAttribute(Qt::WA_DeleteOnClose);
    closeOnEscape(*this);
    setWindowTitle(EditTracks::kCaption);
    setFont(twipsFont("Arial", 8.25));
    setFixedSize(twipsToPixelsX(EditTracks::kClientWidth, this), twipsToPixelsY(EditTracks::kClientHeight, this));
    createControls();
    editor_.Form_Load();
    showState();
}

void EditTracksWindow::createControls() {
    auto* add = addChild<QGroupBox>(this, "fraaddtrack", 120, 60, 3630, 1290);
    auto* numberLabel = addChild<QLabel>(add, "lbltracknum", 120, 300, 1020, 255);
    auto* number = addChild<QLineEdit>(add, "txttracknum", 1200, 255, 735, 300);
    numberLabel->setBuddy(number);
    auto* codeLabel = addChild<QLabel>(add, "lbltrackcode", 120, 750, 1020, 255);
    auto* code = addChild<QLineEdit>(add, "txttrackcode", 1200, 705, 735, 300);
    codeLabel->setBuddy(code);
    auto* addButton = addChild<QPushButton>(add, "cmdaddtrack", 2100, 450, 1365, 375);
    auto* current = addChild<QGroupBox>(this, "fratracklist", 120, 1440, 3630, 3060);
    auto* list = addChild<QListWidget>(current, "lsttracks", 120, 255, 2055, 2655);
    auto* deleteButton = addChild<QPushButton>(current, "cmddeletetrack", 2280, 255, 1215, 375);

    connectTextBoxes(*this, editor_.controls());
    connectList(*list, editor_.lsttracks);
    connect(addButton, &QPushButton::clicked, this, [this] {
        editor_.cmdaddtrack_Click();
        showState();
    });
    connect(deleteButton, &QPushButton::clicked, this, [this] {
        editor_.cmddeletetrack_Click();
        showState();
    });
}

void EditTracksWindow::showState() {
    showControls(*this, editor_.controls());
    showList(*findChild<QListWidget*>("lsttracks"), editor_.lsttracks);
}

EditTracksWindow* EditTracksWindow::edittracks_Click(QWidget* mainWindow, MainFinder& finder) {
    EditTracksWindow* editor = nullptr;
    // A closed editor is hidden until it is deleted; it is not the open one.
    for (auto* each : mainWindow->findChildren<EditTracksWindow*>(kObjectName, Qt::FindDirectChildrenOnly))
        if (each->isVisible()) editor = each;
    if (!editor) editor = new EditTracksWindow(finder, mainWindow);
    bringToFront(*editor);
    return editor;
}

}  // namespace shell
