#include "win/ShellFileOperation.h"

#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/FileInfo.h"
#include "win/FileTree.h"
#include "win/Handles.h"
#include "win/NameMatch.h"
#include "win/ShellQuestionBox.h"
#include "win/TextConvert.h"
#include "win/TreeCopy.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace win {
namespace {

constexpr int DE_ROOTDIR = 0x74;

using Answer = ShellFileOperation::Answer;
using Question = ShellFileOperation::Question;

std::mutex g_handlerMutex;
ShellFileOperation::ConfirmHandler g_handler;

struct Item {
    ResolvedPath path;
    const std::wstring& Windows() const { return path.windows; }
};

// One run of the operation: flags, owner and what happened so far.
class Operation : public CopyQuestions {
public:
    explicit Operation(SHFILEOPSTRUCTW& request) : m_request(request) {}

    int Run();

    bool Confirm(Question question, const std::wstring& path) override;
    bool Cancelled() const override { return m_cancelled; }

private:
    int Delete(const std::vector<Item>& sources);
    int CopyOrMove(const std::vector<Item>& sources, bool move);
    std::optional<std::vector<Item>> Targets(const std::vector<Item>& sources, int& error);
    int Rename(const std::vector<Item>& sources);
    int CopyEntry(const Item& from, const Item& to);
    int MoveEntry(const Item& from, const Item& to);
    std::optional<std::vector<Item>> Sources(int& error);
    void Declined() { m_request.fAnyOperationsAborted = TRUE; }

    SHFILEOPSTRUCTW& m_request;
    std::set<Question> m_yesToAll;
    bool m_cancelled = false;
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

bool IsWithin(const std::string& path, const std::string& folder)
{
    return path == folder || path.rfind(folder + "/", 0) == 0;
}

bool IsDirectory(const ResolvedPath& path)
{
    struct stat info {};
    return path.Stat(info, true) && S_ISDIR(info.st_mode);
}

bool Exists(const ResolvedPath& path)
{
    struct stat info {};
    return path.Stat(info, false);
}

std::optional<ResolvedPath> ResolveTarget(const std::wstring& path, int& error)
{
    std::optional<ResolvedPath> resolved = Drives::Resolve(path);
    if (!resolved)
        error = ReportShellFailure(static_cast<int>(GetLastError()), path);
    return resolved;
}

// Replacing a file and merging into a folder are one kind of question.
Question KindOf(Question question)
{
    return question == Question::ReplaceFolder ? Question::ReplaceFile : question;
}

bool Operation::Confirm(Question question, const std::wstring& path)
{
    if (m_cancelled)
        return false;
    if ((m_request.fFlags & FOF_NOCONFIRMATION) != 0 || m_yesToAll.count(KindOf(question)) != 0)
        return true;
    if (question == Question::CreateFolder && (m_request.fFlags & FOF_NOCONFIRMMKDIR) != 0)
        return true;
    ShellFileOperation::ConfirmHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_handlerMutex);
        handler = g_handler;
    }
    const Answer answer =
        handler ? handler(m_request.hwnd, question, path) : AskShellQuestion(m_request.hwnd, question, path);
    switch (answer) {
    case Answer::YesToAll: m_yesToAll.insert(KindOf(question)); return true;
    case Answer::Yes: return true;
    case Answer::Cancel: m_cancelled = true; break;
    case Answer::No: break;
    }
    Declined();
    return false;
}

// Resolves the source list; wildcards in a last name expand to the
// matching entries (without "." and ".."). A source that is a link stands
// for the link: a delete removes it, a copy follows it beneath its drive.
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
                if (std::optional<ResolvedPath> path = Drives::Resolve(folder + name, Drives::FinalLink::Keep))
                    items.push_back({std::move(*path)});
            } while (FindNextFileW(search, &data));
            FindClose(search);
            continue;
        }
        std::optional<ResolvedPath> path = Drives::Resolve(source, Drives::FinalLink::Keep);
        if (!path || !Exists(*path)) {
            error = ReportShellFailure(ERROR_FILE_NOT_FOUND, source);
            return std::nullopt;
        }
        if (path->isRoot) {
            error = ReportShellFailure(DE_ROOTDIR, source);
            return std::nullopt;
        }
        items.push_back({std::move(*path)});
    }
    if (items.empty()) {
        error = ReportShellFailure(ERROR_FILE_NOT_FOUND, L"no source");
        return std::nullopt;
    }
    return items;
}

