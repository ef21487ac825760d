#include "ApiAccess.h"

#include <algorithm>
#include <cctype>
#include <random>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Compares in time independent of where the texts differ.
bool SameSecret(const std::string& given, const std::string& expected)
{
    if (given.size() != expected.size() || expected.empty())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ expected[i]);
    return difference == 0;
}

}  // namespace

ApiAccess::ApiAccess(bool loopback, std::string token) : m_loopback(loopback), m_token(std::move(token)) {}

std::string ApiAccess::NewToken()
{
    std::random_device source;
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 32; ++i)
        token += digits[source() & 0xF];
    return token;
}

bool ApiAccess::IsLoopbackHost(const std::string& hostHeader)
{
    std::string host = Lower(hostHeader);
    if (host.rfind("[::1]", 0) == 0)
        host = host.substr(5);
    else if (host.rfind("localhost", 0) == 0)
        host = host.substr(9);
    else if (host.rfind("127.", 0) == 0) {
        std::size_t end = host.find(':');
        std::string address = host.substr(0, end);
        if (address.find_first_not_of("0123456789.") != std::string::npos)
            return false;
        host = end == std::string::npos ? "" : host.substr(end);
    } else
        return false;
    // What remains is nothing or ":port".
    return host.empty() || (host[0] == ':' && host.size() > 1 &&
                            host.find_first_not_of("0123456789", 1) == std::string::npos);
}

std::string ApiAccess::OriginHost(const std::string& origin)
{
    std::string lower = Lower(origin);
    for (const char* scheme : {"http://", "https://"}) {
        std::string prefix = scheme;
        if (lower.rfind(prefix, 0) == 0) {
            std::string host = lower.substr(prefix.size());
            if (host.empty() || host.find('/') != std::string::npos)
                return {};
            return host;
        }
    }
    return {};
}

bool ApiAccess::TokenMatches(const ApiCaller& caller) const
{
    std::string bearer;
    if (Lower(caller.authorization).rfind("bearer ", 0) == 0)
        bearer = caller.authorization.substr(7);
    return SameSecret(bearer, m_token) || SameSecret(caller.tokenHeader, m_token) ||
           SameSecret(caller.tokenQuery, m_token);
}

AccessVerdict ApiAccess::Check(const ApiCaller& caller) const
{
    if (m_loopback && !IsLoopbackHost(caller.host))
        return {403, "the Host header must name a loopback host"};
    if (caller.method != "GET" && caller.method != "HEAD") {
        // Browsers send Origin with every cross-origin POST; tools send none.
        if (!caller.origin.empty() && OriginHost(caller.origin) != Lower(caller.host))
            return {403, "cross-origin requests are refused"};
        if (Lower(caller.secFetchSite) == "cross-site")
            return {403, "cross-origin requests are refused"};
    }
    bool isApi = caller.path.rfind("/api/", 0) == 0 || caller.path == "/api";
    if (isApi && !m_loopback && !TokenMatches(caller))
        return {401, "this call needs the token that the simulator printed at start"};
    return {};
}
