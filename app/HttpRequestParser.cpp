#include "HttpRequestParser.h"

#include <algorithm>
#include <charconv>
#include <cctype>

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool IsToken(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isalnum(c) || std::string_view("!#$%&'*+-.^_`|~").find(static_cast<char>(c)) != std::string_view::npos;
    });
}

}  // namespace

bool HttpRequestParser::Decode(std::string_view text, bool plusIsBlank, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            if (i + 2 >= text.size())
                return false;
            const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return false;
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += plusIsBlank && text[i] == '+' ? ' ' : text[i];
        }
    }
    return true;
}

HttpRequestParser::State HttpRequestParser::Fail(int status, std::string error)
{
    m_status = status;
    m_error = std::move(error);
    return State::Bad;
}

HttpRequestParser::State HttpRequestParser::Parse(std::string_view buffer, HttpRequestHead& head,
                                                  std::size_t& consumed)
{
    const std::size_t headEnd = buffer.find("\r\n\r\n");
    if (headEnd == std::string_view::npos)
        return buffer.size() > kMaxHead ? Fail(431, "the request head is too large") : State::NeedMore;
    if (headEnd + 4 > kMaxHead)
        return Fail(431, "the request head is too large");

    std::string_view lines = buffer.substr(0, headEnd);
    const std::size_t lineEnd = lines.find("\r\n");
    std::string_view requestLine = lines.substr(0, lineEnd);
    lines = lineEnd == std::string_view::npos ? std::string_view() : lines.substr(lineEnd + 2);

    const std::size_t firstSpace = requestLine.find(' ');
    const std::size_t lastSpace = requestLine.rfind(' ');
    if (firstSpace == std::string_view::npos || lastSpace == firstSpace)
        return Fail(400, "malformed request line");
    const std::string_view method = requestLine.substr(0, firstSpace);
    const std::string_view target = requestLine.substr(firstSpace + 1, lastSpace - firstSpace - 1);
    const std::string_view version = requestLine.substr(lastSpace + 1);
    if (!IsToken(method))
        return Fail(400, "malformed method");
    if (version != "HTTP/1.1" && version != "HTTP/1.0")
        return Fail(505, "only HTTP/1.0 and HTTP/1.1 are served");
    if (target.empty() || target.front() != '/')
        return Fail(400, "the target must be a path");

    head = HttpRequestHead{};
    ApiCaller& caller = head.request.caller;
    caller.method = std::string(method);
    head.keepAlive = version == "HTTP/1.1";
    const std::size_t question = target.find('?');
    if (!Decode(target.substr(0, question), false, caller.path))
        return Fail(400, "broken escape in the path");
    if (question != std::string_view::npos) {
        std::string_view query = target.substr(question + 1);
        while (!query.empty()) {
            const std::size_t amp = query.find('&');
            const std::string_view pair = query.substr(0, amp);
            const std::size_t equals = pair.find('=');
            std::string name, value;
            if (!Decode(pair.substr(0, equals), true, name) ||
                !Decode(equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1), true, value))
                return Fail(400, "broken escape in the query");
            if (!name.empty())
                head.request.query.emplace(std::move(name), std::move(value));
            query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
        }
    }

    std::size_t contentLength = 0;
    bool sawLength = false;
    while (!lines.empty()) {
        const std::size_t end = lines.find("\r\n");
        const std::string_view line = lines.substr(0, end);
        lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 2);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || !IsToken(line.substr(0, colon)))
            return Fail(400, "malformed header");
        const std::string name = Lower(line.substr(0, colon));
        const std::string_view value = Trim(line.substr(colon + 1));
        if (name == "host")
            caller.host = value;
        else if (name == "origin")
            caller.origin = value;
        else if (name == "sec-fetch-site")
            caller.secFetchSite = value;
        else if (name == "authorization")
            caller.authorization = value;
        else if (name == "x-sysdlg-token")
            caller.tokenHeader = value;
        else if (name == "connection") {
            const std::string connection = Lower(value);
            if (connection == "close")
                head.keepAlive = false;
            else if (connection == "keep-alive")
                head.keepAlive = true;
        } else if (name == "transfer-encoding") {
            return Fail(411, "send the body with a Content-Length");
        } else if (name == "content-length") {
            std::size_t length = 0;
            const auto [end2, fault] = std::from_chars(value.data(), value.data() + value.size(), length);
            if (fault != std::errc() || end2 != value.data() + value.size() || (sawLength && length != contentLength))
                return Fail(400, "malformed Content-Length");
            contentLength = length;
            sawLength = true;
        }
    }
    if (contentLength > kMaxBody)
        return Fail(413, "the body is too large");
    const std::size_t bodyStart = headEnd + 4;
    if (buffer.size() - bodyStart < contentLength)
        return State::NeedMore;
    head.request.body.assign(buffer.substr(bodyStart, contentLength));
    if (auto token = head.request.query.find("token"); token != head.request.query.end())
        caller.tokenQuery = token->second;
    consumed = bodyStart + contentLength;
    return State::Complete;
}
