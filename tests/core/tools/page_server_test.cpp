// SPDX-License-Identifier: MIT
// The demo's page server: only regular files that lie in its folder are served, at most
// 16 MB of one, and connections that send nothing do not keep it from answering others.
#include "page_server.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>

namespace {

using namespace std::chrono_literals;
using testing_support::writeBytes;

int connectTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The status of the answer to a horse page's request, 0 when none came within `limit`.
int pageStatus(int port, const std::string& number, std::chrono::milliseconds limit = 3000ms) {
    const int fd = connectTo(port);
    if (fd < 0) return 0;
    const std::string request = "GET /hr/runtime/onehoss.asp?hossnum=" + number + " HTTP/1.0\r\n\r\n";
    (void)::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::string answer;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    char buffer[4096];
    while (answer.size() < 12) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd wait{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0) break;
        const ssize_t count = ::recv(fd, buffer, sizeof buffer, 0);
        if (count <= 0) break;
        answer.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    return answer.size() >= 12 ? std::stoi(answer.substr(9, 3)) : 0;
}

class PageServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(pages);
        writeBytes(pages / "1.html", "<html>a horse</html>");
        server.emplace(pages.string(), (folder / "address.txt").string());
        const std::string address = testing_support::waitForAddress(folder / "address.txt");
        ASSERT_EQ(address.rfind("http://127.0.0.1:", 0), 0U) << address;
        port = std::stoi(address.substr(address.rfind(':') + 1));
    }

    testing_support::TestFolder folder;
    std::filesystem::path pages = folder / "pages";
    std::optional<testing_support::PageServer> server;
    int port = 0;
};

TEST_F(PageServerTest, ServesOnlySmallRegularFilesOfItsFolder) {
    writeBytes(folder / "secret.txt", "not a page");
    std::filesystem::create_symlink(folder / "secret.txt", pages / "2.html");
    ASSERT_EQ(::mkfifo((pages / "3.html").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", pages / "4.html");
    writeBytes(pages / "5.html", std::string(16 * 1024 * 1024 + 1, 'x'));
    std::filesystem::create_symlink(pages / "1.html", pages / "6.html");
    std::filesystem::create_directory(pages / "7.html");
    const std::vector<std::pair<std::string, int>> cases{{"1", 200}, {"2", 404}, {"3", 404}, {"4", 404},
                                                         {"5", 404}, {"6", 200}, {"7", 404}, {"8", 404}};
    for (const auto& [number, status] : cases) EXPECT_EQ(pageStatus(port, number), status) << number << ".html";
    EXPECT_EQ(pageStatus(port, "1"), 200) << "still serving after the FIFO";
}

TEST_F(PageServerTest, IdleConnectionsLeaveRoomForLookups) {
    std::vector<int> idle;
    for (int i = 0; i < 30; ++i) idle.push_back(connectTo(port));
    std::this_thread::sleep_for(100ms);  // all of them accepted and waiting for a request
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(pageStatus(port, "1", 1500ms), 200);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    for (const int fd : idle) ::close(fd);
}

}  // namespace
