#include "pages/mode/SystemInitDlg.h"

#include "host/IModifiedReport.h"
#include "host/TextService.h"

namespace {

constexpr UINT IDD_INIT = 17009;
constexpr int IDC_STATIC_GUIDE = 17154;
constexpr int IDC_CHECK_ALL_SETTINGS = 17043;
constexpr int IDC_CHECK_COMM = 17044;
constexpr int IDC_CHECK_ANNOTATIONS = 17045;
constexpr int IDC_CHECK_MEMORY_DATA = 17046;

}  // namespace

IMPLEMENT_DYNAMIC(CSystemInitDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CSystemInitDlg, CCBRDialog)
END_MESSAGE_MAP()

CSystemInitDlg::CSystemInitDlg(CWnd* parent) : CCBRDialog(IDD_INIT, parent, true) {}

CSystemInitDlg::~CSystemInitDlg() = default;

void CSystemInitDlg::DoDataExchange(CDataExchange* dx)
{
    CCBRDialog::DoDataExchange(dx);
    DDX_Check(dx, IDC_CHECK_ALL_SETTINGS, m_bInitAllSettings);
    DDX_Check(dx, IDC_CHECK_COMM, m_bInitComm);
    DDX_Check(dx, IDC_CHECK_ANNOTATIONS, m_bInitAnnotations);
    DDX_Check(dx, IDC_CHECK_MEMORY_DATA, m_bInitMemoryData);
}

BOOL CSystemInitDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    IModifiedReport::MRInit(m_hWnd, kModifiedReportMessage);

    CTextService* texts = GetTextServiceObject();
    SetWindowText(texts->GetText(IDD_INIT, 1, L"初期化"));
    SetDlgItemText(IDC_STATIC_GUIDE, texts->GetText(IDD_INIT, 2, L"本体の設定データを初期化することができます。"));
    // The template's own wording of this box differs; the dialog's text wins.
    SetDlgItemText(IDC_CHECK_ALL_SETTINGS, texts->GetText(IDD_INIT, 3, L"すべての設定データを初期化する"));
    SetDlgItemText(IDC_CHECK_COMM, texts->GetText(IDD_INIT, 4, L"通信設定を初期化する"));
    SetDlgItemText(IDC_CHECK_ANNOTATIONS, texts->GetText(IDD_INIT, 5, L"アノテーションの内容を削除する"));
    SetDlgItemText(IDC_CHECK_MEMORY_DATA, texts->GetText(IDD_INIT, 6, L"本体内メモリデータを消去する"));
    SetDlgItemText(IDOK, texts->GetText(1, 2, L"実行"));
    SetDlgItemText(IDCANCEL, texts->GetText(1, 3, L"キャンセル"));
    return TRUE;
}
