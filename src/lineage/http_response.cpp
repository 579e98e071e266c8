// SPDX-License-Identifier: MIT
#include "lineage/http_response.h"

#include <charconv>
#include <cstddef>

namespace lineage {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::optional<std::size_t> number(std::string_view text, int base) {
    std::size_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

// "HTTP/1.1 200 OK" -> 200.
std::optional<std::size_t> statusCode(std::string_view line) {
    if (line.substr(0, 5) != "HTTP/") return std::nullopt;
    const auto space = line.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    return number(line.substr(space + 1, 3), 10);
}

struct Head {
    std::size_t status = 0;
    bool chunked = false;
    std::optional<std::size_t> contentLength;
    bool lengthUnreadable = false;
};

Head readHead(std::string_view head) {
    Head result;
    const auto firstLineEnd = head.find(kLineEnd);
    result.status = statusCode(head.substr(0, firstLineEnd)).value_or(0);
    for (auto at = firstLineEnd; at != std::string_view::npos && at < head.size();) {
        const auto start = at + kLineEnd.size();
        at = head.find(kLineEnd, start);
        const std::string_view line = head.substr(start, at == std::string_view::npos ? head.npos : at - start);
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view name = trimmed(line.substr(0, colon));
        const std::string_view value = trimmed(line.substr(colon + 1));
        if (equalsIgnoringCase(name, "Transfer-Encoding")) {
            result.chunked = value.size() >= 7 && equalsIgnoringCase(value.substr(value.size() - 7), "chunked");
        } else if (equalsIgnoringCase(name, "Content-Length")) {
            result.contentLength = number(value, 10);
            result.lengthUnreadable = !result.contentLength;
        }
    }
    return result;
}

std::optional<std::string> chunkedBody(std::string_view data) {
    std::string body;
    std::size_t at = 0;
    for (;;) {
        const auto lineEnd = data.find(kLineEnd, at);
        if (lineEnd == std::string_view::npos) return std::nullopt;
        const std::string_view sizeLine = data.substr(at, lineEnd - at);
        const auto size = number(trimmed(sizeLine.substr(0, sizeLine.find(';'))), 16);
        if (!size) return std::nullopt;
        at = lineEnd + kLineEnd.size();
        if (*size == 0) return body;  // trailers, if any, are of no use here
        if (data.size() - at < *size || data.substr(at + *size, kLineEnd.size()) != kLineEnd) return std::nullopt;
        body.append(data.substr(at, *size));
        at += *size + kLineEnd.size();
    }
}

}  // namespace

std::optional<std::string> httpResponseBody(std::string_view received) {
    for (;;) {
        const auto headEnd = received.find("\r\n\r\n");
        if (headEnd == std::string_view::npos) return std::nullopt;
        const Head head = readHead(received.substr(0, headEnd));
        const std::string_view data = received.substr(headEnd + 4);
        if (head.status >= 100 && head.status < 200) {
            received = data;
            continue;
        }
        if (head.status < 200 || head.status >= 300) return std::nullopt;
        if (head.chunked) return chunkedBody(data);
        if (head.lengthUnreadable) return std::nullopt;
        if (!head.contentLength) return std::string(data);
        if (data.size() < *head.contentLength) return std::nullopt;
        return std::string(data.substr(0, *head.contentLength));
    }
}

}  // namespace lineage
