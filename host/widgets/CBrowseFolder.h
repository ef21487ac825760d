// The host's folder chooser: a modal dialog in which the operator browses
// the mapped drives and picks a folder (see FolderChooserDialog).
//
// The flags word of the constructor and the two of Open are accepted for
// the dialog code's calls; the chooser lists folders only and behaves the
// same whatever they hold.
#pragma once

#include "win/CString.h"
#include "win/Wnd.h"

#include <string>

class CBrowseFolder {
public:
    CBrowseFolder(CWnd* parent, LPCWSTR prompt, UINT flags);

    // Runs the chooser, starting in `startFolder` (a Windows path; the drives
    // when it is empty or no folder). TRUE when a folder was chosen.
    BOOL Open(LPCWSTR startFolder, UINT flags, UINT moreFlags);
    // The chosen folder: "D:\data", or a drive's root "D:\"; empty before a choice.
    CString GetPathName() const { return CString(m_path); }

private:
    CWnd* m_pParent;
    std::wstring m_prompt;
    std::wstring m_path;
};
