#include "win/Process.h"

#include "win/Beneath.h"
#include "win/DebugLog.h"
#include "win/Descriptor.h"
#include "win/Drives.h"
#include "win/FileApi.h"
#include "win/TextConvert.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace win {

std::vector<std::wstring> SplitCommandLine(std::wstring_view line)
{
    std::vector<std::wstring> arguments;
    std::size_t pos = 0;
    auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    // The program name.
    if (pos < line.size()) {
        std::wstring program;
        if (line[pos] == L'"') {
            std::size_t close = line.find(L'"', pos + 1);
            program = line.substr(pos + 1, close == std::wstring_view::npos ? std::wstring_view::npos : close - pos - 1);
            pos = close == std::wstring_view::npos ? line.size() : close + 1;
        } else {
            while (pos < line.size() && !isBlank(line[pos]))
                program += line[pos++];
        }
        arguments.push_back(program);
    }
    while (true) {
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        if (pos >= line.size())
            break;
        std::wstring argument;
        bool quoted = false;
        while (pos < line.size() && (quoted || !isBlank(line[pos]))) {
            std::size_t backslashes = 0;
            while (pos < line.size() && line[pos] == L'\\') {
                ++backslashes;
                ++pos;
            }
            if (pos < line.size() && line[pos] == L'"') {
                argument.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument += L'"';
                    ++pos;
                } else if (quoted && pos + 1 < line.size() && line[pos + 1] == L'"') {
                    argument += L'"';  // "" inside quotes is a literal quote
                    pos += 2;
                } else {
                    quoted = !quoted;
                    ++pos;
                }
            } else {
                argument.append(backslashes, L'\\');
                if (pos < line.size() && (quoted || !isBlank(line[pos])))
                    argument += line[pos++];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

}  // namespace win

namespace {

class ProcessObject : public win::CompletionObject {
public:
    explicit ProcessObject(pid_t pid) : CompletionObject(win::ObjectKind::Process), pid(pid) {}
    const pid_t pid;
    std::atomic<bool> terminated{false};
    std::atomic<DWORD> terminationCode{0};
};

// The main thread's handle: signalled together with its process.
class MainThreadObject : public win::KernelObject {
public:
    explicit MainThreadObject(std::shared_ptr<ProcessObject> process)
        : KernelObject(win::ObjectKind::Thread), m_process(std::move(process))
    {
    }
    bool IsWaitable() const override { return true; }
    bool IsSignalledLocked() const override { return m_process->IsSignalledLocked(); }

private:
    std::shared_ptr<ProcessObject> m_process;
};

BOOL Fail(DWORD error, const std::wstring& what)
{
    SetLastError(error);
    OutputDebugStringW((L"CreateProcessW failed (" + std::to_wstring(error) + L"): " + what).c_str());
    return FALSE;
}

bool IsRegularFile(const win::ResolvedPath& path)
{
    struct stat info {};
    return path.Stat(info, true) && S_ISREG(info.st_mode);
}

bool HasExtension(const std::wstring& path)
{
    std::size_t slash = path.find_last_of(L"\\/:");
    std::size_t dot = path.find_last_of(L'.');
    return dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
}

// The file of a program named on a command line, by Windows' search.
std::optional<win::ResolvedPath> FindProgram(std::wstring name)
{
    if (!HasExtension(name))
        name += L".exe";
    std::vector<std::wstring> candidates;
    if (name.find_first_of(L"\\/:") != std::wstring::npos)
        candidates.push_back(name);
    else
        candidates = {name, L"C:\\WINDOWS\\system32\\" + name, L"C:\\WINDOWS\\" + name};
    for (const std::wstring& candidate : candidates) {
        std::optional<win::ResolvedPath> path = win::Drives::Resolve(candidate);
        if (path && IsRegularFile(*path))
            return path;
    }
    return std::nullopt;
}

// Program and the rest of the command line (after the program's token).
struct Program {
    win::ResolvedPath path;
    std::wstring rest;
};

// The command line after its first token (the program's name as written).
std::wstring AfterFirstToken(const std::wstring& line)
{
    std::size_t start = line.find_first_not_of(L" \t");
    if (start == std::wstring::npos)
        return L"";
    std::size_t end = line[start] == L'"' ? line.find(L'"', start + 1) : line.find_first_of(L" \t", start);
    if (end == std::wstring::npos)
        return L"";
    return line.substr(line[start] == L'"' ? end + 1 : end);
}

std::optional<Program> ProgramOfCommandLine(const std::wstring& line)
{
    std::size_t start = line.find_first_not_of(L" \t");
    if (start == std::wstring::npos)
        return std::nullopt;
    if (line[start] == L'"') {
        std::size_t close = line.find(L'"', start + 1);
        std::wstring name = line.substr(start + 1, close == std::wstring::npos ? close : close - start - 1);
        std::optional<win::ResolvedPath> path = FindProgram(name);
        if (!path)
            return std::nullopt;
        return Program{*path, close == std::wstring::npos ? L"" : line.substr(close + 1)};
    }
    // Unquoted: "C:\Program Files\x.exe a" is tried as "C:\Program", then
    // "C:\Program Files\x.exe".
    std::size_t end = start;
    while (true) {
        end = line.find_first_of(L" \t", end);
        std::wstring name = line.substr(start, end == std::wstring::npos ? end : end - start);
        if (std::optional<win::ResolvedPath> path = FindProgram(name))
            return Program{*path, end == std::wstring::npos ? L"" : line.substr(end)};
        if (end == std::wstring::npos)
            return std::nullopt;
        end = line.find_first_not_of(L" \t", end);
        if (end == std::wstring::npos)
            return std::nullopt;
    }
}

std::vector<std::string> EnvironmentOf(LPVOID block, bool unicode)
{
    std::vector<std::string> entries;
    if (block == nullptr) {
        for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
            if (std::strncmp(*entry, "SYSDLG_DATA_ROOT=", 17) != 0)
                entries.emplace_back(*entry);
        }
    } else if (unicode) {
        for (auto* p = static_cast<const wchar_t*>(block); *p != L'\0'; p += std::wcslen(p) + 1)
            entries.push_back(win::WideToUtf8(p));
    } else {
        for (auto* p = static_cast<const char*>(block); *p != '\0'; p += std::strlen(p) + 1)
            entries.emplace_back(p);
    }
    return entries;
}

void WatchProcess(std::shared_ptr<ProcessObject> process)
{
    int status = 0;
    pid_t result = 0;
    do {
        result = ::waitpid(process->pid, &status, 0);
    } while (result < 0 && errno == EINTR);
    DWORD code = 0;
    if (result == process->pid) {
        if (WIFEXITED(status))
            code = static_cast<DWORD>(WEXITSTATUS(status));
        else if (WIFSIGNALED(status))
            code = 128 + static_cast<DWORD>(WTERMSIG(status));
    }
    if (process->terminated)
        code = process->terminationCode;
    process->Finish(code);
}

}  // namespace

BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                    BOOL inheritHandles, DWORD creationFlags, LPVOID environment, LPCWSTR currentDirectory,
                    LPSTARTUPINFOW startupInfo, LPPROCESS_INFORMATION processInformation)
{
    if (processInformation == nullptr || startupInfo == nullptr ||
        (applicationName == nullptr && commandLine == nullptr))
        return Fail(ERROR_INVALID_PARAMETER, L"missing argument");
    if ((creationFlags & CREATE_SUSPENDED) != 0)
        return Fail(ERROR_NOT_SUPPORTED, L"suspended processes");

    const std::wstring line = commandLine != nullptr ? commandLine : L"";
    Program program;
    if (applicationName != nullptr) {
        std::optional<win::ResolvedPath> path = win::Drives::Resolve(applicationName);
        if (!path)
            return Fail(GetLastError(), applicationName);
        struct stat info {};
        if (!path->Stat(info, true))
            return Fail(path->ErrorOf(errno), applicationName);
        if (!S_ISREG(info.st_mode))
            return Fail(ERROR_ACCESS_DENIED, applicationName);
        program.path = *path;
        program.rest = AfterFirstToken(line);
    } else {
        std::optional<Program> found = ProgramOfCommandLine(line);
        if (!found)
            return Fail(ERROR_FILE_NOT_FOUND, line);
        program = *found;
    }
    // The program and the working folder are opened beneath their drives and
    // reached through their descriptors: what runs, and where, is what was
    // looked up, not what a link swapped in meanwhile would lead to.
    const win::Descriptor executable(program.path.Open(O_PATH));
    const std::string executablePath = win::DescriptorPath(executable.Get());
    if (!executable.IsOpen() || ::access(executablePath.c_str(), X_OK) != 0)
        return Fail(ERROR_ACCESS_DENIED, L"not executable: " + program.path.windows);

    // Arguments after the program, by the C runtime's rules.
    std::vector<std::wstring> tokens = win::SplitCommandLine(L"x " + program.rest);
    std::vector<std::string> arguments{program.path.posix};
    for (std::size_t i = 1; i < tokens.size(); ++i)
        arguments.push_back(win::WideToUtf8(tokens[i]));

    win::Descriptor workingFolder;
    if (currentDirectory != nullptr) {
        std::optional<win::ResolvedPath> folder = win::Drives::Resolve(currentDirectory);
        if (folder)
            workingFolder = win::Descriptor(folder->Open(O_PATH | O_DIRECTORY));
        if (!workingFolder.IsOpen())
            return Fail(ERROR_DIRECTORY, currentDirectory);
    } else if (std::optional<win::ResolvedPath> current = win::Drives::Resolve(win::Drives::GetCurrentDirectory())) {
        workingFolder = win::Descriptor(current->Open(O_PATH | O_DIRECTORY));
    }
    if (!workingFolder.IsOpen() && !win::Drives::GetDataRoot().empty())
        workingFolder = win::Descriptor(::open(win::Drives::GetDataRoot().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));

    std::vector<std::string> environmentEntries =
        EnvironmentOf(environment, (creationFlags & CREATE_UNICODE_ENVIRONMENT) != 0);
    environmentEntries.push_back("SYSDLG_DATA_ROOT=" + win::Drives::GetDataRoot());

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (workingFolder.IsOpen())
        posix_spawn_file_actions_addfchdir_np(&actions, workingFolder.Get());
    // Kept open across the exec (a script's interpreter opens it by this path).
    posix_spawn_file_actions_adddup2(&actions, executable.Get(), executable.Get());
    if (inheritHandles && (startupInfo->dwFlags & STARTF_USESTDHANDLES) != 0) {
        const HANDLE standard[3] = {startupInfo->hStdInput, startupInfo->hStdOutput, startupInfo->hStdError};
        for (int target = 0; target < 3; ++target) {
            const int fd = win::FileDescriptorOf(standard[target]);
            if (fd >= 0)
                posix_spawn_file_actions_adddup2(&actions, fd, target);
        }
    }
    short spawnFlags = 0;
    if ((creationFlags & CREATE_NEW_PROCESS_GROUP) != 0) {
        spawnFlags |= POSIX_SPAWN_SETPGROUP;
        posix_spawnattr_setpgroup(&attributes, 0);
    }
    posix_spawnattr_setflags(&attributes, spawnFlags);

    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environmentEntries)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int error = posix_spawn(&pid, executablePath.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        DWORD code = error == ENOEXEC ? ERROR_BAD_EXE_FORMAT : win::Win32ErrorFromErrno(error);
        return Fail(code, program.path.windows);
    }

    auto process = std::make_shared<ProcessObject>(pid);
    std::thread(WatchProcess, process).detach();
    processInformation->hProcess = win::HandleTable::Insert(process);
    processInformation->hThread = win::HandleTable::Insert(std::make_shared<MainThreadObject>(process));
    processInformation->dwProcessId = static_cast<DWORD>(pid);
    processInformation->dwThreadId = static_cast<DWORD>(pid);  // the main thread's id is the process's
    return TRUE;
}

BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode)
{
    auto object = win::HandleTable::FindAs<ProcessObject>(process, win::ObjectKind::Process);
    if (!object)
        return FALSE;
    if (exitCode == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *exitCode = object->ExitCode();
    return TRUE;
}

BOOL TerminateProcess(HANDLE process, UINT exitCode)
{
    auto object = win::HandleTable::FindAs<ProcessObject>(process, win::ObjectKind::Process);
    if (!object)
        return FALSE;
    if (object->ExitCode() != STILL_ACTIVE) {
        SetLastError(ERROR_ACCESS_DENIED);  // already ended
        return FALSE;
    }
    object->terminationCode = exitCode;
    object->terminated = true;
    ::kill(object->pid, SIGKILL);
    return TRUE;
}

void GetStartupInfoW(LPSTARTUPINFOW startupInfo)
{
    if (startupInfo == nullptr)
        return;
    *startupInfo = STARTUPINFOW{};
    startupInfo->cb = sizeof(STARTUPINFOW);
    startupInfo->wShowWindow = 1;  // SW_SHOWNORMAL
}
