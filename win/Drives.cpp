#include "win/Drives.h"

#include "win/DebugLog.h"
#include "win/Handles.h"
#include "win/NameMatch.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <dirent.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <vector>

namespace win {
namespace {

constexpr std::size_t kLongPathLimit = 32767;
constexpr std::size_t kMaxNameLength = 255;

// A parsed, normalised Windows path.
struct WinPath {
    wchar_t drive = 0;  // 0 for a UNC path
    std::wstring server;
    std::wstring share;
    std::vector<std::wstring> parts;

    std::wstring RootText() const
    {
        if (drive != 0)
            return std::wstring{drive, L':', L'\\'};
        return L"\\\\" + server + L"\\" + share + L"\\";
    }

    std::wstring Text() const
    {
        std::wstring text = RootText();
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i > 0)
                text += L'\\';
            text += parts[i];
        }
        return text;
    }
};

struct State {
    std::mutex mutex;
    std::string root;
    WinPath current = WinPath{L'C', {}, {}, {}};
};

State& TheState()
{
    static State state;
    return state;
}

bool IsDirectory(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::optional<std::string> RealPath(const std::string& path)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return std::nullopt;
    std::string result(resolved);
    std::free(resolved);
    return result;
}

bool IsWithin(const std::string& path, const std::string& folder)
{
    return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                              path[folder.size()] == '/');
}

// The entry of `folder` whose name equals `name` without regard to case;
// the first in byte order when several do.
std::optional<std::string> FindEntryIgnoringCase(const std::string& folder, std::wstring_view name)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return std::nullopt;
    std::optional<std::string> found;
    while (dirent* entry = ::readdir(dir)) {
        std::string entryName = entry->d_name;
        if (entryName == "." || entryName == "..")
            continue;
        if (NamesEqual(Utf8ToWide(entryName), name) && (!found || entryName < *found))
            found = entryName;
    }
    ::closedir(dir);
    return found;
}

bool Fail(DWORD error)
{
    SetLastError(error);
    return false;
}

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

