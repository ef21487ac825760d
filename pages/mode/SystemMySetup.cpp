#include "pages/mode/SystemMySetup.h"

#include "host/TextService.h"
#include "host/dialogs/CPopupDlg.h"
#include "host/dialogs/CSoftKeybordDlg.h"
#include "pages/mode/SetupCommentFile.h"
#include "win/DebugLog.h"

#include <optional>

namespace {

constexpr UINT IDD_MY_SETUP = 17018;
constexpr int IDC_SWITCH_CURRENT = 17044;
constexpr int IDC_SWITCH_SLOT1 = 17040;
constexpr int IDC_SWITCH_SLOT4 = 17043;
constexpr int IDC_STATIC_TIME1 = 17167;
constexpr int IDC_HAND_COMMENT1 = 17172;
constexpr int IDC_HAND_COMMENT4 = 17175;
constexpr int IDC_STATIC_COMMENT1 = 17176;
constexpr int IDC_STATIC_COMMENT4 = 17179;
constexpr int IDC_STATIC_NO = 17180;
constexpr int IDC_STATIC_TIME_HEAD = 17181;
constexpr int IDC_STATIC_COMMENT_HEAD = 17182;
constexpr int IDC_EDIT_SUMMARY = 17114;
constexpr int IDC_BUTTON_SAVE = 17104;
constexpr int IDC_BUTTON_LOAD = 17032;
constexpr int IDC_BUTTON_CLEAR = 17103;

constexpr const wchar_t* kLoadCaption = L"KQ5800";
constexpr const wchar_t* kNotSaved = L"----/--/-- --:--";
constexpr int kCommentKeyboardLength = 16;

const wchar_t* Text(DWORD group, DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(group, item, defaultText);
}

const wchar_t* SelectSlotMessage()
{
    return Text(IDD_MY_SETUP, 10, L"保存No1～4を選択してください。\n");
}

}  // namespace

IMPLEMENT_DYNAMIC(CSystemMySetup, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemMySetup, CSystemSettingSheet)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SWITCH_SLOT1, IDC_SWITCH_SLOT4, OnBnClickedSlot)
    ON_BN_CLICKED(IDC_SWITCH_CURRENT, OnBnClickedCurrentValues)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_HAND_COMMENT1, IDC_HAND_COMMENT4, OnBnClickedComment)
    ON_BN_CLICKED(IDC_BUTTON_SAVE, OnBnClickedSave)
    ON_BN_CLICKED(IDC_BUTTON_LOAD, OnBnClickedLoad)
    ON_BN_CLICKED(IDC_BUTTON_CLEAR, OnBnClickedClear)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSystemMySetup::CSystemMySetup(CWnd* parent) : CSystemSettingSheet(IDD_MY_SETUP, parent, true)
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        m_strCommentPath[slot - 1].Format(L"%s\\No.%d.cmt", kFolder, slot);
        m_strConfigPath[slot - 1].Format(L"%s\\No.%d.cfg", kFolder, slot);
    }
}

CSystemMySetup::~CSystemMySetup() = default;

int CSystemMySetup::SetConfig(T_CONFIG_SYSTEM* config)
{
    if (!config)
        return 0;
    m_pConfig = config;
    m_snapshot.Take(*config);
    return 1;
}

BOOL CSystemMySetup::OnInitDialog()
{
    CSystemSettingSheet::OnInitDialog();
    SetTexts();

    m_selectSwitch[0].AutoLoad(IDC_SWITCH_CURRENT, this);
    for (int slot = 1; slot <= kSlotCount; ++slot)
        m_selectSwitch[slot].AutoLoad(IDC_SWITCH_SLOT1 + slot - 1, this);
    for (int slot = 1; slot <= kSlotCount; ++slot)
        m_commentButton[slot - 1].AutoLoad(IDC_HAND_COMMENT1 + slot - 1, this);

    ReadSlotsFromDisk();
    Refresh();
    return TRUE;
}

