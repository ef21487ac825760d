#include "HttpServer.h"

#include "HttpRequestParser.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kHeadTime = std::chrono::seconds(10);   // the whole request, from its first byte
constexpr auto kIdleTime = std::chrono::seconds(60);   // a kept-alive connection between requests
constexpr auto kWriteTime = std::chrono::seconds(30);  // a client that stops reading its answer
constexpr std::size_t kMaxBuffered = HttpRequestParser::kMaxHead + HttpRequestParser::kMaxBody;

const char* Reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 202: return "Accepted";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 409: return "Conflict";
    case 411: return "Length Required";
    case 413: return "Payload Too Large";
    case 429: return "Too Many Requests";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    case 505: return "HTTP Version Not Supported";
    default: return status < 500 ? "Client Error" : "Server Error";
    }
}

bool IsServedMethod(const std::string& method)
{
    for (const char* served : {"GET", "HEAD", "POST", "PUT", "DELETE", "PATCH", "OPTIONS"})
        if (method == served)
            return true;
    return false;
}

// Wakes the loop from any thread; outlives the loop for hooks still running.
class Waker {
public:
    Waker() : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
    ~Waker() { ::close(m_fd); }
    Waker(const Waker&) = delete;
    Waker& operator=(const Waker&) = delete;
    void Wake() const
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t written = ::write(m_fd, &one, sizeof one);
    }
    void Drain() const
    {
        std::uint64_t count = 0;
        [[maybe_unused]] ssize_t got = ::read(m_fd, &count, sizeof count);
    }
    int Fd() const { return m_fd; }

private:
    int m_fd;
};

struct Connection {
    int fd = -1;
    std::uint64_t id = 0;
    std::string peer;
    std::string in;
    std::string out;
    std::size_t sent = 0;
    enum class Phase { Reading, Busy, Writing } phase = Phase::Reading;
    bool requestStarted = false;  // bytes of the next request have arrived
    Clock::time_point deadline;   // of the current phase
    Clock::time_point accepted;
    bool keepAlive = true;
    bool head = false;            // the request being answered was HEAD
    bool parked = false;
    std::uint64_t after = 0;
    bool peerClosed = false;
};

struct Job {
    std::uint64_t connection;
    ApiRequest request;
};

struct Done {
    std::uint64_t connection;
    ApiResponse response;
};

}  // namespace

class HttpServer::Loop {
public:
    explicit Loop(const TouchPanelApi& api) : m_api(api), m_waker(std::make_shared<Waker>()) {}
    ~Loop() { Stop(); }

    int Bind(const std::string& address, int port);
    void Start();
    void Stop();

private:
    void Run();
    void Accept();
    void Read(Connection& connection);
    void Write(Connection& connection);
    void Serve(Connection& connection);
    void Dispatch(Connection& connection, HttpRequestHead&& head);
    void Answer(Connection& connection, const ApiResponse& response);
    void Close(std::uint64_t id);
    void Watch(const Connection& connection);
    void Expire();
    void AnswerPolls(bool all);
    void TakeFinished();
    void ServeBehind();
    void Work();
    std::size_t ReadingWithoutRequest() const;
    Connection* Oldest(bool idle);

    const TouchPanelApi& m_api;
    std::shared_ptr<Waker> m_waker;
    int m_listen = -1;
    int m_epoll = -1;
    std::thread m_thread;
    std::vector<std::thread> m_workers;
    std::atomic<bool> m_stopping{false};

    // Loop thread only.
    std::unordered_map<std::uint64_t, Connection> m_connections;
    std::unordered_map<int, std::uint64_t> m_byFd;
    std::uint64_t m_nextId = 1;
    std::map<std::string, std::size_t> m_pollsByPeer, m_queuedByPeer;
    std::size_t m_polls = 0, m_queued = 0;
    std::vector<std::uint64_t> m_behind;  // kept-alive connections with a request already in

    // Shared with the workers.
    std::mutex m_lock;
    std::condition_variable m_jobReady;
    std::deque<Job> m_jobs;
    std::deque<Done> m_done;
};

int HttpServer::Loop::Bind(const std::string& address, int port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICHOST | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
        return -1;
    m_listen = ::socket(found->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    bool bound = m_listen >= 0 && ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 &&
                 ::bind(m_listen, found->ai_addr, found->ai_addrlen) == 0 && ::listen(m_listen, 512) == 0;
    ::freeaddrinfo(found);
    sockaddr_storage local{};
    socklen_t size = sizeof local;
    if (!bound || ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&local), &size) != 0) {
        if (m_listen >= 0)
            ::close(m_listen);
        m_listen = -1;
        return -1;
    }
    return ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(local).sin6_port
                                             : reinterpret_cast<sockaddr_in&>(local).sin_port);
}

