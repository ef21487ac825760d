#include "ApiAccess.h"

#include <gtest/gtest.h>

namespace {

ApiCaller Call(std::string method, std::string path, std::string host = "127.0.0.1:8080")
{
    ApiCaller caller;
    caller.method = std::move(method);
    caller.path = std::move(path);
    caller.host = std::move(host);
    return caller;
}

// On loopback no token is needed, but the Host header must name a loopback
// host: a page on a rebound DNS name reaches 127.0.0.1 with its own Host.
TEST(ApiAccess, LoopbackNeedsNoTokenButALoopbackHostName)
{
    ApiAccess access(true, "secret0123456789");
    EXPECT_EQ(access.Check(Call("POST", "/api/tap")).status, 200);
    for (const auto& [host, status] : std::initializer_list<std::pair<const char*, int>>{
             {"127.0.0.1:8080", 200}, {"localhost:8080", 200}, {"[::1]:8080", 200}, {"evil.example:8080", 403},
             {"127.0.0.1.evil.example", 403}, {"localhost.evil:80", 403}, {"", 403}})
        EXPECT_EQ(access.Check(Call("GET", "/api/screen", host)).status, status) << host;
}

TEST(ApiAccess, OtherAddressesNeedTheTokenForEveryApiCall)
{
    ApiAccess access(false, "secret0123456789");
    ApiCaller caller = Call("GET", "/api/screen", "192.168.1.5:8080");
    EXPECT_EQ(access.Check(caller).status, 401);
    caller.tokenHeader = "secret0123456788";
    EXPECT_EQ(access.Check(caller).status, 401);
    caller.tokenHeader = "secret0123456789";
    EXPECT_EQ(access.Check(caller).status, 200);

    ApiCaller bearer = Call("POST", "/api/tap", "192.168.1.5:8080");
    bearer.authorization = "Bearer secret0123456789";
    EXPECT_EQ(access.Check(bearer).status, 200);
    bearer.authorization = "Bearer secret";
    EXPECT_EQ(access.Check(bearer).status, 401);

    ApiCaller query = Call("GET", "/api/config", "192.168.1.5:8080");
    query.tokenQuery = "secret0123456789";
    EXPECT_EQ(access.Check(query).status, 200);

    // The page itself loads without the token (it reads it from its address).
    EXPECT_EQ(access.Check(Call("GET", "/", "192.168.1.5:8080")).status, 200);
    // An empty token never matches.
    EXPECT_EQ(ApiAccess(false, "").Check(Call("GET", "/api/screen", "10.0.0.1")).status, 401);
}

TEST(ApiAccess, CrossOriginPostsAreRefusedEverywhere)
{
    for (bool loopback : {true, false}) {
        ApiAccess access(loopback, "secret0123456789");
        ApiCaller caller = Call("POST", "/api/tap", loopback ? "127.0.0.1:8080" : "10.0.0.1:8080");
        caller.tokenHeader = "secret0123456789";
        caller.origin = "http://evil.example";
        EXPECT_EQ(access.Check(caller).status, 403);
        caller.origin = "null";
        EXPECT_EQ(access.Check(caller).status, 403);
        caller.origin = loopback ? "http://127.0.0.1:8080" : "http://10.0.0.1:8080";
        EXPECT_EQ(access.Check(caller).status, 200);
        caller.secFetchSite = "cross-site";
        EXPECT_EQ(access.Check(caller).status, 403);
        // A tool that sends no Origin is not a browser page.
        caller.origin.clear();
        caller.secFetchSite.clear();
        EXPECT_EQ(access.Check(caller).status, 200);
    }
}

TEST(ApiAccess, OriginHost)
{
    EXPECT_EQ(ApiAccess::OriginHost("http://127.0.0.1:8080"), "127.0.0.1:8080");
    EXPECT_EQ(ApiAccess::OriginHost("HTTPS://Example.org"), "example.org");
    EXPECT_EQ(ApiAccess::OriginHost("null"), "");
    EXPECT_EQ(ApiAccess::OriginHost("file://"), "");
    EXPECT_EQ(ApiAccess::OriginHost("http://a/b"), "");
}

TEST(ApiAccess, NewTokensDiffer)
{
    std::string first = ApiAccess::NewToken();
    EXPECT_EQ(first.size(), 32u);
    EXPECT_EQ(first.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_NE(first, ApiAccess::NewToken());
}

}  // namespace
