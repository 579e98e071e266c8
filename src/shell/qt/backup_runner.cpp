// SPDX-License-Identifier: MIT
#include "shell/qt/backup_runner.h"

#include "shell/qt/main_window_view.h"
#include "shell/window_session.h"

#include <QApplication>
#include <QWidget>
#include <QThread>

namespace shell {

namespace {

constexpr int kProgressShownMs = 250;

}  // namespace

BackupRunner::BackupRunner(MainWindowView& window, WindowSession& session)
    : QObject(&window.widget()), window_(window), session_(session) {
    progressShown_.setInterval(kProgressShownMs);
    connect(&progressShown_, &QTimer::timeout, this, &BackupRunner::showProgress);
}

BackupRunner::~BackupRunner() {
    if (!thread_) return;
    job_->stop();
    thread_->wait();
    delete thread_;
}

bool BackupRunner::busy() const {
    if (thread_)
        session_.dialogs().message("A backup of the race store is being made; wait for it to end.", base::kAppTitle);
    return thread_ != nullptr;
}

void BackupRunner::start(std::unique_ptr<BackupJob> job) {
    if (!job || busy()) return;
    job_ = std::move(job);
    thread_ = QThread::create([job = job_.get()] { job->run(); });
    connect(thread_, &QThread::finished, this, &BackupRunner::finish);
    showProgress();
    progressShown_.start();
    thread_->start();
}

void BackupRunner::showProgress() {
    if (QApplication::activeModalWidget()) return;  // the status text belongs to that dialog's command
    session_.lblprogress.caption = job_->progressText();
    window_.showState();
}

void BackupRunner::finish() {
    progressShown_.stop();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    job_->tell(session_);
    job_.reset();
    window_.showState();
    emit ended();
}

}  // namespace shell
