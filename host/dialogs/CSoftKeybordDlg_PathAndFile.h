// The soft keyboard for a path or a file name: the same keyboard with the
// backslash on the keys, refusing the characters Windows does not allow in
// names (< > " | ? * /).
#pragma once

#include "host/dialogs/CSoftKeybordDlg.h"

class CSoftKeybordDlg_PathAndFile : public CSoftKeybordDlg {
public:
    DECLARE_DYNAMIC(CSoftKeybordDlg_PathAndFile)

    explicit CSoftKeybordDlg_PathAndFile(CWnd* parent = nullptr);

protected:
    bool AcceptsCharacter(wchar_t character, std::wstring& why) const override;
    const wchar_t* KeyRow(int row) const override;
};
