// SPDX-License-Identifier: MIT
#include "import/qt/results_folder_watch.h"

#include "import/results_folder_setting.h"
#include "shell/window_session.h"
#include "shell/qt/main_window_view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include <filesystem>

namespace import {

namespace {

constexpr int kPeriodicCheckMs = 15'000;
constexpr int kGatherChangesMs = 300;
constexpr int kModalRetryMs = 500;
constexpr int kFillShownMs = 250;
// A file being written is looked at again once it may have settled.
constexpr int kSettleCheckMs = static_cast<int>(std::chrono::milliseconds(kSettlingTime).count()) + 300;

}  // namespace

ResultsFolderWatch::ResultsFolderWatch(shell::MainWindowView& window, shell::WindowSession& finder)
    : QObject(&window.widget()), window_(window), finder_(finder) {
    setObjectName("resultsFolderWatch");
    makeMenuItems();
    periodic_.setInterval(kPeriodicCheckMs);
    soon_.setSingleShot(true);
    connect(&periodic_, &QTimer::timeout, this, &ResultsFolderWatch::checkNow);
    connect(&soon_, &QTimer::timeout, this, &ResultsFolderWatch::checkNow);
    fillShown_.setInterval(kFillShownMs);
    connect(&fillShown_, &QTimer::timeout, this, &ResultsFolderWatch::showFill);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { soon_.start(kGatherChangesMs); });
    // A window state without a program folder (the tests') has no side files.
    if (!finder_.programFolder().empty()) folder_ = rememberedResultsFolder(finder_.programFolder());
    weekFiles_.setFolder(folder_);
    finder_.useResultsFolder(&weekFiles_);
    watchFolder();
    if (!folder_.empty()) QTimer::singleShot(0, this, &ResultsFolderWatch::checkNow);
}

ResultsFolderWatch::~ResultsFolderWatch() {
    finder_.useResultsFolder(nullptr);
    if (!thread_) return;
    thread_->wait();
    delete thread_;
}

void ResultsFolderWatch::makeMenuItems() {
    auto* choose = new QAction("Results &Folder...", this);
    choose->setObjectName("cmdresultsfolder");
    checkAction_ = new QAction("Import &New Results Now", this);
    checkAction_->setObjectName("cmdimportnewresults");
    menuItems_ = {choose, checkAction_};
    connect(choose, &QAction::triggered, this, &ResultsFolderWatch::chooseFolder);
    connect(checkAction_, &QAction::triggered, this, &ResultsFolderWatch::checkAsked);
}

void ResultsFolderWatch::chooseFolder() {
    if (!folder_.empty()) {
        // A folder is kept in step: another one, or none from now on.
        QMessageBox box(QMessageBox::Question, QString::fromStdString(base::kAppTitle),
                        "The results folder " + QString::fromStdString(folder_) + " is kept in step.",
                        QMessageBox::Cancel, &window_.widget());
        QAbstractButton* another = box.addButton("&Choose Another...", QMessageBox::AcceptRole);
        QAbstractButton* none = box.addButton("&Stop Keeping It in Step", QMessageBox::DestructiveRole);
        box.exec();
        if (box.clickedButton() == none) useFolder("");
        if (box.clickedButton() != another) return;
    }
    const QString chosen =
        QFileDialog::getExistingDirectory(&window_.widget(), "Results Folder", QString::fromStdString(folder_));
    if (!chosen.isEmpty()) useFolder(QDir::toNativeSeparators(chosen).toStdString());
}

void ResultsFolderWatch::useFolder(const std::string& folder) {
    if (thread_) thread_->wait();  // the memory belongs to the running check until it ends
    if (const auto error =
            finder_.programFolder().empty() ? std::nullopt : rememberResultsFolder(finder_.programFolder(), folder))
        finder_.dialogs().message(*error, base::kAppTitle);
    folder_ = folder;
    weekFiles_.setFolder(folder);
    memory_ = {};
    account_.forget();
    watchFolder();
    checkNow();
}

void ResultsFolderWatch::watchFolder() {
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    checkAction_->setEnabled(!folder_.empty());
    if (folder_.empty()) {
        periodic_.stop();
        return;
    }
    // A folder that is gone now is watched again by the periodic check once it is back.
    if (std::filesystem::is_directory(folder_)) watcher_.addPath(QString::fromStdString(folder_));
    periodic_.start();
}

void ResultsFolderWatch::checkAsked() {
    askPending_ = true;
    checkNow();
}

void ResultsFolderWatch::checkNow() {
    if (folder_.empty()) return;
    if (thread_ || showPending_) {
        checkAgain_ = true;
        return;
    }
    startCheck();
}

void ResultsFolderWatch::startCheck() {
    checkedFolder_ = folder_;
    checkAsked_ = askPending_;
    askPending_ = false;
    // The check's import then closes last and removes the store's log, unless a search
    // opens them meanwhile; they are closed again once it ends.
    finder_.releaseReaders();
    thread_ = QThread::create([this, folder = folder_, store = finder_.raceStorePath()] {
        result_ = {};
        folderProblem_.clear();
        const auto onFill = [this, name = folderName(folder)](const FillProgress& progress) {
            std::string text = fillingStatus(progress, name);
            const std::lock_guard lock(fillMutex_);
            fillText_ = std::move(text);
        };
        try {
            result_ = checkResultsFolder(folder, store, memory_, onFill);
        } catch (const std::exception& error) { folderProblem_ = error.what(); }
    });
    connect(thread_, &QThread::finished, this, &ResultsFolderWatch::checkEnded);
    thread_->start();
    fillShown_.start();
}

void ResultsFolderWatch::showFill() {
    if (QApplication::activeModalWidget()) return;  // the status text belongs to that dialog's command
    std::string text;
    {
        const std::lock_guard lock(fillMutex_);
        text = fillText_;
    }
    if (text.empty() || text == fillShownText_) return;
    fillShownText_ = text;
    finder_.lblprogress.caption = text;
    window_.showState();
}

void ResultsFolderWatch::checkEnded() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    fillShown_.stop();
    // The check's account replaces its progress; a status text set since then stays.
    if (!fillShownText_.empty() && finder_.lblprogress.caption == fillShownText_) finder_.lblprogress.caption.clear();
    fillShownText_.clear();
    fillText_.clear();
    finder_.releaseReaders();
    showCheck();
}

void ResultsFolderWatch::showCheck() {
    // A message box or question is open (the user's own import may be asking): the
    // window's state belongs to that command until it closes.
    showPending_ = QApplication::activeModalWidget() != nullptr;
    if (showPending_) {
        QTimer::singleShot(kModalRetryMs, this, &ResultsFolderWatch::showCheck);
        return;
    }
    const bool imported = account_.tell(finder_, checkedFolder_, result_, folderProblem_, checkAsked_);
    if (imported) emit weeksImported();
    window_.showState();
    if (watcher_.directories().isEmpty()) watchFolder();
    if (!result_.waiting.empty()) soon_.start(kSettleCheckMs);
    if (checkAgain_) {
        checkAgain_ = false;
        startCheck();
    }
    emit checked();
}

}  // namespace import
