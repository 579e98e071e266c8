// SPDX-License-Identifier: MIT
// The removal dialog on screen: the stored weeks to select and remove.
#pragma once

#include "shell/remove_data.h"

#include <QWidget>

#include <memory>

namespace shell {

class MainWindowView;

// The removal dialog `frmremovedata`: the week list with multiple selection and the
// two buttons, forwarded to `RemoveData`. It never blocks the main window and is
// deleted once a button has closed it.
class RemoveDataWindow : public QWidget {
    Q_OBJECT
public:
    RemoveDataWindow(std::unique_ptr<RemoveData> dialog, MainWindowView& mainWindow);

    // "R&emove Race Data": a new dialog over the store's weeks in place of an open one,
    // or none when there is nothing to remove.
    static RemoveDataWindow* cmdremoverace_Click(MainWindowView& mainWindow, MainFinder& finder);
    // An open week list made anew, so that it shows weeks imported meanwhile.
    static void refreshIfOpen(MainWindowView& mainWindow, MainFinder& finder);

private:
    void createControls();
    void showState();
    template <typename Click>
    void onButton(const char* name, Click click);

    std::unique_ptr<RemoveData> dialog_;
    MainWindowView& mainWindow_;
};

}  // namespace shell
