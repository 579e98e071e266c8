// SPDX-License-Identifier: MIT
// Runs "Back Up Race Store..." on a thread of its own, so the window stays usable meanwhile.
#pragma once

#include "shell/store_backup.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QThread;

namespace shell {

class MainWindowView;
class WindowSession;

// The window's backups: one at a time, each on a thread of its own with connections of
// its own, so searches and a results folder's import go on while it runs. The status
// text shows how far it has come and, once done, where it went; a failure gets its
// message then. Closing the window stops a running backup, which leaves nothing behind.
class BackupRunner : public QObject {
    Q_OBJECT
public:
    BackupRunner(MainWindowView& window, WindowSession& session);
    ~BackupRunner() override;

    // Starts `job` unless a backup is running already.
    void start(std::unique_ptr<BackupJob> job);
    // Whether a backup is running; the user is then told to wait for it.
    bool busy() const;

signals:
    // A backup has ended and the window shows what it did.
    void ended();

private:
    void showProgress();
    void finish();

    MainWindowView& window_;
    WindowSession& session_;
    std::unique_ptr<BackupJob> job_;
    QThread* thread_ = nullptr;
    QTimer progressShown_;
};

}  // namespace shell
