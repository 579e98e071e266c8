// SPDX-License-Identifier: MIT
#include "lineage/http_page_fetcher.h"

#include <curl/curl.h>

#include <memory>
#include <string_view>
#include <mutex>

namespace lineage {

namespace {

constexpr const char* kProtocols = "http,https";
constexpr long kMostRedirects = 5;

struct Body {
    std::string bytes;
    bool tooLarge = false;
    bool headEnded = false;  // the head's closing blank line arrived
};

// libcurl takes a head that the closing of the connection cut short for a whole one; an
// answer is whole only once the blank line after its head has come.
std::size_t watchHead(char* data, std::size_t size, std::size_t count, void* target) {
    auto& body = *static_cast<Body*>(target);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) body.headEnded = false;  // interim answers and redirects start over
    else if (line == "\r\n" || line == "\n") body.headEnded = true;
    return size * count;
}

// Keeps the body up to kLargestPage; beyond it the transfer stops.
std::size_t keepBody(char* data, std::size_t size, std::size_t count, void* target) {
    auto& body = *static_cast<Body*>(target);
    const std::size_t length = size * count;
    if (length > kLargestPage - body.bytes.size()) {
        body.tooLarge = true;
        return 0;  // curl ends the transfer with a write error
    }
    body.bytes.append(data, length);
    return length;
}

using Url = std::unique_ptr<CURLU, decltype(&curl_url_cleanup)>;

// The address as libcurl reads it; nothing for another scheme or for one that carries a
// user name, which would hide the real host from a reader of the server file.
Url parsedAddress(const std::string& url) {
    Url parsed(curl_url(), &curl_url_cleanup);
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) return {nullptr, nullptr};
    char* scheme = nullptr;
    char* user = nullptr;
    curl_url_get(parsed.get(), CURLUPART_SCHEME, &scheme, 0);
    const bool hasUser = curl_url_get(parsed.get(), CURLUPART_USER, &user, 0) == CURLUE_OK;
    const std::string schemeText = scheme ? scheme : "";
    curl_free(scheme);
    curl_free(user);
    if (hasUser || (schemeText != "http" && schemeText != "https")) return {nullptr, nullptr};
    return parsed;
}

void setUp(CURL* curl, CURLU* address, Body& body, char* errors, std::chrono::milliseconds timeout) {
    curl_easy_setopt(curl, CURLOPT_CURLU, address);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, kProtocols);
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMostRedirects);
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kLargestPage));
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Harrowdex");
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, keepBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, watchHead);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &body);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errors);
}

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

}  // namespace

std::optional<std::string> HttpPageFetcher::fetch(const std::string& url, std::chrono::milliseconds timeout) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    failure_.clear();
    const Url address = parsedAddress(url);
    if (!address) {
        failure_ = "The address " + url + " is no http:// or https:// address of a server.";
        return std::nullopt;
    }
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) {
        failure_ = "The HTTP client could not be started.";
        return std::nullopt;
    }
    Body body;
    char errors[CURL_ERROR_SIZE] = "";
    setUp(curl.get(), address.get(), body, errors, timeout);
    const CURLcode result = curl_easy_perform(curl.get());
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    if (body.tooLarge || result == CURLE_FILESIZE_EXCEEDED) failure_ = pageTooLargeReason();
    else if (result == CURLE_OPERATION_TIMEDOUT) failure_ = timedOutReason(timeout);
    else if (result != CURLE_OK) failure_ = sentence(*errors ? errors : curl_easy_strerror(result));
    else if (!body.headEnded) failure_ = "The server's answer was cut short.";
    else if (status < 200 || status >= 300) failure_ = httpStatusReason(status);
    if (!failure_.empty()) return std::nullopt;
    return std::move(body.bytes);
}

}  // namespace lineage
