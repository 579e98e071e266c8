// SPDX-License-Identifier: MIT
#include "import/qt/results_folder_watch.h"

#include "import/results_folder_setting.h"
#include "shell/main_finder.h"
#include "shell/qt/main_window_view.h"
#include "shell/qt/remove_data_window.h"
#include "shell/read_only_note.h"
#include "store/database.h"
#include "store/store_error.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include <filesystem>

namespace import {

namespace {

constexpr int kPeriodicCheckMs = 15'000;
constexpr int kGatherChangesMs = 300;
constexpr int kModalRetryMs = 500;
// A file being written is looked at again once it may have settled.
constexpr int kSettleCheckMs = static_cast<int>(std::chrono::milliseconds(kSettlingTime).count()) + 300;

}  // namespace

ResultsFolderWatch::ResultsFolderWatch(shell::MainWindowView& window, shell::MainFinder& finder)
    : QObject(&window.widget()), window_(window), finder_(finder) {
    setObjectName("resultsFolderWatch");
    addMenuItems();
    periodic_.setInterval(kPeriodicCheckMs);
    soon_.setSingleShot(true);
    connect(&periodic_, &QTimer::timeout, this, &ResultsFolderWatch::checkNow);
    connect(&soon_, &QTimer::timeout, this, &ResultsFolderWatch::checkNow);
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

void ResultsFolderWatch::addMenuItems() {
    auto* file = window_.widget().findChild<QMenu*>("filemenu");
    QAction* next = window_.widget().findChild<QAction*>("cmdremoverace");
    auto* choose = new QAction("Results &Folder...", file);
    choose->setObjectName("cmdresultsfolder");
    file->insertAction(next, choose);
    checkAction_ = new QAction("Import &New Results Now", file);
    checkAction_->setObjectName("cmdimportnewresults");
    file->insertAction(next, checkAction_);
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
    shownFolderProblem_.clear();
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
        try {
            result_ = checkResultsFolder(folder, store, memory_);
        } catch (const std::exception& error) { folderProblem_ = error.what(); }
    });
    connect(thread_, &QThread::finished, this, &ResultsFolderWatch::checkEnded);
    thread_->start();
}

void ResultsFolderWatch::checkEnded() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
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
    const std::string status = accountOfCheck();
    if (!status.empty()) finder_.lblprogress.caption = shell::withReadOnlyNote(finder_, status);
    window_.showState();
    if (watcher_.directories().isEmpty()) watchFolder();
    if (!result_.waiting.empty()) soon_.start(kSettleCheckMs);
    if (checkAgain_) {
        checkAgain_ = false;
        startCheck();
    }
    emit checked();
}

std::string ResultsFolderWatch::accountOfCheck() {
    if (!folderProblem_.empty()) {
        if (folderProblem_ == shownFolderProblem_ && !checkAsked_) return "";
        shownFolderProblem_ = folderProblem_;
        return unreadableFolderStatus(folderProblem_);
    }
    // The folder is back: a status text that still says it is gone says so no more.
    if (!shownFolderProblem_.empty() &&
        finder_.lblprogress.caption == shell::withReadOnlyNote(finder_, unreadableFolderStatus(shownFolderProblem_)))
        finder_.lblprogress.caption = shell::withReadOnlyNote(finder_, "");
    shownFolderProblem_.clear();
    std::string folderName = std::filesystem::path(checkedFolder_).filename().string();
    if (folderName.empty()) folderName = checkedFolder_;
    std::string status = folderCheckStatus(result_, folderName);
    if (status.empty() && checkAsked_) return nothingNewStatus(result_, folderName);
    if (result_.imported.empty()) return status;
    std::vector<int> weeks;
    for (const auto& file : result_.imported) weeks.push_back(file.week);
    try {
        auto db = store::Database::open(finder_.raceStorePath(), store::Access::ReadOnly);
        const std::string summary = finder_.weeksImported(db, weeks);
        if (!summary.empty()) status += "\r" + summary;
    } catch (const store::StoreError&) {
        // The weeks are stored; only the watch list's line is missing.
    }
    // An open week list shows the new weeks: a new list in place of the open one.
    if (window_.widget().findChild<shell::RemoveDataWindow*>("frmremovedata", Qt::FindDirectChildrenOnly))
        shell::RemoveDataWindow::cmdremoverace_Click(window_, finder_);
    return status;
}

}  // namespace import
