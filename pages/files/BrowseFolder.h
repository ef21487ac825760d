// The host's folder chooser as the file page uses it. While the host's
// control library is being finished, a build without it gets a chooser that
// never chooses (Open returns FALSE and logs), so the page still builds and
// every other action works.
#pragma once

#if __has_include("host/widgets/CBrowseFolder.h")
#include "host/widgets/CBrowseFolder.h"
#else
#include "win/DebugLog.h"
#include "win/Wnd.h"

class CBrowseFolder {
public:
    CBrowseFolder(CWnd*, LPCWSTR, UINT) {}
    BOOL Open(LPCWSTR, UINT, UINT)
    {
        OutputDebugStringW(L"CBrowseFolder: the host's folder chooser is not available\n");
        return FALSE;
    }
    CString GetPathName() const { return CString(); }
};
#endif
