// SPDX-License-Identifier: MIT
// The watch list window with 500 watched horses on the 600-week store, from the menu item
// to the shown window (goal: under 100 ms).
//
// Needs $HARROWDEX_BENCH_STORE, a generated 600-week store (scripts/bench.sh).

#include "bench_support.h"
#include "shell/main_finder.h"
#include "app/qt/main_finder_window.h"
#include "watch/qt/watch_list_window.h"
#include "watched_store.h"

#include <QApplication>
#include <QTableWidget>
#include <QTest>
#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// The program looks for horses.mdb in its own folder: a folder holding a link to the
// store with the watch list stands in for it.
std::string watchedProgramFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "harrowdex-watch-bench";
    std::filesystem::create_directories(folder);
    const auto link = folder / "horses.mdb";
    std::filesystem::remove(link);
    std::filesystem::create_symlink(std::filesystem::absolute(bench_support::watchedStorePath()), link);
    return folder.string();
}

void BM_WatchListWindowWith500Horses(benchmark::State& state) {
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder finder(dialogs);
    if (!finder.Form_Load({watchedProgramFolder(), "/nonexistent/breeding.txt"}))
        state.SkipWithError("start-up refused the store");
    app::MainFinderWindow window(finder);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    int rows = 0;
    for (auto _ : state) {
        auto* list = watch::WatchListWindow::watchlist_Click(window, finder, window.watching());
        if (!QTest::qWaitForWindowExposed(list)) state.SkipWithError("the window never showed");
        QApplication::processEvents();
        state.PauseTiming();
        rows = list->horses()->rowCount();
        delete list;
        state.ResumeTiming();
    }
    state.counters["horses"] = rows;
}

}  // namespace

BENCHMARK(BM_WatchListWindowWith500Horses)->Unit(benchmark::kMillisecond);
