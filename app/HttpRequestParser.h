// Reading HTTP/1.1 requests from bytes as they arrive, for the touch-panel
// server's event loop: the request line, the headers the API looks at and a
// body of Content-Length bytes. Everything a client sends is untrusted: the
// head and the body are held to limits, a target must be an origin-form path
// with valid percent escapes, and any fault is a 4xx answer, never more
// waiting.
#pragma once

#include "TouchPanelApi.h"

#include <cstddef>
#include <string>
#include <string_view>

struct HttpRequestHead {
    ApiRequest request;
    bool keepAlive = true;
};

class HttpRequestParser {
public:
    static constexpr std::size_t kMaxHead = 16 * 1024;
    static constexpr std::size_t kMaxBody = 1 << 20;

    enum class State { NeedMore, Complete, Bad };

    // Parses the request at the start of `buffer`. Complete: `head` holds it
    // and `consumed` the bytes it took. Bad: `status` and `error` say why.
    State Parse(std::string_view buffer, HttpRequestHead& head, std::size_t& consumed);

    int Status() const { return m_status; }
    const std::string& Error() const { return m_error; }

    // %XX escapes (and '+' as a blank when `plusIsBlank`); false for a broken escape.
    static bool Decode(std::string_view text, bool plusIsBlank, std::string& out);

private:
    State Fail(int status, std::string error);

    int m_status = 400;
    std::string m_error;
};
