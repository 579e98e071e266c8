// SPDX-License-Identifier: MIT
#pragma once

#include "cli_dialogs.h"

#include <optional>
#include <ostream>

namespace cli {

// How an import shows how far it has come on standard error.
enum class ProgressStyle {
    RewrittenLine,  // a terminal: one line that rewrites itself
    LinePerFile,    // a file or pipe: one line for each file stored
    None            // --quiet
};

// A line that rewrites itself on a terminal, a line per file elsewhere, none with --quiet.
ProgressStyle progressStyle(bool quiet);

// The command line's answers during an import: messages and questions as always, the
// import's progress (file k of n, races stored) in the chosen style instead of the status
// label's texts, of which only the last one, a failure's, is written.
class ImportProgressDialogs : public CliDialogs {
public:
    ImportProgressDialogs(bool answerYes, ProgressStyle style, std::ostream& out)
        : CliDialogs(answerYes), style_(style), out_(out) {}

    void message(const std::string& text, const std::string& title) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    void repaintNow() override {}
    void showProgress(const base::ProgressState& state) override;
    // After the import: the last file's line when it was stored, and a rewritten line ended.
    void finish(bool lastFileStored);

private:
    void endRewrittenLine();

    ProgressStyle style_;
    std::ostream& out_;
    std::optional<base::ProgressState> shown_;
    bool lineOpen_ = false;
};

}  // namespace cli
