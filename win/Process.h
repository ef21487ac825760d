// Child processes. CreateProcessW maps the program's Windows path through
// the drives and runs that file as a POSIX executable (a shell script
// stand-in for a Windows tool is fine) with posix_spawn:
// - Without an application name the command line's first token (quoted or
//   not) names the program; ".exe" is added when it has no extension, a
//   bare name is looked for in the current directory, then in
//   C:\WINDOWS\system32 and C:\WINDOWS, and an unquoted path with blanks is
//   tried word by word ("C:\Program Files\x.exe ..."), as Windows does.
// - With an application name that is the program, used as given.
// - The remaining arguments are split by the C runtime's rules and passed
//   as UTF-8.
// - The child starts in lpCurrentDirectory (mapped) or the process's
//   current directory, and finds the data root in SYSDLG_DATA_ROOT.
// - STARTF_USESTDHANDLES with inherited handles passes file handles as its
//   standard input/output/error; otherwise it shares the parent's.
// The process handle becomes signalled when the child exits; its exit code
// is the child's status (128 + the signal when a signal ended it).
// The main-thread handle is signalled with it. CREATE_SUSPENDED is not
// supported for processes; other creation flags are accepted.
#pragma once

#include "win/Handles.h"
#include "win/WinNT.h"

#include <string>
#include <string_view>
#include <vector>

constexpr DWORD DEBUG_PROCESS = 0x00000001;
constexpr DWORD DETACHED_PROCESS = 0x00000008;
constexpr DWORD NORMAL_PRIORITY_CLASS = 0x00000020;
constexpr DWORD CREATE_NEW_PROCESS_GROUP = 0x00000200;
constexpr DWORD CREATE_UNICODE_ENVIRONMENT = 0x00000400;
constexpr DWORD CREATE_NO_WINDOW = 0x08000000;

constexpr DWORD STARTF_USESHOWWINDOW = 0x00000001;
constexpr DWORD STARTF_USESTDHANDLES = 0x00000100;

struct STARTUPINFOW {
    DWORD cb = 0;
    LPWSTR lpReserved = nullptr;
    LPWSTR lpDesktop = nullptr;
    LPWSTR lpTitle = nullptr;
    DWORD dwX = 0;
    DWORD dwY = 0;
    DWORD dwXSize = 0;
    DWORD dwYSize = 0;
    DWORD dwXCountChars = 0;
    DWORD dwYCountChars = 0;
    DWORD dwFillAttribute = 0;
    DWORD dwFlags = 0;
    WORD wShowWindow = 0;
    WORD cbReserved2 = 0;
    LPBYTE lpReserved2 = nullptr;
    HANDLE hStdInput = nullptr;
    HANDLE hStdOutput = nullptr;
    HANDLE hStdError = nullptr;
};
using LPSTARTUPINFOW = STARTUPINFOW*;
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOW) == 68, "the 32-bit layout is Windows'");

struct PROCESS_INFORMATION {
    HANDLE hProcess = nullptr;
    HANDLE hThread = nullptr;
    DWORD dwProcessId = 0;
    DWORD dwThreadId = 0;
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION*;

BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                    LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    LPVOID environment, LPCWSTR currentDirectory, LPSTARTUPINFOW startupInfo,
                    LPPROCESS_INFORMATION processInformation);
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode);
BOOL TerminateProcess(HANDLE process, UINT exitCode);
// What this process was started with: a zeroed record with its size set
// and the normal show state.
void GetStartupInfoW(LPSTARTUPINFOW startupInfo);

namespace win {

// The arguments of a command line by the C runtime's rules: the first
// token ends at the closing quote or the first blank, without backslash
// rules; the others honour quotes and backslash-quote sequences.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

}  // namespace win
