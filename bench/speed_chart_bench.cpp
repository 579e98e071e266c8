// SPDX-License-Identifier: MIT
// The speed chart of the fullest listing, 15,000 runs: the chart window works it out
// again after every change of the results grid (a click on a cell included), so it must
// stay well below a frame.

#include "bench_support.h"
#include "output/speed_chart.h"
#include "shell/main_finder.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

void fillListing(shell::MainFinder& window, int runs) {
    constexpr std::array colours{base::kDirtFast, base::kTurfFirm, base::kDirtGood,
                                 base::kTurfGood, base::kSloppy,   base::kYielding};
    auto& grid = window.MSFlexGrid1;
    grid.setRedraw(false);
    grid.setRows(runs + 1);
    for (int row = 1; row <= runs; ++row) {
        grid.setText(row, 0, "Horse " + std::to_string(row % 400));
        grid.setText(row, 2, std::to_string(1 + row / 25) + ".0" + std::to_string(100 + row % 25));
        grid.setText(row, 4, "KY");
        grid.setText(row, 5, "A2");
        grid.setText(row, 6, "8.5");
        grid.setText(row, 8, std::to_string(40 + row % 70) + ".5");
        grid.setText(row, 9, std::to_string(1 + row % 12));
        grid.setText(row, 13, "3.20");
        grid.select(row, 0, row, 17);
        grid.setCellForeColour(colours[static_cast<std::size_t>(row % colours.size())]);
    }
    grid.setRedraw(true);
}

void BM_SpeedChartOfFullListing(benchmark::State& state) {
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder window(dialogs);
    window.setUpControls();
    fillListing(window, 15000);
    const output::ChartSource source{window.MSFlexGrid1, window.MSFColorGridKey, window.horseLayoutShowing(),
                                     window.frainfo.caption, window.txtinjury.caption};
    for (auto _ : state) benchmark::DoNotOptimize(output::speedChartOf(source));
}
BENCHMARK(BM_SpeedChartOfFullListing)->Unit(benchmark::kMillisecond);

}  // namespace