void CSystemMySetup::SetTexts()
{
    SetWindowText(Text(IDD_MY_SETUP, 1, L"設定値の保存・読み出し"));
    SetDlgItemText(IDC_STATIC_NO, Text(IDD_MY_SETUP, 2, L"保存No"));
    SetDlgItemText(IDC_STATIC_TIME_HEAD, Text(IDD_MY_SETUP, 3, L"保存時刻"));
    SetDlgItemText(IDC_STATIC_COMMENT_HEAD, Text(IDD_MY_SETUP, 4, L"コメント"));
    SetDlgItemText(IDC_SWITCH_CURRENT, Text(IDD_MY_SETUP, 5, L"現在値"));
    SetDlgItemText(IDC_BUTTON_CLEAR, Text(IDD_MY_SETUP, 6, L"クリア"));
    SetDlgItemText(IDC_BUTTON_LOAD, Text(IDD_MY_SETUP, 7, L"読み出し"));
    SetDlgItemText(IDC_BUTTON_SAVE, Text(1, 5, L"保存"));
    SetDlgItemText(IDOK, Text(1, 1, L"閉じる"));
}

void CSystemMySetup::ReadSlotsFromDisk()
{
    // A folder that cannot be made is not reported here: every save into it
    // fails later and says so.
    CFileStatus folder;
    if (!CFile::GetStatus(kFolder, folder) && !CreateDirectoryW(kFolder, nullptr))
        OutputDebugStringW(L"CSystemMySetup: the saved-setups folder cannot be created\n");

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!CFile::GetStatus(m_strCommentPath[slot - 1], m_status[slot - 1]))
            continue;
        setup_comment::FileBytes image;
        if (setup_comment::ReadImage(m_strCommentPath[slot - 1], image))
            m_strComment[slot - 1] = setup_comment::Decode(image).c_str();
    }
}

bool CSystemMySetup::IsSaved(int slot) const { return m_status[slot - 1].m_mtime.GetTime() != 0; }

void CSystemMySetup::Refresh()
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        SetDlgItemText(IDC_STATIC_COMMENT1 + slot - 1, m_strComment[slot - 1]);
        CString shown = kNotSaved;
        if (IsSaved(slot))
            shown = m_status[slot - 1].m_mtime.Format(L"%Y/%m/%d %H:%M");
        SetDlgItemText(IDC_STATIC_TIME1 + slot - 1, shown);
    }
    for (int index = 0; index <= kSlotCount; ++index)
        m_selectSwitch[index].Select(index == m_nSelect ? 1 : 0);
    SetDlgItemText(IDC_EDIT_SUMMARY, m_nSelect == 0 ? m_snapshot.BuildSummary() : CString());
    UpdateData(FALSE);
}

void CSystemMySetup::OnBnClickedSlot(UINT id)
{
    m_nSelect = static_cast<int>(id) - IDC_SWITCH_SLOT1 + 1;
    Refresh();
}

void CSystemMySetup::OnBnClickedCurrentValues()
{
    m_nSelect = 0;
    if (m_pConfig)
        m_snapshot.Take(*m_pConfig);
    Refresh();
}

void CSystemMySetup::OnBnClickedComment(UINT id)
{
    const int slot = static_cast<int>(id) - IDC_HAND_COMMENT1 + 1;
    CSoftKeybordDlg keyboard(this);
    keyboard.SetConfigData(Text(IDD_MY_SETUP, 12, L"コメント設定"), m_strComment[slot - 1], kCommentKeyboardLength,
                           false, false, 1, kCommentKeyboardLength);
    if (keyboard.DoModal() != 1)
        return;
    m_strComment[slot - 1] = keyboard.GetStrings();
    m_nSelect = slot;
    Refresh();
}

void CSystemMySetup::ShowSelectSlotNotice(DWORD captionGroup, DWORD captionItem, const wchar_t* captionDefault)
{
    CPopupDlg notice(this, true);
    notice.SetCaptionText(Text(captionGroup, captionItem, captionDefault));
    notice.SetMessageText(SelectSlotMessage());
    notice.SetButtonMode(2);
    notice.DoModal();
}

