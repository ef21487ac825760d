// FindFirstFileW / FindFirstFileExW / FindNextFileW / FindClose. A search
// holds the folder open with its names in order (FolderListing.h) and reads
// each entry when FindNextFileW reaches it, so the work of a search is one
// pass over the names and one look-up per entry handed out.
#include "win/FileApi.h"

#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/FolderListing.h"
#include "win/Handles.h"
#include "win/NameMatch.h"
#include "win/ShortNames.h"

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <mutex>

namespace {

class FindObject : public win::KernelObject {
public:
    FindObject(std::unique_ptr<win::FolderListing> listing, std::wstring pattern, bool wholeFolder, bool isRoot,
               bool withShortNames)
        : KernelObject(win::ObjectKind::Find),
          m_listing(std::move(listing)),
          m_pattern(std::move(pattern)),
          m_matchesAll(m_pattern == L"*" || m_pattern == L"*.*"),
          m_wholeFolder(wholeFolder),
          m_withShortNames(withShortNames),
          m_dotEntriesLeft(isRoot ? 0 : 2)
    {
    }

    // The next matching entry; false when there is none.
    bool Next(WIN32_FIND_DATAW& data);

    std::mutex mutex;

private:
    bool Matches(std::wstring_view name) const { return m_matchesAll || win::MatchesWildcard(m_pattern, name); }
    static void Fill(WIN32_FIND_DATAW& data, std::wstring_view name, const win::FileInfo& info);
    std::wstring ShortNameOf(std::wstring_view name);

    std::unique_ptr<win::FolderListing> m_listing;
    std::wstring m_pattern;
    bool m_matchesAll;
    bool m_wholeFolder;
    bool m_withShortNames;
    int m_dotEntriesLeft;  // "." and ".." come first below a drive's root
    std::size_t m_next = 0;

    // Aliases are made over every name of the folder in order, whatever the
    // pattern, so an entry's alias does not depend on how it was looked up.
    std::unique_ptr<win::FolderListing> m_wholeListing;  // when m_listing holds one entry
    std::unique_ptr<win::ShortNames> m_aliases;
    std::size_t m_aliasCursor = 0;
};

bool FindObject::Next(WIN32_FIND_DATAW& data)
{
    while (m_dotEntriesLeft > 0) {
        const bool parent = m_dotEntriesLeft-- == 1;
        const std::wstring_view name = parent ? L".." : L".";
        if (!Matches(name))
            continue;
        if (std::optional<win::FileInfo> info = m_listing->DotInfo(parent)) {
            Fill(data, name, *info);
            return true;
        }
    }
    while (m_next < m_listing->Count()) {
        const std::size_t index = m_next++;
        // Decoded straight into the record: the name is written once.
        const std::wstring_view name = m_listing->Name(index, data.cFileName);
        if (!Matches(name))
            continue;
        std::optional<win::FileInfo> info = m_listing->Info(index, name);
        if (!info)
            continue;
        Fill(data, name, *info);
        if (m_withShortNames) {
            // Terminated here: the record may still hold a longer alias of
            // the entry handed out before.
            const std::wstring alias = ShortNameOf(name);
            const std::size_t length = std::min<std::size_t>(alias.size(), 12);
            std::wmemcpy(data.cAlternateFileName, alias.data(), length);
            data.cAlternateFileName[length] = L'\0';
        }
        return true;
    }
    return false;
}

void FindObject::Fill(WIN32_FIND_DATAW& data, std::wstring_view name, const win::FileInfo& info)
{
    data.dwFileAttributes = info.attributes;
    data.ftCreationTime = info.creationTime;
    data.ftLastAccessTime = info.lastAccessTime;
    data.ftLastWriteTime = info.lastWriteTime;
    data.nFileSizeHigh = static_cast<DWORD>(info.size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(info.size & 0xFFFFFFFF);
    data.dwReserved0 = 0;
    data.dwReserved1 = 0;
    if (name.data() != data.cFileName)
        std::wmemcpy(data.cFileName, name.data(), name.size());
    data.cFileName[name.size()] = L'\0';
    data.cAlternateFileName[0] = L'\0';
}

std::wstring FindObject::ShortNameOf(std::wstring_view name)
{
    if (win::ShortNames::IsShortName(name))
        return std::wstring();
    if (!m_wholeFolder && !m_wholeListing) {
        m_wholeListing = m_listing->ReadAllAgain();
        if (!m_wholeListing)
            return std::wstring();
    }
    const win::FolderListing& names = m_wholeFolder ? *m_listing : *m_wholeListing;
    wchar_t buffer[MAX_PATH];
    if (!m_aliases) {
        m_aliases = std::make_unique<win::ShortNames>(names.Count());
        for (std::size_t index = 0; index < names.Count(); ++index) {
            const std::wstring_view candidate = names.Name(index, buffer);
            if (win::ShortNames::IsShortName(candidate))
                m_aliases->Reserve(candidate);
        }
    }
    // Searches ask in the folder's order, so the cursor only moves on.
    while (m_aliasCursor < names.Count()) {
        const std::wstring_view candidate = names.Name(m_aliasCursor++, buffer);
        if (win::ShortNames::IsShortName(candidate))
            continue;
        std::wstring alias = m_aliases->Make(candidate);
        if (candidate == name)
            return alias;
    }
    return std::wstring();
}

HANDLE Fail(DWORD error, LPCWSTR pattern)
{
    SetLastError(error);
    OutputDebugStringW((L"FindFirstFileW failed (" + std::to_wstring(error) + L"): " +
                        (pattern != nullptr ? pattern : L"(null)"))
                           .c_str());
    return INVALID_HANDLE_VALUE;
}

HANDLE StartSearch(LPCWSTR fileName, LPWIN32_FIND_DATAW findData, bool withShortNames)
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

    const bool wholeFolder = win::HasWildcards(pattern);
    std::unique_ptr<win::FolderListing> listing = wholeFolder ? win::FolderListing::ReadAll(*folder)
                                                              : win::FolderListing::ReadOne(*folder, pattern);
    if (!listing)
        return Fail(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND, fileName);
    auto search = std::make_shared<FindObject>(std::move(listing), std::move(pattern), wholeFolder, folder->isRoot,
                                               withShortNames);
    if (!search->Next(*findData))
        return Fail(ERROR_FILE_NOT_FOUND, fileName);
    SetLastError(ERROR_SUCCESS);
    return win::HandleTable::Insert(search);
}

}  // namespace

HANDLE FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findData)
{
    return StartSearch(fileName, findData, true);
}

HANDLE FindFirstFileExW(LPCWSTR fileName, FINDEX_INFO_LEVELS infoLevel, LPVOID findFileData,
                        FINDEX_SEARCH_OPS searchOp, LPVOID searchFilter, DWORD additionalFlags)
{
    const bool knownLevel = infoLevel == FindExInfoStandard || infoLevel == FindExInfoBasic;
    if (!knownLevel || searchOp != FindExSearchNameMatch || searchFilter != nullptr ||
        (additionalFlags & ~FIND_FIRST_EX_LARGE_FETCH) != 0)
        return Fail(ERROR_INVALID_PARAMETER, fileName);
    return StartSearch(fileName, static_cast<LPWIN32_FIND_DATAW>(findFileData), infoLevel == FindExInfoStandard);
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
    if (!search->Next(*findData)) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
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
