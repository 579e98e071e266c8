// SPDX-License-Identifier: MIT
#include "app/qt/window_arguments.h"

#include "base/data_folder.h"
#include "base/qt/regional_clock.h"
#include "base/version.h"
#include "guide/guide_folder.h"

#include <QCommandLineParser>

namespace app {

WindowArguments readWindowArguments(const QStringList& arguments, const std::string& defaultBreedingFile,
                                    bool qtOptionsTaken) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString("Harrowdex: the race store's searches, statistics, progeny and lineage.\n") + base::kDataFolderHelp +
        "\n" + guide::kGuideHelp);
    const QCommandLineOption help({"h", "help"}, "Show this help and end.");
    const QCommandLineOption version("version", "Show the program's version and end.");
    const QCommandLineOption breeding(
        "breeding", "Read the breeding file FILE instead of " + QString::fromStdString(defaultBreedingFile) + ".",
        "FILE");
    const QCommandLineOption today("today", "Take DATE (YYYY-MM-DD) as today, for the claiming tags and recent wins.",
                                   "DATE");
    parser.addOptions({help, version, breeding, today});

    WindowArguments result{defaultBreedingFile, std::nullopt, std::nullopt, std::nullopt};
    const bool parsed = parser.parse(QStringList{"harrowdex"} + arguments);
    // Before the application object exists the parser knows no program name.
    const std::string helpText = parser.helpText().replace("<executable_name>", "harrowdex").toStdString();
    if (parser.isSet(help)) {
        result.answer = helpText;
    } else if (parser.isSet(version)) {
        result.answer = std::string("harrowdex ") + base::programVersion() + "\n";
    } else if (!parsed && qtOptionsTaken) {
        result.error = "harrowdex: " + parser.errorText().toStdString() + "\n" + helpText;
    } else {
        if (parser.isSet(breeding)) result.breedingFile = parser.value(breeding).toStdString();
        if (parser.isSet(today)) {
            result.today = base::RegionalClock::dayOf(parser.value(today).toStdString());
            if (!result.today) result.error = "harrowdex: --today wants a date YYYY-MM-DD.\n" + helpText;
        }
    }
    return result;
}

}  // namespace app
