#include "win/ShellFileOperation.h"

#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/FileInfo.h"
#include "win/FileTree.h"
#include "win/Handles.h"
#include "win/NameMatch.h"
#include "win/TextConvert.h"

#include <cerrno>
#include <dirent.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace win {
namespace {

constexpr int DE_ROOTDIR = 0x74;

std::mutex g_handlerMutex;
ShellFileOperation::ConfirmHandler g_handler;

struct Item {
    std::wstring windows;
    std::string posix;
};

// One run of the operation: flags, owner and what happened so far.
class Operation {
public:
    explicit Operation(SHFILEOPSTRUCTW& request) : m_request(request) {}

    int Run();

private:
    bool Ask(ShellFileOperation::Question question, const std::wstring& path);
    int Delete(const std::vector<Item>& sources);
    int CopyOrMove(const std::vector<Item>& sources, bool move);
    int Rename(const std::vector<Item>& sources);
    int CopyEntry(const std::string& from, const std::string& to, const std::wstring& toWindows);
    int MoveEntry(const Item& from, const Item& to);
    std::optional<std::vector<Item>> Sources(int& error);
    void Declined() { m_request.fAnyOperationsAborted = TRUE; }

    SHFILEOPSTRUCTW& m_request;
};

std::vector<std::wstring> SplitList(LPCWSTR list)
{
    std::vector<std::wstring> items;
    if (list == nullptr)
        return items;
    for (const wchar_t* p = list; *p != L'\0'; p += std::wcslen(p) + 1)
        items.emplace_back(p);
    return items;
}

std::wstring LastName(const std::wstring& path)
{
    std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
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

bool IsWithin(const std::string& path, const std::string& folder)
{
    return path == folder || path.rfind(folder + "/", 0) == 0;
}

int Report(int code, const std::wstring& what)
{
    OutputDebugStringW((L"SHFileOperationW failed (" + std::to_wstring(code) + L"): " + what).c_str());
    return code;
}

bool Operation::Ask(ShellFileOperation::Question question, const std::wstring& path)
{
    if ((m_request.fFlags & FOF_NOCONFIRMATION) != 0)
        return true;
    if (question == ShellFileOperation::Question::CreateFolder && (m_request.fFlags & FOF_NOCONFIRMMKDIR) != 0)
        return true;
    ShellFileOperation::ConfirmHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_handlerMutex);
        handler = g_handler;
    }
    return !handler || handler(m_request.hwnd, question, path);
}

