// SPDX-License-Identifier: MIT
#include "progeny/breeding_file_path.h"
#include "shell/main_finder.h"
#include "shell/main_finder_window.h"
#include "shell/qt_clock.h"
#include "shell/qt_user_dialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(shell::kAppTitle));
    shell::QtUserDialogs dialogs;
    shell::MainFinder finder(dialogs);
    // Dates in the window follow the user's regional settings.
    const shell::QtClock clock;
    finder.setClock(clock);
    const shell::StartupEnvironment environment{QCoreApplication::applicationDirPath().toStdString(),
                                                progeny::breedingFilePath()};
    // A failed start-up check has told the user why; no window is shown.
    if (!finder.Form_Load(environment)) return 1;
    shell::MainFinderWindow window(finder);
    dialogs.setParentWindow(&window);
    dialogs.setRepaint([&window] { window.repaintState(); });
    window.show();
    return QApplication::exec();
}
