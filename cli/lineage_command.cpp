// SPDX-License-Identifier: MIT
#include "lineage_command.h"

#include "cli_dialogs.h"
#include "default_store.h"
#include "json_output.h"
#include "lineage/http_page_fetcher.h"
#include "lineage/lineage_lookup.h"
#include "lineage/server_address.h"
#include "shell/main_finder.h"
#include "base/regular_file.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <optional>
#include <stdexcept>

namespace cli {

namespace {

struct LineageOptions {
    std::string id;
    std::optional<std::string> page;
    std::optional<std::string> name;
    std::optional<std::string> server;
    bool yes = false;
};

// A page already read, answered for whatever address is asked.
class PageInHand : public lineage::PageFetcher {
public:
    explicit PageInHand(std::string page) : page_(std::move(page)) {}
    std::optional<std::string> fetch(const std::string&, std::chrono::milliseconds) override { return page_; }

private:
    std::string page_;
};

// Far larger than any horse page.
constexpr std::uintmax_t kLargestPage = 16 * 1024 * 1024;

std::string readPageFile(const std::string& path) {
    auto file = base::readRegularFile(path, kLargestPage);
    if (file.problem == base::FileProblem::NotRegular || file.problem == base::FileProblem::TooLarge)
        throw std::runtime_error("The page file " + path + " " + base::describe(file.problem) + ".");
    if (file.problem != base::FileProblem::None) throw std::runtime_error("Cannot read the page file " + path + ".");
    return std::move(file.bytes);
}

nlohmann::ordered_json lineageJson(const lineage::LineageInfo& info) {
    return {{"title", info.title},
            {"misc", info.page.misc},
            {"winstats", info.page.winstats},
            {"pedigree", info.page.pedigree}};
}

void runLineage(const LineageOptions& options) {
    CliDialogs dialogs(options.yes);
    shell::MainFinder window(dialogs);
    window.setUpControls();
    const std::string server = options.server.value_or(lineage::serverAddress(programDataFolder().path));
    lineage::HttpPageFetcher network;
    std::optional<std::string> page;
    if (options.page) page = readPageFile(*options.page);
    std::string name = options.name.value_or("");
    if (!options.name) {
        // The page's own name passes the identity check, so the page is needed first.
        if (!page) page = lineage::GetHTMLPage(network, lineage::horsePageAddress(server, options.id));
        if (page->empty()) {
            dialogs.message(lineage::connectionFailedMessage(network), base::kAppTitle);
            throw CommandEnded();
        }
        name = lineage::parseHorsePage(*page).name;
    }
    // A search's listing, so that a page without a name (a server's "no such horse" page)
    // is read like any other rather than taken for the empty grid before any search.
    window.MSFlexGrid1.setRows(3);
    window.MSFlexGrid1.setText(1, base::horse_column::kName, name);
    window.MSFlexGrid1.setText(1, base::horse_column::kHorseNumber, options.id);
    window.MSFlexGrid1.select(1, base::horse_column::kName, 1, base::horse_column::kName);
    PageInHand inHand(page.value_or(""));
    lineage::PageFetcher& fetcher = page ? static_cast<lineage::PageFetcher&>(inHand) : network;
    const auto info = lineage::getlineage_Click(window, fetcher, server);
    if (!info) throw CommandEnded();
    printJson(lineageJson(*info));
}

}  // namespace

void addLineageCommand(CLI::App& app) {
    auto* command = app.add_subcommand("lineage", "Read a horse's page as \"Get Lineage Info.\" does.");
    auto options = std::make_shared<LineageOptions>();
    command->add_option("--id", options->id, "The horse number, as the grid shows it.")->required();
    command->add_option("--page", options->page, "A saved page to read instead of fetching it.");
    command->add_option("--name", options->name, "The name the grid shows (default: the page's own).");
    command->add_option("--server", options->server, "The simulation's web server, http://host[:port].");
    command->add_flag("--yes", options->yes, "Answer Yes when the page shows another horse.");
    command->callback([options] { runLineage(*options); });
}

}  // namespace cli
