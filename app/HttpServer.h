// The HTTP side of the touch-panel server: one event loop (epoll) that owns
// every connection, and a few workers for the requests that wait for the UI
// thread. No client can starve the others:
//   - a connection still sending its request head has 10 s for all of it, and
//     when too many are doing so the oldest is dropped for a new one;
//   - a waiting screen request (a long poll) is parked in the loop, not on a
//     thread; at most kMaxPolls wait in all and kMaxPollsPerPeer per address,
//     beyond which the request is answered 429 at once;
//   - requests for the workers queue at most kMaxQueued in all and
//     kMaxQueuedPerPeer per address (beyond: 503 at once);
//   - the token and the origin are checked before any wait;
//   - every refusal is JSON with a 4xx or 5xx status.
#pragma once

#include "TouchPanelApi.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <thread>

class HttpServer {
public:
    static constexpr std::size_t kMaxConnections = 2048;
    static constexpr std::size_t kMaxHeadPending = 256;
    static constexpr std::size_t kMaxPolls = 256;
    static constexpr std::size_t kMaxPollsPerPeer = 64;
    static constexpr std::size_t kMaxQueued = 64;
    static constexpr std::size_t kMaxQueuedPerPeer = 16;
    static constexpr int kWorkers = 4;

    explicit HttpServer(const TouchPanelApi& api);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds the address; port 0 picks a free one. Returns the port, or -1
    // when the address cannot be bound.
    int Bind(const std::string& address, int port);
    // Serves on threads of its own until Stop.
    void Start();
    void Stop();

private:
    class Loop;
    const TouchPanelApi& m_api;
    std::unique_ptr<Loop> m_loop;
};
