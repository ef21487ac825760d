#include "core/SystemShutdownDlg.h"

#include "host/TextService.h"

namespace {

constexpr UINT IDD_SHUTDOWN = 17019;
constexpr int IDC_STATIC_MESSAGE = 17182;
constexpr int IDC_CHECK_NO_MEM_SAVE = 17043;

}  // namespace

IMPLEMENT_DYNAMIC(CSystemShutdownDlg, CDialog)

BEGIN_MESSAGE_MAP(CSystemShutdownDlg, CDialog)
    ON_BN_CLICKED(IDOK, OnBnClickedOk)
END_MESSAGE_MAP()

CSystemShutdownDlg::CSystemShutdownDlg(CWnd* parent) : CDialog(IDD_SHUTDOWN, parent) {}

CSystemShutdownDlg::~CSystemShutdownDlg() = default;

void CSystemShutdownDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CHECK_NO_MEM_SAVE, m_checkNoMemSave);
}

BOOL CSystemShutdownDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CTextService* texts = GetTextServiceObject();
    SetWindowText(texts->GetText(17000, 2, L"終了処理"));
    SetDlgItemText(IDC_STATIC_MESSAGE,
                   texts->GetText(17000, 20,
                                  L"動作を全て停止し、メモリデータバックアップの後、\n電源を切る準備をします。\nよろしいですか？"));
    SetDlgItemText(IDC_CHECK_NO_MEM_SAVE, texts->GetText(17000, 21, L"終了時に波形メモリを退避しない(高速終了)"));
    SetDlgItemText(IDOK, texts->GetText(1, 2, L"実行"));
    SetDlgItemText(IDCANCEL, texts->GetText(1, 3, L"中止"));
    if (m_bNoMemSave)
        m_checkNoMemSave.SendMessage(BM_SETCHECK, BST_CHECKED, 0);
    return TRUE;
}

void CSystemShutdownDlg::OnBnClickedOk()
{
    m_bNoMemSave = m_checkNoMemSave.SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED;
    OnOK();
}
