// SPDX-License-Identifier: MIT
// The window over the 600-week store: start-up to a shown window (goal: under 0.5 s)
// beside opening the store and reading its three tables' columns with plain SQLite, and
// the process's memory with the largest stable's 15,000 runs listed (goal: under 150 MB).
//
// Needs $HARROWDEX_BENCH_STORE, a generated 600-week store (scripts/bench.sh).

#include "bench_support.h"
#include "search/gethorse.h"
#include "shell/main_finder.h"
#include "app/qt/main_finder_window.h"
#include "base/qt/grid_view.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

const std::string& programFolder() {
    static const std::string folder = bench_support::programFolderBeside(
        bench_support::requiredPath("HARROWDEX_BENCH_STORE"), "harrowdex-window-bench");
    return folder;
}

shell::StartupEnvironment environment() { return {programFolder(), "/nonexistent/breeding.txt"}; }

void BM_StartupToShownWindow(benchmark::State& state) {
    bench_support::AgreeingDialogs dialogs;
    for (auto _ : state) {
        shell::MainFinder finder(dialogs);
        if (!finder.Form_Load(environment())) {
            state.SkipWithError("start-up refused the store");
            break;
        }
        auto window = std::make_unique<app::MainFinderWindow>(finder);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            state.SkipWithError("the window never showed");
            break;
        }
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

// What start-up must read of the store at least: open it and look at each table's columns.
void BM_StartupStoreOpenReference(benchmark::State& state) {
    const std::string path = bench_support::requiredPath("HARROWDEX_BENCH_STORE");
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        for (const char* sql : {"SELECT * FROM tblraces LIMIT 1", "SELECT * FROM tblhorsedata LIMIT 1",
                                "SELECT * FROM statecodes LIMIT 1"}) {
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
            sqlite3_step(statement);
            sqlite3_finalize(statement);
        }
        sqlite3_close(db);
    }
}

std::string largestStable() {
    sqlite3* db = nullptr;
    sqlite3_open_v2(bench_support::requiredPath("HARROWDEX_BENCH_STORE").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT oname FROM tblhorsedata GROUP BY oname ORDER BY count(*) DESC LIMIT 1", -1,
                       &statement, nullptr);
    sqlite3_step(statement);
    std::string owner = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return owner;
}

double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// The whole process after the listing shows and has been scrolled from top to bottom.
void BM_WindowMemoryWith15000Rows(benchmark::State& state) {
    const std::string owner = largestStable();
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder finder(dialogs);
    if (!finder.Form_Load(environment())) {
        state.SkipWithError("start-up refused the store");
        return;
    }
    app::MainFinderWindow window(finder);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    for (auto _ : state) {
        search::gethorse(finder, search::kOwner, owner, "");
        window.showState();
        auto* grid = window.grid("MSFlexGrid1");
        grid->scrollToBottom();
        QApplication::processEvents();
        grid->scrollToTop();
        QApplication::processEvents();
    }
    state.counters["rows"] = finder.MSFlexGrid1.rows() - 1;
    state.counters["rss_MB"] = residentMegabytes();
}

}  // namespace

BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupStoreOpenReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowMemoryWith15000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