// Resolves the source list; wildcards in a last name expand to the
// matching entries (without "." and "..").
std::optional<std::vector<Item>> Operation::Sources(int& error)
{
    std::vector<Item> items;
    for (const std::wstring& source : SplitList(m_request.pFrom)) {
        if (HasWildcards(LastName(source))) {
            WIN32_FIND_DATAW data;
            HANDLE search = FindFirstFileExW(source.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
            if (search == INVALID_HANDLE_VALUE)
                continue;
            const std::wstring folder = source.substr(0, source.size() - LastName(source).size());
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                if ((m_request.fFlags & FOF_FILESONLY) != 0 && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                    continue;
                std::optional<ResolvedPath> path = Drives::Resolve(folder + name);
                if (path)
                    items.push_back({path->windows, path->posix});
            } while (FindNextFileW(search, &data));
            FindClose(search);
            continue;
        }
        std::optional<ResolvedPath> path = Drives::Resolve(source);
        if (!path || !Exists(path->posix)) {
            error = Report(ERROR_FILE_NOT_FOUND, source);
            return std::nullopt;
        }
        if (path->isRoot) {
            error = Report(DE_ROOTDIR, source);
            return std::nullopt;
        }
        items.push_back({path->windows, path->posix});
    }
    if (items.empty()) {
        error = Report(ERROR_FILE_NOT_FOUND, L"no source");
        return std::nullopt;
    }
    return items;
}

int Operation::Run()
{
    m_request.fAnyOperationsAborted = FALSE;
    if (m_request.wFunc < FO_MOVE || m_request.wFunc > FO_RENAME)
        return Report(ERROR_INVALID_PARAMETER, L"unknown function");
    int error = 0;
    std::optional<std::vector<Item>> sources = Sources(error);
    if (!sources)
        return error;
    switch (m_request.wFunc) {
    case FO_DELETE: return Delete(*sources);
    case FO_COPY: return CopyOrMove(*sources, false);
    case FO_MOVE: return CopyOrMove(*sources, true);
    default: return Rename(*sources);
    }
}

int Operation::Delete(const std::vector<Item>& sources)
{
    std::optional<std::string> current = Drives::ToPosix(Drives::GetCurrentDirectory());
    for (const Item& item : sources) {
        if (!Ask(ShellFileOperation::Question::DeleteItem, item.windows)) {
            Declined();
            continue;
        }
        if (current && IsWithin(*current, item.posix))
            return Report(ERROR_SHARING_VIOLATION, item.windows);  // the current directory is in use
        if (int errorNumber = FileTree::RemoveTree(item.posix))
            return Report(static_cast<int>(Win32ErrorFromErrno(errorNumber)), item.windows);
    }
    return 0;
}

int Operation::CopyOrMove(const std::vector<Item>& sources, bool move)
{
    std::vector<std::wstring> destinations = SplitList(m_request.pTo);
    if (destinations.empty())
        return Report(DE_INVALIDFILES, L"no destination");
    std::vector<Item> targets;
    if ((m_request.fFlags & FOF_MULTIDESTFILES) != 0 && destinations.size() > 1) {
        if (destinations.size() != sources.size())
            return Report(DE_MANYSRC1DEST, L"source and destination lists differ in length");
        for (const std::wstring& destination : destinations) {
            std::optional<ResolvedPath> path = Drives::Resolve(destination);
            if (!path)
                return Report(static_cast<int>(GetLastError()), destination);
            targets.push_back({path->windows, path->posix});
        }
    } else {
        std::optional<ResolvedPath> destination = Drives::Resolve(destinations[0]);
        if (!destination)
            return Report(static_cast<int>(GetLastError()), destinations[0]);
        const bool single = sources.size() == 1 && !HasWildcards(LastName(SplitList(m_request.pFrom)[0]));
        if (!IsDirectory(destination->posix)) {
            if (single) {
                targets.push_back({destination->windows, destination->posix});
            } else if (Exists(destination->posix)) {
                return Report(DE_FLDDESTISFILE, destination->windows);
            } else {
                if (!Ask(ShellFileOperation::Question::CreateFolder, destination->windows)) {
                    Declined();
                    return 0;
                }
                if (::mkdir(destination->posix.c_str(), 0777) != 0)
                    return Report(static_cast<int>(Win32ErrorFromErrno(errno)), destination->windows);
            }
        }
        if (targets.empty()) {
            // Into the folder, under each source's name; an existing entry
            // of another case is the one replaced, as on Windows.
            for (const Item& source : sources) {
                const std::wstring target =
                    destination->windows + (destination->isRoot ? L"" : L"\\") + LastName(source.windows);
                std::optional<ResolvedPath> path = Drives::Resolve(target);
                if (!path)
                    return Report(static_cast<int>(GetLastError()), target);
                targets.push_back({path->windows, path->posix});
            }
        }
    }

    for (std::size_t i = 0; i < sources.size(); ++i) {
        const Item& from = sources[i];
        const Item& to = targets[i];
        if (from.posix == to.posix)
            return Report(DE_SAMEFILE, to.windows);
        if (IsDirectory(from.posix) && IsWithin(to.posix, from.posix))
            return Report(DE_DESTSUBTREE, to.windows);
        int code = move ? MoveEntry(from, to) : CopyEntry(from.posix, to.posix, to.windows);
        if (code != 0)
            return code;
    }
    return 0;
}

int Operation::CopyEntry(const std::string& from, const std::string& to, const std::wstring& toWindows)
{
    struct stat link {};
    if (::lstat(from.c_str(), &link) != 0)
        return Report(static_cast<int>(Win32ErrorFromErrno(errno)), toWindows);
    if (S_ISLNK(link.st_mode) && !Drives::IsInsideDataRoot(from))
        return Report(DE_ACCESSDENIEDSRC, toWindows);  // never copy what lies outside the root
    struct stat source {};
    if (::stat(from.c_str(), &source) != 0)
        return Report(DE_ACCESSDENIEDSRC, toWindows);
    struct stat target {};
    const bool targetExists = ::stat(to.c_str(), &target) == 0;

    if (!S_ISDIR(source.st_mode)) {
        if (targetExists && S_ISDIR(target.st_mode))
            return Report(DE_FILEDESTISFLD, toWindows);
        if (targetExists) {
            if (!Ask(ShellFileOperation::Question::ReplaceFile, toWindows)) {
                Declined();
                return 0;
            }
            ::unlink(to.c_str());  // also a read-only one, once the operator agreed
        }
        if (int errorNumber = FileTree::CopyFile(from, to, false))
            return Report(static_cast<int>(Win32ErrorFromErrno(errorNumber)), toWindows);
        return 0;
    }

    if (targetExists) {
        if (!S_ISDIR(target.st_mode))
            return Report(DE_FLDDESTISFILE, toWindows);
        if (!Ask(ShellFileOperation::Question::ReplaceFolder, toWindows)) {
            Declined();
            return 0;
        }
    } else if (::mkdir(to.c_str(), 0777) != 0) {
        return Report(static_cast<int>(Win32ErrorFromErrno(errno)), toWindows);
    }
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(from.c_str())) {
        while (dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
    }
    for (const std::string& name : names) {
        if (int code = CopyEntry(from + "/" + name, to + "/" + name, toWindows + L"\\" + Utf8ToWide(name)))
            return code;
    }
    // A folder's archive and system bits travel with it as a file's do
    // (stored before its permissions may take away the right to store them).
    FileInfo::StoreAttributes(to, FileInfo::StoredAttributes(from));
    ::chmod(to.c_str(), source.st_mode & 07777);
    return 0;
}

int Operation::MoveEntry(const Item& from, const Item& to)
{
    if (!Exists(to.posix) && ::rename(from.posix.c_str(), to.posix.c_str()) == 0) {
        FileInfo::KeepStoredAttributesAfterMove(to.posix);
        return 0;
    }
    if (!Exists(to.posix) && errno != EXDEV)
        return Report(static_cast<int>(Win32ErrorFromErrno(errno)), to.windows);
    // Into an existing destination or onto another file system: copy, then
    // remove the source unless something was declined or failed.
    const BOOL abortedBefore = m_request.fAnyOperationsAborted;
    m_request.fAnyOperationsAborted = FALSE;
    int code = CopyEntry(from.posix, to.posix, to.windows);
    const bool declined = m_request.fAnyOperationsAborted != FALSE;
    m_request.fAnyOperationsAborted = abortedBefore || declined;
    if (code != 0 || declined)
        return code;
    if (int errorNumber = FileTree::RemoveTree(from.posix))
        return Report(static_cast<int>(Win32ErrorFromErrno(errorNumber)), from.windows);
    return 0;
}

int Operation::Rename(const std::vector<Item>& sources)
{
    std::vector<std::wstring> destinations = SplitList(m_request.pTo);
    if (sources.size() != 1 || destinations.size() != 1)
        return Report(DE_MANYSRC1DEST, L"rename takes one item");
    if (!MoveFileW(sources[0].windows.c_str(), destinations[0].c_str()))
        return Report(static_cast<int>(GetLastError()), destinations[0]);
    return 0;
}

}  // namespace

void ShellFileOperation::SetConfirmHandler(ConfirmHandler handler)
{
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    g_handler = std::move(handler);
}

int ShellFileOperation::Run(SHFILEOPSTRUCTW& operation)
{
    return Operation(operation).Run();
}

}  // namespace win

int SHFileOperationW(LPSHFILEOPSTRUCTW operation)
{
    if (operation == nullptr || operation->pFrom == nullptr)
        return ERROR_INVALID_PARAMETER;
    return win::ShellFileOperation::Run(*operation);
}
