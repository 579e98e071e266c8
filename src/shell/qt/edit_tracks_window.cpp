// SPDX-License-Identifier: MIT
#include "shell/qt/edit_tracks_window.h"

#include "base/qt/accessible_names.h"
#include "base/qt/small_window.h"

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
    base::setUpSmallWindow(
        *this, {kObjectName, EditTracks::kCaption, 8.25, EditTracks::kClientWidth, EditTracks::kClientHeight});
    createControls();
    editor_.Form_Load();
    showState();
    base::nameListsAndGrids(*this);
}

void EditTracksWindow::createControls() {
    auto* add = base::addChild<QGroupBox>(this, "fraaddtrack", 120, 60, 3630, 1290);
    auto* numberLabel = base::addChild<QLabel>(add, "lbltracknum", 120, 300, 1020, 255);
    auto* number = base::addChild<QLineEdit>(add, "txttracknum", 1200, 255, 735, 300);
    numberLabel->setBuddy(number);
    auto* codeLabel = base::addChild<QLabel>(add, "lbltrackcode", 120, 750, 1020, 255);
    auto* code = base::addChild<QLineEdit>(add, "txttrackcode", 1200, 705, 735, 300);
    codeLabel->setBuddy(code);
    auto* addButton = base::addChild<QPushButton>(add, "cmdaddtrack", 2100, 450, 1365, 375);
    auto* current = base::addChild<QGroupBox>(this, "fratracklist", 120, 1440, 3630, 3060);
    auto* list = base::addChild<QListWidget>(current, "lsttracks", 120, 255, 2055, 2655);
    auto* deleteButton = base::addChild<QPushButton>(current, "cmddeletetrack", 2280, 255, 1215, 375);

    base::connectTextBoxes(*this, editor_.controls());
    base::connectList(*list, editor_.lsttracks);
    const auto addTrack = [this] {
        editor_.cmdaddtrack_Click();
        showState();
    };
    connect(addButton, &QPushButton::clicked, this, addTrack);
    // The code is typed last, so Enter there adds the track.
    connect(code, &QLineEdit::returnPressed, this, addTrack);
    connect(deleteButton, &QPushButton::clicked, this, [this] {
        editor_.cmddeletetrack_Click();
        showState();
    });
}

void EditTracksWindow::showState() {
    base::showControls(*this, editor_.controls());
    base::showList(*findChild<QListWidget*>("lsttracks"), editor_.lsttracks);
}

EditTracksWindow* EditTracksWindow::edittracks_Click(QWidget* mainWindow, MainFinder& finder) {
    return base::openOnce<EditTracksWindow>(*mainWindow, kObjectName,
                                            [&] { return new EditTracksWindow(finder, mainWindow); });
}

}  // namespace shell
