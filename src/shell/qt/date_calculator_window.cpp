// SPDX-License-Identifier: MIT
#include "shell/qt/date_calculator_window.h"

#include "base/qt/key_filter.h"
#include "base/qt/small_window.h"
#include "base/qt/twips.h"
#include "base/qt/window_dialogs.h"

#include "base/qt/qt_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace shell {

namespace {

const char* const kObjectName = "frmdatecalculator";

}  // namespace

DateCalculatorWindow::DateCalculatorWindow(base::UserDialogs& dialogs, const base::Clock& clock, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), calculator_(dialogs, clock) {
    base::setUpSmallWindow(*this, {kObjectName, DateCalculator::kCaption, 8.25, DateCalculator::kClientWidth,
                                   DateCalculator::kClientHeight});
    createControls();
    showState();
}

void DateCalculatorWindow::createControls() {
    auto* prompt = new QLabel(this);
    prompt->setObjectName("lblenterdate");
    prompt->setGeometry(base::twipsRect(120, 180, 950, 255, this));
    auto* week = new QLineEdit(this);
    week->setObjectName("txtdate");
    week->setGeometry(base::twipsRect(1080, 135, 700, 300, this));  // room for a five-digit week
    prompt->setBuddy(week);
    auto* get = new QPushButton(this);
    get->setObjectName("cmdgetdate");
    get->setGeometry(base::twipsRect(1800, 120, 870, 330, this));
    auto* info = new QLabel(this);
    info->setObjectName("lbldateinfo");
    info->setAlignment(Qt::AlignCenter);
    info->setGeometry(base::twipsRect(120, 600, 2550, 900, this));

    connect(week, &QLineEdit::textEdited, this,
            [this](const QString& text) { calculator_.txtdate.caption = text.toStdString(); });
    // Only digits are typed; Enter converts as the button does.
    week->installEventFilter(new base::KeyFilter(week, [this](int key) {
        const int typed = calculator_.txtdate_Keypress(key);
        if (key == DateCalculator::kEnter) showState();
        return typed;
    }));
    connect(get, &QPushButton::clicked, this, [this] {
        calculator_.cmdgetdate_Click();
        showState();
    });
}

void DateCalculatorWindow::showState() {
    for (const auto& [name, control] : calculator_.controls()) {
        auto* widget = findChild<QWidget*>(base::toQString(name));
        const QString caption = base::displayText(control->caption);
        if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(caption);
        else if (auto* button = qobject_cast<QPushButton*>(widget)) button->setText(caption);
        else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            const QSignalBlocker blocker(box);
            box->setMaxLength(control->maxLength);
            if (box->text() != caption) box->setText(caption);
        }
    }
}

DateCalculatorWindow* DateCalculatorWindow::datecalculator_Click(QWidget* mainWindow, base::UserDialogs& dialogs,
                                                                 const base::Clock& clock) {
    return base::openOnce<DateCalculatorWindow>(*mainWindow, kObjectName,
                                                [&] { return new DateCalculatorWindow(dialogs, clock, mainWindow); });
}

}  // namespace shell