bool CSystemMySetup::SaveSlot(int slot, const CString& comment)
{
    const CString& commentPath = m_strCommentPath[slot - 1];
    // What the comment file held before, to put back when the host cannot
    // save the configuration: a comment must never describe a setup that
    // is not there.
    std::optional<setup_comment::FileBytes> previous;
    FILETIME previousTime{};
    CFileStatus existing;
    if (CFile::GetStatus(commentPath, existing)) {
        setup_comment::FileBytes image;
        if (setup_comment::ReadImage(commentPath, image, &previousTime))
            previous = image;
    }

    if (!setup_comment::WriteImage(commentPath, setup_comment::Encode(comment.GetString()))) {
        OutputDebugStringW(L"CSystemMySetup: the comment file cannot be written\n");
        if (!previous)
            DeleteFileW(commentPath);
        return false;
    }
    if (SaveSettingFile(m_strConfigPath[slot - 1]))
        return true;
    // Put back with its time too, so the slot does not show the failed attempt's.
    if (previous)
        setup_comment::WriteImage(commentPath, *previous, &previousTime);
    else
        DeleteFileW(commentPath);
    return false;
}

void CSystemMySetup::OnBnClickedSave()
{
    if (m_nSelect == 0) {
        ShowSelectSlotNotice(1, 5, L"保存");
        return;
    }
    const int slot = m_nSelect;
    CString comment;
    GetDlgItemText(IDC_STATIC_COMMENT1 + slot - 1, comment);
    comment = comment.Left(kCommentKeyboardLength);

    if (!SaveSlot(slot, comment))
        MessageBox(Text(IDD_MY_SETUP, 11, L"保存に失敗しました\n"), Text(1, 5, L"保存"), MB_OK);

    CFileStatus status;
    if (CFile::GetStatus(m_strConfigPath[slot - 1], status))
        m_status[slot - 1] = status;
    Refresh();
}

void CSystemMySetup::OnBnClickedLoad()
{
    if (m_nSelect == 0) {
        ShowSelectSlotNotice(IDD_MY_SETUP, 7, L"読み出し");
        return;
    }
    const int slot = m_nSelect;
    if (!IsSaved(slot))
        return;

    CPopupDlg ask(this, true);
    ask.SetCaptionText(kLoadCaption);
    ask.SetMessageText(Text(IDD_MY_SETUP, 13, L"設定を反映するためにプログラムを再起動します。"));
    ask.SetButtonMode(1);
    if (ask.DoModal() != 1)
        return;

    if (!LoadSettingFile(m_strConfigPath[slot - 1])) {
        CPopupDlg notice(this, true);
        notice.SetCaptionText(kLoadCaption);
        notice.SetMessageText(Text(IDD_MY_SETUP, 14, L"指定された設定ファイルの読み込みに失敗しました。"));
        notice.SetButtonMode(2);
        notice.DoModal();
        return;
    }
    T_DLG_REQUEST restart;
    restart.Prepare(this, DLGREQ_RESTART);
    SendDLGRequest(&restart);
    // The page that opened this dialog ends too; the host restarts once the
    // system dialog has returned.
    if (m_pParentWnd && m_pParentWnd->m_hWnd)
        m_pParentWnd->PostMessage(WM_CLOSE);
    OnOK();
}

void CSystemMySetup::OnBnClickedClear()
{
    if (m_nSelect == 0) {
        ShowSelectSlotNotice(1, 5, L"保存");
        return;
    }
    const int slot = m_nSelect;
    DeleteFileW(m_strCommentPath[slot - 1]);
    DeleteFileW(m_strConfigPath[slot - 1]);
    m_status[slot - 1].m_mtime = 0;
    m_strComment[slot - 1].Empty();
    Refresh();
}

HBRUSH CSystemMySetup::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    const int id = wnd ? wnd->GetDlgCtrlID() : 0;
    if (id >= IDC_STATIC_COMMENT1 && id <= IDC_STATIC_COMMENT4) {
        dc->SetBkMode(TRANSPARENT);
        return GetStockObject(WHITE_BRUSH);
    }
    return CSystemSettingSheet::OnCtlColor(dc, wnd, ctlColor);
}
