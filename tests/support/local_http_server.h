// SPDX-License-Identifier: MIT
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// A real HTTP server on 127.0.0.1 for one test, answering one connection at a time from a
// table of canned answers and recording the request targets it was asked for. Unknown
// targets get a 404.
class LocalHttpServer {
public:
    // Endless: a head without a length, then the body over and over, up to kEndlessBytes
    // (a bound only so that a client without a limit of its own cannot exhaust the test).
    enum class Framing { ContentLength, Chunked, ConnectionClose, Endless };
    static constexpr std::size_t kEndlessBytes = std::size_t{64} << 20;
    struct Answer {
        std::string body;
        int status = 200;
        std::chrono::milliseconds delay{0};  // before anything is sent
        Framing framing = Framing::ContentLength;
        // Bytes of the whole answer sent before the server closes the connection early.
        std::size_t cutAfter = std::string::npos;
        // The connection stays open after a complete answer, as a server keeping it alive
        // for the next request does, until the client closes it.
        bool keepOpen = false;
    };

    LocalHttpServer() : listener_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        port_ = bindLoopback(listener_);
        if (::listen(listener_, 8) != 0) throw std::runtime_error("listen failed");
        thread_ = std::thread([this] { serve(); });
    }
    ~LocalHttpServer() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
        ::close(listener_);
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string address() const { return "http://127.0.0.1:" + std::to_string(port_); }
    void answer(const std::string& target, Answer answer) {
        const std::lock_guard lock(mutex_);
        answers_[target] = std::move(answer);
    }
    // The targets asked for so far, in order.
    std::vector<std::string> requests() const {
        const std::lock_guard lock(mutex_);
        return requests_;
    }

    // A port on 127.0.0.1 that is bound but not listening, so connecting to it is
    // refused, for as long as `socket` stays open.
    static int refusingPort(int& socket) {
        socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        return bindLoopback(socket);
    }

private:
    static int bindLoopback(int socket) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("bind failed");
        return ntohs(address.sin_port);
    }

    bool stopping() const {
        const std::lock_guard lock(mutex_);
        return stopping_;
    }

    void serve() {
        while (!stopping()) {
            pollfd polled{listener_, POLLIN, 0};
            if (::poll(&polled, 1, 20) <= 0) continue;
            const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) continue;
            handle(connection);
            ::close(connection);
        }
    }

    // Waits for bytes from `connection`; false when the test ends first.
    bool readable(int connection) const {
        while (!stopping()) {
            pollfd polled{connection, POLLIN, 0};
            if (::poll(&polled, 1, 20) > 0) return true;
        }
        return false;
    }

    void handle(int connection) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            if (!readable(connection)) return;
            const ssize_t count = ::recv(connection, buffer, sizeof buffer, 0);
            if (count <= 0) return;
            request.append(buffer, static_cast<std::size_t>(count));
        }
        const auto targetStart = request.find(' ') + 1;
        const std::string target = request.substr(targetStart, request.find(' ', targetStart) - targetStart);
        Answer answer{"", 404};
        {
            std::unique_lock lock(mutex_);
            requests_.push_back(target);
            if (const auto found = answers_.find(target); found != answers_.end()) answer = found->second;
            // A slow answer gives up at once when the test ends.
            if (wake_.wait_for(lock, answer.delay, [this] { return stopping_; })) return;
        }
        const std::string bytes = response(answer).substr(0, answer.cutAfter);
        ::send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (answer.framing == Framing::Endless) sendEndlessly(connection, answer.body);
        if (!answer.keepOpen) ::shutdown(connection, SHUT_WR);
        // Lets the client read everything before the connection closes.
        while (readable(connection) && ::recv(connection, buffer, sizeof buffer, 0) > 0) {
        }
    }

    // Until the client goes away, the test ends or kEndlessBytes are sent.
    void sendEndlessly(int connection, const std::string& piece) const {
        for (std::size_t sent = 0; sent < kEndlessBytes && !stopping();) {
            pollfd polled{connection, POLLOUT, 0};
            if (::poll(&polled, 1, 20) <= 0) continue;
            const ssize_t count = ::send(connection, piece.data(), piece.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (count < 0 && errno != EAGAIN && errno != EINTR) return;
            if (count > 0) sent += static_cast<std::size_t>(count);
        }
    }

    static std::string response(const Answer& answer) {
        std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " Canned\r\nContent-Type: text/html\r\n" +
                           (answer.keepOpen ? "" : "Connection: close\r\n");
        switch (answer.framing) {
        case Framing::Endless: return head + "\r\n";
        case Framing::ContentLength:
            return head + "Content-Length: " + std::to_string(answer.body.size()) + "\r\n\r\n" + answer.body;
        case Framing::ConnectionClose: return head + "\r\n" + answer.body;
        case Framing::Chunked: {
            std::string body;
            // Chunks of 700 bytes, so a page spans several.
            for (std::size_t at = 0; at < answer.body.size(); at += 700) {
                const std::string chunk = answer.body.substr(at, 700);
                char size[16];
                std::snprintf(size, sizeof size, "%zx\r\n", chunk.size());
                body += size + chunk + "\r\n";
            }
            return head + "Transfer-Encoding: chunked\r\n\r\n" + body + "0\r\n\r\n";
        }
        }
        return head;
    }

    int listener_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::map<std::string, Answer> answers_;
    std::vector<std::string> requests_;
};

}  // namespace testing_support
