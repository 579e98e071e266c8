// SPDX-License-Identifier: MIT
// How the core asks and tells the user things: message boxes, file dialogs and progress, behind one interface.
#pragma once

#include <optional>
#include <string>

namespace base {

// A file dialog as a command configures it. The filter lists "caption|pattern" pairs
// separated by "|"; `filterIndex` counts them from 1.
struct FileDialogOptions {
    std::string title;
    std::string filter;
    int filterIndex = 1;
    bool multiSelect = false;
    // The file or folder the dialog opens on; empty: the dialog's own choice.
    std::string initialPath{};
};

// Where a long command stands, for a progress bar: step `step` of `steps`.
struct ProgressState {
    int step = 0;
    int steps = 0;
    std::string text;
};

// How the core talks to the user. The window answers with message boxes, the command
// line tool with standard error and its flags, tests with a script of answers. Texts use
// a carriage return as line break.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A message box with one OK button.
    virtual void message(const std::string& text, const std::string& title) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;
    // The system beep, for a key that a box refuses.
    virtual void beep() = 0;
    // The busy pointer while a command works.
    virtual void setBusy(bool busy) = 0;
    // Paints a status text at once, while a long command has not yet returned.
    virtual void repaintNow() = 0;
    // A file-open dialog. Its answer is the chosen file's full path or, for several, the
    // folder, then each file name, all separated by a character 0; nothing on cancel.
    virtual std::optional<std::string> chooseFilesToOpen(const FileDialogOptions& options) = 0;
    // A file-save dialog. Its answer is the chosen file's full path, exactly as chosen (no
    // extension is added); nothing on cancel. A file of that name is replaced without a
    // question, so the dialog asks none either.
    virtual std::optional<std::string> chooseFileToSave(const FileDialogOptions& options) = 0;
    // Progress of a long command of several steps; the window keeps painting meanwhile.
    virtual void showProgress(const ProgressState&) {}
    virtual void endProgress() {}
};

// The caption of the program's message boxes.
inline const std::string kAppTitle = "Harrowdex";

}  // namespace base
