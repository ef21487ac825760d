#include "pages/recording/SystemUserSpeedDlg.h"

#include "core/TabPageOrigin.h"
#include "pages/recording/RecordingIds.h"

using namespace recording_ids;

namespace {

constexpr int IDC_TAB = 17000;

// The three kinds' entries in the configuration, in page order.
struct KindEntries {
    SPEED_TABLE (CONFIG_SYSREC::*get)(int) const;
    void (CONFIG_SYSREC::*set)(int, const SPEED_TABLE&);
    DWORD tabItem;
    const wchar_t* tabText;
};

const KindEntries kKinds[CSystemUserSpeedDlg::kPageCount] = {
    {&CONFIG_SYSREC::GetSpeedPen, &CONFIG_SYSREC::SetSpeedPen, 10, L"ペン"},
    {&CONFIG_SYSREC::GetSpeedMem, &CONFIG_SYSREC::SetSpeedMem, 11, L"メモリ"},
    {&CONFIG_SYSREC::GetSpeedFile, &CONFIG_SYSREC::SetSpeedFile, 12, L"ファイリング"},
};

}  // namespace

IMPLEMENT_DYNAMIC(CSystemUserSpeedDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CSystemUserSpeedDlg, CCBRDialog)
    ON_BN_CLICKED(IDOK, OnBnClickedClose)
    ON_NOTIFY(TCN_SELCHANGE, IDC_TAB, OnTcnSelchangeTab)
END_MESSAGE_MAP()

CSystemUserSpeedDlg::CSystemUserSpeedDlg(CWnd* parent) : CCBRDialog(IDD_USER_SPEED, parent, true) {}

CSystemUserSpeedDlg::~CSystemUserSpeedDlg() = default;

bool CSystemUserSpeedDlg::SetConfig(CONFIG_SYSREC* config)
{
    m_pConfig = config;
    return config != nullptr;
}

void CSystemUserSpeedDlg::DoDataExchange(CDataExchange* dx)
{
    CCBRDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_TAB, m_tab);
}

BOOL CSystemUserSpeedDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    SetWindowText(Text(IDD_USER_SPEED_SHEET, 1, L"速度テーブル"));
    SetDlgItemText(IDOK, Text(1, 1, L"閉じる"));
    m_tab.DeleteAllItems();
    m_tab.SetItemSize(SIZE{10, 32});

    for (int kind = 0; kind < kPageCount; ++kind) {
        SPEED_TABLE entries[2]{};
        if (m_pConfig)
            for (int index = 0; index < 2; ++index)
                entries[index] = (m_pConfig->*kKinds[kind].get)(index);
        m_pages[kind] = std::make_unique<CSystemUserSpeedSheet>();
        m_pages[kind]->SetTables(kind, &entries[0], &entries[1]);
        m_pages[kind]->Create(IDD_USER_SPEED_SHEET, &m_tab);
    }
    for (int kind = 0; kind < kPageCount; ++kind)
        m_tab.InsertItem(kind, Text(IDD_USER_SPEED, kKinds[kind].tabItem, kKinds[kind].tabText));

    const POINT origin = TabPageOrigin(m_tab);
    for (auto& page : m_pages) {
        page->SetWindowPos(nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        page->ShowWindow(SW_HIDE);
    }
    m_tab.SetCurSel(0);
    ShowOnlyPage(0);
    return TRUE;
}

void CSystemUserSpeedDlg::ShowOnlyPage(int index)
{
    for (int kind = 0; kind < kPageCount; ++kind)
        if (m_pages[kind])
            m_pages[kind]->ShowWindow(kind == index ? SW_SHOW : SW_HIDE);
}

void CSystemUserSpeedDlg::OnTcnSelchangeTab(NMHDR*, LRESULT* result)
{
    ShowOnlyPage(m_tab.GetCurSel());
    *result = 0;
}

void CSystemUserSpeedDlg::OnBnClickedClose()
{
    if (m_pConfig) {
        for (int kind = 0; kind < kPageCount; ++kind) {
            SPEED_TABLE entries[2]{};
            m_pages[kind]->GetTables(&entries[0], &entries[1]);
            for (int index = 0; index < 2; ++index)
                (m_pConfig->*kKinds[kind].set)(index, entries[index]);
        }
    }
    CCBRDialog::OnOK();
}