wchar_t UpperLetter(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

// Lexical part: parses `input` against the current directory. On failure
// sets the last error. *endsWithSeparator tells whether the text ended with
// a backslash (GetFullPathNameW keeps it).
bool ParseWindowsPath(std::wstring_view input, const WinPath& current, WinPath& path, bool* endsWithSeparator)
{
    if (input.find(L'\0') != std::wstring_view::npos)
        return Fail(ERROR_INVALID_NAME);
    if (input.empty())
        return Fail(ERROR_PATH_NOT_FOUND);
    std::wstring text(input);
    std::replace(text.begin(), text.end(), L'/', L'\\');
    std::size_t limit = MAX_PATH;
    if (text.rfind(L"\\\\?\\", 0) == 0) {
        text.erase(0, 4);
        limit = kLongPathLimit;
        if (text.rfind(L"UNC\\", 0) == 0)
            text = L"\\\\" + text.substr(4);
    } else if (text.rfind(L"\\\\.\\", 0) == 0) {
        return Fail(ERROR_INVALID_NAME);  // devices are not part of the port
    }
    if (endsWithSeparator != nullptr)
        *endsWithSeparator = text.back() == L'\\';

    std::wstring_view rest;
    if (text.rfind(L"\\\\", 0) == 0) {
        std::wstring_view unc = std::wstring_view(text).substr(2);
        std::size_t serverEnd = unc.find(L'\\');
        if (serverEnd == std::wstring_view::npos || serverEnd == 0)
            return Fail(ERROR_BAD_PATHNAME);
        std::size_t shareEnd = unc.find(L'\\', serverEnd + 1);
        path = WinPath{};
        path.server = unc.substr(0, serverEnd);
        path.share = unc.substr(serverEnd + 1, shareEnd == std::wstring_view::npos ? shareEnd : shareEnd - serverEnd - 1);
        if (!IsValidFileName(path.server) || !IsValidFileName(path.share))
            return Fail(ERROR_BAD_PATHNAME);
        rest = shareEnd == std::wstring_view::npos ? std::wstring_view() : unc.substr(shareEnd);
    } else if (text.size() >= 2 && text[1] == L':' && IsAsciiLetter(text[0])) {
        const wchar_t drive = UpperLetter(text[0]);
        rest = std::wstring_view(text).substr(2);
        if (!rest.empty() && rest[0] == L'\\') {
            path = WinPath{};
        } else {
            // Drive-relative: the current directory when it is on that drive.
            path = current.drive == drive ? current : WinPath{};
        }
        path.drive = drive;
    } else if (text[0] == L'\\') {
        path = current;
        path.parts.clear();
        rest = text;
    } else {
        path = current;
        rest = text;
    }

    std::size_t pos = 0;
    while (pos <= rest.size()) {
        std::size_t end = rest.find(L'\\', pos);
        if (end == std::wstring_view::npos)
            end = rest.size();
        std::wstring_view part = rest.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == L".")
            continue;
        if (part == L"..") {
            if (path.parts.empty()) {
                OutputDebugStringW((L"path leaves its drive's root: " + std::wstring(input)).c_str());
                return Fail(ERROR_PATH_NOT_FOUND);
            }
            path.parts.pop_back();
            continue;
        }
        while (!part.empty() && (part.back() == L'.' || part.back() == L' '))
            part.remove_suffix(1);
        if (part.empty())
            continue;
        if (!IsValidFileName(part))
            return Fail(ERROR_INVALID_NAME);
        if (part.size() > kMaxNameLength)
            return Fail(ERROR_FILENAME_EXCED_RANGE);
        path.parts.emplace_back(part);
    }
    if (path.Text().size() >= limit)
        return Fail(ERROR_FILENAME_EXCED_RANGE);
    return true;
}

// File-system part: finds the drive's folder and each existing name
// without regard to case.
std::optional<ResolvedPath> MapToPosix(const WinPath& path, const std::string& dataRoot)
{
    if (dataRoot.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    ResolvedPath resolved;
    resolved.windows = path.Text();
    resolved.root = path.RootText();
    resolved.isRoot = path.parts.empty();
    if (path.drive != 0) {
        resolved.posixRoot = dataRoot + "/" + static_cast<char>(path.drive);
        if (!IsDirectory(resolved.posixRoot)) {
            SetLastError(ERROR_PATH_NOT_FOUND);
            return std::nullopt;
        }
    } else {
        const std::string network = dataRoot + "/UNC";
        std::optional<std::string> server = FindEntryIgnoringCase(network, path.server);
        if (!server) {
            SetLastError(ERROR_BAD_NETPATH);
            return std::nullopt;
        }
        std::optional<std::string> share = FindEntryIgnoringCase(network + "/" + *server, path.share);
        if (!share || !IsDirectory(network + "/" + *server + "/" + *share)) {
            SetLastError(ERROR_BAD_NET_NAME);
            return std::nullopt;
        }
        resolved.posixRoot = network + "/" + *server + "/" + *share;
    }

    std::string posix = resolved.posixRoot;
    std::string lastExisting = posix;
    bool existing = true;
    for (const std::wstring& part : path.parts) {
        const std::string name = WideToUtf8(part);
        if (existing) {
            if (Exists(posix + "/" + name)) {
                posix += "/" + name;
                lastExisting = posix;
                continue;
            }
            if (std::optional<std::string> entry = FindEntryIgnoringCase(posix, part)) {
                posix += "/" + *entry;
                lastExisting = posix;
                continue;
            }
            existing = false;
        }
        posix += "/" + name;
    }

    // Symbolic links must not lead out of the drive.
    std::optional<std::string> realRoot = RealPath(resolved.posixRoot);
    std::optional<std::string> realTarget = RealPath(lastExisting);
    if (!realRoot || !realTarget || !IsWithin(*realTarget, *realRoot)) {
        OutputDebugStringW((L"path leads outside its drive: " + resolved.windows).c_str());
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    resolved.posix = posix;
    return resolved;
}

std::optional<ResolvedPath> ResolveWith(std::wstring_view windowsPath, WinPath* parsed)
{
    std::string dataRoot;
    WinPath current;
    {
        State& state = TheState();
        std::lock_guard<std::mutex> lock(state.mutex);
        dataRoot = state.root;
        current = state.current;
    }
    WinPath path;
    if (!ParseWindowsPath(windowsPath, current, path, nullptr))
        return std::nullopt;
    if (parsed != nullptr)
        *parsed = path;
    return MapToPosix(path, dataRoot);
}

// "a/./b//../c" -> "a/c", for absolute paths.
std::string NormalisePosix(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string result;
    for (const std::string& part : parts)
        result += "/" + part;
    return result.empty() ? "/" : result;
}

}  // namespace

bool Drives::SetDataRoot(const std::string& posixDir)
{
    std::string root;
    if (!posixDir.empty()) {
        std::string absolute = posixDir;
        if (absolute[0] != '/') {
            char* cwd = ::getcwd(nullptr, 0);
            absolute = std::string(cwd != nullptr ? cwd : "") + "/" + absolute;
            std::free(cwd);
        }
        absolute = NormalisePosix(absolute);
        // Create the folder and its missing parents.
        for (std::size_t slash = absolute.find('/', 1);; slash = absolute.find('/', slash + 1)) {
            std::string prefix = absolute.substr(0, slash);
            if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) {
                SetLastErrorFromErrno(errno);
                return false;
            }
            if (slash == std::string::npos)
                break;
        }
        if (!IsDirectory(absolute))
            return Fail(ERROR_DIRECTORY);
        root = absolute;
    }
    State& state = TheState();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.root = root;
    state.current = WinPath{};
    state.current.drive = L'C';
    return true;
}

