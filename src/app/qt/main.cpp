// SPDX-License-Identifier: MIT
#include "base/data_folder.h"
#include "progeny/breeding_file_path.h"
#include "shell/main_finder.h"
#include "app/qt/main_finder_window.h"
#include "base/qt/regional_clock.h"
#include "base/qt/window_dialogs.h"
#include "app/qt/window_arguments.h"

#include <QApplication>

#include <iostream>

namespace {

QStringList argumentsAfterName(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version need no display, which the application object would.
    if (const auto early = app::readWindowArguments(argumentsAfterName(argc, argv), progeny::breedingFilePath(), false);
        early.answer) {
        std::cout << *early.answer;
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(base::kAppTitle));
    const auto arguments =
        app::readWindowArguments(QApplication::arguments().mid(1), progeny::breedingFilePath(), true);
    if (arguments.error) {
        std::cerr << *arguments.error;
        return 2;
    }
    base::WindowDialogs dialogs;
    shell::MainFinder finder(dialogs);
    // Dates in the window follow the user's regional settings.
    const base::RegionalClock clock(arguments.today);
    finder.setClock(clock);
    // An installed program keeps its store and files in the user's own data folder; one
    // with a store beside it in a folder it cannot write, only its files.
    const auto folder = base::dataFolderFor(QCoreApplication::applicationDirPath().toStdString());
    const shell::StartupEnvironment environment{folder.path, arguments.breedingFile, folder.perUser,
                                                folder.storeFolder == folder.path ? "" : folder.storeFolder};
    // A failed start-up check has told the user why; no window is shown.
    if (!finder.Form_Load(environment)) return 1;
    app::MainFinderWindow window(finder);
    dialogs.setParentWindow(&window);
    dialogs.setRepaint([&window] { window.repaintState(); });
    window.show();
    return QApplication::exec();
}
