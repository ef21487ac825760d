#include "win/CFile.h"

#include "win/Drives.h"
#include "win/FileApi.h"

BOOL CFile::GetStatus(LPCWSTR fileName, CFileStatus& status)
{
    // 0 is a failure, MAX_PATH or more the size a longer path would need.
    const DWORD length = fileName != nullptr ? GetFullPathNameW(fileName, MAX_PATH, status.m_szFullName, nullptr) : 0;
    if (length == 0 || length >= MAX_PATH) {
        status.m_szFullName[0] = L'\0';
        return FALSE;
    }
    WIN32_FIND_DATAW data;
    // The basic level: the 8.3 alias, which the status does not hold, would
    // cost a pass over the whole folder for a long name.
    HANDLE search = FindFirstFileExW(fileName, FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    status.m_attribute = static_cast<BYTE>(data.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
    status.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.m_mtime = CTime(data.ftLastWriteTime);
    status.m_ctime = CTime(data.ftCreationTime);
    status.m_atime = CTime(data.ftLastAccessTime);
    // Times the file system does not keep are reported as the last write.
    if (status.m_ctime.GetTime() == 0)
        status.m_ctime = status.m_mtime;
    if (status.m_atime.GetTime() == 0)
        status.m_atime = status.m_mtime;
    return TRUE;
}
