// Who may use the touch-panel server. On the loopback address the API is
// open to the local user; on any other address every API call must carry the
// token the simulator prints at start (header "Authorization: Bearer <token>",
// header "X-Sysdlg-Token" or query parameter "token"). Everywhere, a POST that
// a browser sends from another origin is refused, so that no web page can
// operate the instrument behind the user's back, and on loopback the Host
// header must name a loopback host, so that a rebound DNS name cannot read
// the API either.
#pragma once

#include <string>

struct ApiCaller {
    std::string method;           // "GET", "POST", ...
    std::string path;             // "/api/tap"
    std::string host;             // Host header
    std::string origin;           // Origin header, empty when absent
    std::string secFetchSite;     // Sec-Fetch-Site header, empty when absent
    std::string authorization;    // Authorization header
    std::string tokenHeader;      // X-Sysdlg-Token header
    std::string tokenQuery;       // ?token=
};

struct AccessVerdict {
    int status = 200;             // 200 allowed; 401 or 403 refused
    std::string error;
};

class ApiAccess {
public:
    ApiAccess(bool loopback, std::string token);

    AccessVerdict Check(const ApiCaller& caller) const;

    bool RequiresToken() const { return !m_loopback; }
    const std::string& Token() const { return m_token; }

    // 32 hexadecimal digits from the system's random source.
    static std::string NewToken();
    // "localhost", "127.0.0.1", "[::1]", each with an optional ":port".
    static bool IsLoopbackHost(const std::string& hostHeader);
    // The host part of an origin ("http://127.0.0.1:8080" -> "127.0.0.1:8080"),
    // empty for "null" or anything that is not http(s).
    static std::string OriginHost(const std::string& origin);

private:
    bool TokenMatches(const ApiCaller& caller) const;

    bool m_loopback;
    std::string m_token;
};
