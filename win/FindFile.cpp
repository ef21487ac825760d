// FindFirstFileW / FindNextFileW / FindClose. A find handle holds a
// snapshot of the matching entries taken when the search starts.
#include "win/FileApi.h"

#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/FileInfo.h"
#include "win/Handles.h"
#include "win/NameMatch.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <cwchar>
#include <dirent.h>
#include <set>
#include <sys/stat.h>
#include <vector>

namespace {

class FindObject : public win::KernelObject {
public:
    FindObject() : KernelObject(win::ObjectKind::Find) {}
    std::vector<WIN32_FIND_DATAW> entries;
    std::size_t next = 0;
    std::mutex mutex;
};

bool IsShortNameCharacter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') ||
           std::wcschr(L"!#$%&'()-@^_`{}~", c) != nullptr;
}

// True when the name is already a valid 8.3 name (case does not matter).
bool IsShortName(std::wstring_view name)
{
    if (name == L"." || name == L"..")
        return true;
    std::size_t dot = name.find(L'.');
    std::wstring_view base = name.substr(0, dot);
    std::wstring_view extension = dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || extension.size() > 3 ||
        extension.find(L'.') != std::wstring_view::npos)
        return false;
    return std::all_of(base.begin(), base.end(), IsShortNameCharacter) &&
           std::all_of(extension.begin(), extension.end(), IsShortNameCharacter);
}

std::wstring ShortNamePart(std::wstring_view text, std::size_t length)
{
    std::wstring part;
    for (wchar_t c : text) {
        if (part.size() == length)
            break;
        if (c == L' ' || c == L'.')
            continue;
        part += IsShortNameCharacter(c) ? win::FoldNameCharacter(c) : L'_';
    }
    return part;
}

// "LONGNA~1.TXT": what the file system would generate for a long name.
std::wstring MakeShortName(std::wstring_view name, std::set<std::wstring>& used)
{
    std::size_t dot = name.find_last_of(L'.');
    std::wstring_view base = dot == std::wstring_view::npos || dot == 0 ? name : name.substr(0, dot);
    std::wstring extension =
        dot == std::wstring_view::npos || dot == 0 ? std::wstring() : ShortNamePart(name.substr(dot + 1), 3);
    const std::wstring stem = ShortNamePart(base, 6);
    for (int number = 1; number < 1000000; ++number) {
        const std::wstring tail = L"~" + std::to_wstring(number);
        std::wstring candidate = stem.substr(0, std::min(stem.size(), 8 - tail.size())) + tail;
        if (!extension.empty())
            candidate += L"." + extension;
        if (used.insert(candidate).second)
            return candidate;
    }
    return std::wstring();
}

void Fill(WIN32_FIND_DATAW& data, std::wstring_view name, const win::FileInfo& info)
{
    data = WIN32_FIND_DATAW{};
    data.dwFileAttributes = info.attributes;
    data.ftCreationTime = info.creationTime;
    data.ftLastAccessTime = info.lastAccessTime;
    data.ftLastWriteTime = info.lastWriteTime;
    data.nFileSizeHigh = static_cast<DWORD>(info.size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(info.size & 0xFFFFFFFF);
    std::wmemcpy(data.cFileName, name.data(), std::min<std::size_t>(name.size(), MAX_PATH - 1));
}

struct Entry {
    std::wstring name;
    std::string posix;
};

// The folder's entries that a Windows path can reach, sorted by name.
std::vector<Entry> ListFolder(const std::string& folder)
{
    std::vector<Entry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return entries;
    while (dirent* item = ::readdir(dir)) {
        const std::string name = item->d_name;
        if (name == "." || name == ".." || !win::IsValidUtf8(name))
            continue;
        std::wstring wide = win::Utf8ToWide(name);
        if (!win::IsValidFileName(wide) || wide.size() >= MAX_PATH)
            continue;
        const std::string path = folder + "/" + name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0)
            continue;
        if (S_ISLNK(info.st_mode) && !win::Drives::IsInsideDataRoot(path))
            continue;  // a link out of the data root, or a dangling one
        entries.push_back({std::move(wide), path});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const std::size_t common = std::min(a.name.size(), b.name.size());
        for (std::size_t i = 0; i < common; ++i) {
            const wchar_t x = win::FoldNameCharacter(a.name[i]);
            const wchar_t y = win::FoldNameCharacter(b.name[i]);
            if (x != y)
                return x < y;
        }
        return a.name.size() < b.name.size();
    });
    return entries;
}

