#include "win/DebugLog.h"

#include "win/TextConvert.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>

namespace win {
namespace {

// Never destroyed: worker threads may still log while the process exits.
std::mutex& LogMutex()
{
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

std::deque<std::wstring>& LogLines()
{
    static std::deque<std::wstring>* lines = new std::deque<std::wstring>;
    return *lines;
}

bool EchoToStderr()
{
    const char* value = std::getenv("SYSDLG_DEBUG");
    return value != nullptr && value[0] != '\0';
}

}  // namespace

void DebugLog::Write(std::wstring_view text)
{
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos)
            end = text.size();
        std::wstring_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.remove_suffix(1);
        pieces.emplace_back(line);
        start = end + 1;
    }
    if (pieces.empty())
        pieces.emplace_back();

    const bool echo = EchoToStderr();
    std::lock_guard<std::mutex> lock(LogMutex());
    auto& lines = LogLines();
    for (auto& piece : pieces) {
        if (echo) {
            std::string utf8 = WideToUtf8(piece);
            std::fprintf(stderr, "[debug] %s\n", utf8.c_str());
        }
        lines.push_back(std::move(piece));
        if (lines.size() > kMaxLines)
            lines.pop_front();
    }
}

std::vector<std::wstring> DebugLog::Lines()
{
    std::lock_guard<std::mutex> lock(LogMutex());
    return {LogLines().begin(), LogLines().end()};
}

bool DebugLog::Contains(std::wstring_view fragment)
{
    std::lock_guard<std::mutex> lock(LogMutex());
    for (const auto& line : LogLines()) {
        if (line.find(fragment) != std::wstring::npos)
            return true;
    }
    return false;
}

void DebugLog::Clear()
{
    std::lock_guard<std::mutex> lock(LogMutex());
    LogLines().clear();
}

}  // namespace win

void OutputDebugStringW(LPCWSTR text)
{
    win::DebugLog::Write(text != nullptr ? std::wstring_view(text) : std::wstring_view());
}

void OutputDebugStringA(LPCSTR text)
{
    win::DebugLog::Write(win::Utf8ToWide(text != nullptr ? std::string_view(text) : std::string_view()));
}
