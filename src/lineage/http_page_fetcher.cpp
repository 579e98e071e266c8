// SPDX-License-Identifier: MIT
#include "lineage/http_page_fetcher.h"

#include "lineage/http_response.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>

namespace lineage {

namespace {

using Clock = std::chrono::steady_clock;

struct HttpAddress {
    std::string host;
    std::string port = "80";
    std::string authority;  // host and port as the Host header gives them
    std::string target = "/";
};

// "http://host[:port][/path][?query]"; IPv6 hosts in brackets. The scheme's letters may
// be in any case.
std::optional<HttpAddress> parseAddress(std::string_view url) {
    constexpr std::string_view kScheme = "http://";
    if (url.size() < kScheme.size()) return std::nullopt;
    for (std::size_t i = 0; i < kScheme.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(url[i])) != kScheme[i]) return std::nullopt;
    url.remove_prefix(kScheme.size());
    HttpAddress address;
    const auto authorityEnd = url.find_first_of("/?#");
    address.authority = url.substr(0, authorityEnd);
    if (authorityEnd != std::string_view::npos) {
        const std::string_view rest = url.substr(authorityEnd, url.find('#') - authorityEnd);
        address.target = rest.starts_with('/') ? std::string(rest) : "/" + std::string(rest);
    }
    std::string_view authority = address.authority;
    const auto portColon = authority.rfind(':');
    if (portColon != std::string_view::npos && authority.find(']', portColon) == std::string_view::npos) {
        address.port = authority.substr(portColon + 1);
        authority = authority.substr(0, portColon);
    }
    if (authority.size() >= 2 && authority.front() == '[' && authority.back() == ']')
        authority = authority.substr(1, authority.size() - 2);
    address.host = authority;
    const bool portDigits = !address.port.empty() && address.port.size() <= 5 &&
                            address.port.find_first_not_of("0123456789") == std::string::npos;
    if (address.host.empty() || !portDigits || address.host.find('@') != std::string::npos) return std::nullopt;
    return address;
}

class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Waits until the socket is ready for `events`; false at the deadline or on an error.
bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd polled{fd, events, 0};
        const int ready = ::poll(&polled, 1, static_cast<int>(std::min<long long>(left, 1000 * 60 * 60)));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

std::unique_ptr<Socket> connectTo(const HttpAddress& address, Clock::time_point deadline) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.host.c_str(), address.port.c_str(), &hints, &found) != 0) return nullptr;
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);
    for (const addrinfo* each = found; each; each = each->ai_next) {
        auto socket = std::make_unique<Socket>(
            ::socket(each->ai_family, each->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, each->ai_protocol));
        if (socket->fd() < 0) continue;
        if (::connect(socket->fd(), each->ai_addr, each->ai_addrlen) == 0) return socket;
        if (errno != EINPROGRESS || !waitFor(socket->fd(), POLLOUT, deadline)) continue;
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(socket->fd(), SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0) return socket;
    }
    return nullptr;
}

bool sendAll(int fd, std::string_view bytes, Clock::time_point deadline) {
    while (!bytes.empty()) {
        if (!waitFor(fd, POLLOUT, deadline)) return false;
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno != EINTR && errno != EAGAIN) return false;
        if (sent > 0) bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

// Everything the server sends until it closes the connection; nothing at the deadline.
std::optional<std::string> receiveAll(int fd, Clock::time_point deadline) {
    std::string received;
    char buffer[16384];
    for (;;) {
        if (!waitFor(fd, POLLIN, deadline)) return std::nullopt;
        const ssize_t count = ::recv(fd, buffer, sizeof buffer, 0);
        if (count == 0) return received;
        if (count < 0 && errno != EINTR && errno != EAGAIN) return std::nullopt;
        if (count > 0) received.append(buffer, static_cast<std::size_t>(count));
    }
}

}  // namespace

std::optional<std::string> HttpPageFetcher::fetch(const std::string& url, std::chrono::milliseconds timeout) {
    const auto address = parseAddress(url);
    if (!address) return std::nullopt;
    const auto deadline = Clock::now() + timeout;
    const auto socket = connectTo(*address, deadline);
    if (!socket) return std::nullopt;
    // The server closes the connection after its answer, which is how the end is found.
    const std::string request = "GET " + address->target + " HTTP/1.1\r\nHost: " + address->authority +
                                "\r\nAccept: text/html, */*\r\nUser-Agent: Harrowdex\r\nConnection: close\r\n\r\n";
    if (!sendAll(socket->fd(), request, deadline)) return std::nullopt;
    const auto received = receiveAll(socket->fd(), deadline);
    if (!received) return std::nullopt;
    return httpResponseBody(*received);
}

}  // namespace lineage
