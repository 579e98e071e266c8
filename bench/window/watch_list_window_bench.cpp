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

std::string watchedProgramFolder() {
    return bench_support::programFolderBeside(bench_support::watchedStorePath(), "harrowdex-watch-bench");
}

void BM_WatchListWindowWith500Horses(benchmark::State& state) {
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder finder(dialogs);
    if (!finder.Form_Load({watchedProgramFolder(), "/nonexistent/breeding.txt"})) {
        state.SkipWithError("start-up refused the store");
        return;
    }
    app::MainFinderWindow window(finder);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    int rows = 0;
    for (auto _ : state) {
        auto* list = watch::WatchListWindow::watchlist_Click(window, finder, window.watching());
        if (!QTest::qWaitForWindowExposed(list)) {
            state.SkipWithError("the window never showed");
            break;
        }
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
