#include "pages/misc/SystemPasswordDlg.h"

#include "host/dialogs/CPopupDlg.h"
#include "host/dialogs/CSoftKeybordDlg.h"
#include "pages/misc/MiscIds.h"
#include "win/TextConvert.h"

using namespace misc_ids;

namespace {

const wchar_t* Text(DWORD item, const wchar_t* defaultText) { return misc_ids::Text(IDD_PASSWORD, item, defaultText); }

constexpr const wchar_t* kEntryCaption = L"パスワード入力";
constexpr const wchar_t* kConfirmCaption = L"パスワード入力(確認)";

std::wstring Masked(const std::wstring& entry) { return std::wstring(entry.size(), L'＊'); }

}  // namespace

IMPLEMENT_DYNAMIC(CSystemPasswordDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CSystemPasswordDlg, CCBRDialog)
    ON_BN_CLICKED(IDC_HAND_ENTRY, OnBnClickedEntry)
    ON_BN_CLICKED(IDC_HAND_CONFIRM, OnBnClickedConfirm)
END_MESSAGE_MAP()

CSystemPasswordDlg::CSystemPasswordDlg(CWnd* parent) : CCBRDialog(IDD_PASSWORD, parent, true) {}

CSystemPasswordDlg::~CSystemPasswordDlg() = default;

void CSystemPasswordDlg::SetPassword(const std::wstring& password)
{
    m_entry = m_confirmation = password;
    m_bChanged = false;
}

BOOL CSystemPasswordDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    SetWindowText(Text(1, L"パスワード設定"));
    SetDlgItemText(17151, Text(2, kEntryCaption));
    SetDlgItemText(17152, Text(3, kConfirmCaption));
    SetDlgItemText(IDCANCEL, misc_ids::Text(1, 3, L"キャンセル"));
    m_handEntry.AutoLoad(IDC_HAND_ENTRY, this);
    m_handConfirm.AutoLoad(IDC_HAND_CONFIRM, this);
    Refresh();
    return TRUE;
}

void CSystemPasswordDlg::Refresh()
{
    SetDlgItemText(IDC_STATIC_ENTRY, Masked(m_entry).c_str());
    SetDlgItemText(IDC_STATIC_CONFIRM, Masked(m_confirmation).c_str());
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(m_entry == m_confirmation ? TRUE : FALSE);
}

void CSystemPasswordDlg::OnBnClickedEntry() { EnterText(m_entry, 2); }

void CSystemPasswordDlg::OnBnClickedConfirm() { EnterText(m_confirmation, 3); }

void CSystemPasswordDlg::EnterText(std::wstring& entry, DWORD captionItem)
{
    const wchar_t* caption = Text(captionItem, captionItem == 2 ? kEntryCaption : kConfirmCaption);
    // The stored password is never shown: the keyboard starts empty and masks.
    CSoftKeybordDlg keyboard(this);
    keyboard.SetConfigData(caption, L"", kMaxPasswordUnits, false, true, -1, -1);
    if (keyboard.DoModal() != 1)
        return;
    const std::wstring typed = keyboard.GetStrings().GetStdString();
    // The keyboard counts characters; a character beyond the basic plane
    // takes two units of the block's UTF-16 field, so fifteen of them would
    // not fit and the password kept would not be the one typed.
    if (win::WideToUtf16(typed).size() > static_cast<std::size_t>(kMaxPasswordUnits)) {
        CPopupDlg notice(this, true);
        notice.SetCaptionText(caption);
        notice.SetMessageText(Text(100, L"パスワードが長すぎます。"));
        notice.SetButtonMode(2);
        notice.DoModal();
        return;
    }
    if (typed != entry) {
        entry = typed;
        m_bChanged = true;
    }
    Refresh();
}
