// SPDX-License-Identifier: MIT
// The watch list window on screen: the watched horses and stables, their notes, and listing them.
#pragma once

#include "watch/watch_list.h"

#include <QWidget>

class QHBoxLayout;
class QTableWidget;
class QTabWidget;

namespace shell {
class WindowSession;
class MainWindowView;
}  // namespace shell

namespace watch {

struct WatchState;

// The watch list window `frmwatchlist`: a tab of watched horses and one of watched
// stables. A note is edited in place; a double click or Enter elsewhere lists the horse or
// stable in the main window; Delete stops watching after a question; Ctrl+C copies the selection;
// "Export..." and "Import..." below the tabs carry the list to and from a file.
// Rows that ran in the last import are marked. It never blocks the main window, is open at
// most once, and closes with it.
class WatchListWindow : public QWidget {
    Q_OBJECT
public:
    WatchListWindow(shell::MainWindowView& mainWindow, shell::WindowSession& finder, const WatchState& watching);

    // "&Watch List": the open window brought to the front, or a new one.
    static WatchListWindow* watchlist_Click(shell::MainWindowView& mainWindow, shell::WindowSession& finder,
                                            const WatchState& watching);
    // The open window, if any.
    static WatchListWindow* openWindow(QWidget& mainWindow);

    // Reads the list from the store again and shows it.
    void reload();
    QTableWidget* horses() const { return horses_; }
    QTableWidget* stables() const { return stables_; }
    QTabWidget* tabs() const { return tabs_; }

private:
    QHBoxLayout* createTransferButtons();
    QTableWidget* createTable(const char* name, const std::vector<std::string>& captions, int noteColumn);
    void fillHorses();
    void fillStables();
    bool saveNote(QTableWidget* table, int row, const std::string& note);
    void listRow(QTableWidget* table, int row, int column);
    void stopWatchingRow(QTableWidget* table);
    void copySelection(QTableWidget* table);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Shows a change in the main window (its marks) and then here, once the current event is done.
    void showChangeLater();

    shell::MainWindowView& mainWindow_;
    shell::WindowSession& finder_;
    const WatchState& watching_;
    WatchList list_;
    QTabWidget* tabs_ = nullptr;
    QTableWidget* horses_ = nullptr;
    QTableWidget* stables_ = nullptr;
};

}  // namespace watch
