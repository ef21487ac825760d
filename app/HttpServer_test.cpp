// The touch-panel server on a real socket against clients that misbehave:
// malformed requests get JSON refusals, and neither waiting screen requests
// nor clients that never finish their request keep a plain request out.
#include "HttpServer.h"
#include "PanelTestUi_test.h"
#include "TouchPanel.h"
#include "TouchPanelApi.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <set>

namespace {

using nlohmann::json;

int Connect(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    return fd;
}

void Send(int fd, const std::string& bytes)
{
    ASSERT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
}

struct Answer {
    int status = 0;
    std::string contentType, body;
};

// Reads one answer (a head with Content-Length and its body), at most 10 s.
Answer Receive(int fd)
{
    std::string bytes;
    Answer answer;
    char buffer[4096];
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 10000) != 1)
            return answer;
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            return answer;
        bytes.append(buffer, static_cast<std::size_t>(got));
        const std::size_t headEnd = bytes.find("\r\n\r\n");
        const std::size_t lengthAt = bytes.find("Content-Length: ");
        if (headEnd == std::string::npos || lengthAt == std::string::npos)
            continue;
        const std::size_t length = std::stoul(bytes.substr(lengthAt + 16));
        if (bytes.size() < headEnd + 4 + length)
            continue;
        answer.status = std::stoi(bytes.substr(9, 3));
        const std::size_t typeAt = bytes.find("Content-Type: ");
        answer.contentType = bytes.substr(typeAt + 14, bytes.find("\r\n", typeAt) - typeAt - 14);
        answer.body = bytes.substr(headEnd + 4, length);
        return answer;
    }
}

// Whether each accepted (not listening) socket of this process on a local
// port has TCP_NODELAY.
std::vector<bool> AcceptedSocketsNoDelay(int port)
{
    std::vector<bool> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        int fd = std::atoi(entry.path().filename().c_str());
        sockaddr_in address{};
        socklen_t size = sizeof address;
        int listening = 0;
        socklen_t flagSize = sizeof listening;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0 || address.sin_family != AF_INET ||
            ntohs(address.sin_port) != port || getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &flagSize) != 0 ||
            listening)
            continue;
        int noDelay = 0;
        getsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, &flagSize);
        found.push_back(noDelay != 0);
    }
    return found;
}

class HttpServerTest : public ::testing::Test {
protected:
    void Serve(bool loopback)
    {
        access = std::make_unique<ApiAccess>(loopback, "token0123456789abcdef");
        api = std::make_unique<TouchPanelApi>(ui.Panel(), log, *access);
        api->SetLimits(std::chrono::seconds(60), std::chrono::seconds(3));
        server = std::make_unique<HttpServer>(*api);
        port = server->Bind("127.0.0.1", 0);
        ASSERT_GT(port, 0);
        server->Start();
    }
    void TearDown() override
    {
        for (int fd : open)
            ::close(fd);
        if (server)
            server->Stop();
    }
    int Open()
    {
        open.push_back(Connect(port));
        return open.back();
    }

    PanelTestUi ui;
    RequestLog log;
    std::unique_ptr<ApiAccess> access;
    std::unique_ptr<TouchPanelApi> api;
    std::unique_ptr<HttpServer> server;
    int port = 0;
    std::vector<int> open;
};

// The API's wiring: real headers on one kept-alive connection whose
// answers never wait for the client's delayed ACK.
TEST_F(HttpServerTest, ServesTheApiOnOneKeptAliveConnection)
{
    Serve(true);
    httplib::Client client("127.0.0.1", port);
    client.set_keep_alive(true);
    auto screen = client.Get("/api/screen");
    ASSERT_TRUE(screen);
    EXPECT_EQ(json::parse(screen->body)["windows"][0]["template"], PanelTestDialog::IDD);
    EXPECT_EQ(AcceptedSocketsNoDelay(port), std::vector<bool>{true});
    const std::string tap = "{\"hwnd\": " + std::to_string(ui.DialogHandle()) + ", \"id\": 100}";
    auto refused = client.Post("/api/tap", {{"Origin", "http://evil.example"}}, tap, "application/json");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 403);
    auto tapped = client.Post("/api/tap", tap, "application/json");
    ASSERT_TRUE(tapped);
    EXPECT_EQ(tapped->status, 200);
    EXPECT_EQ(ui.Dialog().buttonTaps, 1);
    EXPECT_EQ(AcceptedSocketsNoDelay(port).size(), 1u) << "the requests shared one connection";
    client.stop();  // else the server keeps the connection open for the next request
}

TEST_F(HttpServerTest, EveryRefusalIsJsonWithAClientStatus)
{
    Serve(true);
    const std::string host = "Host: 127.0.0.1\r\n";
    const std::pair<std::string, int> cases[] = {
        {"TRACE / HTTP/1.1\r\n" + host + "\r\n", 405},
        {"BREW /api/screen HTTP/1.1\r\n" + host + "\r\n", 405},
        {"GET /api/%ff%fe HTTP/1.1\r\n" + host + "\r\n", 404},
        {"GET /api/%zz HTTP/1.1\r\n" + host + "\r\n", 400},
        {"GET api/screen HTTP/1.1\r\n" + host + "\r\n", 400},
        {"GET /api/screen HTTP/2.0\r\n" + host + "\r\n", 505},
        {"GET /api/screen HTTP/1.1\r\nno colon here\r\n\r\n", 400},
        {"POST /api/tap HTTP/1.1\r\n" + host + "Transfer-Encoding: chunked\r\n\r\n", 411},
        {"POST /api/tap HTTP/1.1\r\n" + host + "Content-Length: 5000000\r\n\r\n", 413},
        {"POST /api/tap HTTP/1.1\r\n" + host + "Content-Length: 1x\r\n\r\n", 400},
        {"GET /api/screen HTTP/1.1\r\n" + host + "X-Long: " + std::string(20000, 'a') + "\r\n\r\n", 431},
    };
    for (const auto& [request, status] : cases) {
        SCOPED_TRACE(request.substr(0, 40));
        const int fd = Open();
        Send(fd, request);
        const Answer answer = Receive(fd);
        EXPECT_EQ(answer.status, status);
        EXPECT_EQ(answer.contentType, "application/json");
        ASSERT_TRUE(json::accept(answer.body)) << answer.body;
        EXPECT_TRUE(json::parse(answer.body).contains("error"));
    }
}

