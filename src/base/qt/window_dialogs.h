// SPDX-License-Identifier: MIT
// The window's message boxes, beep, busy pointer and repaints, as the core asks for them.
#pragma once

#include "base/user_dialogs.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <functional>

namespace base {

// Message boxes, the beep, the busy pointer and immediate repaints for the window.
class WindowDialogs : public UserDialogs {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }
    // Called by repaintNow() to bring the window up to date with the core's state.
    void setRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }

    void message(const std::string& text, const std::string& title) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    void beep() override;
    void setBusy(bool busy) override;
    void repaintNow() override;
    std::optional<std::string> chooseFilesToOpen(const FileDialogOptions& options) override;
    std::optional<std::string> chooseFileToSave(const FileDialogOptions& options) override;
    void showProgress(const ProgressState& state) override;
    void endProgress() override;

private:
    QPointer<QWidget> parent_;
    std::function<void()> repaint_;
    int busyDepth_ = 0;
    QElapsedTimer sinceRepaint_;
    QPointer<QProgressDialog> progress_;
};

// A core text for a Qt control: carriage returns become line feeds.
QString displayText(const std::string& text);
// A text that Qt shows as it stands where it reads "&" as an access-key mark (frame
// titles, menu items): a name such as "Fisher & Harris" marks no access key.
QString literalCaption(const QString& text);

}  // namespace base
