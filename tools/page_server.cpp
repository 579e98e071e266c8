// SPDX-License-Identifier: MIT
// harrowdex-page-server: serves saved horse pages (NUMBER.html in one folder) at the path
// of the lineage lookup, on 127.0.0.1 only, so that "Get Lineage Info." works over real
// HTTP without the simulation's server. It takes a free port and writes its address, as
// the server file of the program's folder wants it, into the address file.
#include "lineage/lineage_request.h"
#include "base/atomic_file.h"

#include <CLI/CLI.hpp>
#include <httplib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

namespace {

struct Options {
    std::filesystem::path pages;
    std::filesystem::path addressFile;
};

// The saved page of a horse number; none for anything but plain digits, so that no
// request reaches outside the folder.
std::optional<std::string> savedPage(const std::filesystem::path& pages, const std::string& number) {
    if (number.empty() || number.size() > 9 || !std::ranges::all_of(number, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::ifstream file(pages / (number + ".html"), std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

int serve(const Options& options) {
    httplib::Server server;
    // The lookup's path ends in "?hossnum=" and the horse number.
    const std::string path(lineage::kHorsePagePath.substr(0, lineage::kHorsePagePath.find('?')));
    server.Get(path, [&options](const httplib::Request& request, httplib::Response& response) {
        const auto page = savedPage(options.pages, request.get_param_value("hossnum"));
        if (!page) {
            response.status = 404;
            return;
        }
        response.set_content(*page, "text/html");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    if (port <= 0) {
        std::cerr << "No port on 127.0.0.1 could be taken for the page server\n";
        return 1;
    }
    const std::string address = "http://127.0.0.1:" + std::to_string(port);
    if (const auto failure = base::writeFileAtomically(options.addressFile, address + "\n")) {
        std::cerr << *failure << '\n';
        return 1;
    }
    std::cout << "Serving the horse pages of " << options.pages.string() << " at " << address << std::endl;
    return server.listen_after_bind() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app("Serves saved horse pages to the lineage lookup, on 127.0.0.1 only.", "harrowdex-page-server");
    Options options;
    app.add_option("--pages", options.pages, "Folder of the pages, NUMBER.html")->required()->check(CLI::ExistingDirectory);
    app.add_option("--address-file", options.addressFile, "File to write the server's address into")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);  // --help
        std::cerr << app.get_name() << ": " << e.what() << '\n' << CLI::Formatter().make_usage(&app, app.get_name());
        return 2;
    }
    return serve(options);
}