std::string Drives::GetDataRoot()
{
    State& state = TheState();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.root;
}

std::string Drives::DriveFolder(wchar_t letter)
{
    return GetDataRoot() + "/" + static_cast<char>(UpperLetter(letter));
}

std::optional<ResolvedPath> Drives::Resolve(std::wstring_view windowsPath)
{
    return ResolveWith(windowsPath, nullptr);
}

std::optional<std::string> Drives::ToPosix(std::wstring_view windowsPath)
{
    std::optional<ResolvedPath> resolved = Resolve(windowsPath);
    if (!resolved)
        return std::nullopt;
    return resolved->posix;
}

std::optional<std::wstring> Drives::FromPosix(const std::string& posixPath)
{
    const std::string root = GetDataRoot();
    if (root.empty() || posixPath.empty() || posixPath[0] != '/')
        return std::nullopt;
    const std::string path = NormalisePosix(posixPath);
    if (!IsWithin(path, root) || path == root)
        return std::nullopt;
    std::vector<std::wstring> parts;
    for (std::size_t pos = root.size() + 1; pos <= path.size();) {
        std::size_t end = std::min(path.find('/', pos), path.size());
        const std::string name = path.substr(pos, end - pos);
        pos = end + 1;
        if (!IsValidUtf8(name))
            return std::nullopt;
        std::wstring wide = Utf8ToWide(name);
        if (!IsValidFileName(wide))
            return std::nullopt;
        parts.push_back(std::move(wide));
    }
    WinPath windows;
    std::size_t first = 1;
    if (parts[0].size() == 1 && parts[0][0] >= L'A' && parts[0][0] <= L'Z') {
        windows.drive = parts[0][0];
    } else if (parts[0] == L"UNC" && parts.size() >= 3) {
        windows.server = parts[1];
        windows.share = parts[2];
        first = 3;
    } else {
        return std::nullopt;
    }
    windows.parts.assign(parts.begin() + static_cast<std::ptrdiff_t>(first), parts.end());
    return windows.Text();
}

