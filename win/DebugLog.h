// The debugger output of the platform. OutputDebugStringW/A append to an
// in-memory log that tests read and clear; with the environment variable
// SYSDLG_DEBUG set (non-empty) every line is also echoed to stderr as UTF-8.
#pragma once

#include "win/Win32Types.h"

#include <string>
#include <string_view>
#include <vector>

void OutputDebugStringW(LPCWSTR text);
void OutputDebugStringA(LPCSTR text);  // narrow text is UTF-8 in this port

namespace win {

// Every call of OutputDebugString starts a new line, as a debugger shows one
// message per call; line breaks inside a message split it into several lines
// and a trailing line break adds no empty line. The log keeps the newest
// kMaxLines lines so a long-running simulator does not grow without bound.
class DebugLog {
public:
    static constexpr std::size_t kMaxLines = 10000;

    static void Write(std::wstring_view text);
    static std::vector<std::wstring> Lines();
    static bool Contains(std::wstring_view fragment);
    static void Clear();
};

}  // namespace win
