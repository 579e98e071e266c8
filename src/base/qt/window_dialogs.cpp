// SPDX-License-Identifier: MIT
#include "base/qt/window_dialogs.h"

#include "base/file_dialog_answer.h"
#include "base/program_folder.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <utility>

namespace base {

QString displayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString literalCaption(const QString& text) {
    QString shown = text;
    return shown.replace(QLatin1Char('&'), QLatin1String("&&"));
}

void WindowDialogs::message(const std::string& text, const std::string& title) {
    QMessageBox::information(parent_, QString::fromStdString(title), displayText(text));
}

bool WindowDialogs::askYesNo(const std::string& text, const std::string& title) {
    return QMessageBox::question(parent_, QString::fromStdString(title), displayText(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void WindowDialogs::beep() { QApplication::beep(); }

void WindowDialogs::setBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

void WindowDialogs::repaintNow() {
    // A status that changes for every stored race would spend more time painting than
    // importing; a few paints a second show it just as well.
    constexpr qint64 kRepaintIntervalMs = 40;
    if (sinceRepaint_.isValid() && sinceRepaint_.elapsed() < kRepaintIntervalMs) return;
    sinceRepaint_.start();
    if (repaint_) repaint_();
}

namespace {

// A dialog's filter list as Qt takes it, and the entry to preselect. The options list
// "caption|pattern|caption|pattern"; Qt reads the pattern from the caption itself.
std::pair<QString, QString> qtFilters(const FileDialogOptions& options) {
    const QStringList parts = QString::fromStdString(options.filter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) filters << parts[i];
    return {filters.join(QLatin1String(";;")), filters.value(options.filterIndex - 1)};
}

}  // namespace

std::optional<std::string> WindowDialogs::chooseFilesToOpen(const FileDialogOptions& options) {
    auto [filter, selected] = qtFilters(options);
    const QString title = QString::fromStdString(options.title);
    const QString initial = QString::fromStdString(options.initialPath);
    QStringList paths;
    if (options.multiSelect) paths = QFileDialog::getOpenFileNames(parent_, title, initial, filter, &selected);
    else if (const QString path = QFileDialog::getOpenFileName(parent_, title, initial, filter, &selected);
             !path.isEmpty())
        paths << path;
    if (paths.isEmpty()) return std::nullopt;
    std::vector<std::string> native;
    for (const QString& path : paths) native.push_back(QDir::toNativeSeparators(path).toStdString());
    return dialogAnswerFor(native, kPathSeparator);
}

std::optional<std::string> WindowDialogs::chooseFileToSave(const FileDialogOptions& options) {
    auto [filter, selected] = qtFilters(options);
    // No default suffix: the name is used exactly as typed.
    const QString path = QFileDialog::getSaveFileName(parent_, QString::fromStdString(options.title),
                                                      QString::fromStdString(options.initialPath), filter, &selected,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(path).toStdString();
}

void WindowDialogs::showProgress(const ProgressState& state) {
    // One step needs no bar: the status label tells how far it has come.
    if (state.steps < 2) return;
    if (!progress_) {
        progress_ = new QProgressDialog(parent_);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setCancelButton(nullptr);
        progress_->setMinimumDuration(0);
        progress_->setWindowTitle(QString::fromStdString(kAppTitle));
    }
    progress_->setRange(0, state.steps);
    progress_->setValue(state.step);
    progress_->setLabelText(displayText(state.text));
    // Keeps the window painting without letting the user start another command.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowDialogs::endProgress() { delete progress_; }

}  // namespace base
