// SPDX-License-Identifier: MIT
// Watched horses and stables shown bold in a listing, with their notes as tooltips.
#pragma once

#include "watch/watch_marks.h"

class QWidget;

namespace base {
class GridView;
}  // namespace base

namespace shell {
class ResultsArea;
}  // namespace shell

namespace watch {

struct WatchState;

// Watched horses' names and watched stables' owners show bold in a listing, with the note
// as tooltip. The results grid finds its columns by its layout (the progeny layout has no
// owners); another listing names its own. The state must outlive the view.
void markResultsGrid(base::GridView& view, const shell::ResultsArea& finder, const WatchState& watching);
void markListing(base::GridView& view, const WatchState& state, MarkedColumns columns);

// Once the watch list has changed (`revision` differs from `shownRevision`): repaints the
// listings of the main window and its windows, and reads the open watch list window again.
void showWatchChanges(QWidget& mainWindow, const WatchState& watching, int& shownRevision);

}  // namespace watch
