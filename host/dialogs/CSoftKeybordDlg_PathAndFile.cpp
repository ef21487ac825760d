#include "host/dialogs/CSoftKeybordDlg_PathAndFile.h"

#include "host/dialogs/HostTemplate.h"

#include <cwchar>
#include <mutex>

IMPLEMENT_DYNAMIC(CSoftKeybordDlg_PathAndFile, CSoftKeybordDlg)

namespace {

const wchar_t* const kPathRows[CSoftKeybordDlg::kKeyRows] = {L"1234567890-", L"qwertyuiop@", L"asdfghjkl\\:",
                                                             L"zxcvbnm,.~_"};

}  // namespace

CSoftKeybordDlg_PathAndFile::CSoftKeybordDlg_PathAndFile(CWnd* parent)
    : CSoftKeybordDlg(host::IDD_HOST_KEYBOARD_PATH, parent)
{
    static std::once_flag once;
    std::call_once(once, [] { RegisterKeyboardTemplate(host::IDD_HOST_KEYBOARD_PATH); });
}

const wchar_t* CSoftKeybordDlg_PathAndFile::KeyRow(int row) const { return kPathRows[row]; }

bool CSoftKeybordDlg_PathAndFile::AcceptsCharacter(wchar_t character, std::wstring& why) const
{
    if (!CSoftKeybordDlg::AcceptsCharacter(character, why))
        return false;
    if (std::wcschr(L"<>\"|?*/", character)) {
        why = host::HostText(host::IDD_HOST_KEYBOARD_PATH, 10, L"ファイル名に使えない文字です");
        return false;
    }
    return true;
}
