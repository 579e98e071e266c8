// SPDX-License-Identifier: MIT
// The date calculator window on screen, beside the main window.
#pragma once

#include "shell/date_calculator.h"

#include <QWidget>

namespace shell {

// The date calculator window `frmdatecalculator`: shows the state that `DateCalculator`
// keeps and forwards the user's typing, Enter and "Get Date" to it. It never blocks the
// main window and closes with it.
class DateCalculatorWindow : public QWidget {
    Q_OBJECT
public:
    DateCalculatorWindow(base::UserDialogs& dialogs, const base::Clock& clock, QWidget* mainWindow);

    // "&Date Calculator": the open calculator brought to the front with its content, or
    // a new one. A closed calculator is deleted; the next one starts empty.
    static DateCalculatorWindow* datecalculator_Click(QWidget* mainWindow, base::UserDialogs& dialogs,
                                                      const base::Clock& clock);

private:
    void createControls();
    void showState();

    DateCalculator calculator_;
};

}  // namespace shell
