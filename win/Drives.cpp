#include "win/Drives.h"

#include "win/Beneath.h"
#include "win/DebugLog.h"
#include "win/DriveFolders.h"
#include "win/Handles.h"
#include "win/NameMatch.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
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
    // Each part as it was written, trailing dots and blanks included: an
    // entry of that exact name is the one meant, where one exists.
    std::vector<std::wstring> written;

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
    WinPath current = WinPath{L'C', {}, {}, {}, {}};
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

bool IsWithin(const std::string& path, const std::string& folder)
{
    return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                              path[folder.size()] == '/');
}

// The entry of the folder `beneath` below `base` whose name equals `name`
// without regard to case; the first in byte order when several do.
std::optional<std::string> FindEntryIgnoringCase(int base, const std::string& beneath, std::wstring_view name)
{
    const int folder = OpenBeneath(base, beneath, O_RDONLY | O_DIRECTORY);
    DIR* dir = folder >= 0 ? ::fdopendir(folder) : nullptr;
    if (dir == nullptr) {
        if (folder >= 0)
            ::close(folder);
        return std::nullopt;
    }
    std::optional<std::string> found;
    while (dirent* entry = ::readdir(dir)) {
        std::string entryName = entry->d_name;
        if (entryName == "." || entryName == "..")
            continue;
        if (IsValidUtf8(entryName) && NamesEqual(Utf8ToWide(entryName), name) && (!found || entryName < *found))
            found = entryName;
    }
    ::closedir(dir);
    if (!found)
        errno = ENOENT;
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
        path.written.clear();
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
            path.written.pop_back();
            continue;
        }
        const std::wstring_view written = part;
        while (!part.empty() && (part.back() == L'.' || part.back() == L' '))
            part.remove_suffix(1);
        if (part.empty())
            continue;
        if (!IsValidFileName(part))
            return Fail(ERROR_INVALID_NAME);
        if (part.size() > kMaxNameLength)
            return Fail(ERROR_FILENAME_EXCED_RANGE);
        path.parts.emplace_back(part);
        path.written.emplace_back(written.size() <= kMaxNameLength && IsValidFileName(written) ? written : part);
    }
    if (path.Text().size() >= limit)
        return Fail(ERROR_FILENAME_EXCED_RANGE);
    return true;
}

// The drive's (or share's) folder of `path`, opened; sets the last error.
bool OpenDriveFolder(const WinPath& path, ResolvedPath& resolved)
{
    std::string key;
    if (path.drive != 0) {
        key = std::string(1, static_cast<char>(path.drive));
    } else {
        const std::shared_ptr<const Descriptor> root = DriveFolders::Root();
        std::optional<std::string> server =
            root ? FindEntryIgnoringCase(root->Get(), "UNC", path.server) : std::nullopt;
        if (!server) {
            SetLastError(ERROR_BAD_NETPATH);
            return false;
        }
        std::optional<std::string> share = FindEntryIgnoringCase(root->Get(), "UNC/" + *server, path.share);
        if (!share) {
            SetLastError(ERROR_BAD_NET_NAME);
            return false;
        }
        key = "UNC/" + *server + "/" + *share;
    }
    resolved.drive = DriveFolders::Open(key);
    if (!resolved.drive) {
        SetLastError(path.drive != 0 ? ERROR_PATH_NOT_FOUND : ERROR_BAD_NET_NAME);
        return false;
    }
    resolved.posixRoot += "/" + key;
    return true;
}

bool Unreachable(const ResolvedPath& resolved)
{
    OutputDebugStringW((L"path cannot be reached on its drive: " + resolved.windows).c_str());
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
}