std::wstring Drives::GetCurrentDirectory()
{
    State& state = TheState();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.current.Text();
}

bool Drives::SetCurrentDirectory(std::wstring_view path)
{
    WinPath parsed;
    std::optional<ResolvedPath> resolved = ResolveWith(path, &parsed);
    if (!resolved)
        return false;
    struct stat info {};
    if (::stat(resolved->posix.c_str(), &info) != 0)
        return Fail(MissingFileError(resolved->posix));
    if (!S_ISDIR(info.st_mode))
        return Fail(ERROR_DIRECTORY);
    State& state = TheState();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.current = parsed;
    return true;
}

DWORD Drives::MissingFileError(const std::string& posixPath)
{
    std::size_t slash = posixPath.find_last_of('/');
    if (slash == std::string::npos || slash == 0)
        return ERROR_PATH_NOT_FOUND;
    return IsDirectory(posixPath.substr(0, slash)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

bool Drives::IsInsideDataRoot(const std::string& posixPath)
{
    const std::string root = GetDataRoot();
    if (root.empty())
        return false;
    std::optional<std::string> realRoot = RealPath(root);
    std::optional<std::string> realPath = RealPath(posixPath);
    return realRoot && realPath && IsWithin(*realPath, *realRoot);
}

}  // namespace win

using win::Drives;

DWORD GetCurrentDirectoryW(DWORD bufferLength, LPWSTR buffer)
{
    const std::wstring text = Drives::GetCurrentDirectory();
    if (buffer == nullptr || bufferLength <= text.size())
        return static_cast<DWORD>(text.size() + 1);
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

BOOL SetCurrentDirectoryW(LPCWSTR path)
{
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return Drives::SetCurrentDirectory(path) ? TRUE : FALSE;
}

DWORD GetFullPathNameW(LPCWSTR fileName, DWORD bufferLength, LPWSTR buffer, LPWSTR* filePart)
{
    if (fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    win::WinPath current;
    {
        win::State& state = win::TheState();
        std::lock_guard<std::mutex> lock(state.mutex);
        current = state.current;
    }
    win::WinPath path;
    bool endsWithSeparator = false;
    if (!win::ParseWindowsPath(fileName, current, path, &endsWithSeparator))
        return 0;
    std::wstring text = path.Text();
    if (endsWithSeparator && text.back() != L'\\')
        text += L'\\';
    if (buffer == nullptr || bufferLength <= text.size())
        return static_cast<DWORD>(text.size() + 1);
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    if (filePart != nullptr) {
        std::size_t slash = text.find_last_of(L'\\');
        *filePart = slash + 1 < text.size() ? buffer + slash + 1 : nullptr;
    }
    return static_cast<DWORD>(text.size());
}

DWORD GetLogicalDrives()
{
    if (Drives::GetDataRoot().empty())
        return 0;
    DWORD mask = 0;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if (win::IsDirectory(Drives::DriveFolder(letter)))
            mask |= 1u << (letter - L'A');
    }
    return mask;
}

UINT GetDriveTypeW(LPCWSTR rootPath)
{
    std::wstring text = rootPath != nullptr ? std::wstring(rootPath) : std::wstring();
    if (rootPath == nullptr) {
        win::State& state = win::TheState();
        std::lock_guard<std::mutex> lock(state.mutex);
        text = state.current.RootText();
    }
    std::replace(text.begin(), text.end(), L'/', L'\\');
    if ((text.size() == 2 || (text.size() == 3 && text[2] == L'\\')) && text[1] == L':' &&
        win::IsAsciiLetter(text[0])) {
        const wchar_t letter = win::UpperLetter(text[0]);
        if (Drives::GetDataRoot().empty() || !win::IsDirectory(Drives::DriveFolder(letter)))
            return DRIVE_NO_ROOT_DIR;
        return letter == L'C' || letter == L'D' ? DRIVE_FIXED : DRIVE_REMOVABLE;
    }
    if (text.rfind(L"\\\\", 0) == 0) {
        std::optional<win::ResolvedPath> resolved = Drives::Resolve(text);
        if (resolved && resolved->isRoot)
            return DRIVE_REMOTE;
    }
    return DRIVE_NO_ROOT_DIR;
}

BOOL GetDiskFreeSpaceExW(LPCWSTR directory, ULARGE_INTEGER* freeBytesAvailable, ULARGE_INTEGER* totalBytes,
                         ULARGE_INTEGER* totalFreeBytes)
{
    std::optional<win::ResolvedPath> resolved =
        Drives::Resolve(directory != nullptr ? std::wstring(directory) : Drives::GetCurrentDirectory());
    if (!resolved)
        return FALSE;
    struct statvfs info {};
    if (::statvfs(resolved->posix.c_str(), &info) != 0) {
        SetLastError(errno == ENOENT ? Drives::MissingFileError(resolved->posix) : win::Win32ErrorFromErrno(errno));
        return FALSE;
    }
    const ULONGLONG unit = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    if (freeBytesAvailable != nullptr)
        freeBytesAvailable->QuadPart = static_cast<ULONGLONG>(info.f_bavail) * unit;
    if (totalBytes != nullptr)
        totalBytes->QuadPart = static_cast<ULONGLONG>(info.f_blocks) * unit;
    if (totalFreeBytes != nullptr)
        totalFreeBytes->QuadPart = static_cast<ULONGLONG>(info.f_bfree) * unit;
    return TRUE;
}

wchar_t* _wgetcwd(wchar_t* buffer, int maxLength)
{
    const std::wstring text = Drives::GetCurrentDirectory();
    if (buffer == nullptr) {
        const std::size_t size = std::max(static_cast<std::size_t>(std::max(maxLength, 0)), text.size() + 1);
        buffer = static_cast<wchar_t*>(std::malloc(size * sizeof(wchar_t)));
        if (buffer == nullptr) {
            errno = ENOMEM;
            return nullptr;
        }
    } else if (maxLength <= 0) {
        errno = EINVAL;
        return nullptr;
    } else if (text.size() + 1 > static_cast<std::size_t>(maxLength)) {
        errno = ERANGE;
        return nullptr;
    }
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return buffer;
}

char* _getcwd(char* buffer, int maxLength)
{
    const std::string text = win::WideToUtf8(Drives::GetCurrentDirectory());
    if (buffer == nullptr) {
        const std::size_t size = std::max(static_cast<std::size_t>(std::max(maxLength, 0)), text.size() + 1);
        buffer = static_cast<char*>(std::malloc(size));
        if (buffer == nullptr) {
            errno = ENOMEM;
            return nullptr;
        }
    } else if (maxLength <= 0) {
        errno = EINVAL;
        return nullptr;
    } else if (text.size() + 1 > static_cast<std::size_t>(maxLength)) {
        errno = ERANGE;
        return nullptr;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return buffer;
}

int _wchdir(const wchar_t* path)
{
    if (path == nullptr) {
        errno = EINVAL;
        return -1;
    }
    if (!Drives::SetCurrentDirectory(path)) {
        errno = ENOENT;
        return -1;
    }
    return 0;
}

int _chdir(const char* path)
{
    if (path == nullptr) {
        errno = EINVAL;
        return -1;
    }
    return _wchdir(win::Utf8ToWide(path).c_str());
}

namespace {

struct SplitPath {
    std::wstring_view drive, dir, fname, ext;
};

SplitPath Split(std::wstring_view path)
{
    SplitPath split;
    if (path.size() >= 2 && path[1] == L':') {
        split.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring_view::npos) {
        split.dir = path.substr(0, slash + 1);
        path.remove_prefix(slash + 1);
    }
    std::size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring_view::npos) {
        split.fname = path.substr(0, dot);
        split.ext = path.substr(dot);
    } else {
        split.fname = path;
    }
    return split;
}

void CopyPart(std::wstring_view part, wchar_t* out, std::size_t count)
{
    if (out == nullptr || count == 0)
        return;
    const std::size_t length = std::min(part.size(), count - 1);
    std::wmemcpy(out, part.data(), length);
    out[length] = L'\0';
}

bool OutputArgumentsValid(const wchar_t* out, std::size_t count)
{
    return (out == nullptr) == (count == 0);
}

bool Fits(std::wstring_view part, const wchar_t* out, std::size_t count)
{
    return out == nullptr || part.size() < count;
}

std::wstring MakePath(const wchar_t* drive, const wchar_t* dir, const wchar_t* fname, const wchar_t* ext)
{
    std::wstring path;
    if (drive != nullptr && drive[0] != L'\0') {
        path += drive[0];
        path += L':';
    }
    if (dir != nullptr && dir[0] != L'\0') {
        path += dir;
        if (path.back() != L'\\' && path.back() != L'/')
            path += L'\\';
    }
    if (fname != nullptr)
        path += fname;
    if (ext != nullptr && ext[0] != L'\0') {
        if (ext[0] != L'.')
            path += L'.';
        path += ext;
    }
    return path;
}

}  // namespace

void _wsplitpath(const wchar_t* path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext)
{
    SplitPath split = Split(path != nullptr ? std::wstring_view(path) : std::wstring_view());
    CopyPart(split.drive, drive, _MAX_DRIVE);
    CopyPart(split.dir, dir, _MAX_DIR);
    CopyPart(split.fname, fname, _MAX_FNAME);
    CopyPart(split.ext, ext, _MAX_EXT);
}

errno_t _wsplitpath_s(const wchar_t* path, wchar_t* drive, std::size_t driveCount, wchar_t* dir,
                      std::size_t dirCount, wchar_t* fname, std::size_t fnameCount, wchar_t* ext,
                      std::size_t extCount)
{
    auto clearAll = [&] {
        CopyPart(L"", drive, driveCount);
        CopyPart(L"", dir, dirCount);
        CopyPart(L"", fname, fnameCount);
        CopyPart(L"", ext, extCount);
    };
    if (path == nullptr || !OutputArgumentsValid(drive, driveCount) || !OutputArgumentsValid(dir, dirCount) ||
        !OutputArgumentsValid(fname, fnameCount) || !OutputArgumentsValid(ext, extCount)) {
        clearAll();
        return EINVAL;
    }
    SplitPath split = Split(path);
    if (!Fits(split.drive, drive, driveCount) || !Fits(split.dir, dir, dirCount) ||
        !Fits(split.fname, fname, fnameCount) || !Fits(split.ext, ext, extCount)) {
        clearAll();
        return ERANGE;
    }
    CopyPart(split.drive, drive, driveCount);
    CopyPart(split.dir, dir, dirCount);
    CopyPart(split.fname, fname, fnameCount);
    CopyPart(split.ext, ext, extCount);
    return 0;
}

void _wmakepath(wchar_t* path, const wchar_t* drive, const wchar_t* dir, const wchar_t* fname, const wchar_t* ext)
{
    if (path != nullptr)
        CopyPart(MakePath(drive, dir, fname, ext), path, _MAX_PATH);
}

errno_t _wmakepath_s(wchar_t* path, std::size_t count, const wchar_t* drive, const wchar_t* dir,
                     const wchar_t* fname, const wchar_t* ext)
{
    if (path == nullptr || count == 0)
        return EINVAL;
    std::wstring text = MakePath(drive, dir, fname, ext);
    if (text.size() >= count) {
        path[0] = L'\0';
        return ERANGE;
    }
    CopyPart(text, path, count);
    return 0;
}