void HttpServer::Loop::Start()
{
    m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = m_listen;
    ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, m_listen, &event);
    event.data.fd = m_waker->Fd();
    ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, m_waker->Fd(), &event);
    m_api.WatchPublications([waker = m_waker] { waker->Wake(); });
    for (int index = 0; index < kWorkers; ++index)
        m_workers.emplace_back([this] { Work(); });
    m_thread = std::thread([this] { Run(); });
}

void HttpServer::Loop::Stop()
{
    if (m_stopping.exchange(true))
        return;
    m_api.WatchPublications(nullptr);
    m_waker->Wake();
    if (m_thread.joinable())
        m_thread.join();
    // Waiting long polls learn what the last screen is (that the instrument
    // ended) instead of losing their connection without a word.
    AnswerPolls(true);
    {
        std::lock_guard guard(m_lock);
        m_jobs.clear();
    }
    m_jobReady.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
    for (auto& [id, connection] : m_connections)
        ::close(connection.fd);
    m_connections.clear();
    if (m_listen >= 0)
        ::close(m_listen);
    if (m_epoll >= 0)
        ::close(m_epoll);
    m_listen = m_epoll = -1;
}

void HttpServer::Loop::Run()
{
    epoll_event events[64];
    while (!m_stopping) {
        const int count = ::epoll_wait(m_epoll, events, 64, m_behind.empty() ? 250 : 0);
        for (int index = 0; index < count && !m_stopping; ++index) {
            const int fd = events[index].data.fd;
            if (fd == m_listen) {
                Accept();
            } else if (fd == m_waker->Fd()) {
                m_waker->Drain();
                TakeFinished();
                AnswerPolls(false);
            } else if (auto found = m_byFd.find(fd); found != m_byFd.end()) {
                const std::uint64_t id = found->second;
                if (events[index].events & (EPOLLIN | EPOLLHUP | EPOLLERR))
                    Read(m_connections.at(id));
                if (m_connections.count(id) && (events[index].events & EPOLLOUT))
                    Write(m_connections.at(id));
            }
        }
        ServeBehind();
        Expire();
    }
}

void HttpServer::Loop::ServeBehind()
{
    // Pipelined requests are served here, one per connection and round, so
    // that a client cannot make the loop answer it without end.
    std::vector<std::uint64_t> behind;
    behind.swap(m_behind);
    for (std::uint64_t id : behind) {
        auto found = m_connections.find(id);
        if (found != m_connections.end() && found->second.phase == Connection::Phase::Reading)
            Serve(found->second);
    }
}

std::size_t HttpServer::Loop::ReadingWithoutRequest() const
{
    std::size_t count = 0;
    for (const auto& [id, connection] : m_connections)
        count += connection.phase == Connection::Phase::Reading && connection.requestStarted;
    return count;
}

Connection* HttpServer::Loop::Oldest(bool idle)
{
    // Idle: kept-alive connections between requests; otherwise connections
    // still sending their request.
    Connection* oldest = nullptr;
    for (auto& [id, connection] : m_connections) {
        if (connection.phase != Connection::Phase::Reading || connection.requestStarted == idle)
            continue;
        if (!oldest || connection.accepted < oldest->accepted)
            oldest = &connection;
    }
    return oldest;
}

void HttpServer::Loop::Accept()
{
    for (;;) {
        sockaddr_storage address{};
        socklen_t size = sizeof address;
        const int fd = ::accept4(m_listen, reinterpret_cast<sockaddr*>(&address), &size, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        // A slow client must not keep a new one out: the oldest goes.
        if (m_connections.size() >= kMaxConnections) {
            Connection* victim = Oldest(true);
            if (!victim)
                victim = Oldest(false);
            if (!victim) {
                ::close(fd);
                continue;
            }
            Close(victim->id);
        }
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        char text[INET6_ADDRSTRLEN] = "?";
        if (address.ss_family == AF_INET)
            ::inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in&>(address).sin_addr, text, sizeof text);
        else if (address.ss_family == AF_INET6)
            ::inet_ntop(AF_INET6, &reinterpret_cast<sockaddr_in6&>(address).sin6_addr, text, sizeof text);
        Connection connection;
        connection.fd = fd;
        connection.id = m_nextId++;
        connection.peer = text;
        connection.accepted = Clock::now();
        connection.requestStarted = true;  // a new connection owes its first request
        connection.deadline = connection.accepted + kHeadTime;
        if (ReadingWithoutRequest() >= kMaxHeadPending)
            if (Connection* victim = Oldest(false))
                Close(victim->id);
        m_byFd[fd] = connection.id;
        auto& stored = m_connections.emplace(connection.id, std::move(connection)).first->second;
        Watch(stored);
    }
}

