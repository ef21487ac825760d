// The dialog framework's file status record and the one CFile member the
// dialog code uses, the static GetStatus.
#pragma once

#include "win/CTime.h"
#include "win/WinNT.h"

struct CFileStatus {
    CTime m_ctime;              // creation
    CTime m_mtime;              // last write
    CTime m_atime;              // last access
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;       // the low byte of the Windows attributes
    BYTE m_padding = 0;
    WCHAR m_szFullName[MAX_PATH] = {};  // the full Windows path
};

class CFile {
public:
    // As the framework does it: the full path from GetFullPathNameW, the
    // rest from FindFirstFileW of the name. A path ending in a backslash,
    // a drive root or a missing entry fails (FALSE).
    static BOOL GetStatus(LPCWSTR fileName, CFileStatus& status);
};
