// The file page's two listings (folder entries and memory blocks), the walk
// over the selected rows, and sorting by a column.
#include "pages/files/SystemFileSheet.h"

#include "host/DateTime.h"
#include "host/FileIO.h"
#include "host/devices/MemBlockMan.h"
#include "pages/files/FilePathRules.h"
#include "pages/files/FileSheetIds.h"
#include "win/TimeApi.h"

#include <cstring>
#include <cwchar>
#include <vector>

using namespace file_sheet;

namespace {

// Last-write time as the operator's local time; the unconverted (UTC) time
// when the time zone is not known or the conversion fails.
SYSTEMTIME DisplayTime(const FILETIME& lastWrite, const TIME_ZONE_INFORMATION* zone)
{
    SYSTEMTIME universal{};
    FileTimeToSystemTime(&lastWrite, &universal);
    SYSTEMTIME local{};
    if (zone && SystemTimeToTzSpecificLocalTime(zone, &universal, &local))
        return local;
    return universal;
}

// The data-information record is read by byte offset: the host's record is
// larger, and only these fields are the page's business.
LONG ReadLong(const BYTE* record, std::size_t offset)
{
    LONG value;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

WORD ReadLow16(const BYTE* record, std::size_t offset)
{
    return static_cast<WORD>(ReadLong(record, offset) & 0xFFFF);
}

SYSTEMTIME BlockStartTime(const BYTE* record)
{
    SYSTEMTIME time{};
    const LONG storedYear = ReadLong(record, 144);
    time.wYear = static_cast<WORD>(storedYear < 80 ? storedYear + 2000 : storedYear + 1900);
    time.wMonth = static_cast<WORD>(ReadLow16(record, 140) + 1);
    time.wDay = ReadLow16(record, 136);
    time.wHour = ReadLow16(record, 132);
    time.wMinute = ReadLow16(record, 128);
    time.wSecond = ReadLow16(record, 124);
    time.wDayOfWeek = ReadLow16(record, 148);
    time.wMilliseconds = 0;
    return time;
}

CString FormatDate(const SYSTEMTIME& time, const wchar_t* format)
{
    CDateTime date;
    date = time;
    return date.Format(format);
}

CString SizeText(const WIN32_FIND_DATAW& entry)
{
    const auto size = static_cast<LONGLONG>((static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow);
    CString text;
    text.Format(L"%I64d", size);
    return text;
}

// Folders before files: `rows` marks each row that is a file.
int CompareFolderFirst(LPARAM first, LPARAM second, LPARAM rows)
{
    const auto& isFile = *reinterpret_cast<const std::vector<char>*>(rows);
    const auto count = static_cast<LPARAM>(isFile.size());
    if (first < 0 || second < 0 || first >= count || second >= count)
        return 0;
    return isFile[static_cast<std::size_t>(first)] - isFile[static_cast<std::size_t>(second)];
}

}  // namespace

void CSystemFileSheet::InsertListColumn0(DWORD item, const wchar_t* defaultText)
{
    m_listFile.DeleteColumn(kColumnName);
    m_listFile.InsertColumn(kColumnName, Text(item, defaultText), LVCFMT_LEFT, 120);
}

int CSystemFileSheet::AppendRow(int row, const wchar_t* name, const CString& size, const CString& date)
{
    row = m_listFile.InsertItem(row, name);
    if (row < 0)
        return row;
    m_listFile.SetItemText(row, kColumnSize, size);
    m_listFile.SetItemText(row, kColumnDate, date);
    return row;
}

int CSystemFileSheet::ListFolder(const CString& folder)
{
    m_listFile.DeleteAllItems();
    const bool root = FilePathRules::IsRootFolder(folder);
    InsertListColumn0(33, L"ファイル名");

    const CString pattern = folder + L"*.*";
    const wchar_t* dateFormat = Text(1, 100, L"%04Y/%02M/%02D %02h:%02m:%02s");
    TIME_ZONE_INFORMATION zoneInformation;
    const TIME_ZONE_INFORMATION* zone =
        GetTimeZoneInformation(&zoneInformation) != TIME_ZONE_ID_INVALID ? &zoneInformation : nullptr;

    // One pass over the folder. Rows go in as the entries come; folders are
    // moved before the files afterwards, each group in enumeration order.
    std::vector<char> isFile;
    bool fileListed = false;
    bool folderAfterFile = false;
    WIN32_FIND_DATAW entry;
    FileIO finder(4);
    if (finder.FindFirst(pattern, &entry)) {
        do {
            const bool folderEntry = entry.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY;
            if (folderEntry) {
                // Only plain folders, whose attribute word is exactly the directory bit.
                if (std::wcscmp(entry.cFileName, L".") == 0 || (root && std::wcscmp(entry.cFileName, L"..") == 0))
                    continue;
            } else if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) {
                continue;
            }
            const CString date = FormatDate(DisplayTime(entry.ftLastWriteTime, zone), dateFormat);
            const CString size = folderEntry ? CString(kDirText) : SizeText(entry);
            if (AppendRow(static_cast<int>(isFile.size()), entry.cFileName, size, date) < 0)
                continue;
            folderAfterFile = folderAfterFile || (folderEntry && fileListed);
            fileListed = fileListed || !folderEntry;
            isFile.push_back(folderEntry ? 0 : 1);
        } while (finder.FindNext(&entry));
        finder.FindClose();
    }
    if (folderAfterFile)
        m_listFile.SortItemsEx(&CompareFolderFirst, reinterpret_cast<DWORD_PTR>(&isFile));
    return static_cast<int>(isFile.size());
}

void CSystemFileSheet::ListMemoryBlocks()
{
    m_listFile.DeleteAllItems();
    InsertListColumn0(36, L"ﾒﾓﾘﾌﾞﾛｯｸ番号");

    const wchar_t* dateFormat = Text(1, 100, L"%04Y/%02M/%02D %02h:%02m:%02s");
    CMemBlockMan blocks;
    const int count = blocks.GetNumBlocks();
    int rows = 0;
    for (int block = 0; block < count; ++block) {
        if (!blocks.IsEnableData(block))
            continue;
        const T_DATAINF* info = blocks.GetDATAINF(block);
        if (!info)
            continue;
        const BYTE* record = reinterpret_cast<const BYTE*>(info);
        CString number, size;
        number.Format(L"#%03d", block + 1);
        size.Format(L"%d", static_cast<int>(ReadLong(record, 12)));
        if (AppendRow(rows, number, size, FormatDate(BlockStartTime(record), dateFormat)) >= 0)
            ++rows;
    }
}

void CSystemFileSheet::RefreshList(bool updateButtons)
{
    if (updateButtons)
        UpdateButtonStates(m_bMemoryList);
    if (m_bMemoryList)
        ListMemoryBlocks();
    else
        ListFolder(m_strCurrentFolder);
    UpdateData(FALSE);
}

void CSystemFileSheet::ForEachSelectedRow(const RowVisitor& visit)
{
    const int rows = m_listFile.GetItemCount();
    int row = -1;
    for (int step = 0; step < rows; ++step) {
        row = m_listFile.GetNextItem(row, LVNI_SELECTED);
        if (row < 0)
            break;
        // The name exactly as listed: a drive here may hold "abc " beside "abc".
        const CString name = m_listFile.GetItemText(row, kColumnName);
        if (!visit(name, m_listFile.GetItemText(row, kColumnSize)))
            break;
    }
}

void CSystemFileSheet::OnLvnColumnclickListFile(NMHDR* header, LRESULT* result)
{
    *result = 0;
    m_nSortColumn = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
    // The keys are read once, as the texts stand when the sort begins.
    m_sortKeys.Read(m_listFile, m_nSortColumn, m_nSortColumn == kColumnSize);
    m_listFile.SortItemsEx(&CSystemFileSheet::CompareListItems, reinterpret_cast<DWORD_PTR>(this));
    m_sortKeys.Clear();
    m_bSortDescending = !m_bSortDescending;
}

int CSystemFileSheet::CompareListItems(LPARAM first, LPARAM second, LPARAM page)
{
    // Sizes compare as numbers; "<DIR>" and other text count as 0. The whole
    // 64-bit value is compared, so files beyond 2 GiB keep their order.
    const auto* self = reinterpret_cast<const CSystemFileSheet*>(page);
    const int order = self->m_sortKeys.Compare(first, second);
    return self->m_bSortDescending ? -order : order;
}