// Spells each existing part as the drive does (without regard to case),
// looking every part up beneath the drive's folder. False (last error set)
// when a part leads out of the drive.
bool SpellBeneath(std::vector<std::wstring> parts, const std::vector<std::wstring>& written,
                  Drives::FinalLink finalLink, ResolvedPath& resolved)
{
    const int drive = resolved.DriveFolder();
    std::string beneath;
    // Windows drops a name's trailing dots and blanks, but a drive here may
    // hold "abc " beside "abc": a part names the entry it was written as
    // when that exists.
    for (std::size_t index = 0; index < parts.size() && index < written.size(); ++index) {
        if (written[index] != parts[index]) {
            const Descriptor exact(
                OpenBeneath(drive, JoinBeneath(beneath, WideToUtf8(written[index])), O_PATH | O_NOFOLLOW));
            if (exact.IsOpen())
                parts[index] = written[index];
        }
        beneath = JoinBeneath(beneath, WideToUtf8(parts[index]));
    }
    beneath.clear();
    for (const std::wstring& part : parts)
        beneath = JoinBeneath(beneath, WideToUtf8(part));
    Descriptor entry(OpenBeneath(drive, beneath.empty() ? "." : beneath, O_PATH | O_NOFOLLOW));
    if (!entry.IsOpen() && errno == EACCES)
        return Unreachable(resolved);
    if (!entry.IsOpen()) {
        // Some part is missing or spelled in another case: part by part.
        beneath.clear();
        bool existing = true;
        for (const std::wstring& part : parts) {
            std::string name = WideToUtf8(part);
            if (existing) {
                entry = Descriptor(OpenBeneath(drive, JoinBeneath(beneath, name), O_PATH | O_NOFOLLOW));
                if (!entry.IsOpen() && errno == EACCES)
                    return Unreachable(resolved);
                if (!entry.IsOpen() && errno == ENOENT) {
                    std::optional<std::string> spelled =
                        FindEntryIgnoringCase(drive, beneath.empty() ? "." : beneath, part);
                    if (!spelled && errno == EACCES)
                        return Unreachable(resolved);
                    if (spelled) {
                        name = *spelled;
                        entry = Descriptor(OpenBeneath(drive, JoinBeneath(beneath, name), O_PATH | O_NOFOLLOW));
                    }
                }
                existing = entry.IsOpen();
            }
            beneath = JoinBeneath(beneath, name);
        }
    }
    // A last part that is a link must lead to a place on the drive, or
    // nowhere, unless the link itself is meant.
    struct stat info {};
    if (entry.IsOpen() && finalLink == Drives::FinalLink::Follow && ::fstat(entry.Get(), &info) == 0 &&
        S_ISLNK(info.st_mode)) {
        const Descriptor target(OpenBeneath(drive, beneath, O_PATH));
        if (!target.IsOpen() && errno == EACCES)
            return Unreachable(resolved);
    }
    resolved.beneath = beneath.empty() ? "." : beneath;
    resolved.posix = resolved.posixRoot + (beneath.empty() ? "" : "/" + beneath);
    return true;
}

// File-system part: finds the drive's folder and each existing name
// without regard to case.
std::optional<ResolvedPath> MapToPosix(const WinPath& path, const std::string& dataRoot, Drives::FinalLink finalLink)
{
    if (dataRoot.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    ResolvedPath resolved;
    resolved.windows = path.Text();
    resolved.root = path.RootText();
    resolved.isRoot = path.parts.empty();
    resolved.posixRoot = dataRoot;
    if (!OpenDriveFolder(path, resolved) || !SpellBeneath(path.parts, path.written, finalLink, resolved))
        return std::nullopt;
    return resolved;
}

std::optional<ResolvedPath> ResolveWith(std::wstring_view windowsPath, WinPath* parsed,
                                        Drives::FinalLink finalLink = Drives::FinalLink::Follow)
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
    return MapToPosix(path, dataRoot, finalLink);
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
    DriveFolders::Reset(root);
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

std::optional<ResolvedPath> Drives::Resolve(std::wstring_view windowsPath, FinalLink finalLink)
{
    return ResolveWith(windowsPath, nullptr, finalLink);
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
    if (!resolved->Stat(info, true))
        return Fail(resolved->ErrorOf(errno));
    if (!S_ISDIR(info.st_mode))
        return Fail(ERROR_DIRECTORY);
    State& state = TheState();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.current = parsed;
    return true;
}

std::optional<std::wstring> Drives::FullPath(std::wstring_view windowsPath, bool keepTrailingSeparator)
{
    WinPath current;
    {
        State& state = TheState();
        std::lock_guard<std::mutex> lock(state.mutex);
        current = state.current;
    }
    WinPath path;
    bool endsWithSeparator = false;
    if (!ParseWindowsPath(windowsPath, current, path, &endsWithSeparator))
        return std::nullopt;
    std::wstring text = path.Text();
    if (keepTrailingSeparator && endsWithSeparator && text.back() != L'\\')
        text += L'\\';
    return text;
}

std::wstring Drives::GetCurrentRoot()
{
    State& state = TheState();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.current.RootText();
}

}  // namespace win