TEST_F(HttpServerTest, WaitingAndSlowClientsDoNotKeepAPlainRequestOut)
{
    for (bool loopback : {true, false}) {
        SCOPED_TRACE(loopback ? "loopback, no token needed" : "token needed");
        Serve(loopback);
        const std::string token = loopback ? "" : "&token=token0123456789abcdef";
        const std::uint64_t version = api->PublishedVersion();
        // Clients that never finish their request head.
        for (int slow = 0; slow < 130; ++slow)
            Send(Open(), "GET /api/screen HTTP/1.1\r\nHost: 127.0.0.1\r\n");
        // Long polls; without the token they are refused before any wait.
        std::vector<int> polls;
        for (int poll = 0; poll < 200; ++poll) {
            polls.push_back(Open());
            Send(polls.back(), "GET /api/screen?after=" + std::to_string(version) + (poll % 2 ? token : "") +
                                   " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        }
        const int withToken = loopback ? 200 : 100;
        const int parked = std::min<int>(withToken, HttpServer::kMaxPollsPerPeer);
        std::multiset<int> early;
        for (int index = 0; index < 200 - parked; ++index) {
            pollfd ready[200];
            for (int fd = 0; fd < 200; ++fd)
                ready[fd] = pollfd{polls[static_cast<std::size_t>(fd)], POLLIN, 0};
            ASSERT_GT(::poll(ready, 200, 10000), 0) << "only " << index << " answered at once";
            for (int fd = 0; fd < 200; ++fd) {
                if (ready[fd].revents & POLLIN) {
                    early.insert(Receive(ready[fd].fd).status);
                    ::shutdown(ready[fd].fd, SHUT_RDWR);
                    polls[static_cast<std::size_t>(fd)] = -1;
                    break;
                }
            }
        }
        EXPECT_EQ(early.count(429), static_cast<std::size_t>(withToken - parked));
        EXPECT_EQ(early.count(401), static_cast<std::size_t>(200 - withToken));

        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(5, 0);
        auto plain = client.Get("/api/screen" + (loopback ? std::string() : "?" + token.substr(1)));
        ASSERT_TRUE(plain) << "the plain request was kept out";
        EXPECT_EQ(plain->status, 200);

        // A new screen answers every parked poll.
        const HWND button = ::GetDlgItem(ui.DialogWindow(), PanelTestDialog::IDC_SLOW);
        ui.Panel().Run(
            [button, loopback] {
                ::SetWindowTextW(button, loopback ? L"新" : L"再");
                return TouchPanel::CommandResult{};
            },
            std::chrono::seconds(5));
        int answered = 0;
        for (int fd : polls)
            if (fd >= 0)
                answered += Receive(fd).status == 200;
        EXPECT_EQ(answered, parked);
        TearDown();
        open.clear();
        server.reset();
    }
}

}  // namespace

// A poll still waiting when the server stops is answered, not dropped.
TEST_F(HttpServerTest, AStoppingServerAnswersItsWaitingPolls)
{
    Serve(true);
    const int poll = Open();
    const std::string after = std::to_string(api->PublishedVersion());
    Send(poll, "GET /api/screen?after=" + after + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    ASSERT_TRUE(httplib::Client("127.0.0.1", port).Get("/api/requests"));  // sent later: the poll waits
    server->Stop();
    EXPECT_EQ(json::parse(Receive(poll).body)["version"], api->PublishedVersion());
}

// A simulator that ends tells every reader of the screen that the instrument
// ended, a poll that waits and one that comes later; input is refused.
TEST(HttpServerEnding, EveryReaderLearnsThatTheInstrumentEnded)
{
    TouchPanel panel(std::this_thread::get_id(), [] { return std::string("{}"); });
    RequestLog log;
    ApiAccess access(true, "token0123456789abcdef");
    TouchPanelApi api(panel, log, access);
    HttpServer server(api);
    const int port = server.Bind("127.0.0.1", 0);
    server.Start();
    const int poll = Connect(port);
    Send(poll, "GET /api/screen?after=0 HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    httplib::Client client("127.0.0.1", port);
    ASSERT_TRUE(client.Get("/api/requests"));  // sent later: the poll waits
    panel.Close();
    const json ended = {{"version", 1}, {"ended", true}, {"windows", json::array()}};
    EXPECT_EQ(json::parse(client.Get("/api/screen?after=0")->body), ended);
    EXPECT_EQ(client.Post("/api/tap", "{\"hwnd\": 1, \"id\": 1}", "application/json")->status, 503);
    EXPECT_EQ(json::parse(Receive(poll).body), ended);
    ::close(poll);
}
