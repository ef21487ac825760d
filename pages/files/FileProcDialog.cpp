#include "pages/files/FileProcDialog.h"

#include "host/TextService.h"
#include "host/dialogs/CSoftKeybordDlg_PathAndFile.h"
#include "host/widgets/CBrowseFolder.h"

namespace {

constexpr UINT IDD_FILE_PROC = 17017;
constexpr int IDC_STATIC_LABEL = 17166;
constexpr int IDC_STATIC_VALUE = 17167;
constexpr int IDC_BUTTON_BROWSE = 17168;
constexpr int IDC_BUTTON_HAND = 19001;
constexpr int kCheckIds[CFileProcDialog::kCheckCount] = {17043, 17044, 17045, 17046, 17101, 17110};

// The keyboard takes a name of at most this many characters.
constexpr UINT kMaxNameLength = 260;

const wchar_t* Text(DWORD group, DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(group, item, defaultText);
}

}  // namespace

IMPLEMENT_DYNAMIC(CFileProcDialog, CCBRDialog)

BEGIN_MESSAGE_MAP(CFileProcDialog, CCBRDialog)
    ON_BN_CLICKED(IDC_BUTTON_BROWSE, OnBnClickedButtonBrowse)
    ON_BN_CLICKED(IDC_BUTTON_HAND, OnBnClickedButtonHand)
END_MESSAGE_MAP()

CFileProcDialog::CFileProcDialog(CWnd* parent)
    : CCBRDialog(IDD_FILE_PROC, parent, true), m_strCaption(Text(IDD_FILE_PROC, 1, L"設定"))
{
}

CFileProcDialog::~CFileProcDialog() = default;

void CFileProcDialog::Setup(int mode, const wchar_t* label, const wchar_t* value)
{
    m_nMode = mode;
    m_strLabel = label;
    m_strValue = value;
}

void CFileProcDialog::SetCaption(const wchar_t* text)
{
    m_strCaption = text;
    if (m_hWnd && ::IsWindow(m_hWnd))
        SetWindowText(m_strCaption);
}

void CFileProcDialog::SetCheckItem(int index, const wchar_t* label, int visible, BOOL state)
{
    if (index < 0 || index >= kCheckCount)
        return;
    m_strCheckLabel[index] = label;
    m_nCheckVisible[index] = visible;
    m_bCheck[index] = state;
}

BOOL CFileProcDialog::GetCheck(int index) const
{
    return index >= 0 && index < kCheckCount ? m_bCheck[index] : FALSE;
}

void CFileProcDialog::DoDataExchange(CDataExchange* dx)
{
    CCBRDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_STATIC_VALUE, m_strValue);
    for (int i = 0; i < kCheckCount; ++i)
        DDX_Check(dx, kCheckIds[i], m_bCheck[i]);
}

BOOL CFileProcDialog::OnInitDialog()
{
    CCBRDialog::OnInitDialog();

    SetWindowText(m_strCaption);
    SetDlgItemText(IDC_STATIC_LABEL, m_strLabel);
    SetDlgItemText(IDC_BUTTON_BROWSE, Text(IDD_FILE_PROC, 2, L"参照..."));
    SetDlgItemText(IDOK, Text(1, 2, L"実行"));
    SetDlgItemText(IDCANCEL, Text(1, 1, L"閉じる"));

    PlaceModeButtons();
    m_btnHand.AutoLoad(IDC_BUTTON_HAND, this);

    for (int i = 0; i < kCheckCount; ++i) {
        if (CWnd* box = GetDlgItem(kCheckIds[i])) {
            box->ShowWindow(m_nCheckVisible[i] ? SW_SHOW : SW_HIDE);
            box->SetWindowText(m_strCheckLabel[i]);
        }
    }
    return TRUE;
}

void CFileProcDialog::PlaceModeButtons()
{
    CWnd* hand = GetDlgItem(IDC_BUTTON_HAND);
    CWnd* browse = GetDlgItem(IDC_BUTTON_BROWSE);
    if (!hand || !browse)
        return;
    if (m_nMode == ModeName) {
        // The hand button takes the browse button's place, keeping its own size.
        RECT browseRect;
        browse->GetWindowRect(&browseRect);
        ScreenToClient(&browseRect);
        ::SetWindowPos(hand->m_hWnd, HWND_TOP, browseRect.left, browseRect.top, 0, 0, SWP_NOSIZE);
        hand->ShowWindow(SW_SHOW);
        browse->ShowWindow(SW_HIDE);
    } else {
        hand->ShowWindow(SW_HIDE);
        browse->ShowWindow(SW_SHOW);
    }
}

void CFileProcDialog::OnBnClickedButtonHand()
{
    CSoftKeybordDlg_PathAndFile keyboard(this);
    keyboard.SetConfigData(Text(IDD_FILE_PROC, 4, L"設定"), m_strValue, kMaxNameLength, false, false, 1,
                           static_cast<int>(kMaxNameLength));
    if (keyboard.DoModal() != 1)
        return;
    m_strValue = keyboard.GetStrings();
    SetDlgItemText(IDC_STATIC_VALUE, m_strValue);
}

void CFileProcDialog::OnBnClickedButtonBrowse()
{
    CBrowseFolder chooser(this, Text(IDD_FILE_PROC, 100, L"ﾃﾞｰﾀﾌｧｲﾙのあるﾌｫﾙﾀﾞを選択して下さい。"), 5);
    if (!chooser.Open(m_strValue, 17, 0))
        return;
    CString path = chooser.GetPathName();
    if (path.IsEmpty())
        return;
    if (path[path.GetLength() - 1] != L'\\')
        path += L'\\';
    m_strValue = path;
    SetDlgItemText(IDC_STATIC_VALUE, m_strValue);
}
