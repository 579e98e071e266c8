// SPDX-License-Identifier: MIT
// The track list editor window on screen, beside the main window.
#pragma once

#include "shell/edit_tracks.h"

#include <QWidget>

namespace shell {

// The track list editor `frmedittracks`: shows the state that `EditTracks` keeps and
// forwards its two buttons. It never blocks the main window; one editor is open at a
// time.
class EditTracksWindow : public QWidget {
    Q_OBJECT
public:
    EditTracksWindow(MainFinder& finder, QWidget* mainWindow);

    // "&Edit Tracks": the open editor brought to the front, or a new one.
    static EditTracksWindow* edittracks_Click(QWidget* mainWindow, MainFinder& finder);

private:
    void createControls();
    void showState();

    EditTracks editor_;
};

}  // namespace shell