int Operation::Run()
{
    m_request.fAnyOperationsAborted = FALSE;
    if (m_request.wFunc < FO_MOVE || m_request.wFunc > FO_RENAME)
        return ReportShellFailure(ERROR_INVALID_PARAMETER, L"unknown function");
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
        if (!Confirm(Question::DeleteItem, item.Windows())) {
            if (m_cancelled)
                break;
            continue;
        }
        if (current && IsWithin(*current, item.path.posix))
            return ReportShellFailure(ERROR_SHARING_VIOLATION, item.Windows());  // the current directory is in use
        const Descriptor folder(item.path.OpenFolder());
        const int errorNumber = folder.IsOpen() ? FileTree::RemoveTree(folder.Get(), item.path.Name()) : errno;
        if (errorNumber != 0)
            return ReportShellFailure(static_cast<int>(Win32ErrorFromErrno(errorNumber)), item.Windows());
    }
    return 0;
}

std::optional<std::vector<Item>> Operation::Targets(const std::vector<Item>& sources, int& error)
{
    std::vector<std::wstring> destinations = SplitList(m_request.pTo);
    std::vector<Item> targets;
    if ((m_request.fFlags & FOF_MULTIDESTFILES) != 0 && destinations.size() > 1) {
        if (destinations.size() != sources.size()) {
            error = ReportShellFailure(DE_MANYSRC1DEST, L"source and destination lists differ in length");
            return std::nullopt;
        }
        for (const std::wstring& destination : destinations) {
            std::optional<ResolvedPath> path = ResolveTarget(destination, error);
            if (!path)
                return std::nullopt;
            targets.push_back({std::move(*path)});
        }
        return targets;
    }
    std::optional<ResolvedPath> destination = ResolveTarget(destinations[0], error);
    if (!destination)
        return std::nullopt;
    const bool single = sources.size() == 1 && !HasWildcards(LastName(SplitList(m_request.pFrom)[0]));
    if (!IsDirectory(*destination)) {
        if (single) {
            targets.push_back({std::move(*destination)});
            return targets;
        }
        if (Exists(*destination)) {
            error = ReportShellFailure(DE_FLDDESTISFILE, destination->windows);
            return std::nullopt;
        }
        if (!Confirm(Question::CreateFolder, destination->windows)) {
            error = 0;
            return std::nullopt;
        }
        const Descriptor parent(destination->OpenFolder());
        if (!parent.IsOpen() || ::mkdirat(parent.Get(), destination->Name().c_str(), 0777) != 0) {
            error = ReportShellFailure(static_cast<int>(Win32ErrorFromErrno(errno)), destination->windows);
            return std::nullopt;
        }
    }
    // Into the folder, under each source's name; an existing entry of
    // another case is the one replaced, as on Windows.
    for (const Item& source : sources) {
        const std::wstring target =
            destination->windows + (destination->isRoot ? L"" : L"\\") + LastName(source.Windows());
        std::optional<ResolvedPath> path = ResolveTarget(target, error);
        if (!path)
            return std::nullopt;
        targets.push_back({std::move(*path)});
    }
    return targets;
}

int Operation::CopyOrMove(const std::vector<Item>& sources, bool move)
{
    if (SplitList(m_request.pTo).empty())
        return ReportShellFailure(DE_INVALIDFILES, L"no destination");
    int error = 0;
    std::optional<std::vector<Item>> targets = Targets(sources, error);
    if (!targets)
        return error;
    for (std::size_t i = 0; i < sources.size() && !m_cancelled; ++i) {
        const Item& from = sources[i];
        const Item& to = (*targets)[i];
        if (from.path.posix == to.path.posix)
            return ReportShellFailure(DE_SAMEFILE, to.Windows());
        if (int code = move ? MoveEntry(from, to) : CopyEntry(from, to))
            return code;
    }
    return 0;
}

