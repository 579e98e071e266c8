// SPDX-License-Identifier: MIT
#pragma once

#include "base/user_dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace testing_support {

// Answers the core's questions from a script and records every text it was shown, so a
// test can assert the exact messages in their order.
class ScriptedDialogs : public base::UserDialogs {
public:
    std::vector<std::string> messages;   // message boxes, in order
    std::vector<std::string> questions;  // Yes/No questions, in order
    std::deque<bool> answers;            // the answers to give, in order
    int beeps = 0;
    int busyDepth = 0;
    int repaints = 0;
    std::vector<std::string> statusTexts;            // what a repaint showed, in order
    const std::string* status = nullptr;             // the status text to record on repaint
    std::deque<std::optional<std::string>> fileAnswers;  // answers of file-open dialogs
    std::vector<base::FileDialogOptions> fileDialogs;    // how each dialog was configured
    std::deque<std::optional<std::string>> saveAnswers;  // answers of file-save dialogs
    std::vector<base::FileDialogOptions> saveDialogs;    // how each save dialog was configured
    std::vector<base::ProgressState> progress;
    std::function<void()> whileMessageShows;  // what happens while a message box is open

    void message(const std::string& text, const std::string&) override {
        messages.push_back(text);
        if (whileMessageShows) whileMessageShows();
    }
    bool askYesNo(const std::string& text, const std::string&) override {
        questions.push_back(text);
        if (answers.empty()) throw std::logic_error("unexpected question: " + text);
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void beep() override { ++beeps; }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void repaintNow() override {
        ++repaints;
        if (status) statusTexts.push_back(*status);
    }
    std::optional<std::string> chooseFilesToOpen(const base::FileDialogOptions& options) override {
        fileDialogs.push_back(options);
        if (fileAnswers.empty()) throw std::logic_error("unexpected file dialog: " + options.title);
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseFileToSave(const base::FileDialogOptions& options) override {
        saveDialogs.push_back(options);
        if (saveAnswers.empty()) throw std::logic_error("unexpected save dialog: " + options.title);
        auto answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    void showProgress(const base::ProgressState& state) override { progress.push_back(state); }
};

}  // namespace testing_support
