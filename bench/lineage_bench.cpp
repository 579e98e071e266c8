// SPDX-License-Identifier: MIT
// Reading a horse page: the saved page (goal: far below a millisecond, next to a fetch of
// tens of milliseconds) and the same page behind growing padding (goal: time grows in
// proportion to the page, so a page of any length reads at once). The fetch of the page
// from a server on 127.0.0.1 is the yardstick: the least that any fetch costs.

#include "../tests/support/local_http_server.h"
#include "lineage/horse_page_parser.h"
#include "lineage/http_page_fetcher.h"
#include "lineage/lineage_request.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string savedPage() {
    std::ifstream file(std::string(HARROWDEX_SAMPLES_DIR) + "/horse_page_normal.html", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void BM_ParseSavedPage(benchmark::State& state) {
    const std::string page = savedPage();
    for (auto _ : state) benchmark::DoNotOptimize(lineage::parseHorsePage(page));
}
BENCHMARK(BM_ParseSavedPage);

void BM_ParsePaddedPage(benchmark::State& state) {
    std::string page = savedPage();
    page.insert(page.find("<body"), "<!--" + std::string(static_cast<std::size_t>(state.range(0)), 'x') + "-->");
    for (auto _ : state) benchmark::DoNotOptimize(lineage::parseHorsePage(page));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_ParsePaddedPage)->Arg(1 << 15)->Arg(1 << 20)->Arg(1 << 24);

void BM_FetchSavedPageFromLoopback(benchmark::State& state) {
    testing_support::LocalHttpServer server;
    const std::string id = "742503";
    server.answer(std::string(lineage::kHorsePagePath) + id, {savedPage()});
    const std::string url = lineage::horsePageAddress(server.address(), id);
    lineage::HttpPageFetcher fetcher;
    for (auto _ : state) {
        const std::string page = lineage::GetHTMLPage(fetcher, url);
        if (page.empty()) state.SkipWithError("the local server gave no page");
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_FetchSavedPageFromLoopback)->UseRealTime();

}  // namespace