void HttpServer::Loop::Watch(const Connection& connection)
{
    epoll_event event{};
    event.events = EPOLLIN | EPOLLRDHUP;
    if (connection.phase == Connection::Phase::Writing)
        event.events |= EPOLLOUT;
    event.data.fd = connection.fd;
    if (::epoll_ctl(m_epoll, EPOLL_CTL_MOD, connection.fd, &event) != 0)
        ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, connection.fd, &event);
}

void HttpServer::Loop::Read(Connection& connection)
{
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::recv(connection.fd, buffer, sizeof buffer, 0);
        if (got > 0) {
            if (!connection.requestStarted && connection.phase == Connection::Phase::Reading) {
                connection.requestStarted = true;
                connection.deadline = Clock::now() + kHeadTime;
            }
            connection.in.append(buffer, static_cast<std::size_t>(got));
            if (connection.in.size() > kMaxBuffered)
                break;  // more than one request may hold: a flood
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            break;
        connection.peerClosed = true;
        break;
    }
    const std::uint64_t id = connection.id;
    if (connection.in.size() > kMaxBuffered) {
        Close(id);
        return;
    }
    if (connection.phase == Connection::Phase::Reading)
        Serve(connection);  // a client may send its request and then shut its side
    auto found = m_connections.find(id);
    if (found == m_connections.end() || !found->second.peerClosed)
        return;
    // Nothing more will come: a connection with nothing left to answer, or a
    // parked poll whose client left, frees its place now. A worker's answer
    // is dropped when it comes; one being written is finished first.
    const Connection& left = found->second;
    if (left.phase == Connection::Phase::Reading || left.parked)
        Close(id);
}

void HttpServer::Loop::Serve(Connection& connection)
{
    HttpRequestParser parser;
    HttpRequestHead head;
    std::size_t consumed = 0;
    switch (parser.Parse(connection.in, head, consumed)) {
    case HttpRequestParser::State::NeedMore: return;
    case HttpRequestParser::State::Bad:
        connection.keepAlive = false;
        connection.head = false;
        Answer(connection, TouchPanelApi::Error(parser.Status(), parser.Error()));
        return;
    case HttpRequestParser::State::Complete: break;
    }
    connection.in.erase(0, consumed);
    connection.keepAlive = head.keepAlive;
    connection.head = head.request.caller.method == "HEAD";
    Dispatch(connection, std::move(head));
}

void HttpServer::Loop::Dispatch(Connection& connection, HttpRequestHead&& head)
{
    ApiRequest& request = head.request;
    if (!IsServedMethod(request.caller.method)) {
        Answer(connection, TouchPanelApi::Error(405, "method not served"));
        return;
    }
    std::uint64_t after = 0;
    TouchPanelApi::Timing timing = m_api.Classify(request, after);
    if (timing == TouchPanelApi::Timing::Park) {
        if (m_polls >= kMaxPolls || m_pollsByPeer[connection.peer] >= kMaxPollsPerPeer) {
            Answer(connection, TouchPanelApi::Error(429, "too many waiting screen requests"));
            return;
        }
        ++m_polls;
        ++m_pollsByPeer[connection.peer];
        connection.parked = true;
        connection.after = after;
        connection.phase = Connection::Phase::Busy;
        connection.deadline = Clock::now() + m_api.LongPollLimit();
        return;
    }
    if (timing == TouchPanelApi::Timing::Worker) {
        if (m_queued >= kMaxQueued || m_queuedByPeer[connection.peer] >= kMaxQueuedPerPeer) {
            Answer(connection, TouchPanelApi::Error(503, "the instrument is busy; try again"));
            return;
        }
        ++m_queued;
        ++m_queuedByPeer[connection.peer];
        connection.phase = Connection::Phase::Busy;
        connection.deadline = Clock::time_point::max();
        {
            std::lock_guard guard(m_lock);
            m_jobs.push_back(Job{connection.id, std::move(request)});
        }
        m_jobReady.notify_one();
        return;
    }
    ApiResponse response;
    try {
        response = m_api.Handle(request);
    } catch (const std::exception&) {
        response = TouchPanelApi::Error(500, "internal error");
    }
    Answer(connection, response);
}

