// SPDX-License-Identifier: MIT
#include "guide/guide_pages.h"

#include "base/regular_file.h"
#include "guide/guide_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <regex>
#include <set>

namespace guide {

namespace {

// A page is a few kilobytes; a larger file is not one of the guide's.
constexpr std::uintmax_t kPageLimit = 1024 * 1024;

char lowered(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), lowered);
    return lower;
}

std::string titleOf(const std::string& text, const std::string& file) {
    static const std::regex heading(R"(^# +(.+?)\s*$)", std::regex::multiline);
    std::smatch match;
    return std::regex_search(text, match, heading) ? match[1].str() : file;
}

// The pages the contents page links, in its order.
std::vector<std::string> linkedPages(const std::string& contents) {
    static const std::regex link(R"(\]\(([A-Za-z0-9_-]+\.md)[#)])");
    std::vector<std::string> files;
    for (std::sregex_iterator it(contents.begin(), contents.end(), link), end; it != end; ++it)
        if (std::ranges::find(files, (*it)[1].str()) == files.end()) files.push_back((*it)[1].str());
    return files;
}

std::vector<std::string> pageOrder(const std::string& folder, const std::string& contents) {
    std::set<std::string> others;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".md") others.insert(entry.path().filename().string());
    std::vector<std::string> order{kContentsPage};
    for (const auto& file : linkedPages(contents))
        if (others.contains(file) && std::ranges::find(order, file) == order.end()) order.push_back(file);
    for (const auto& file : others)
        if (std::ranges::find(order, file) == order.end()) order.push_back(file);
    return order;
}

// Text as the window shows it: without the marks of links, emphasis and code.
std::string shownText(const std::string& markdown) {
    static const std::regex link(R"(!?\[([^\]]*)\]\([^)]*\))");
    std::string shown = std::regex_replace(markdown, link, "$1");
    std::erase_if(shown, [](char c) { return c == '*' || c == '`'; });
    std::ranges::replace(shown, '|', ' ');
    // One blank between words, none at the ends.
    std::string tidy;
    for (const char c : shown)
        if (c != ' ' || (!tidy.empty() && tidy.back() != ' ')) tidy += c;
    if (!tidy.empty() && tidy.back() == ' ') tidy.pop_back();
    return tidy;
}

// The page's paragraphs, each on one line: a heading, a list item, a table row and a run
// of text lines each make one, without their leading marks.
std::vector<std::string> paragraphs(std::string_view text) {
    std::vector<std::string> found(1);
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos) {
            if (!found.back().empty()) found.emplace_back();
            continue;
        }
        line.remove_prefix(start);
        const bool ownLine = line.starts_with('#') || line.starts_with('|') || line.starts_with("- ") ||
                             line.starts_with("* ") ||
                             (std::isdigit(static_cast<unsigned char>(line[0])) && line.find(". ") < 4);
        if (ownLine && !found.back().empty()) found.emplace_back();
        const auto words = line.find_first_not_of("#>*-|+ \t");
        if (words == std::string_view::npos) continue;
        if (!found.back().empty()) found.back() += ' ';
        found.back() += line.substr(words);
        if (line.starts_with('#') || line.starts_with('|')) found.emplace_back();
    }
    if (found.back().empty()) found.pop_back();
    return found;
}

// Up to about kSnippet characters of `text` around `at`, cut at blanks near the ends, with
// "..." where cut.
constexpr std::size_t kSnippet = 110;

std::string snippetAround(const std::string& text, std::size_t at) {
    if (text.size() <= kSnippet) return text;
    std::size_t from = at > kSnippet / 3 ? at - kSnippet / 3 : 0;
    std::size_t to = std::min(text.size(), from + kSnippet);
    if (const auto blank = text.find(' ', from); from > 0 && blank < std::min(at, from + 15)) from = blank + 1;
    if (const auto blank = text.rfind(' ', to);
        to < text.size() && blank != std::string::npos && blank + 15 > to && blank > at)
        to = blank;
    return (from > 0 ? "..." : "") + text.substr(from, to - from) + (to < text.size() ? "..." : "");
}

}  // namespace

std::vector<GuidePage> readGuidePages(const std::string& folder) {
    const auto read = [&folder](const std::string& file) {
        return base::readRegularFile(std::filesystem::path(folder) / file, kPageLimit);
    };
    const auto contents = read(kContentsPage);
    std::vector<GuidePage> pages;
    for (const auto& file : pageOrder(folder, contents.bytes)) {
        auto page = read(file);
        if (page.problem != base::FileProblem::None) continue;
        pages.push_back({file, titleOf(page.bytes, file), std::move(page.bytes)});
    }
    return pages;
}

std::vector<GuideHit> searchGuide(const std::vector<GuidePage>& pages, std::string_view words) {
    const auto first = words.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::string wanted = lowerCase(words.substr(first, words.find_last_not_of(" \t") - first + 1));
    std::vector<GuideHit> hits;
    for (const auto& page : pages) {
        for (const auto& paragraph : paragraphs(page.text)) {
            const std::string shown = shownText(paragraph);
            if (const auto at = lowerCase(shown).find(wanted); at != std::string::npos)
                hits.push_back({page.file, page.title, snippetAround(shown, at)});
        }
    }
    return hits;
}

std::string headingAnchor(std::string_view heading) {
    std::string anchor;
    for (const char c : heading) {
        if (c == ' ') anchor += '-';
        else if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') anchor += lowered(c);
    }
    return anchor;
}

}  // namespace guide
