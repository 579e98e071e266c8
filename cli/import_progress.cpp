// SPDX-License-Identifier: MIT
#include "import_progress.h"

#include <unistd.h>

namespace cli {

ProgressStyle progressStyle(bool quiet) {
    if (quiet) return ProgressStyle::None;
    return isatty(STDERR_FILENO) ? ProgressStyle::RewrittenLine : ProgressStyle::LinePerFile;
}

void ImportProgressDialogs::endRewrittenLine() {
    if (lineOpen_) out_ << '\n' << std::flush;
    lineOpen_ = false;
}

// A message or question starts on a line of its own, below the progress line.
void ImportProgressDialogs::message(const std::string& text, const std::string& title) {
    endRewrittenLine();
    CliDialogs::message(text, title);
}

bool ImportProgressDialogs::askYesNo(const std::string& text, const std::string& title) {
    endRewrittenLine();
    return CliDialogs::askYesNo(text, title);
}

void ImportProgressDialogs::showProgress(const base::ProgressState& state) {
    // A file's line is written once the next file has begun, so it counts every race of it.
    if (style_ == ProgressStyle::LinePerFile && shown_ && shown_->step != state.step)
        out_ << shown_->text << '\n' << std::flush;
    if (style_ == ProgressStyle::RewrittenLine) {
        out_ << '\r' << state.text << "\x1b[K" << std::flush;  // the rest of a longer line erased
        lineOpen_ = true;
    }
    shown_ = state;
}

void ImportProgressDialogs::finish(bool lastFileStored) {
    if (style_ == ProgressStyle::LinePerFile && shown_ && lastFileStored) out_ << shown_->text << '\n' << std::flush;
    endRewrittenLine();
    shown_.reset();
}

}  // namespace cli
