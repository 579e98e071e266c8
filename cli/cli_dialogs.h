// SPDX-License-Identifier: MIT
#pragma once

#include "base/user_dialogs.h"

#include <map>
#include <stdexcept>
#include <string>

namespace cli {

// The command line's answers: messages and progress go to standard error, a question is
// answered No unless --yes was given, and nothing is ever read from standard input.
class CliDialogs : public base::UserDialogs {
public:
    explicit CliDialogs(bool answerYes) : answerYes_(answerYes) {}
    // The answer to the question `text`, whatever --yes says.
    void answer(std::string text, bool yes) { answers_[std::move(text)] = yes; }
    // The status text that repaintNow() writes when it has changed.
    void watchStatus(const std::string* status) { status_ = status; }

    void message(const std::string& text, const std::string& title) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    void beep() override {}
    void setBusy(bool) override {}
    void repaintNow() override;
    std::optional<std::string> chooseFilesToOpen(const base::FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave(const base::FileDialogOptions&) override { return std::nullopt; }

private:
    bool answerYes_;
    std::map<std::string, bool> answers_;
    const std::string* status_ = nullptr;
    std::string lastStatus_;
};

// Writes a text of the system (carriage returns as line breaks) to standard error.
void writeMessage(std::string text);

// Ends a command with exit status 1 after it has already told the user why.
class CommandEnded : public std::runtime_error {
public:
    CommandEnded() : std::runtime_error("") {}
};

}  // namespace cli