void HttpServer::Loop::Answer(Connection& connection, const ApiResponse& response)
{
    char head[512];
    std::snprintf(head, sizeof head,
                  "HTTP/1.1 %d %s\r\nContent-Type: %s\r\nContent-Length: %zu\r\nCache-Control: no-store\r\n"
                  "X-Content-Type-Options: nosniff\r\nConnection: %s\r\n\r\n",
                  response.status, Reason(response.status), response.contentType.c_str(), response.body.size(),
                  connection.keepAlive ? "keep-alive" : "close");
    connection.out = head;
    if (!connection.head)
        connection.out += response.body;
    connection.sent = 0;
    connection.phase = Connection::Phase::Writing;
    connection.deadline = Clock::now() + kWriteTime;
    Write(connection);
}

void HttpServer::Loop::Write(Connection& connection)
{
    while (connection.sent < connection.out.size()) {
        const ssize_t put = ::send(connection.fd, connection.out.data() + connection.sent,
                                   connection.out.size() - connection.sent, MSG_NOSIGNAL);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0 && errno == EAGAIN) {
            Watch(connection);
            return;
        }
        if (put <= 0) {
            Close(connection.id);
            return;
        }
        connection.sent += static_cast<std::size_t>(put);
    }
    if (!connection.keepAlive || connection.peerClosed) {
        Close(connection.id);
        return;
    }
    connection.out.clear();
    connection.phase = Connection::Phase::Reading;
    connection.requestStarted = !connection.in.empty();
    connection.deadline = Clock::now() + (connection.requestStarted ? kHeadTime : kIdleTime);
    Watch(connection);
    if (!connection.in.empty())
        m_behind.push_back(connection.id);  // a request that came in behind the last one
}

void HttpServer::Loop::Close(std::uint64_t id)
{
    auto found = m_connections.find(id);
    if (found == m_connections.end())
        return;
    Connection& connection = found->second;
    if (connection.parked) {
        --m_polls;
        --m_pollsByPeer[connection.peer];
    }
    ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, connection.fd, nullptr);
    ::close(connection.fd);
    m_byFd.erase(connection.fd);
    m_connections.erase(found);
}

void HttpServer::Loop::AnswerPolls(bool all)
{
    const std::uint64_t version = m_api.PublishedVersion();
    const Clock::time_point now = Clock::now();
    std::vector<std::uint64_t> ready;
    for (auto& [id, connection] : m_connections)
        if (connection.parked && (all || version > connection.after || now >= connection.deadline))
            ready.push_back(id);
    for (std::uint64_t id : ready) {
        Connection& connection = m_connections.at(id);
        connection.parked = false;
        --m_polls;
        --m_pollsByPeer[connection.peer];
        Answer(connection, m_api.CurrentScreen());
    }
}

void HttpServer::Loop::TakeFinished()
{
    std::deque<Done> done;
    {
        std::lock_guard guard(m_lock);
        done.swap(m_done);
    }
    for (Done& finished : done) {
        auto found = m_connections.find(finished.connection);
        if (found == m_connections.end())
            continue;
        Connection& connection = found->second;
        --m_queued;
        --m_queuedByPeer[connection.peer];
        if (connection.peerClosed)
            Close(connection.id);
        else
            Answer(connection, finished.response);
    }
}

void HttpServer::Loop::Expire()
{
    AnswerPolls(false);
    const Clock::time_point now = Clock::now();
    std::vector<std::uint64_t> late;
    for (const auto& [id, connection] : m_connections)
        if (connection.phase != Connection::Phase::Busy && now >= connection.deadline)
            late.push_back(id);
    for (std::uint64_t id : late)
        Close(id);
}

void HttpServer::Loop::Work()
{
    for (;;) {
        Job job;
        {
            std::unique_lock guard(m_lock);
            m_jobReady.wait(guard, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_stopping)
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        ApiResponse response;
        try {
            response = m_api.Handle(job.request);
        } catch (const std::exception&) {
            response = TouchPanelApi::Error(500, "internal error");
        }
        {
            std::lock_guard guard(m_lock);
            m_done.push_back(Done{job.connection, std::move(response)});
        }
        m_waker->Wake();
    }
}

HttpServer::HttpServer(const TouchPanelApi& api) : m_api(api), m_loop(std::make_unique<Loop>(api)) {}

HttpServer::~HttpServer() { Stop(); }

int HttpServer::Bind(const std::string& address, int port) { return m_loop->Bind(address, port); }

void HttpServer::Start() { m_loop->Start(); }

void HttpServer::Stop() { m_loop->Stop(); }
