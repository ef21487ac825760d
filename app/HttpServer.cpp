#include "HttpServer.h"

#include <httplib.h>

namespace {

ApiRequest ToApiRequest(const httplib::Request& request)
{
    ApiRequest converted;
    ApiCaller& caller = converted.caller;
    caller.method = request.method;
    caller.path = request.path;
    caller.host = request.get_header_value("Host");
    caller.origin = request.get_header_value("Origin");
    caller.secFetchSite = request.get_header_value("Sec-Fetch-Site");
    caller.authorization = request.get_header_value("Authorization");
    caller.tokenHeader = request.get_header_value("X-Sysdlg-Token");
    for (const auto& [name, value] : request.params)
        converted.query.emplace(name, value);
    if (auto token = converted.query.find("token"); token != converted.query.end())
        caller.tokenQuery = token->second;
    converted.body = request.body;
    return converted;
}

}  // namespace

HttpServer::HttpServer(const TouchPanelApi& api) : m_api(api), m_server(std::make_unique<httplib::Server>())
{
    // Every waiting long poll and keep-alive connection holds a worker.
    m_server->new_task_queue = [] { return new httplib::ThreadPool(64); };
    m_server->set_payload_max_length(1 << 20);
    // Header and body go out in two sends. Without TCP_NODELAY the body
    // waits for the client's delayed ACK of the header, 40 ms on every
    // answer over a kept-alive connection, which is what browsers use.
    // Accepted sockets inherit the option from the listening one.
    m_server->set_tcp_nodelay(true);
    m_server->set_keep_alive_max_count(1000);
    auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        ApiResponse answer = m_api.Handle(ToApiRequest(request));
        response.status = answer.status;
        response.set_header("Cache-Control", "no-store");
        response.set_header("X-Content-Type-Options", "nosniff");
        response.set_content(std::move(answer.body), answer.contentType.c_str());
    };
    m_server->Get(".*", handler);
    m_server->Post(".*", handler);
    m_server->Put(".*", handler);
    m_server->Delete(".*", handler);
    m_server->Patch(".*", handler);
    m_server->Options(".*", handler);
}

HttpServer::~HttpServer() { Stop(); }

int HttpServer::Bind(const std::string& address, int port)
{
    if (port == 0)
        return m_server->bind_to_any_port(address.c_str());
    return m_server->bind_to_port(address.c_str(), port) ? port : -1;
}

void HttpServer::Start()
{
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
}

void HttpServer::Stop()
{
    if (m_server)
        m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}
