// The HTTP side of the touch-panel server: cpp-httplib on its own threads,
// every request handed to TouchPanelApi.
#pragma once

#include "TouchPanelApi.h"

#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

class HttpServer {
public:
    explicit HttpServer(const TouchPanelApi& api);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds the address; port 0 picks a free one. Returns the port, or -1
    // when the address cannot be bound.
    int Bind(const std::string& address, int port);
    // Serves on a thread of its own until Stop.
    void Start();
    void Stop();

private:
    const TouchPanelApi& m_api;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
};
