// SPDX-License-Identifier: MIT
#include "watch/qt/watch_marking.h"

#include "base/qt/grid_table_model.h"
#include "base/qt/grid_view.h"
#include "shell/results_area.h"
#include "watch/qt/watch_list_window.h"
#include "watch/watch_state.h"

namespace watch {

void markResultsGrid(base::GridView& view, const shell::ResultsArea& finder, const WatchState& watching) {
    view.tableModel()->setCellNote([&finder, &watching](int row, int col) {
        const MarkedColumns columns{base::horse_column::kName, base::horse_column::kHorseNumber,
                                    finder.MSFmaxgrid.visible() ? -1 : base::horse_column::kOwner};
        return cellNote(watching.marks, finder.MSFlexGrid1, columns, row, col);
    });
}

void markListing(base::GridView& view, const WatchState& state, MarkedColumns columns) {
    const base::GridModel& grid = view.grid();
    view.tableModel()->setCellNote(
        [&state, &grid, columns](int row, int col) { return cellNote(state.marks, grid, columns, row, col); });
}

void showWatchChanges(QWidget& mainWindow, const WatchState& watching, int& shownRevision) {
    if (shownRevision == watching.revision) return;
    shownRevision = watching.revision;
    for (auto* view : mainWindow.findChildren<base::GridView*>()) view->viewport()->update();
    if (auto* list = WatchListWindow::openWindow(mainWindow)) list->reload();
}

}  // namespace watch
