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

}  // namespace

void CSystemFileSheet::InsertListColumn0(DWORD item, const wchar_t* defaultText)
{
    m_listFile.DeleteColumn(kColumnName);
    m_listFile.InsertColumn(kColumnName, Text(item, defaultText), LVCFMT_LEFT, 120);
}

int CSystemFileSheet::AppendRow(const CString& name, const CString& size, const CString& date)
{
    int row = m_listFile.InsertItem(m_listFile.GetItemCount(), name);
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

    int rows = 0;
    WIN32_FIND_DATAW entry;
    // Folders first: only plain folders, whose attribute word is exactly the
    // directory bit.
    FileIO finder(4);
    if (finder.FindFirst(pattern, &entry)) {
        do {
            if (entry.dwFileAttributes != FILE_ATTRIBUTE_DIRECTORY)
                continue;
            if (std::wcscmp(entry.cFileName, L".") == 0 || (root && std::wcscmp(entry.cFileName, L"..") == 0))
                continue;
            if (AppendRow(entry.cFileName, kDirText, FormatDate(DisplayTime(entry.ftLastWriteTime, zone), dateFormat)) >= 0)
                ++rows;
        } while (finder.FindNext(&entry));
        finder.FindClose();
    }
    // Then the files that are neither folders nor hidden.
    if (finder.FindFirst(pattern, &entry)) {
        do {
            if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN))
                continue;
            const LONGLONG size =
                static_cast<LONGLONG>((static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow);
            CString sizeText;
            sizeText.Format(L"%I64d", size);
            if (AppendRow(entry.cFileName, sizeText, FormatDate(DisplayTime(entry.ftLastWriteTime, zone), dateFormat)) >= 0)
                ++rows;
        } while (finder.FindNext(&entry));
        finder.FindClose();
    }
    return rows;
}

void CSystemFileSheet::ListMemoryBlocks()
{
    m_listFile.DeleteAllItems();
    InsertListColumn0(36, L"ﾒﾓﾘﾌﾞﾛｯｸ番号");

    const wchar_t* dateFormat = Text(1, 100, L"%04Y/%02M/%02D %02h:%02m:%02s");
    CMemBlockMan blocks;
    const int count = blocks.GetNumBlocks();
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
        AppendRow(number, size, FormatDate(BlockStartTime(record), dateFormat));
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
        CString name = m_listFile.GetItemText(row, kColumnName);
        name.TrimRight(L' ');
        if (!visit(name, m_listFile.GetItemText(row, kColumnSize)))
            break;
    }
}

void CSystemFileSheet::OnLvnColumnclickListFile(NMHDR* header, LRESULT* result)
{
    *result = 0;
    m_nSortColumn = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
    // The comparison reads the texts as they stood when the sort began.
    const int rows = m_listFile.GetItemCount();
    m_sortTexts.clear();
    m_sortTexts.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        m_sortTexts.push_back(m_listFile.GetItemText(row, m_nSortColumn));
    m_listFile.SortItemsEx(&CSystemFileSheet::CompareListItems, reinterpret_cast<DWORD_PTR>(this));
    m_sortTexts.clear();
    m_bSortDescending = !m_bSortDescending;
}

int CSystemFileSheet::CompareListItems(LPARAM first, LPARAM second, LPARAM page)
{
    const auto* self = reinterpret_cast<const CSystemFileSheet*>(page);
    const auto count = static_cast<LPARAM>(self->m_sortTexts.size());
    if (first < 0 || second < 0 || first >= count || second >= count)
        return 0;
    const CString& a = self->m_sortTexts[static_cast<std::size_t>(first)];
    const CString& b = self->m_sortTexts[static_cast<std::size_t>(second)];
    int order;
    if (self->m_nSortColumn == kColumnSize) {
        // Sizes compare as numbers; "<DIR>" and other text count as 0. The
        // whole 64-bit value is compared, so files beyond 2 GiB keep their order.
        const long long x = std::wcstoll(a, nullptr, 10);
        const long long y = std::wcstoll(b, nullptr, 10);
        order = x < y ? -1 : (x > y ? 1 : 0);
    } else {
        order = a.Compare(b);
        order = order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    return self->m_bSortDescending ? -order : order;
}