HANDLE Fail(DWORD error, LPCWSTR pattern)
{
    SetLastError(error);
    OutputDebugStringW((L"FindFirstFileW failed (" + std::to_wstring(error) + L"): " +
                        (pattern != nullptr ? pattern : L"(null)"))
                           .c_str());
    return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findData)
{
    if (fileName == nullptr || findData == nullptr)
        return Fail(ERROR_INVALID_PARAMETER, fileName);
    std::wstring text(fileName);
    std::replace(text.begin(), text.end(), L'/', L'\\');
    std::wstring folderPart;
    std::wstring pattern;
    const std::size_t slash = text.find_last_of(L'\\');
    if (slash != std::wstring::npos) {
        folderPart = text.substr(0, slash + 1);
        pattern = text.substr(slash + 1);
    } else if (text.size() >= 2 && text[1] == L':') {
        folderPart = text.substr(0, 2);
        pattern = text.substr(2);
    } else {
        pattern = text;
    }
    if (pattern.empty())
        return Fail(ERROR_FILE_NOT_FOUND, fileName);
    std::wstring checked = pattern;
    std::replace_if(checked.begin(), checked.end(), [](wchar_t c) { return c == L'*' || c == L'?'; }, L'x');
    if (!win::IsValidFileName(checked))
        return Fail(ERROR_INVALID_NAME, fileName);

    std::optional<win::ResolvedPath> folder = win::Drives::Resolve(folderPart.empty() ? L"." : folderPart);
    if (!folder)
        return Fail(GetLastError(), fileName);
    if (folder->windows.size() + pattern.size() >= MAX_PATH)
        return Fail(ERROR_FILENAME_EXCED_RANGE, fileName);
    struct stat info {};
    if (::stat(folder->posix.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return Fail(ERROR_PATH_NOT_FOUND, fileName);

    auto search = std::make_shared<FindObject>();
    std::set<std::wstring> shortNames;
    std::vector<Entry> entries = ListFolder(folder->posix);
    for (const Entry& entry : entries) {
        if (IsShortName(entry.name))
            shortNames.insert(std::wstring(ShortNamePart(entry.name, 12)));
    }
    if (!folder->isRoot) {
        const std::string parent = folder->posix.substr(0, folder->posix.find_last_of('/'));
        entries.insert(entries.begin(), {{L".", folder->posix}, {L"..", parent}});
    }
    for (const Entry& entry : entries) {
        if (!win::MatchesWildcard(pattern, entry.name))
            continue;
        std::optional<win::FileInfo> entryInfo = win::FileInfo::Read(entry.posix, entry.name);
        if (!entryInfo)
            continue;  // vanished meanwhile
        WIN32_FIND_DATAW data;
        Fill(data, entry.name, *entryInfo);
        if (!IsShortName(entry.name)) {
            std::wstring shortName = MakeShortName(entry.name, shortNames);
            std::wmemcpy(data.cAlternateFileName, shortName.c_str(), std::min<std::size_t>(shortName.size(), 13));
        }
        search->entries.push_back(data);
    }
    if (search->entries.empty())
        return Fail(ERROR_FILE_NOT_FOUND, fileName);
    *findData = search->entries[0];
    search->next = 1;
    SetLastError(ERROR_SUCCESS);
    return win::HandleTable::Insert(search);
}

BOOL FindNextFileW(HANDLE findFile, LPWIN32_FIND_DATAW findData)
{
    std::shared_ptr<FindObject> search = win::HandleTable::FindAs<FindObject>(findFile, win::ObjectKind::Find);
    if (!search)
        return FALSE;
    if (findData == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> lock(search->mutex);
    if (search->next >= search->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *findData = search->entries[search->next++];
    return TRUE;
}

BOOL FindClose(HANDLE findFile)
{
    if (!win::HandleTable::Remove(findFile, win::ObjectKind::Find)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