// The copy of one top-level item, from the folders that hold the source
// and the target.
int Operation::CopyEntry(const Item& from, const Item& to)
{
    const Descriptor fromFolder(from.path.OpenFolder());
    const Descriptor toFolder(to.path.OpenFolder());
    if (!fromFolder.IsOpen())
        return ReportShellFailure(DE_ACCESSDENIEDSRC, from.Windows());
    if (!toFolder.IsOpen())
        return ReportShellFailure(static_cast<int>(to.path.ErrorOf(errno)), to.Windows());
    // A folder never goes into itself or below itself, however the
    // destination's path spells it.
    struct stat source {};
    if (from.path.Stat(source, true) && S_ISDIR(source.st_mode) &&
        FolderIsWithin(toFolder.Get(), source, to.path.DriveFolder()))
        return ReportShellFailure(DE_DESTSUBTREE, to.Windows());
    const TreePlace fromPlace{from.path.drive, fromFolder.Get(), from.path.FolderBeneath(), from.path.Name(),
                              from.Windows()};
    const TreePlace toPlace{to.path.drive, toFolder.Get(), to.path.FolderBeneath(), to.path.Name(), to.Windows()};
    return TreeCopy(*this).Copy(fromPlace, toPlace);
}

int Operation::MoveEntry(const Item& from, const Item& to)
{
    const Descriptor fromFolder(from.path.OpenFolder());
    const Descriptor toFolder(to.path.OpenFolder());
    if (!fromFolder.IsOpen() || !toFolder.IsOpen())
        return ReportShellFailure(static_cast<int>(Win32ErrorFromErrno(errno)), to.Windows());
    struct stat source {};
    if (::fstatat(fromFolder.Get(), from.path.Name().c_str(), &source, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISDIR(source.st_mode) && FolderIsWithin(toFolder.Get(), source, to.path.DriveFolder()))
        return ReportShellFailure(DE_DESTSUBTREE, to.Windows());
    // Never over an entry that is there, or appeared meanwhile.
    if (::renameat2(fromFolder.Get(), from.path.Name().c_str(), toFolder.Get(), to.path.Name().c_str(),
                    RENAME_NOREPLACE) == 0) {
        FileInfo::KeepStoredAttributesAfterMove(to.path);
        return 0;
    }
    if (errno != EEXIST && errno != EXDEV)
        return ReportShellFailure(static_cast<int>(Win32ErrorFromErrno(errno)), to.Windows());
    // Into an existing destination or onto another file system: copy, then
    // remove the source unless something was declined or failed.
    const BOOL abortedBefore = m_request.fAnyOperationsAborted;
    m_request.fAnyOperationsAborted = FALSE;
    const int code = CopyEntry(from, to);
    const bool declined = m_request.fAnyOperationsAborted != FALSE;
    m_request.fAnyOperationsAborted = abortedBefore || declined;
    if (code != 0 || declined)
        return code;
    if (int errorNumber = FileTree::RemoveTree(fromFolder.Get(), from.path.Name()))
        return ReportShellFailure(static_cast<int>(Win32ErrorFromErrno(errorNumber)), from.Windows());
    return 0;
}

int Operation::Rename(const std::vector<Item>& sources)
{
    std::vector<std::wstring> destinations = SplitList(m_request.pTo);
    if (sources.size() != 1 || destinations.size() != 1)
        return ReportShellFailure(DE_MANYSRC1DEST, L"rename takes one item");
    if (!MoveFileW(sources[0].Windows().c_str(), destinations[0].c_str()))
        return ReportShellFailure(static_cast<int>(GetLastError()), destinations[0]);
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
